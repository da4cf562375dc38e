// Runs over several files on one thread and on many give the same everything.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Parallel.h"
#include "engine/Query.h"
#include "engine/TokenList.h"
#include "platform/core/SysUtils.h"
#include "tests/support/TempFolder.h"

namespace {

// Everything a collocation run leaves behind, as text.
struct Snapshot {
    std::vector<std::string> tokens, tokenFreq, wordFreq, tagFreq, hits, matrix, both, word, pos, results, lines;
    int skipped = 0;
    bool operator==(const Snapshot&) const = default;
};

// Case variants, a control byte at an edge, long tokens and a line the
// matcher gives up on, spread over files of different sizes.
std::string CorpusFile(unsigned seed, bool tagged) {
    const std::vector<std::string> words = {"The", "the", "THE", "cat", "Cat", "sat", "on", "a", "mat", "dog",
                                            "\x01" "cat", std::string(300, 'y'), "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", "bob"};
    const std::vector<std::string> tags = {"AT", "NN", "VV", "at"};
    std::mt19937 rng(seed);
    std::ostringstream out;
    int lines = 5 + static_cast<int>(rng() % 40);
    for (int l = 0; l < lines; ++l) {
        if (rng() % 17 == 0) out << "<p n=" << l << ">\n";
        int n = 1 + static_cast<int>(rng() % 15);
        for (int k = 0; k < n; ++k) {
            out << (k ? " " : "") << words[rng() % words.size()];
            if (tagged) out << "_" << tags[rng() % tags.size()];
            if (!tagged && rng() % 7 == 0) out << ",";
        }
        out << (rng() % 3 ? "\n" : "\r\n");
    }
    return out.str();
}

// Large files are cut into pieces of at least pieceBytes for loading and searching.
Snapshot RunAll(const std::vector<std::string>& files, const std::string& splitters, const std::string& node,
             bool ignoreCase, int threads, uint64_t pieceBytes = uint64_t(1) << 40) {
    SetEngineThreads(threads);
    TStat stat;
    TQuery query;
    stat.SetSplitters(splitters);
    stat.LoadPieceBytes = pieceBytes;
    query.SearchPieceBytes = pieceBytes;
    stat.LoadAndCountFiles(files);
    stat.BuildFrequency(ignoreCase);
    int progress = 0;
    query.SearchFiles(files, splitters, node, !ignoreCase, 5, 4, progress, true);
    stat.CountCollocates(query.Matrix, 3, 4, ignoreCase);
    SetEngineThreads(0);

    Snapshot s;
    for (int i = 0; i < stat.Tokens.Count(); ++i) s.tokens.push_back(stat.Tokens.Strings(i));
    s.tokenFreq = stat.TokenFreq.Items();
    s.wordFreq = stat.WordFreq.Items();
    s.tagFreq = stat.TagFreq.Items();
    for (const TResultStr& hit : query.Hits)
        s.hits.push_back(hit.Left + "|" + hit.Center + "|" + hit.Right + "|" + hit.FileName);
    for (const TWordArray& row : query.Matrix) {
        std::string text;
        for (const TMyArray* slots : {&row.LeftWords, &row.CenterWords, &row.RightWords})
            for (int k = 0; k < TMyArray::Size; ++k) text += std::string(slots->operator[](k)) + "|";
        s.matrix.push_back(text);
    }
    s.both = stat.CollBoth.Items();
    s.word = stat.CollWord.Items();
    s.pos = stat.CollPos.Items();
    for (const std::string mode : {"BOTH", "WORD", "POS"}) {
        TParamInfo p;
        p.CollocateMode = mode;
        p.LeftSpanText = "3";
        p.RightSpanText = "4";
        stat.ComputeStats(node, p);
        for (const TStatResult& r : stat.Results)
            s.results.push_back(mode + r.Collocate + "|" + std::to_string(r.Fc) + "|" + std::to_string(r.Fnc) + "|" +
                                std::to_string(static_cast<double>(r.LogLikelihood)));
    }
    s.skipped = query.SkippedLines;
    s.lines = query.Lines.Items();
    s.lines.push_back(query.FileName + "|" + std::to_string(progress));
    return s;
}

}  // namespace

