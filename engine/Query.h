#pragma once
// The corpus engine: concordance search (TQuery), the display and list-building
// routines (TDisplay), and corpus frequencies, collocate counting and the
// association measures (TStat).

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Parallel.h"
#include "engine/TokenList.h"
#include "platform/core/Classes.h"
#include "platform/core/RichText.h"

// One concordance hit, or one group row of the count view.
struct TResultStr {
    std::string Left;      // left context, trimmed
    std::string Center;    // the text the node expression matched, trimmed
    std::string Right;     // right context, trimmed
    std::string FileName;  // without its folder
    std::string Members;   // a group's member hit indexes, each followed by ","
    int32_t Index = 0;     // position in the unsorted hit list; -1 for a group
    int32_t Count = 0;     // group size
};
using TArrResultStr = std::vector<TResultStr>;

// Reads a list element by element, each made where it is asked for.
template <class List, class Value>
class TIndexIterator {
public:
    TIndexIterator(const List& list, size_t index) : FList(&list), FIndex(index) {}
    Value operator*() const { return (*FList)[FIndex]; }
    TIndexIterator& operator++() {
        ++FIndex;
        return *this;
    }
    bool operator!=(const TIndexIterator& other) const { return FIndex != other.FIndex; }

private:
    const List* FList;
    size_t FIndex;
};

// The hits of a search, their texts end to end in one buffer and their file
// names held once: a string per context of a frequent node's hits would cost
// several times the corpus's own size. A hit reads as the TResultStr a search
// makes (index and count 0, no members).
class THitList {
public:
    size_t size() const { return FHits.size(); }
    bool empty() const { return FHits.empty(); }
    TResultStr operator[](size_t i) const;
    TIndexIterator<THitList, TResultStr> begin() const { return {*this, 0}; }
    TIndexIterator<THitList, TResultStr> end() const { return {*this, size()}; }
    std::string_view Left(size_t i) const { return Text(i, 0, FHits[i].LeftLength); }
    std::string_view Center(size_t i) const { return Text(i, FHits[i].LeftLength, FHits[i].CenterLength); }
    std::string_view Right(size_t i) const {
        return Text(i, FHits[i].LeftLength + FHits[i].CenterLength, FHits[i].RightLength);
    }
    const std::string& FileName(size_t i) const { return FFileNames[FHits[i].File]; }
    TArrResultStr ToArray() const;

    void Add(std::string_view left, std::string_view center, std::string_view right, const std::string& fileName);
    // Keeps the first count hits.
    void Truncate(size_t count);
    void clear();
    // Moves the hits of other after these, emptying other.
    void Append(THitList& other) { AppendAll({&other}); }
    // Append of each in turn, the lists copied side by side.
    void AppendAll(const std::vector<THitList*>& others);
    size_t TextBytes() const { return FText.size(); }

private:
    struct THit {
        uint64_t Start;
        uint32_t LeftLength, CenterLength, RightLength;
        uint32_t File;
    };
    std::string_view Text(size_t i, uint32_t offset, uint32_t length) const {
        return std::string_view(FText.data() + FHits[i].Start + offset, length);
    }

    // Uninitialised when grown, so that joining the lists of many files
    // touches each page of the whole only as it copies into it.
    TBuffer<char> FText;
    TBuffer<THit> FHits;
    std::vector<std::string> FFileNames;
};

// Sixteen token slots, held as numbers of texts in a token table (its id 0 is
// the empty text): a matrix row per hit of a frequent node would otherwise
// cost more memory than the corpus itself, and collocate counting reads the
// numbers without hashing a string again.
class TMyArray {
public:
    static constexpr int Size = 16;
    std::string_view operator[](int slot) const {
        return FTable ? std::string_view(FTable->Text(FIds[static_cast<size_t>(slot)])) : std::string_view();
    }
    uint32_t Id(int slot) const { return FIds[static_cast<size_t>(slot)]; }
    TTokenTable* Table() const { return FTable; }
    // Texts are entered into table, which must outlive this array.
    void Assign(TTokenTable& table, const std::array<std::string_view, Size>& slots);
    void Clear() { FIds.fill(0); }

private:
    friend class TWordMatrix;
    TTokenTable* FTable = nullptr;
    std::array<uint32_t, Size> FIds{};
};

