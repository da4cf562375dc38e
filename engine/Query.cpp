// Loading one corpus file and the concordance search over its lines.

#include "engine/Query.h"

#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"

void TMyArray::Assign(TTokenTable& table, const std::array<std::string_view, Size>& slots) {
    FTable = &table;
    for (int k = 0; k < Size; ++k) FIds[static_cast<size_t>(k)] = slots[static_cast<size_t>(k)].empty() ? 0 : table.Intern(slots[static_cast<size_t>(k)]);
}

TQuery::TQuery() : FTokens(std::make_unique<TTokenTable>(TTokenTable::WithEmptyText())) {}

TQuery::~TQuery() = default;

void TQuery::Clear() {
    Hits.clear();
    Matrix.clear();
    SkippedLines = 0;
}

int TQuery::LoadFile(const std::string& fileName, const std::string& splitters) {
    FileName = ExtractFileName(fileName);
    Lines.Clear();
    Lines.LoadFromFile(fileName);
    Splitters = splitters;
    return Lines.Count();
}

namespace {

// Whether node, compiled on its own, may serve as a quick test that a line can
// hold a hit. Not when it refers to groups by number: inside the search
// pattern its groups are numbered after the context's.
bool CanPrefilter(TRegExpr& node) {
    try {
        node.Compile();
        if (node.BackReferenceMax() > 0) return false;
    } catch (const ERegExpr&) {
        return false;
    }
    // Calls of a group by number and the search's start anchor are what the
    // library's pattern information does not show.
    const std::string& expr = node.Expression();
    for (size_t i = 0; i + 1 < expr.size(); ++i) {
        if (expr[i] == '\\') {
            if (expr[i + 1] == 'G' || expr[i + 1] == 'g') return false;
            ++i;
        } else if (expr[i] == '(' && expr[i + 1] == '?' && i + 2 < expr.size() &&
                   (expr[i + 2] == 'R' || (expr[i + 2] >= '0' && expr[i + 2] <= '9'))) {
            return false;
        }
    }
    return true;
}

}  // namespace

void TQuery::Search(const std::string& expr, bool caseSensitive, int leftWords, int rightWords, int& progress,
                    bool buildMatrix) {
    int L = std::max(leftWords, 0), R = std::max(rightWords, 0);
    TRegExpr re("((\\s\\S+){" + IntToStr(L) + "})\\s(" + expr + ")((\\s\\S+){" + IntToStr(R) + "})");
    re.SetModifierI(!caseSensitive);

    // The node alone usually finds nothing in most lines; the full pattern
    // tries a match at every blank of a line.
    TRegExpr node(expr);
    node.SetModifierI(!caseSensitive);
    bool prefilter = CanPrefilter(node);

    bool raw = Trim(Splitters).empty();
    const std::string pad = raw ? "## " : "##_## ";
    const std::string leftPad = " " + TDisplay::RepeatStr(pad, 2 * L);
    const std::string rightPad = " " + TDisplay::RepeatStr(pad, 2 * R);
    std::string line;
    try {
        for (int i = 0; i < Lines.Count(); ++i) {
            progress = i + 1;
            // A search that finds nothing for a long while still lets the window paint.
            ProcessMessages();
            line = Trim(Lines[i]);
            if (!line.empty() && line[0] == '<') continue;
            line = leftPad + line + rightPad;
            if (raw) line = TDisplay::NormalizeRaw(std::move(line));
            size_t hitsBefore = Hits.size(), rowsBefore = Matrix.size();
            try {
                if (prefilter && !node.Exec(line)) continue;
                SearchLine(re, line, L, R, buildMatrix);
            } catch (const ERegExprLimit&) {
                // The line defeats the pattern, not the search: it is left out whole.
                Hits.resize(hitsBefore);
                Matrix.resize(rowsBefore);
                ++SkippedLines;
            }
        }
    } catch (const Exception&) {
        // A node the library cannot compile or match ends the search; the hits found so far stay.
    }
}

void TQuery::SearchLine(TRegExpr& re, const std::string& line, int L, int R, bool buildMatrix) {
    bool found = re.Exec(line);
    while (found) {
        ProcessMessages();
        TResultStr hit;
        if (L > 0) hit.Left = Trim(re.Match(1));
        hit.Center = Trim(re.Match(3));
        if (R > 0) hit.Right = Trim(re.Match(re.SubExprMatchCount() - 1));
        hit.FileName = FileName;
        found = re.ExecPos(re.MatchPos(1) + 1);
        if (buildMatrix) {
            TWordArray row;
            for (TMyArray* slots : {&row.LeftWords, &row.CenterWords, &row.RightWords})
                slots->Assign(*FTokens, {});
            SplitToArray(hit.Left, row.LeftWords, L);
            SplitToArray(hit.Center, row.CenterWords, -1);
            SplitToArray(hit.Right, row.RightWords, -1);
            Matrix.push_back(std::move(row));
        }
        Hits.push_back(std::move(hit));
    }
}

void TQuery::SplitToArray(std::string text, TMyArray& tokens, int align) {
    if (text.find("#_#") != std::string::npos) text = StringReplace(text, "#_#", "", rfReplaceAll);
    std::array<std::string_view, TMyArray::Size> slots{};
    std::string rest = Trim(text) + " ";
    std::string_view view(rest);
    // Cut at blanks; two blanks in a row give an empty token. A left context of
    // more than 16 words keeps the 16 nearest the node.
    for (int k = 0;; ++k) {
        size_t blank = view.find(' ');
        if (blank == std::string_view::npos) break;
        int slot = align == -1 ? k : align - 1 - k;
        if (align == -1 ? k >= TMyArray::Size : slot < 0) break;
        if (slot < TMyArray::Size) slots[static_cast<size_t>(slot)] = view.substr(0, blank);
        view.remove_prefix(blank + 1);
    }
    static TTokenTable shared = TTokenTable::WithEmptyText();
    // The array's own table when it has one: its other rows share it.
    tokens.Assign(tokens.Table() ? *tokens.Table() : shared, slots);
}
