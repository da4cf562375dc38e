// Loading one corpus file and the concordance search over its lines.

#include "engine/Query.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <exception>

#include "engine/FileChunks.h"
#include "engine/Parallel.h"
#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"

void TMyArray::Assign(TTokenTable& table, const std::array<std::string_view, Size>& slots) {
    FTable = &table;
    for (int k = 0; k < Size; ++k) FIds[static_cast<size_t>(k)] = slots[static_cast<size_t>(k)].empty() ? 0 : table.Intern(slots[static_cast<size_t>(k)]);
}

TQuery::TQuery() : FTokens(std::make_unique<TTokenTable>(TTokenTable::WithEmptyText())) {
    Matrix.SetTable(*FTokens);
    Matrix.SetTexts(Hits);
}

TQuery::~TQuery() = default;

void TQuery::Clear() {
    Hits.clear();
    Matrix.clear();
    SkippedLines = 0;
    LeftOutFiles.clear();
}

int TQuery::LoadFile(const std::string& fileName, const std::string& splitters) {
    FileName = ExtractFileName(fileName);
    bool utf16 = false;
    Lines.Clear();
    Lines.SetText(ReadCorpusFile(fileName, &utf16));
    if (utf16) LeftOutFiles.push_back(FileName);
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

// Whether the node's own match start is where it starts inside the search
// pattern: not after \K, nor with verbs that act on the whole match.
bool StartsWhereItMatches(const std::string& expr) {
    return expr.find("\\K") == std::string::npos && expr.find("(*") == std::string::npos;
}

// The start of the only match of the search pattern that puts the node at
// node: its blank and the words before it, each a blank and a run of
// non-blanks. False when the line has no such words there.
bool ContextStart(const std::string& line, size_t node, int words, size_t& start) {
    if (node == 0 || !IsRegexSpace(line[node - 1])) return false;
    size_t pos = node - 1;
    for (int k = 0; k < words; ++k) {
        size_t word = pos;
        while (word > 0 && !IsRegexSpace(line[word - 1])) --word;
        if (word == pos || word == 0) return false;
        pos = word - 1;
    }
    start = pos;
    return true;
}

// Whether text holds a byte below 32 that is no blank. Eight bytes at a time:
// corpus lines hardly ever hold one, and every line is asked.
bool HasControlByte(std::string_view text) {
    auto isControl = [](char c) { return IsTrimChar(c) && !IsRegexSpace(c); };
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        // A byte below 0x20 sets its high bit here, and no other byte does.
        if (((word - 0x2020202020202020ull) & ~word & 0x8080808080808080ull) == 0) continue;
        if (std::any_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.begin() + static_cast<std::ptrdiff_t>(i + 8),
                        isControl))
            return true;
    }
    return std::any_of(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), isControl);
}

// Bytes 0 to 32 at a token's edge are no part of the token when the corpus is
// counted, so the searched line loses them too, and a token made of nothing
// else goes with the blank before it: a node is found wherever the word it
// names is counted. Blanks and the line's own edges stay as they are.
void DropControlBytesAtTokenEdges(std::string& line) {
    std::string out;
    out.reserve(line.size());
    for (size_t i = 0; i < line.size();) {
        if (IsRegexSpace(line[i])) {
            out += line[i++];
            continue;
        }
        size_t first = i;
        while (i < line.size() && !IsRegexSpace(line[i])) ++i;
        size_t last = i;
        while (first < last && IsTrimChar(line[first])) ++first;
        while (last > first && IsTrimChar(line[last - 1])) --last;
        if (first == last) {
            if (!out.empty() && IsRegexSpace(out.back())) out.pop_back();
            continue;
        }
        out.append(line, first, last - first);
    }
    line.swap(out);
}