struct TWordArray {
    TMyArray LeftWords;    // slot 0 is the word next to the node
    TMyArray CenterWords;  // first token of the match in slot 0
    TMyArray RightWords;   // slot 0 is the word next to the node

    // The three contexts as the hit stores them: read from the hit list, not
    // copied into every row. Empty for a row that no hit list backs.
    std::string_view LeftText() const { return Texts && Row < Texts->size() ? Texts->Left(Row) : std::string_view(); }
    std::string_view CenterText() const {
        return Texts && Row < Texts->size() ? Texts->Center(Row) : std::string_view();
    }
    std::string_view RightText() const { return Texts && Row < Texts->size() ? Texts->Right(Row) : std::string_view(); }

    const THitList* Texts = nullptr;
    size_t Row = 0;
};

// Matrix rows holding only the slots up to each part's last token: a context
// of five words leaves most of the sixteen slots of a part empty. All rows
// read their texts from one table, the first row's; a row from another table
// has its texts entered there.
class TWordMatrix {
public:
    size_t size() const { return FStarts.size() - 1; }
    bool empty() const { return size() == 0; }
    TWordArray operator[](size_t i) const;
    TIndexIterator<TWordMatrix, TWordArray> begin() const { return {*this, 0}; }
    TIndexIterator<TWordMatrix, TWordArray> end() const { return {*this, size()}; }

    void push_back(const TWordArray& row);
    // Keeps the first count rows.
    void Truncate(size_t count);
    void clear();
    // Moves the rows of other after these, its texts entered into this
    // matrix's table (which must be set), emptying other.
    void Append(TWordMatrix& other) { AppendAll({&other}); }
    // Append of each in turn, the rows copied side by side.
    void AppendAll(const std::vector<TWordMatrix*>& others);
    void SetTable(TTokenTable& table) {
        FTable = &table;
        Touch();
    }
    const TTokenTable* Table() const { return FTable; }
    // The hits whose contexts the rows were split from, row for hit.
    void SetTexts(const THitList& hits) { FTexts = &hits; }
    // Differs from every earlier revision of any matrix once the rows or
    // their table change, so that work on the rows can be kept between runs.
    uint64_t Revision() const { return FRevision; }
    // Row i's ids of its left or right part up to the part's last token;
    // the slots after it are empty (id 0).
    std::span<const uint32_t> LeftIds(size_t i) const { return {FIds.data() + FStarts[i], FLengths[i].Left}; }
    std::span<const uint32_t> RightIds(size_t i) const {
        const size_t skip = FLengths[i].Left + FLengths[i].Center;
        return {FIds.data() + FStarts[i] + skip, FStarts[i + 1] - FStarts[i] - skip};
    }
    // Every id the rows hold, row after row.
    const TBuffer<uint32_t>& AllIds() const { return FIds; }

private:
    static uint64_t NextRevision();
    void Touch() { FRevision = NextRevision(); }

    TTokenTable* FTable = nullptr;
    const THitList* FTexts = nullptr;
    uint64_t FRevision = NextRevision();
    TBuffer<uint32_t> FIds;
    // Row i's ids run from FStarts[i] to FStarts[i + 1]: its left part, then
    // its centre part, then its right part.
    TBuffer<uint64_t> FStarts{0};
    struct TLengths {
        uint8_t Left, Center;
    };
    TBuffer<TLengths> FLengths;
};

