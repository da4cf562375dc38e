// Corpus frequencies and collocate counting for the collocation run.

#include <exception>
#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "engine/CodePage936.h"
#include "engine/Counting.h"
#include "engine/FileChunks.h"
#include "engine/Parallel.h"
#include "engine/Query.h"
#include "platform/core/Classes.h"
#include "platform/core/Messages.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"

namespace {

constexpr int kMaxSpan = TMyArray::Size;

// A token as counted and as grouped: the lists trim their entries, so bytes
// below 33 at a token's edge (binary or UTF-16 text) are cut here, once for
// both, or a row's key and its hits would come from different tokens.
std::string_view CountedToken(std::string_view token) {
    while (!token.empty() && IsTrimChar(token.front())) token.remove_prefix(1);
    while (!token.empty() && IsTrimChar(token.back())) token.remove_suffix(1);
    return token;
}

constexpr size_t kMaxTagLength = 255;

}  // namespace

TStat::TStat() {
    for (THashedStringList* list : {&CollBoth, &CollWord, &CollPos}) list->SetNameValueSeparator('\t');
}

void TStat::SetSplitters(const std::string& splitters) {
    Splitters = Trim(splitters);
    FCollocateKeys.reset();
    // Word and tag part at the first character of the separator class, whatever it holds.
    FSplitterChars.fill(false);
    if (Splitters.empty()) return;
    try {
        TRegExpr re(Splitters);
        for (int c = 1; c < 256; ++c) FSplitterChars[static_cast<size_t>(c)] = re.Exec(std::string(1, char(c)));
    } catch (const ERegExpr&) {
        FSplitterChars['_'] = true;
    }
}

void TStat::Clear() {
    FCollocateKeys.reset();
    LeftOutFiles.clear();
    Tokens.Clear();
    TokenFreq.Clear();
    WordFreq.Clear();
    TagFreq.Clear();
    FTokenIndex.Clear();
    FWordIndex.Clear();
    FTagIndex.Clear();
    ClearCounts();
}

void TStat::ClearCounts() {
    CollBoth.Clear();
    CollWord.Clear();
    CollPos.Clear();
    // The lines were written by worker threads, into heaps the next count's
    // threads may not reuse.
    ReturnFreedMemory();
}

namespace {

// The tokens of one or more pieces of files read in turn, numbered in their own table.
struct TFileTokens {
    TTokenTable Table;
    std::vector<uint32_t> Ids;
    std::exception_ptr Error;
    // Files left out as UTF-16 text, in order.
    std::vector<size_t> LeftOut;
};

void TokenizeBytes(std::string_view bytes, bool tagged, TFileTokens& out) {
    // The lines are read in place rather than as a string list: a corpus
    // file of millions of lines would otherwise become as many strings.
    std::string normalized;
    for (std::string_view line : SplitLines(bytes)) {
        ProcessMessages();
        while (!line.empty() && IsTrimChar(line.front())) line.remove_prefix(1);
        while (!line.empty() && IsTrimChar(line.back())) line.remove_suffix(1);
        if (!line.empty() && line[0] == '<') continue;
        if (!tagged) {
            normalized = TDisplay::NormalizeRaw(std::string(line));
            line = normalized;
        }
        // Single tokens: every run of non-blank characters (what clusters of length 1 give).
        for (size_t i = 0; i < line.size();) {
            if (IsRegexSpace(line[i])) {
                ++i;
                continue;
            }
            size_t start = i;
            while (i < line.size() && !IsRegexSpace(line[i])) ++i;
            // Control bytes alone make no token: the search sees none there.
            const std::string_view token = CountedToken(line.substr(start, i - start));
            if (!token.empty()) out.Ids.push_back(out.Table.Intern(token));
        }
    }
}

// Tokenizes the pieces in runs of neighbours of about equal size side by
// side, so that merging enters few tables while every core stays busy.
std::vector<TFileTokens> TokenizePieces(const std::vector<std::string>& fileNames, const std::vector<TFilePiece>& pieces,
                                        bool tagged) {
    uint64_t total = 0;
    for (const TFilePiece& piece : pieces) total += piece.End - piece.Begin;
    size_t runCount = std::min(pieces.size(), static_cast<size_t>(EngineThreads()) * 4);
    std::vector<size_t> runStart{0};
    uint64_t done = 0;
    for (size_t i = 0; i < pieces.size(); ++i) {
        done += pieces[i].End - pieces[i].Begin;
        if (runStart.size() < runCount && done * runCount >= total * runStart.size() && i + 1 < pieces.size())
            runStart.push_back(i + 1);
    }
    runStart.push_back(pieces.size());

    std::vector<TFileTokens> runs(runStart.size() - 1);
    ParallelFor(runs.size(), [&](size_t r, size_t) {
        try {
            for (size_t i = runStart[r]; i < runStart[r + 1]; ++i) {
                bool utf16 = false;
                TokenizeBytes(ReadPiece(fileNames, pieces[i], &utf16), tagged, runs[r]);
                if (utf16) runs[r].LeftOut.push_back(pieces[i].File);
            }
        } catch (...) {
            runs[r].Error = std::current_exception();
        }
    });
    return runs;
}

}  // namespace