// Whether text may hold white space other than single blanks: a byte below
// 32 (TAB, vertical tab, form feed among them) or two blanks in a row. Eight
// bytes at a time, as nearly every line holds neither.
bool MayHoldWideSpace(std::string_view text) {
    static_assert(std::endian::native == std::endian::little, "a word's first byte is its lowest");
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    // The high bit of every byte of x that is 0.
    auto zeroBytes = [](uint64_t x) { return ~(((x & kLow7) + kLow7) | x | kLow7); };
    bool blankBefore = false;
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (zeroBytes(word & 0xE0E0E0E0E0E0E0E0ull)) return true;
        // Bytes in memory order from the lowest: a blank's neighbour is the next byte up.
        const uint64_t blanks = zeroBytes(word ^ 0x2020202020202020ull);
        if ((blanks & (blanks >> 8)) || (blankBefore && (blanks & 0x80))) return true;
        blankBefore = (blanks >> 63) != 0;
    }
    for (; i < text.size(); ++i) {
        if (IsTrimChar(text[i]) && text[i] != ' ') return true;
        if (text[i] == ' ' && blankBefore) return true;
        blankBefore = text[i] == ' ';
    }
    return false;
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

// The compiled search of one node with its context, and the padding that
// lets a node at a line's edge have its context. Not shared between threads.
struct TSearchPattern {
    // splitters: the trimmed separator class of the text, empty for raw text.
    TSearchPattern(const std::string& expr, bool caseSensitive, int leftWords, int rightWords,
                   const std::string& splitters)
        : L(std::max(leftWords, 0)), R(std::max(rightWords, 0)), Raw(splitters.empty()) {
        std::string full = "((\\s\\S+){" + IntToStr(L) + "})\\s(" + expr + ")((\\s\\S+){" + IntToStr(R) + "})";
        Full.SetExpression(full);
        Full.SetModifierI(!caseSensitive);
        // The node alone usually finds nothing in most lines; the full pattern
        // tries a match at every blank of a line.
        Node.SetExpression(expr);
        Node.SetModifierI(!caseSensitive);
        Prefilter = CanPrefilter(Node);
        // Where the node's matches can be walked one by one, the full pattern
        // is tried once per match, anchored where its context starts, instead
        // of at every blank: it finds the same hits.
        FromNode = Prefilter && StartsWhereItMatches(expr);
        Anchored.SetExpression("\\G" + full);
        Anchored.SetModifierI(!caseSensitive);
        const std::string pad = Raw ? "## " : TaggedPadding(splitters);
        LeftPad = " " + TDisplay::RepeatStr(pad, 2 * L);
        RightPad = " " + TDisplay::RepeatStr(pad, 2 * R);
    }

    // Whether a node matched from first to last lies in the line itself: a
    // padded line starts with the left pad's blank and words, which end one
    // byte before the pad does (the blanks after them may have joined the
    // line's), and ends with the right pad's words and its last blank.
    bool InLine(const std::string& line, size_t first, size_t last) const {
        return first + 1 >= LeftPad.size() && last + RightPad.size() <= line.size() + 1;
    }

    // Whether a padded line may hold white space other than single blanks:
    // the pads hold none, so only the line between them is looked at.
    bool MayHoldWideSpace(const std::string& line) const {
        const size_t from = LeftPad.size() - 1, to = line.size() + 1 - RightPad.size();
        return ::MayHoldWideSpace(std::string_view(line).substr(from, to - from));
    }

    int L, R;
    bool Raw;
    TRegExpr Full, Node, Anchored;
    bool Prefilter = false, FromNode = false;
    std::string LeftPad, RightPad;
};

void TQuery::Search(const std::string& expr, bool caseSensitive, int leftWords, int rightWords, int& progress,
                    bool buildMatrix) {
    TSearchPattern pattern(expr, caseSensitive, leftWords, rightWords, Trim(Splitters));
    SearchWith(pattern, Lines.Count(), [this](int i) -> std::string_view { return Lines[i]; }, progress, buildMatrix);
}

