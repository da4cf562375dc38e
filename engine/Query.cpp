// Loading one corpus file and the concordance search over its lines.

#include "engine/Query.h"

#include <regex>

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
}

int TQuery::LoadFile(const std::string& fileName, const std::string& splitters) {
    FileName = ExtractFileName(fileName);
    Lines.Clear();
    Lines.LoadFromFile(fileName);
    Splitters = splitters;
    return Lines.Count();
}

namespace {

// Whether expr can be searched on its own as a quick test that a line may hold
// a hit. Not when it refers to groups by number or changes how the pattern
// around it reads: inside the search pattern its groups are numbered after the
// context's.
bool CanPrefilter(const std::string& expr) {
    static const std::regex unsafe(R"(\\[0-9gkQEG]|\(\?[0-9+\-R&P]|\(\*)");
    return !std::regex_search(expr, unsafe);
}

// A tagged padding word is split by the text's own separator (the first member
// of the class), so that the display patterns built from that class remove it.
std::string TaggedPadding(const std::string& splitters) {
    char separator = '_';
    if (splitters.size() >= 3 && splitters.front() == '[') {
        char c = splitters[1] == '\\' && splitters.size() >= 4 ? splitters[2] : splitters[1];
        if (!IsTrimChar(c) && c != ']') separator = c;
    }
    return std::string("##") + separator + "## ";
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
    bool prefilter = CanPrefilter(expr);
    if (prefilter) {
        try {
            node.Compile();
        } catch (const ERegExpr&) {
            prefilter = false;
        }
    }

    bool raw = Trim(Splitters).empty();
    const std::string pad = raw ? "## " : TaggedPadding(Trim(Splitters));
    const std::string leftPad = " " + TDisplay::RepeatStr(pad, 2 * L);
    const std::string rightPad = " " + TDisplay::RepeatStr(pad, 2 * R);
    std::string line;
    try {
        for (int i = 0; i < Lines.Count(); ++i) {
            progress = i + 1;
            line = Trim(Lines[i]);
            if (!line.empty() && line[0] == '<') continue;
            line = leftPad + line + rightPad;
            if (raw) line = TDisplay::NormalizeRaw(std::move(line));
            if (prefilter && !node.Exec(line)) continue;
            bool found = re.Exec(std::move(line));
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
                    row.LeftText = hit.Left;
                    row.CenterText = hit.Center;
                    row.RightText = hit.Right;
                    Matrix.push_back(std::move(row));
                }
                Hits.push_back(std::move(hit));
            }
        }
    } catch (const Exception&) {
        // A node the library cannot compile or match ends the search; the hits found so far stay.
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