void TStat::LoadAndCount(const std::string& fileName) { LoadAndCountFiles({fileName}); }

void TStat::LoadAndCountFiles(const std::vector<std::string>& fileNames) {
    bool tagged = Tagged();
    std::vector<TFilePiece> pieces = CutFiles(fileNames, LoadPieceBytes);
    std::vector<TFileTokens> runs = TokenizePieces(fileNames, pieces, tagged);
    const bool failed = std::any_of(runs.begin(), runs.end(), [](const TFileTokens& run) { return run.Error; });
    if (failed && AnyCut(pieces)) {
        // A file that fails part way must add none of its tokens: read whole
        // files again, which stop where the failing one starts.
        runs.clear();
        runs = TokenizePieces(fileNames, WholeFiles(fileNames), tagged);
    }
    // In file order, as one file after another would have added them; a file
    // that could not be read ends the loading after the files before it.
    std::vector<TTokenList::TPart> parts;
    std::exception_ptr error;
    for (const TFileTokens& run : runs) {
        parts.push_back({&run.Table, &run.Ids});
        for (size_t file : run.LeftOut) LeftOutFiles.push_back(ExtractFileName(fileNames[file]));
        if ((error = run.Error)) break;
    }
    Tokens.AppendAll(parts);
    runs.clear();
    // The pieces' tokens were made in the heaps of the worker threads.
    ReturnFreedMemory();
    if (error) std::rethrow_exception(error);
    FileLines.Clear();
}