template <class LineAt>
bool TQuery::SearchWith(TSearchPattern& pattern, int lineCount, LineAt lineAt, int& progress, bool buildMatrix) {
    std::string line;
    try {
        for (int i = 0; i < lineCount; ++i) {
            progress = i + 1;
            // A search that finds nothing for a long while still lets the window paint.
            ProcessMessages();
            const std::string_view trimmed = TrimView(lineAt(i));
            if (!trimmed.empty() && trimmed[0] == '<') continue;
            // The padded line is made in the buffer of the line before it.
            if (pattern.Raw)
                line = TDisplay::NormalizeRawPadded(pattern.LeftPad, std::string(trimmed), pattern.RightPad);
            else
                line.assign(pattern.LeftPad).append(trimmed).append(pattern.RightPad);
            // Neither padding nor normalising adds a control byte.
            if (HasControlByte(trimmed)) DropControlBytesAtTokenEdges(line);
            if (pattern.MayHoldWideSpace(line)) SingleBlanks(line);
            size_t hitsBefore = Hits.size(), rowsBefore = Matrix.size();
            try {
                // Corpus text is UTF-8: the line is looked at once for the
                // three expressions that search it.
                const bool beyondAscii = HasByteAbove127(line);
                if (pattern.Prefilter) {
                    pattern.Node.SetSubject(line, beyondAscii);
                    if (!pattern.Node.ExecPos(1)) continue;
                }
                SearchLine(pattern, line, beyondAscii, buildMatrix);
            } catch (const ERegExprLimit&) {
                // The line defeats the pattern, not the search: it is left out whole.
                Hits.Truncate(hitsBefore);
                Matrix.Truncate(rowsBefore);
                ++SkippedLines;
            }
        }
    } catch (const Exception&) {
        // A node the library cannot compile or match ends the search; the hits found so far stay.
        return false;
    }
    return true;
}