// The five counts every association measure takes.
struct TFreqInfo {
    int32_t N = 0;     // corpus size in tokens
    int32_t Fn = 0;    // node hits
    int32_t Fc = 0;    // corpus frequency of the collocate
    int32_t Fnc = 0;   // occurrences of the collocate within the node's spans
    int32_t Span = 0;  // left span + right span
};

struct TStatResult {
    int32_t N = 0;
    int32_t Span = 0;
    int32_t Fn = 0;
    std::string Collocate;
    int32_t Fc = 0;
    int32_t Fnc = 0;
    long double MI = 0;
    long double MI3 = 0;
    long double ZScore = 0;
    long double TScore = 0;
    long double LogLog = 0;
    long double LogLikelihood = 0;
};
using TStatResultArr = std::vector<TStatResult>;

// The parameters of a collocation run, compared before each run to decide what
// must be counted again.
struct TParamInfo {
    std::string CorpusKey;
    bool CaseSensitive = false;
    std::string NodeMode;
    std::string Node;
    std::string CollocateMode;  // "BOTH", "WORD" or "POS"
    std::string LeftSpanText;
    int32_t LeftContext = 0;
    std::string RightSpanText;
    int32_t RightContext = 0;
    std::string MinMeasure;
    long double MinValue = 0;
};

// How far a search over many files has come: the files, from the first on,
// whose every line has been searched, and the bytes searched, of all.
struct TSearchProgress {
    size_t FilesDone = 0, Files = 0;
    uint64_t BytesDone = 0, Bytes = 0;
};
using TSearchProgressEvent = std::function<void(const TSearchProgress&)>;

class TRegExpr;
struct TSearchPattern;

class TQuery {
public:
    TQuery();
    ~TQuery();
    TQuery(const TQuery&) = delete;
    TQuery& operator=(const TQuery&) = delete;

    void Clear();
    // Loads a corpus file; returns its line count. A missing file raises
    // EFOpenError; a file that starts with a UTF-16 byte-order mark loads no
    // line and is named in LeftOutFiles.
    int LoadFile(const std::string& fileName, const std::string& splitters);
    // Appends a hit (and, with buildMatrix, a matrix row) for every occurrence of
    // expr with exactly leftWords and rightWords words of context. An expression
    // that cannot be compiled ends the search quietly; a line on which matching
    // exceeds the library's limits is left out and counted in SkippedLines.
    void Search(const std::string& expr, bool caseSensitive, int leftWords, int rightWords, int& progress,
                bool buildMatrix);
    // LoadFile and Search of each file in turn, the files searched on every
    // core; progress ends at the last file's line count. onProgress is told,
    // on the calling thread, how far the search has come while it runs. A
    // file that cannot be read raises EFOpenError after the hits of the files
    // before it.
    void SearchFiles(const std::vector<std::string>& fileNames, const std::string& splitters, const std::string& expr,
                     bool caseSensitive, int leftWords, int rightWords, int& progress, bool buildMatrix,
                     const TSearchProgressEvent& onProgress = {});
    // Enters the tokens into the table tokens already uses, or into a shared one.
    static void SplitToArray(std::string_view text, TMyArray& tokens, int align);

    THitList Hits;
    // Row i holds the tokens of Hits[i]'s contexts.
    TWordMatrix Matrix;
    // Lines left out of the searches since the last Clear.
    int SkippedLines = 0;
    // The names (without folder) of the files loaded or searched since the
    // last Clear that were left out as UTF-16 text.
    std::vector<std::string> LeftOutFiles;
    std::string Splitters;
    std::string FileName;
    TStringList Lines;
    // The least bytes of a piece that SearchFiles cuts a large file into, so
    // that the pieces share out over the cores.
    uint64_t SearchPieceBytes = uint64_t(1) << 20;

private:
    // Searches lineAt(0) ... lineAt(lineCount - 1); false when the pattern
    // ended the search before the last line.
    template <class LineAt>
    bool SearchWith(TSearchPattern& pattern, int lineCount, LineAt lineAt, int& progress, bool buildMatrix);
    void SearchLine(TSearchPattern& pattern, const std::string& line, bool beyondAscii, bool buildMatrix);
    void AddHit(const TRegExpr& re, int L, int R, bool buildMatrix);