void TStat::BuildFrequency(bool ignoreCase, bool lists) {
    const TTokenTable& table = Tokens.Table();
    // A token's entry in the lists is its text framed by blanks; the counts
    // alone never need the entries.
    std::vector<std::string> entries;
    if (lists) {
        entries.resize(table.Size());
        for (uint32_t id = 0; id < table.Size(); ++id) entries[id].append(" ").append(table.Text(id)).append(" ");
    }

    // Word and tag parts of each distinct token, split in its entry.
    TTokenTable wordTable, tagTable;
    std::vector<uint32_t> wordOf, tagOf;
    if (Tagged()) {
        wordOf.resize(table.Size());
        tagOf.resize(table.Size());
        std::string e;
        for (uint32_t id = 0; id < table.Size(); ++id) {
            e.assign(" ").append(table.Text(id)).append(" ");
            const size_t p = TaggedSeparatorAt(e, FSplitterChars);
            bool split = p != std::string::npos;
            wordOf[id] = wordTable.Intern(split ? std::string_view(e).substr(0, p) : std::string_view());
            tagOf[id] = tagTable.Intern(split ? std::string_view(e).substr(p + 1) : std::string_view(e));
        }
    }
    auto textsOf = [&](const TTokenTable& parts) {
        std::vector<std::string> texts;
        if (lists)
            for (uint32_t t = 0; t < parts.Size(); ++t) texts.emplace_back(parts.Text(t));
        return texts;
    };
    std::vector<std::string> words = textsOf(wordTable), tags = textsOf(tagTable);
    // Per list: its texts, its occurrences (ids in order, or counts per text), its lines and index.
    // The texts are the entries for the lists, the table for the counts alone.
    struct TList {
        const std::vector<std::string>& texts;
        const TTokenTable& table;
        std::vector<uint32_t> ids, counts;
        THashedStringList& lines;
        TFrequencyIndex& index;
    };
    std::vector<TList> parts;
    parts.push_back({entries, table, {}, {}, TokenFreq, FTokenIndex});
    if (Tagged()) {
        parts.push_back({words, wordTable, {}, {}, WordFreq, FWordIndex});
        parts.push_back({tags, tagTable, {}, {}, TagFreq, FTagIndex});
    }
    if (lists) {
        // The word and tag lists follow the token list's present order, taken before it is sorted.
        for (size_t l = 1; l < parts.size(); ++l) {
            const std::vector<uint32_t>& partOf = l == 1 ? wordOf : tagOf;
            parts[l].ids.reserve(Tokens.Ids().size());
            for (uint32_t id : Tokens.Ids()) {
                ProcessMessages();
                parts[l].ids.push_back(partOf[id]);
            }
        }
        parts[0].ids.swap(Tokens.Ids());
    } else {
        // Counted run by run side by side, the runs' counts then added up.
        const std::vector<uint32_t>& ids = Tokens.Ids();
        const size_t runs = std::min(static_cast<size_t>(EngineThreads()), ids.size() / (1 << 16) + 1);
        std::vector<std::vector<uint32_t>> runCounts(runs, std::vector<uint32_t>(table.Size(), 0));
        ParallelFor(runs, [&](size_t r, size_t) {
            for (size_t i = ids.size() * r / runs; i < ids.size() * (r + 1) / runs; ++i) ++runCounts[r][ids[i]];
        });
        std::vector<uint32_t>& tokenCount = parts[0].counts;
        tokenCount.assign(table.Size(), 0);
        ParallelRuns(tokenCount.size(), [&](size_t begin, size_t end) {
            for (const std::vector<uint32_t>& counts : runCounts)
                for (size_t id = begin; id < end; ++id) tokenCount[id] += counts[id];
        });
        for (size_t l = 1; l < parts.size(); ++l) {
            const std::vector<uint32_t>& partOf = l == 1 ? wordOf : tagOf;
            parts[l].counts.assign(parts[l].table.Size(), 0);
            for (uint32_t id = 0; id < table.Size(); ++id) parts[l].counts[partOf[id]] += tokenCount[id];
        }
    }
    // The parts are independent of each other.
    ParallelFor(parts.size(), [&](size_t l, size_t) {
        TList& part = parts[l];
        part.lines.SetCaseSensitive(!ignoreCase);
        if (lists) {
            CountRunsOfIds(part.ids, part.texts, ignoreCase, part.lines);
            part.index.Build(part.lines, !ignoreCase);
        } else {
            part.index.Build(part.table, part.counts, !ignoreCase);
        }
    });
    // The token list stays sorted as the frequency list left it.
    if (lists) Tokens.Ids().swap(parts[0].ids);
    Freq.N = Tokens.Count();
}

// The keys a matrix token gives the three co-occurrence lists, worked out once
// per distinct token of the matrix rather than once per occurrence, and the
// ranks of the keys: none of it depends on the spans, so a re-count of the
// same rows with other spans reuses it.
class TStat::TCollocateKeys {
public:
    TCollocateKeys(const TWordMatrix& matrix, bool tagged, const std::array<bool, 256>& splitterChars)
        : FRevision(matrix.Revision()), FTable(matrix.Table()), FTableSize(FTable ? FTable->Size() : 0),
          FTagged(tagged), FSplitterChars(splitterChars), FHitOrder(static_cast<int>(matrix.size())) {
        auto textOf = [&](uint32_t id) { return FTable ? FTable->Text(id) : std::string_view(); };
        // Keys are entered in one thread, in the order of the ids.
        FKeysOf.assign(std::max<size_t>(FTableSize, 1), {kUnknown, 0, 0});
        FKeysOf[0] = KeysOf(textOf(0));
        for (uint32_t id : matrix.AllIds())
            if (FKeysOf[id].both == kUnknown) FKeysOf[id] = KeysOf(textOf(id));
    }