void TQuery::SearchFiles(const std::vector<std::string>& fileNames, const std::string& splitters,
                         const std::string& expr, bool caseSensitive, int leftWords, int rightWords, int& progress,
                         bool buildMatrix, const TSearchProgressEvent& onProgress) {
    // What a run of neighbouring pieces found, searched one after another
    // into one query: a folder of many small files costs a result per run,
    // not per file.
    struct TRunHits {
        std::unique_ptr<TQuery> Query;
        // The run's pieces done, from its first on; the piece after them failed.
        size_t Done = 0;
        // The file of the last piece whose search the pattern ended.
        size_t StoppedFile = SIZE_MAX;
        // Files left out as UTF-16 text.
        std::vector<size_t> LeftOut;
        std::exception_ptr Error;
    };
    std::vector<std::unique_ptr<TSearchPattern>> patterns(static_cast<size_t>(EngineThreads()));
    const std::string separators = Trim(splitters);
    // Only the last file's lines stay loaded, as after loading one file after another.
    TStringList lastLines;
    auto search = [&](const std::vector<TFilePiece>& pieces, const std::vector<size_t>& runStart) {
        std::vector<TRunHits> found(runStart.size() - 1);
        // The bytes of each piece searched so far, told on the calling thread.
        std::vector<std::atomic<uint64_t>> searched(pieces.size());
        auto report = [&] {
            if (!onProgress) return;
            TSearchProgress state;
            state.Files = fileNames.size();
            bool leading = true;
            for (size_t k = 0; k < pieces.size();) {
                bool whole = true;
                for (const size_t file = pieces[k].File; k < pieces.size() && pieces[k].File == file; ++k) {
                    const uint64_t bytes = pieces[k].End - pieces[k].Begin;
                    const uint64_t done = searched[k].load(std::memory_order_relaxed);
                    state.Bytes += bytes;
                    state.BytesDone += done;
                    whole = whole && done == bytes;
                }
                leading = leading && whole;
                state.FilesDone += leading;
            }
            onProgress(state);
        };
        // Task 0 loads the last file's lines beside the search.
        ParallelFor(found.size() + 1, [&](size_t task, size_t worker) {
            if (task == 0) {
                try {
                    if (!fileNames.empty() && lastLines.Count() == 0) lastLines.SetText(ReadCorpusFile(fileNames.back()));
                } catch (...) {
                    // The file's own piece reports why it cannot be read.
                }
                return;
            }
            std::unique_ptr<TSearchPattern>& pattern = patterns[worker];
            if (!pattern) pattern = std::make_unique<TSearchPattern>(expr, caseSensitive, leftWords, rightWords, separators);
            TRunHits& out = found[task - 1];
            out.Query = std::make_unique<TQuery>();
            TQuery& q = *out.Query;
            // Searches piece k into q; false when it failed, which ends the run.
            auto searchPiece = [&](size_t k) {
                const TFilePiece& piece = pieces[k];
                const size_t hitsBefore = q.Hits.size(), rowsBefore = q.Matrix.size();
                const int skippedBefore = q.SkippedLines;
                try {
                    bool utf16 = false;
                    // The lines are searched where they stand in the file's bytes: a
                    // string each would cost more than the text itself.
                    const std::string bytes = ReadPiece(fileNames, piece, &utf16);
                    if (utf16) out.LeftOut.push_back(piece.File);
                    const std::vector<std::string_view> lines = SplitLines(bytes);
                    q.FileName = ExtractFileName(fileNames[piece.File]);
                    int progressInPiece = 0;
                    auto lineAt = [&](int n) {
                        const std::string_view line = lines[static_cast<size_t>(n)];
                        if ((n & 255) == 0) {
                            searched[k].store(static_cast<uint64_t>(line.data() - bytes.data()),
                                              std::memory_order_relaxed);
                            // One thread alone searches where the window's own thread runs.
                            if (!message_pump_detail::worker) report();
                        }
                        return line;
                    };
                    if (!q.SearchWith(*pattern, static_cast<int>(lines.size()), lineAt, progressInPiece, buildMatrix))
                        out.StoppedFile = piece.File;
                    return true;
                } catch (...) {
                    // The failing piece adds nothing.
                    q.Hits.Truncate(hitsBefore);
                    q.Matrix.Truncate(rowsBefore);
                    q.SkippedLines = skippedBefore;
                    out.Error = std::current_exception();
                    return false;
                }
            };
            const size_t first = runStart[task - 1], end = runStart[task];
            for (size_t k = first; k < end && !out.Error; ++k) {
                // The rest of a file whose search the pattern ended is left out.
                if (pieces[k].File == out.StoppedFile || searchPiece(k)) ++out.Done;
                searched[k].store(pieces[k].End - pieces[k].Begin, std::memory_order_relaxed);
            }
            for (size_t k = first + out.Done; k < end; ++k)
                searched[k].store(pieces[k].End - pieces[k].Begin, std::memory_order_relaxed);
            if (q.Hits.empty() && q.SkippedLines == 0) out.Query.reset();
        }, report);
        report();
        return found;
    };
    std::vector<TFilePiece> pieces = CutFiles(fileNames, SearchPieceBytes);
    std::vector<size_t> runStart = JoinPieces(pieces);
    std::vector<TRunHits> found = search(pieces, runStart);
    if (AnyCut(pieces) && std::any_of(found.begin(), found.end(), [](const TRunHits& r) { return r.Error; })) {
        // A file that fails part way must add none of its hits: search whole
        // files again, which stop where the failing one starts.
        found.clear();
        pieces = WholeFiles(fileNames);
        runStart = JoinPieces(pieces);
        found = search(pieces, runStart);
    }
    // In file order, as searching one file after another gives them; a file
    // that could not be read ends the search after the files before it, and
    // a piece whose search the pattern ended leaves out the rest of its file
    // (a cut piece is a run of its own).
    std::vector<THitList*> hitLists;
    std::vector<TWordMatrix*> matrices;
    size_t stoppedFile = SIZE_MAX, usable = 0, runs = 0;
    std::exception_ptr error;
    for (; runs < found.size() && !error; ++runs) {
        TRunHits& run = found[runs];
        if (pieces[runStart[runs]].File != stoppedFile) {
            for (size_t file : run.LeftOut) LeftOutFiles.push_back(ExtractFileName(fileNames[file]));
            if (run.Query) {
                hitLists.push_back(&run.Query->Hits);
                matrices.push_back(&run.Query->Matrix);
                SkippedLines += run.Query->SkippedLines;
            }
            if (run.StoppedFile != SIZE_MAX) stoppedFile = run.StoppedFile;
        }
        usable = runStart[runs] + run.Done;
        error = run.Error;
    }
    // The runs' results are freed into the heaps of the threads that made
    // them, and given back before the next copy is made.
    Hits.AppendAll(hitLists);
    ReturnFreedMemory();
    Matrix.AppendAll(matrices);
    ReturnFreedMemory();
    if (usable > 0) {
        const size_t file = pieces[usable - 1].File;
        FileName = ExtractFileName(fileNames[file]);
        Splitters = splitters;
        const TStringList none;
        Lines.Assign(file + 1 == fileNames.size() ? lastLines : none);
        progress = Lines.Count();
    }
    ParallelFor(runs, [&](size_t i, size_t) { found[i] = TRunHits(); });
    if (error) std::rethrow_exception(error);
}