    // The texts of the matrix rows; kept for the object's life, so that rows
    // copied elsewhere stay readable after a Clear.
    std::unique_ptr<TTokenTable> FTokens;
};

class TDisplay {
public:
    TDisplay() = delete;

    // Raw-text normalisation.
    static std::string NormalizeRaw(std::string text);
    // NormalizeRaw(leftPad + line + rightPad) for pads of "#" and blanks,
    // without running the rules over the pads.
    static std::string NormalizeRawPadded(std::string_view leftPad, std::string line, std::string_view rightPad);
    static std::string SplitPunctAndContractions(std::string text);
    static std::string ReplaceNonAscii(const std::u16string& s, char c);

    // Hit sorting and grouping. Lo > Hi sorts nothing.
    static void QuickSortCenter(TArrResultStr& hits, int lo, int hi, const std::string& mode, bool caseSensitive);
    static void QuickSortLeft(TArrResultStr& hits, int lo, int hi, bool caseSensitive);
    static void QuickSortRight(TArrResultStr& hits, int lo, int hi, bool caseSensitive);
    static void QuickSortFile(TArrResultStr& hits, int lo, int hi);
    static void QuickSortCount(TArrResultStr& hits, int lo, int hi);
    static void SplitWords(TStringList& list, const std::string& text);
    static std::string ReverseWords(const std::string& text, bool asIs, bool caseSensitive);
    static std::string ReverseKey(const std::string& text, bool caseSensitive);
    // Source holds entries key + "###" + hit index; Dest gets key TAB count TAB index list.
    static void GroupHits(TStringList& source, TStringList& dest, bool ignoreCase);

    // List building.
    static void ExtractClusters(const std::string& text, int n, TStringList& list);
    static void CountRuns(TStringList& source, TStringList& dest, const std::string& order, bool ignoreCase);
    static void BuildCrossList(TStringList& source, TStringList& dest, bool byWord, const std::string& order,
                               const std::string& subOrder, bool ignoreCase);
    static std::string FormatToken(const std::string& text, const std::string& splitters, const std::string& mode);
    // Every separator of the class in text replaced by replacement where counting
    // parts word and tag at it (in code page 936 text not at a trail byte),
    // case ignored; the result trimmed.
    static std::string ReplaceSeparators(const std::string& text, const std::string& splitters,
                                         const std::string& replacement);
    static std::string RegexReplace(const std::string& text, const std::string& expr, const std::string& replacement,
                                    bool ignoreCase);
    static int RegexMatchPos(const std::string& expr, const std::string& text);
    // The node pattern of words typed one per token ("cat dog"): literal words
    // take any tag, tags (literal false) take any word.
    static std::string ConvertQuery(const std::string& query, const std::string& splitters, bool literal);
    static std::string RepeatStr(const std::string& s, int count);
    // Local date and time usable in a folder name, e.g. "2026-12-06 14.05.09".
    static std::string TimeStamp();

    // Coloured concordance text.
    static void WriteRtfHeader(TStringList& lines, int fontSize);
    static void RtfLine(const std::string& number, const std::string& left, const std::string& key,
                        const std::string& right, const std::string& fileName, int index, std::string& line);
    // Marks every whole-word match of word whose 1-based position in its line
    // lies in [start, start + len) with the colour and an underline. False when
    // the expression failed to compile or to match: the user has been told once
    // and the marks made before stay.
    static bool Highlight(const std::string& word, int32_t color, TRichTextTarget& richEdit, bool ignoreCase,
                          int& progress, int start, int len, std::string& summary);
    // The span [start, start + len) of pane line `line` that a mark may take.
    using TLineSpan = std::function<void(int line, int& start, int& len)>;
    // As above, each line within a span of its own.
    static bool Highlight(const std::string& word, int32_t color, TRichTextTarget& richEdit, bool ignoreCase,
                          int& progress, const TLineSpan& span, std::string& summary);
    static void JoinHits(TStringList& list, bool caseSensitive, std::string& result);
    // Text for an RTF document: "\", "{" and "}" escaped, bytes above 127 as \'hh.
    static std::string RtfEscape(const std::string& text);
};