    // Whether these keys were made from the matrix as it stands.
    bool Fit(const TWordMatrix& matrix) const {
        return matrix.Revision() == FRevision && matrix.Table() == FTable &&
               (FTable ? FTable->Size() : 0) == FTableSize;
    }

    // The entries of every row's slots within the spans for the lists wanted
    // (BOTH, WORD, POS): row after row, in a row the left slots from the node
    // outwards and then the right ones. They are written side by side, each
    // run of rows where the runs before it leave off.
    void AddAll(const TWordMatrix& matrix, int leftSpan, int rightSpan, std::array<bool, 3> wanted,
                std::array<TKeyHitList, 3>& entries) const {
        const size_t rows = matrix.size();
        const size_t runs = std::min(rows, static_cast<size_t>(EngineThreads()) * 4);
        auto runStart = [&](size_t r) { return rows * r / runs; };
        // put(keys, hit) for each entry of the rows of run r, in order.
        auto walk = [&](size_t r, auto&& put) {
            for (size_t i = runStart(r); i < runStart(r + 1); ++i) {
                const int32_t hit = static_cast<int32_t>(i);
                const std::pair<std::span<const uint32_t>, int> parts[] = {{matrix.LeftIds(i), leftSpan},
                                                                           {matrix.RightIds(i), rightSpan}};
                for (const auto& [ids, span] : parts) {
                    for (size_t j = 0; j < static_cast<size_t>(span); ++j) {
                        const Keys& k = FKeysOf[j < ids.size() ? ids[j] : 0];
                        if (k.both != kPadding) put(k, hit);
                    }
                }
            }
        };
        std::vector<size_t> offset(runs + 1, 0);
        ParallelFor(runs, [&](size_t r, size_t) { walk(r, [&](const Keys&, int32_t) { ++offset[r + 1]; }); });
        for (size_t r = 1; r <= runs; ++r) offset[r] += offset[r - 1];
        const bool both = wanted[0], word = FTagged && wanted[1], pos = FTagged && wanted[2];
        if (both) entries[0].resize(offset[runs]);
        if (word) entries[1].resize(offset[runs]);
        if (pos) entries[2].resize(offset[runs]);
        ParallelFor(runs, [&](size_t r, size_t) {
            size_t at = offset[r];
            walk(r, [&](const Keys& k, int32_t hit) {
                if (both) entries[0][at] = {k.both, hit};
                if (word) entries[1][at] = {k.word, hit};
                if (pos) entries[2][at] = {k.tag, hit};
                ++at;
            });
        });
    }

    // The key table of list m (BOTH, WORD, POS) and its ranks; lists apart
    // may be ranked side by side.
    const TTokenTable& KeyTable(size_t m) const { return m == 0 ? FBothKeys : m == 1 ? FWordKeys : FTagKeys; }
    const std::vector<uint32_t>& Ranks(size_t m, bool ignoreCase) {
        std::optional<std::vector<uint32_t>>& ranks = FRanks[m][ignoreCase];
        if (!ranks) ranks = RankGroupKeys(KeyTable(m), ignoreCase);
        return *ranks;
    }
    // The order of the rows' hit numbers as texts.
    const THitOrder& HitOrder() const { return FHitOrder; }

private:
    static constexpr uint32_t kUnknown = UINT32_MAX, kPadding = UINT32_MAX - 1;
    struct Keys {
        uint32_t both, word, tag;
    };

    Keys KeysOf(std::string_view token) {
        if (IsPadding(token)) return {kPadding, 0, 0};
        token = CountedToken(token);
        Keys k{FBothKeys.Intern(token), 0, 0};
        if (FTagged) {
            const size_t p = TaggedSeparatorAt(token, FSplitterChars);
            bool split = p != std::string_view::npos;
            k.word = FWordKeys.Intern(split ? token.substr(0, p) : std::string_view());
            k.tag = FTagKeys.Intern(split ? token.substr(p + 1, kMaxTagLength) : token.substr(0, kMaxTagLength));
        }
        return k;
    }