void TQuery::SearchLine(TSearchPattern& pattern, const std::string& line, bool beyondAscii, bool buildMatrix) {
    // A node found in the padding is no occurrence in the text.
    auto nodeInLine = [&](const TRegExpr& re) {
        const size_t first = static_cast<size_t>(re.MatchPos(3) - 1);
        return pattern.InLine(line, first, first + static_cast<size_t>(re.MatchLen(3)));
    };
    if (!pattern.FromNode) {
        pattern.Full.SetSubject(line, beyondAscii);
        for (bool found = pattern.Full.ExecPos(1); found;) {
            if (nodeInLine(pattern.Full)) AddHit(pattern.Full, pattern.L, pattern.R, buildMatrix);
            found = pattern.Full.ExecPos(pattern.Full.MatchPos(1) + 1);
        }
        return;
    }
    // Every start of a node match in turn; hits come in the order of their
    // starts, as the search from each hit's start onwards finds them.
    pattern.Anchored.SetSubject(line, beyondAscii);
    pattern.Node.SetSubject(line, beyondAscii);
    for (bool found = pattern.Node.ExecPos(1); found;) {
        size_t node = static_cast<size_t>(pattern.Node.MatchPos(0) - 1), start = 0;
        if (pattern.InLine(line, node, node) && ContextStart(line, node, pattern.L, start) &&
            pattern.Anchored.ExecPos(static_cast<int>(start) + 1) && nodeInLine(pattern.Anchored))
            AddHit(pattern.Anchored, pattern.L, pattern.R, buildMatrix);
        found = pattern.Node.ExecPos(static_cast<int>(node) + 2);
    }
}

void TQuery::AddHit(const TRegExpr& re, int L, int R, bool buildMatrix) {
    ProcessMessages();
    std::string_view left = L > 0 ? TrimView(re.MatchView(1)) : std::string_view();
    std::string_view center = TrimView(re.MatchView(3));
    std::string_view right = R > 0 ? TrimView(re.MatchView(re.SubExprMatchCount() - 1)) : std::string_view();
    if (buildMatrix) {
        TWordArray row;
        for (TMyArray* slots : {&row.LeftWords, &row.CenterWords, &row.RightWords}) slots->Assign(*FTokens, {});
        SplitToArray(left, row.LeftWords, L);
        SplitToArray(center, row.CenterWords, -1);
        SplitToArray(right, row.RightWords, -1);
        Matrix.push_back(row);
    }
    Hits.Add(left, center, right, FileName);
}

void TQuery::SplitToArray(std::string_view text, TMyArray& tokens, int align) {
    // The text is read where it stands, every hit's three parts being split:
    // only a text holding tagged padding is copied to remove it.
    std::string unpadded;
    if (text.find("#_#") != std::string_view::npos) {
        unpadded = StringReplace(std::string(text), "#_#", "", rfReplaceAll);
        text = unpadded;
    }
    std::array<std::string_view, TMyArray::Size> slots{};
    std::string_view view = TrimView(text);
    // Cut at blanks; two blanks in a row give an empty token. A left context of
    // more than 16 words keeps the 16 nearest the node.
    for (int k = 0;; ++k) {
        const size_t blank = view.find(' ');
        int slot = align == -1 ? k : align - 1 - k;
        if (align == -1 ? k >= TMyArray::Size : slot < 0) break;
        if (slot < TMyArray::Size) slots[static_cast<size_t>(slot)] = view.substr(0, blank);
        if (blank == std::string_view::npos) break;
        view.remove_prefix(blank + 1);
    }
    static TTokenTable shared = TTokenTable::WithEmptyText();
    // The array's own table when it has one: its other rows share it.
    tokens.Assign(tokens.Table() ? *tokens.Table() : shared, slots);
}