// Compare routines for TStringList::CustomSort.
int CompareAlpha(TStringList& list, int index1, int index2);
int CompareByCount(TStringList& list, int index1, int index2);
int CompareByCountField(TStringList& list, int index1, int index2);
int CompareTagged(TStringList& list, int index1, int index2);

class TStat {
public:
    TStat();
    TStat(const TStat&) = delete;
    TStat& operator=(const TStat&) = delete;

    void SetSplitters(const std::string& splitters);
    void Clear();
    void ClearCounts();
    void LoadAndCount(const std::string& fileName);
    // LoadAndCount of each file in turn, the files read on every core. A file
    // that starts with a UTF-16 byte-order mark adds no token and is named
    // in LeftOutFiles.
    void LoadAndCountFiles(const std::vector<std::string>& fileNames);
    // Without lists only the counts the measures read are made, and the
    // frequency lists stay empty: a run that never shows them is spared
    // sorting every token, while every result computed stays the same.
    void BuildFrequency(bool ignoreCase, bool lists = true);
    // Fills the co-occurrence list of mode ("BOTH", "WORD" or "POS"), or all
    // three for an empty mode.
    void CountCollocates(const TWordMatrix& matrix, int leftSpan, int rightSpan, bool ignoreCase,
                         const std::string& mode = std::string());
    void ComputeStats(const std::string& node, const TParamInfo& param);
    std::string GetCollocateHits(const std::string& collocate, const TParamInfo& param);
    void MergeCollocates(const std::string& newName, const TStrings& names, const TParamInfo& param);

    // The association measures; none is ever negative, and one that cannot be computed is 0.
    static long double MutualInformation(const TFreqInfo& freq);
    static long double MutualInformation3(const TFreqInfo& freq);
    static long double ZScore(const TFreqInfo& freq);
    static long double TScore(const TFreqInfo& freq);
    static long double LogLog(const TFreqInfo& freq);
    static long double LogLikelihood(const TFreqInfo& freq);
    // Four decimals, ties to even, as every stored and shown score is.
    static long double RoundScore(long double value);

    // The co-occurrence list of a collocate mode, or nullptr for another mode.
    THashedStringList* CollocateList(const std::string& mode);

    TTokenList Tokens;
    THashedStringList TokenFreq;
    THashedStringList WordFreq;
    THashedStringList TagFreq;
    THashedStringList CollBoth;
    THashedStringList CollWord;
    THashedStringList CollPos;
    TStatResultArr Results;
    TStringList FileLines;
    // The names (without folder) of the files loaded since the last Clear
    // that were left out as UTF-16 text.
    std::vector<std::string> LeftOutFiles;
    TFreqInfo Freq;
    std::string Splitters;
    // The least bytes of a piece that loading cuts a large file into, so
    // that the pieces share out over the cores.
    uint64_t LoadPieceBytes = uint64_t(1) << 20;

private:
    bool Tagged() const { return !Splitters.empty(); }
    const TFrequencyIndex* FrequencyIndexFor(const std::string& mode) const;

    std::array<bool, 256> FSplitterChars{};
    TFrequencyIndex FTokenIndex, FWordIndex, FTagIndex;
    // What counting takes from a matrix whatever the spans, kept for a
    // re-count of the same rows.
    class TCollocateKeys;
    std::shared_ptr<TCollocateKeys> FCollocateKeys;
};