    // The words a search pads a line's edges with: "##", which is also what
    // the matrix keeps of the tagged "##_##", or "##" + separator + "##" for
    // another separator. Any other token holding "#" ("#", "C#", a hashtag)
    // is a word of the corpus.
    bool IsPadding(std::string_view token) const {
        if (token == "##") return true;
        return FTagged && token.size() == 5 && token.starts_with("##") && token.ends_with("##") &&
               FSplitterChars[static_cast<unsigned char>(token[2])];
    }

    uint64_t FRevision;
    const TTokenTable* FTable;
    size_t FTableSize;
    bool FTagged;
    std::array<bool, 256> FSplitterChars;
    std::vector<Keys> FKeysOf;
    TTokenTable FBothKeys, FWordKeys, FTagKeys;
    std::optional<std::vector<uint32_t>> FRanks[3][2];
    THitOrder FHitOrder;
};

void TStat::CountCollocates(const TWordMatrix& matrix, int leftSpan, int rightSpan, bool ignoreCase,
                            const std::string& mode) {
    leftSpan = std::clamp(leftSpan, 0, kMaxSpan);
    rightSpan = std::clamp(rightSpan, 0, kMaxSpan);
    std::array<bool, 3> wanted{};
    const char* modes[] = {"BOTH", "WORD", "POS"};
    for (size_t m = 0; m < 3; ++m) wanted[m] = mode.empty() || mode == modes[m];
    if (!FCollocateKeys || !FCollocateKeys->Fit(matrix))
        FCollocateKeys = std::make_shared<TCollocateKeys>(matrix, Tagged(), FSplitterChars);
    TCollocateKeys& keys = *FCollocateKeys;
    std::array<TKeyHitList, 3> entries;
    keys.AddAll(matrix, leftSpan, rightSpan, wanted, entries);

    int hitCount = static_cast<int>(matrix.size());
    THashedStringList* dests[] = {&CollBoth, &CollWord, &CollPos};
    std::vector<size_t> lists;
    for (size_t m = 0; m < 3; ++m)
        if (wanted[m] && (m == 0 || Tagged())) lists.push_back(m);
    // The ranks are made (or found) before the lists are grouped; each list its own.
    ParallelFor(lists.size(), [&](size_t i, size_t) { keys.Ranks(lists[i], ignoreCase); });
    // The lists are independent of each other.
    ParallelFor(lists.size(), [&](size_t i, size_t) {
        const size_t m = lists[i];
        dests[m]->SetCaseSensitive(!ignoreCase);
        GroupRankedKeyHits(entries[m], keys.KeyTable(m), keys.Ranks(m, ignoreCase), keys.HitOrder(), *dests[m]);
    });
    for (THashedStringList* list : dests) {
        list->SetNameValueSeparator('\t');
        list->Sort();
    }
    Freq.Fn = hitCount;
}

THashedStringList* TStat::CollocateList(const std::string& mode) {
    if (mode == "BOTH") return &CollBoth;
    if (mode == "WORD") return &CollWord;
    if (mode == "POS") return &CollPos;
    return nullptr;
}

const TFrequencyIndex* TStat::FrequencyIndexFor(const std::string& mode) const {
    if (mode == "BOTH") return &FTokenIndex;
    if (mode == "WORD") return &FWordIndex;
    if (mode == "POS") return &FTagIndex;
    return nullptr;
}

namespace {

// A co-occurrence line is collocate TAB f(n,c) TAB hit list; read from the
// right, so that a collocate holding a TAB is read whole.
bool ParseCooccurrence(const std::string& line, std::string& collocate, int& fnc) {
    size_t listTab = line.rfind('\t');
    if (listTab == std::string::npos || listTab == 0) return false;
    size_t countTab = line.rfind('\t', listTab - 1);
    if (countTab == std::string::npos) return false;
    collocate = Trim(std::string_view(line).substr(0, countTab));
    return TryStrToInt(std::string_view(line).substr(countTab + 1, listTab - countTab - 1), fnc);
}

}  // namespace