TEST(ParallelRun, ManyThreadsGiveWhatOneThreadGives) {
    struct Case {
        const char* name;
        bool tagged;
        std::string node;
        bool ignoreCase;
    };
    const std::vector<Case> cases = {
        {"tagged, case folded", true, "cat_NN", true},
        {"tagged, case kept", true, "(?:the|The)_AT", false},
        {"raw, case folded", false, "cat", true},
        {"raw, a node the matcher gives up on", false, "(a+)+b|cat", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        std::vector<std::string> files;
        for (unsigned f = 0; f < 13; ++f)
            files.push_back(folder.Write("part" + std::to_string(f) + ".txt", CorpusFile(f * 7 + 1, c.tagged)));
        const std::string splitters = c.tagged ? "[_]" : "";
        Snapshot one = RunAll(files, splitters, c.node, c.ignoreCase, 1);
        ASSERT_FALSE(one.hits.empty());
        ASSERT_FALSE(one.results.empty());
        if (c.node.find("a+") != std::string::npos) {
            ASSERT_GT(one.skipped, 0);
        }
        for (int threads : {2, 5, 16}) {
            SCOPED_TRACE(std::to_string(threads) + " threads");
            Snapshot many = RunAll(files, splitters, c.node, c.ignoreCase, threads);
            EXPECT_EQ(many.tokens, one.tokens);
            EXPECT_EQ(many.tokenFreq, one.tokenFreq);
            EXPECT_EQ(many.wordFreq, one.wordFreq);
            EXPECT_EQ(many.tagFreq, one.tagFreq);
            EXPECT_EQ(many.hits, one.hits);
            EXPECT_EQ(many.matrix, one.matrix);
            EXPECT_EQ(many.both, one.both);
            EXPECT_EQ(many.word, one.word);
            EXPECT_EQ(many.pos, one.pos);
            EXPECT_EQ(many.results, one.results);
            EXPECT_EQ(many.skipped, one.skipped);
        }
    }
}

// The files read in parallel count as the files read one after another.
TEST(ParallelRun, FilesTogetherCountAsFilesInTurn) {
    TempFolder folder;
    std::vector<std::string> files;
    for (unsigned f = 0; f < 6; ++f)
        files.push_back(folder.Write("f" + std::to_string(f) + ".txt", CorpusFile(f + 100, true)));
    SetEngineThreads(4);
    TStat together, inTurn;
    for (TStat* stat : {&together, &inTurn}) stat->SetSplitters("[_]");
    together.LoadAndCountFiles(files);
    for (const std::string& file : files) inTurn.LoadAndCount(file);
    TQuery all, each;
    int progress = 0;
    all.SearchFiles(files, "[_]", "the_AT", false, 2, 2, progress, true);
    EXPECT_EQ(progress, all.Lines.Count());
    for (const std::string& file : files) {
        each.LoadFile(file, "[_]");
        each.Search("the_AT", false, 2, 2, progress, true);
    }
    SetEngineThreads(0);
    ASSERT_EQ(together.Tokens.Count(), inTurn.Tokens.Count());
    EXPECT_EQ(together.Tokens.Ids(), inTurn.Tokens.Ids());
    // The files' hits and rows are copied in side by side, each file's where
    // the files before it leave off.
    ASSERT_EQ(all.Hits.size(), each.Hits.size());
    ASSERT_EQ(all.Matrix.size(), each.Matrix.size());
    for (size_t i = 0; i < all.Hits.size(); ++i) {
        SCOPED_TRACE("hit " + std::to_string(i));
        const TResultStr a = all.Hits[i], e = each.Hits[i];
        EXPECT_EQ(a.Left + "|" + a.Center + "|" + a.Right + "|" + a.FileName,
                  e.Left + "|" + e.Center + "|" + e.Right + "|" + e.FileName);
        const TWordArray rowAll = all.Matrix[i], rowEach = each.Matrix[i];
        for (int k = 0; k < TMyArray::Size; ++k) {
            EXPECT_EQ(rowAll.LeftWords[k], rowEach.LeftWords[k]);
            EXPECT_EQ(rowAll.CenterWords[k], rowEach.CenterWords[k]);
            EXPECT_EQ(rowAll.RightWords[k], rowEach.RightWords[k]);
        }
    }
    EXPECT_EQ(all.Lines.Items(), each.Lines.Items());
    EXPECT_EQ(all.FileName, each.FileName);
}

// Large files are loaded and searched in pieces cut after line feeds; every
// cut gives what whole files give.
TEST(ParallelRun, FilesInPiecesGiveWhatWholeFilesGive) {
    struct Case {
        const char* name;
        bool tagged;
        std::string node;
        std::string text;
    };
    const std::string longLine = "the cat " + std::string(40, 'a') + " the dog";
    const std::vector<Case> cases = {
        {"line feeds and an empty line", false, "the", "the cat sat\non the mat.\n\nA dog, the cat!\nthe end\n"},
        {"CR LF and lone CR", false, "cat", "the cat\r\nsat on\rthe cat\r\n\r\nit's a dog's cat\r\ncat\r"},
        {"no line feed at all", false, "the", "the cat sat on the mat, the dog sat on the cat"},
        {"the last line without a line feed", false, "the", "x the\nz w\n<head> the\n the end"},
        {"blanks, markup and a long token", false, "a",
         "  \n\t\n<p>\n" + std::string(200, 'q') + " a\n b \n\n\na c\n"},
        {"code page 936 text", false, "cat", "\xd6\xd0\xce\xc4\xa1\xa3 the cat\n\xa1\xa3\xa3\xbf cat\n"},
        {"lines the matcher gives up on", false, "(a+)+b|cat", longLine + "\ncat a\n" + longLine + "\n"},
        {"tagged", true, "the_AT",
         "the_AT cat_NN\r\nsat_VV on_IN\n<s>\nthe_AT mat_NN\n\x01" "cat_NN\n\nthe_AT end_NN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        // The same text twice, with a small file between them.
        const std::vector<std::string> files = {folder.Write("a.txt", c.text),
                                                folder.Write("b.txt", c.tagged ? "cat_NN\n" : "cat\n"),
                                                folder.Write("c.txt", c.text)};
        const std::string splitters = c.tagged ? "[_]" : "";
        const Snapshot whole = RunAll(files, splitters, c.node, true, 1);
        ASSERT_FALSE(whole.tokens.empty());
        ASSERT_FALSE(whole.hits.empty());
        if (c.node.find("a+") != std::string::npos) {
            ASSERT_GT(whole.skipped, 0);
        }
        // Pieces that end at each line feed in turn, and just after it; and
        // pieces of one byte, cut at every line feed.
        std::vector<uint64_t> sizes = {1};
        for (size_t at = 0; at < c.text.size(); ++at)
            if (c.text[at] == '\n') sizes.insert(sizes.end(), {at + 1, at + 2});
        for (uint64_t pieceBytes : sizes) {
            SCOPED_TRACE("pieces of " + std::to_string(pieceBytes) + " bytes");
            const Snapshot pieces = RunAll(files, splitters, c.node, true, 16, pieceBytes);
            EXPECT_EQ(pieces.tokens, whole.tokens);
            EXPECT_EQ(pieces.tokenFreq, whole.tokenFreq);
            EXPECT_EQ(pieces.hits, whole.hits);
            EXPECT_EQ(pieces.matrix, whole.matrix);
            EXPECT_EQ(pieces.results, whole.results);
            EXPECT_EQ(pieces.skipped, whole.skipped);
            EXPECT_EQ(pieces.lines, whole.lines);
        }
    }
}

// Tables entered side by side number their texts as tables entered in turn.
TEST(TokenTable, TablesEnteredSideBySideNumberAsInTurn) {
    std::mt19937 rng(5);
    auto randomTable = [&](size_t texts, size_t alphabet) {
        TTokenTable table;
        for (size_t i = 0; i < texts; ++i) {
            std::string text;
            for (size_t n = rng() % 4; n > 0; --n) text += static_cast<char>('a' + rng() % alphabet);
            table.Intern(text);
        }
        return table;
    };
    struct Case {
        const char* name;
        size_t ownTexts;
        std::vector<size_t> otherTexts;
    };
    const std::vector<Case> cases = {
        {"into an empty table", 0, {3000, 3000, 500}},
        {"into a filled table", 2000, {3000, 0, 3000}},
        {"one table", 100, {5000}},
        {"no tables", 100, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTokenTable own = randomTable(c.ownTexts, 12);
        std::vector<TTokenTable> others;
        for (size_t n : c.otherTexts) others.push_back(randomTable(n, 12));
        std::vector<const TTokenTable*> pointers;
        for (const TTokenTable& other : others) pointers.push_back(&other);
        // The same table twice enters nothing new the second time.
        if (!others.empty()) pointers.push_back(&others.front());

        TTokenTable inTurn = own, sideBySide = own;
        std::vector<std::vector<uint32_t>> want;
        for (const TTokenTable* other : pointers) want.push_back(inTurn.InternAll(*other));
        SetEngineThreads(5);
        EXPECT_EQ(sideBySide.InternAllSideBySide(pointers), want);
        SetEngineThreads(0);
        ASSERT_EQ(sideBySide.Size(), inTurn.Size());
        for (uint32_t id = 0; id < inTurn.Size(); ++id) {
            ASSERT_EQ(sideBySide.Text(id), inTurn.Text(id));
            uint32_t found = 0;
            ASSERT_TRUE(sideBySide.Find(inTurn.Text(id), found));
            EXPECT_EQ(found, id);
        }
        EXPECT_EQ(sideBySide.Intern("a new text"), inTurn.Intern("a new text"));
    }
}

// A file that cannot be read ends the run after the files before it, on any
// number of threads, whether or not one thread reads it with its neighbours.
TEST(ParallelRun, AMissingFileStopsAfterTheFilesBeforeIt) {
    TempFolder folder;
    std::vector<std::string> files;
    for (int f = 0; f < 9; ++f)
        files.push_back(f == 5 ? folder.Path() + "/missing.txt"
                               : folder.Write("f" + std::to_string(f) + ".txt", "the_AT cat_NN\n\n"));
    for (int threads : {1, 2, 3, 16}) {
        SCOPED_TRACE(std::to_string(threads) + " threads");
        SetEngineThreads(threads);
        // Whether or not the files are cut into pieces.
        for (uint64_t pieceBytes : {uint64_t(1), uint64_t(1) << 20}) {
            TStat stat;
            stat.SetSplitters("[_]");
            stat.LoadPieceBytes = pieceBytes;
            EXPECT_THROW(stat.LoadAndCountFiles(files), EFOpenError);
            EXPECT_EQ(stat.Tokens.Count(), 10);
            TQuery query;
            query.SearchPieceBytes = pieceBytes;
            int progress = 0;
            EXPECT_THROW(query.SearchFiles(files, "[_]", "the_AT", false, 1, 1, progress, true), EFOpenError);
            EXPECT_EQ(query.Hits.size(), 5u);
            EXPECT_EQ(query.Matrix.size(), 5u);
        }
    }
    SetEngineThreads(0);
}

// Runs sorted side by side and merged give what one sort gives, for any
// number of runs, including runs left without a partner to merge with.
TEST(ParallelSort, GivesWhatOneSortGives) {
    std::mt19937 rng(9);
    for (size_t size : {size_t(0), size_t(1), size_t(4095), size_t(4096 * 3 + 7), size_t(100000)}) {
        for (int threads : {1, 3, 5, 8}) {
            SCOPED_TRACE(std::to_string(size) + " items, " + std::to_string(threads) + " threads");
            std::vector<int> items(size);
            for (int& item : items) item = static_cast<int>(rng() % 1000);
            std::vector<int> want = items;
            std::sort(want.begin(), want.end());
            SetEngineThreads(threads);
            ParallelSort(items, [](int a, int b) { return a < b; });
            SetEngineThreads(0);
            EXPECT_EQ(items, want);
        }
    }
}