void TStat::ComputeStats(const std::string& /*node*/, const TParamInfo& param) {
    Results.clear();
    THashedStringList* list = CollocateList(param.CollocateMode);
    const TFrequencyIndex* index = FrequencyIndexFor(param.CollocateMode);
    try {
        // Counting reads no more than the slots of a context, and the
        // measures take the span that was counted.
        Freq.Span = std::clamp(StrToInt(param.LeftSpanText), 0, kMaxSpan) +
                    std::clamp(StrToInt(param.RightSpanText), 0, kMaxSpan);
    } catch (const Exception&) {
        // A span that is not a number leaves no rows.
        return;
    }
    if (!list) return;
    // The rows are made run by run side by side and joined in list order.
    const std::vector<std::string>& lines = list->Items();
    const size_t runs = std::min(lines.size(), static_cast<size_t>(EngineThreads()) * 4);
    std::vector<TStatResultArr> rowsOf(runs);
    ParallelFor(runs, [&](size_t r, size_t) {
        TFreqInfo freq = Freq;
        std::string collocate;
        for (size_t i = lines.size() * r / runs; i < lines.size() * (r + 1) / runs; ++i) {
            int fnc = 0, fc = 0;
            // A line whose collocate has no corpus frequency gets no row; the rest still do.
            if (!ParseCooccurrence(lines[i], collocate, fnc) || !index->Find(collocate, fc)) continue;
            freq.Fnc = fnc;
            freq.Fc = fc;
            TStatResult row;
            row.N = freq.N;
            row.Span = freq.Span;
            row.Fn = freq.Fn;
            row.Collocate = collocate;
            row.Fc = fc;
            row.Fnc = fnc;
            row.MI = RoundScore(MutualInformation(freq));
            row.MI3 = RoundScore(MutualInformation3(freq));
            row.ZScore = RoundScore(ZScore(freq));
            row.TScore = RoundScore(TScore(freq));
            row.LogLog = RoundScore(LogLog(freq));
            row.LogLikelihood = RoundScore(LogLikelihood(freq));
            rowsOf[r].push_back(std::move(row));
        }
    });
    size_t total = 0;
    for (const TStatResultArr& rows : rowsOf) total += rows.size();
    Results.reserve(total);
    for (TStatResultArr& rows : rowsOf) std::move(rows.begin(), rows.end(), std::back_inserter(Results));
    // The counts of the last row stay, as a row by row computation leaves them.
    if (!Results.empty()) {
        Freq.Fnc = Results.back().Fnc;
        Freq.Fc = Results.back().Fc;
    }
}

std::string TStat::GetCollocateHits(const std::string& collocate, const TParamInfo& param) {
    THashedStringList* list = CollocateList(param.CollocateMode);
    if (!list) return std::string();
    int i = list->IndexOfName(collocate);
    if (i < 0) return std::string();
    std::string value = list->ValueFromIndex(i);
    if (Trim(value).empty()) return std::string();
    size_t tab = value.find('\t');
    return tab == std::string::npos ? std::string() : value.substr(tab + 1);
}

void TStat::MergeCollocates(const std::string& newName, const TStrings& names, const TParamInfo& param) {
    THashedStringList* list = CollocateList(param.CollocateMode);
    if (!list) return;
    int64_t total = 0;
    std::string indexes;
    // A hit holding two of the merged collocates is still one concordance line.
    std::unordered_set<std::string> listed;
    for (const std::string& name : names.Items()) {
        if (Trim(name).empty()) continue;
        int i = list->IndexOfName(name);
        // A name that is not in the list has nothing to give.
        if (i < 0) continue;
        std::string value = list->ValueFromIndex(i);
        list->Delete(i);
        if (Trim(value).empty()) continue;
        size_t tab = value.find('\t');
        total += StrToIntDef(value.substr(0, tab), 0);
        if (tab == std::string::npos) continue;
        std::string_view rest(value);
        rest.remove_prefix(tab + 1);
        while (!rest.empty()) {
            size_t comma = rest.find(',');
            std::string hit(rest.substr(0, comma));
            rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
            if (!hit.empty() && listed.insert(hit).second) indexes += hit + ",";
        }
    }
    list->Add(newName + "\t" + IntToStr(total) + "\t" + indexes);
}
