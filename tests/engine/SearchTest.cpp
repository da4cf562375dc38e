#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Query.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Utf16Text.h"

namespace {

// One corpus file per test, searched the way the concordance view does it.
class SearchFixture : public ::testing::Test {
protected:
    TArrResultStr Run(const std::string& text, const std::string& node, int left, int right,
                      const std::string& splitters = "", bool caseSensitive = false) {
        query.Clear();
        query.LoadFile(folder.Write("corpus.txt", text), splitters);
        int progress = 0;
        query.Search(node, caseSensitive, left, right, progress, true);
        return query.Hits.ToArray();
    }

    TempFolder folder;
    TQuery query;
};

struct Kwic {
    std::string left, center, right;
};

void ExpectHits(const TArrResultStr& hits, const std::vector<Kwic>& expected) {
    ASSERT_EQ(hits.size(), expected.size());
    for (size_t k = 0; k < hits.size(); ++k) {
        SCOPED_TRACE("hit " + std::to_string(k));
        EXPECT_EQ(hits[k].Left, expected[k].left);
        EXPECT_EQ(hits[k].Center, expected[k].center);
        EXPECT_EQ(hits[k].Right, expected[k].right);
    }
}

std::vector<std::string> Slots(const TMyArray& tokens) {
    std::vector<std::string> slots;
    for (int k = 0; k < TMyArray::Size; ++k) slots.emplace_back(tokens[k]);
    return slots;
}

// "w0 w1 ... w<n-1>"
std::string Words(int n) {
    std::string text;
    for (int k = 0; k < n; ++k) text += (k ? " w" : "w") + std::to_string(k);
    return text;
}

}  // namespace

TEST_F(SearchFixture, ContextsHaveExactlyTheAskedWordsAndEdgesArePadded) {
    struct Case {
        const char* name;
        std::string text, node, splitters;
        int left, right;
        std::vector<Kwic> hits;
    };
    const std::vector<Case> cases = {
        {"middle", "a b c d e", "c", "", 2, 2, {{"a b", "c", "d e"}}},
        {"no left context", "a b c", "b", "", 0, 1, {{"", "b", "c"}}},
        {"no right context", "a b c", "b", "", 1, 0, {{"a", "b", ""}}},
        {"first word, raw", "a b c", "a", "", 2, 1, {{"## ##", "a", "b"}}},
        {"last word, raw", "a b c", "c", "", 1, 2, {{"b", "c", "## ##"}}},
        {"first word, tagged", "the_AT cat_NN", "the_AT", "[_]", 1, 1, {{"##_##", "the_AT", "cat_NN"}}},
        {"last word, tagged", "the_AT cat_NN", "cat_NN", "[_]", 1, 1, {{"the_AT", "cat_NN", "##_##"}}},
        {"every occurrence overlaps", "a a a", "a", "", 1, 1, {{"##", "a", "a"}, {"a", "a", "a"}, {"a", "a", "##"}}},
        {"node of two words", "x new york y", "new york", "", 1, 1, {{"x", "new york", "y"}}},
        {"node with its own groups", "we do it and make it", "(do|make)", "", 1, 1,
         {{"we", "do", "it"}, {"and", "make", "it"}}},
        {"node groups before the right context", "we make it now", "(do|ma(k)e)", "", 1, 2, {{"we", "make", "it now"}}},
        {"markup line", "<p> a cat </p>", "cat", "", 1, 1, {}},
        {"markup after leading blanks", " \t <s n=1> cat", "cat", "", 1, 1, {}},
        {"a later '<' is text", "a <b> cat", "cat", "", 1, 1, {{"<b>", "cat", "##"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectHits(Run(c.text, c.node, c.left, c.right, c.splitters), c.hits);
    }
}

TEST_F(SearchFixture, EveryHitOfALineIsFoundOnceAcrossLines) {
    auto hits = Run("the cat\r\nno match here\rthe dog saw the cat\nthe end", "the", 0, 1);
    ExpectHits(hits, {{"", "the", "cat"}, {"", "the", "dog"}, {"", "the", "cat"}, {"", "the", "end"}});
    for (const auto& hit : hits) {
        EXPECT_EQ(hit.FileName, "corpus.txt");
        EXPECT_TRUE(hit.Members.empty());
        EXPECT_EQ(hit.Count, 0);
    }
}

TEST_F(SearchFixture, CaseIsIgnoredUnlessAsked) {
    const std::string text = "The end. the end. THE end.";
    EXPECT_EQ(Run(text, "the", 0, 1).size(), 3u);
    EXPECT_EQ(Run(text, "The", 0, 1).size(), 3u);
    ExpectHits(Run(text, "The", 1, 1, "", true), {{"##", "The", "end"}});
    ExpectHits(Run(text, "THE", 1, 1, "", true), {{".", "THE", "end"}});
}

TEST_F(SearchFixture, RawTextIsNormalisedBeforeSearchingButTaggedTextIsNot) {
    // "dog," reaches the search as "dog ,", and a full-width comma (A3 AC) and
    // ideographic full stop (A1 A3) are split off as ASCII punctuation.
    ExpectHits(Run("The dog, it barked.", "dog", 1, 1), {{"The", "dog", ","}});
    ExpectHits(Run("a dog\xA3\xAC" "cat\xA1\xA3", "cat", 1, 1), {{",", "cat", "."}});
    ExpectHits(Run("I won't go", "will", 1, 1), {{"I", "will", "not"}});
    ExpectHits(Run("I won't_VV go_VV", "won't_VV", 1, 1, "[_]"), {{"I", "won't_VV", "go_VV"}});
    EXPECT_TRUE(Run("a dog,_NN ran_VV", "dog", 1, 1, "[_]").empty());
}

TEST_F(SearchFixture, ABadExpressionEndsTheSearchQuietly) {
    query.LoadFile(folder.Write("a.txt", "a cat sat\na cat ran\n"), "");
    int progress = 0;
    query.Search("cat", false, 1, 1, progress, false);
    ASSERT_EQ(query.Hits.size(), 2u);
    for (const char* bad : {"(cat", "cat)", "[cat", "ca(t|"}) {
        SCOPED_TRACE(bad);
        EXPECT_NO_THROW(query.Search(bad, false, 1, 1, progress, true));
        EXPECT_EQ(query.Hits.size(), 2u);
        EXPECT_TRUE(query.Matrix.empty());
    }
}

TEST_F(SearchFixture, ProgressEndsAtTheLineCount) {
    query.LoadFile(folder.Write("a.txt", "cat\n\ndog\n<p>\n"), "");
    int progress = -1;
    query.Search("cat", false, 1, 1, progress, false);
    EXPECT_EQ(progress, 4);
}

TEST_F(SearchFixture, HitsOfSeveralFilesAccumulateWithTheirOwnFileName) {
    query.Clear();
    int progress = 0;
    query.LoadFile(folder.Write("one.txt", "a cat\n"), "");
    query.Search("cat", false, 1, 0, progress, true);
    query.LoadFile(folder.Write("two.txt", "the cat\nthat cat\n"), "");
    query.Search("cat", false, 1, 0, progress, true);
    ASSERT_EQ(query.Hits.size(), 3u);
    ASSERT_EQ(query.Matrix.size(), 3u);
    EXPECT_EQ(query.Hits[0].FileName, "one.txt");
    EXPECT_EQ(query.Hits[1].FileName, "two.txt");
    EXPECT_EQ(query.Hits[2].FileName, "two.txt");
    EXPECT_EQ(query.Matrix[0].LeftWords[0], "a");
    EXPECT_EQ(query.Matrix[2].LeftWords[0], "that");

    // Clearing drops the hits and the matrix but keeps the loaded lines.
    query.Clear();
    EXPECT_TRUE(query.Hits.empty());
    EXPECT_TRUE(query.Matrix.empty());
    EXPECT_EQ(query.Lines.Count(), 2);
}

// A matrix row gives its hit's three contexts as text, over one file and over
// several searched on every core, Latin-1 read as code page 936, UTF-8 as it stands.
TEST_F(SearchFixture, MatrixRowsReadTheirHitsContextsAsText) {
    const std::vector<std::string> files = {folder.Write("one.txt", "a caf\xE9 cat sat\n"),
                                            folder.Write("two.txt", "the cat\nthat \xC3\xA9t\xC3\xA9 cat ran far\n")};
    for (bool together : {false, true}) {
        SCOPED_TRACE(together ? "SearchFiles" : "file by file");
        query.Clear();
        int progress = 0;
        if (together) {
            query.SearchFiles(files, "", "cat", false, 2, 2, progress, true);
        } else {
            for (const std::string& file : files) {
                query.LoadFile(file, "");
                query.Search("cat", false, 2, 2, progress, true);
            }
        }
        ASSERT_EQ(query.Matrix.size(), 3u);
        for (size_t i = 0; i < query.Matrix.size(); ++i) {
            SCOPED_TRACE(i);
            const TWordArray row = query.Matrix[i];
            EXPECT_EQ(row.LeftText(), query.Hits.Left(i));
            EXPECT_EQ(row.CenterText(), "cat");
            EXPECT_EQ(row.RightText(), query.Hits.Right(i));
        }
        EXPECT_NE(query.Matrix[0].LeftText().find(ToUtf8("caf\xE9")), std::string_view::npos);
        EXPECT_NE(query.Matrix[2].LeftText().find("\xC3\xA9t\xC3\xA9"), std::string_view::npos);
        EXPECT_NE(query.Matrix[2].RightText().find("ran far"), std::string_view::npos);
    }
    // A row of a matrix no hit list backs has no text.
    TWordMatrix loose;
    loose.push_back(query.Matrix[0]);
    EXPECT_EQ(loose[0].LeftText(), "");
}

// A colon or a backslash is part of a file's name: files that differ only
// before one stay apart in the hits and in the files left out.
TEST_F(SearchFixture, FileNamesKeepTheirColonsAndBackslashes) {
    const std::vector<std::string> files = {folder.Write("a:1.txt", "a cat\n"), folder.Write("b:1.txt", "b cat\n"),
                                            folder.Write("x\\y.txt", "y cat\n"),
                                            folder.Write("u:1.txt", Utf16("u cat\n"))};
    int progress = 0;
    query.SearchFiles(files, "", "cat", false, 1, 0, progress, true);
    std::vector<std::string> named;
    for (const TResultStr& hit : query.Hits.ToArray()) named.push_back(hit.FileName);
    EXPECT_EQ(named, (std::vector<std::string>{"a:1.txt", "b:1.txt", "x\\y.txt"}));
    EXPECT_EQ(query.LeftOutFiles, std::vector<std::string>{"u:1.txt"});
}

TEST_F(SearchFixture, LoadingCutsTheFolderAndCountsLines) {
    struct Case {
        std::string name, bytes, fileName;
        int lines;
        std::string lastLine;
    };
    const std::vector<Case> cases = {
        {"plain.txt", "a\nb\n", "plain.txt", 2, "b"},
        {"empty.txt", "", "empty.txt", 0, ""},
        {"unended.txt", "a b\r\nc d", "unended.txt", 2, "c d"},
        {"mixed.txt", "a\rb\r\nc\n", "mixed.txt", 3, "c"},
        {"dos\\back.txt", "x", "dos\\back.txt", 1, "x"},
        {"drive:colon.txt", "x", "drive:colon.txt", 1, "x"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(query.LoadFile(folder.Write(c.name, c.bytes), "[_]"), c.lines);
        EXPECT_EQ(query.FileName, c.fileName);
        EXPECT_EQ(query.Lines.Count(), c.lines);
        EXPECT_EQ(query.Splitters, "[_]");
        if (c.lines > 0) {
            EXPECT_EQ(query.Lines[c.lines - 1], c.lastLine);
        }
    }
}

TEST_F(SearchFixture, TheLastLineWithoutALineEndIsSearched) {
    ExpectHits(Run("a b\nc d", "d", 1, 0), {{"c", "d", ""}});
    EXPECT_TRUE(Run("", "d", 1, 1).empty());
}

TEST_F(SearchFixture, AMissingFileRaisesANamedError) {
    const std::string missing = folder.Path() + "/nowhere.txt";
    try {
        query.LoadFile(missing, "");
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message.find("nowhere.txt"), std::string::npos) << e.Message;
    }
}

TEST_F(SearchFixture, MatrixSlotsStartNextToTheNode) {
    auto hits = Run("l2 l1 l0 new york r0 r1\nx y", "new york", 3, 2);
    ASSERT_EQ(hits.size(), 1u);
    ASSERT_EQ(query.Matrix.size(), 1u);
    const TWordArray& row = query.Matrix[0];
    std::vector<std::string> left(16), center(16), right(16);
    left[0] = "l0", left[1] = "l1", left[2] = "l2";
    center[0] = "new", center[1] = "york";
    right[0] = "r0", right[1] = "r1";
    EXPECT_EQ(Slots(row.LeftWords), left);
    EXPECT_EQ(Slots(row.CenterWords), center);
    EXPECT_EQ(Slots(row.RightWords), right);
}

TEST_F(SearchFixture, MatrixPaddingIsHashesInRawAndTaggedText) {
    Run("cat_NN sat_VV", "cat_NN", 2, 1, "[_]");
    ASSERT_EQ(query.Matrix.size(), 1u);
    EXPECT_EQ(query.Hits[0].Left, "##_## ##_##");
    EXPECT_EQ(query.Matrix[0].LeftWords[0], "##");
    EXPECT_EQ(query.Matrix[0].LeftWords[1], "##");

    Run("cat sat", "sat", 1, 1);
    ASSERT_EQ(query.Matrix.size(), 1u);
    EXPECT_EQ(query.Matrix[0].RightWords[0], "##");
}

TEST_F(SearchFixture, AWideLeftContextKeepsTheSixteenWordsNextToTheNode) {
    Run(Words(20) + " node r", "node", 20, 1);
    ASSERT_EQ(query.Matrix.size(), 1u);
    EXPECT_EQ(query.Hits[0].Left, Words(20));
    for (int k = 0; k < TMyArray::Size; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(query.Matrix[0].LeftWords[k], "w" + std::to_string(19 - k));
    }
}

TEST(SplitToArray, CutsAtSingleBlanksIntoSixteenSlots) {
    struct Case {
        const char* name;
        std::string text;
        int align;
        std::vector<std::pair<int, std::string>> filled;  // every other slot is empty
    };
    std::vector<std::pair<int, std::string>> first16, last16;
    for (int k = 0; k < 16; ++k) {
        first16.emplace_back(k, "w" + std::to_string(k));
        last16.emplace_back(k, "w" + std::to_string(19 - k));
    }
    const std::vector<Case> cases = {
        {"in order", "a b c", -1, {{0, "a"}, {1, "b"}, {2, "c"}}},
        {"two blanks give an empty token", "a  b", -1, {{0, "a"}, {1, ""}, {2, "b"}}},
        {"outer blanks trimmed", "  a b \t", -1, {{0, "a"}, {1, "b"}}},
        {"only blanks cut", "a\tb c", -1, {{0, "a\tb"}, {1, "c"}}},
        {"empty text", "", -1, {}},
        {"aligned to the node", "a b c", 3, {{2, "a"}, {1, "b"}, {0, "c"}}},
        {"align below the token count", "a b c d", 2, {{1, "a"}, {0, "b"}}},
        {"first sixteen kept", Words(20), -1, first16},
        {"sixteen nearest kept", Words(20), 20, last16},
        {"tagged padding", "##_## ##_## the_AT", 3, {{2, "##"}, {1, "##"}, {0, "the_AT"}}},
        {"every #_# removed", "a#_#b c", -1, {{0, "ab"}, {1, "c"}}},
    };
    TMyArray tokens;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Reusing one array also shows that every slot is emptied first.
        TQuery::SplitToArray(Words(16), tokens, -1);
        TQuery::SplitToArray(c.text, tokens, c.align);
        std::vector<std::string> expected(16);
        for (const auto& [slot, token] : c.filled) expected[static_cast<size_t>(slot)] = token;
        EXPECT_EQ(Slots(tokens), expected);
    }
}

// A corpus line without blanks (unsegmented Chinese, say) is one token, and
// the collocate counts key on the whole of it.
TEST(SplitToArray, LongTokensAreKeptWhole) {
    const std::string longToken(70000, 'x');
    TMyArray tokens;
    TQuery::SplitToArray(longToken + " b", tokens, -1);
    EXPECT_EQ(tokens[0].size(), longToken.size());
    EXPECT_EQ(tokens[1], "b");
}

// A pattern that backtracks without end on one line must not cost the hits of the others.
TEST_F(SearchFixture, ALineThatExhaustsTheMatcherIsLeftOutAndCounted) {
    const std::string runaway = std::string(40, 'a') + " c b";
    struct Case {
        const char* name;
        std::string text;
        std::vector<Kwic> hits;
        int skipped;
    };
    const std::vector<Case> cases = {
        {"hits before and after", "x aab y\n" + runaway + "\nw ab v\n", {{"x", "aab", "y"}, {"w", "ab", "v"}}, 1},
        // A hit found on the line before the matcher gave up goes with the line.
        {"hit on the runaway line", "p ab q " + runaway + "\nw ab v\n", {{"w", "ab", "v"}}, 1},
        {"two runaway lines", runaway + "\n" + runaway + "\n", {}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectHits(Run(c.text, "(a+)+b", 1, 1), c.hits);
        EXPECT_EQ(query.Matrix.size(), c.hits.size());
        EXPECT_EQ(query.SkippedLines, c.skipped);
    }
    query.Clear();
    EXPECT_EQ(query.SkippedLines, 0);
}

// Patterns whose groups or options would read otherwise inside the search
// pattern are matched without the node-alone test, with the same hits.
TEST_F(SearchFixture, NodesThatCannotBeTestedAloneStillFindTheirHits) {
    struct Case {
        const char* node;
        std::vector<Kwic> hits;
    };
    const std::vector<Case> cases = {
        {"(o)\\4", {{"a", "oo", "b"}}},
        {"(?i)OO", {{"a", "oo", "b"}}},
        {"(o)(?4)", {{"a", "oo", "b"}}},
        // Alone, group 1 is unset and the node would need "ox"; in the search it is the context.
        {"(x)?(o)(?(1)o|x)", {{"a", "oo", "b"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        ExpectHits(Run("a oo b\nc d\n", c.node, 1, 1, "", true), c.hits);
    }
}

// Where the node's matches can be walked one by one, the search tries the full
// pattern only where each puts its context; it must find what trying it at
// every blank finds. A comment holding "(*" keeps a node on the second road
// without changing what it matches.
TEST_F(SearchFixture, WalkingTheNodesMatchesFindsWhatTheFullSearchFinds) {
    const std::string text =
        "a b  c the d\te  the f\n"
        "the\n"
        "xthe the the there\n"
        "a\t\tthe b the\n"
        "the_AT x_Y the_AT  the_AT\n"
        "one two three four five six seven\n";
    const std::vector<std::string> nodes = {"the", "th", "he", "t?he", "(?<=\\s)the", "the|th", "x*", "\\w+",
                                            "e\\b", "b\\s+c", "[a-z]+ [a-z]+", "the_\\S+\\b", "(t)(h)e"};
    for (const std::string& splitters : {std::string(), std::string("[_]")}) {
        for (int left : {0, 1, 3}) {
            for (int right : {0, 2}) {
                for (const std::string& node : nodes) {
                    SCOPED_TRACE(node + " " + std::to_string(left) + "/" + std::to_string(right) + " " + splitters);
                    TArrResultStr walked = Run(text, node, left, right, splitters);
                    std::vector<std::string> walkedRows;
                    for (const TWordArray& row : query.Matrix) walkedRows.push_back(std::string(row.RightWords[0]));
                    TArrResultStr full = Run(text, node + "(?#(*)", left, right, splitters);
                    ASSERT_EQ(walked.size(), full.size());
                    for (size_t k = 0; k < full.size(); ++k) {
                        EXPECT_EQ(walked[k].Left, full[k].Left);
                        EXPECT_EQ(walked[k].Center, full[k].Center);
                        EXPECT_EQ(walked[k].Right, full[k].Right);
                        EXPECT_EQ(walkedRows[k], std::string(query.Matrix[k].RightWords[0]));
                    }
                }
            }
        }
    }
}

// The padding that gives a node at a line's edge its context is no text: a
// node that can match "#" finds only what the line holds, on the search that
// walks the node's matches and on the one that tries every blank ("(\S)\4*"
// refers to its own group, which only the whole pattern numbers).
TEST_F(SearchFixture, ANodeNeverMatchesInThePadding) {
    struct Case {
        const char* name;
        std::string text, node, splitters;
        std::vector<Kwic> hits;
    };
    const std::vector<Case> cases = {
        {"any token, raw", "a b", "\\S+", "", {{"## ##", "a", "b ##"}, {"## a", "b", "## ##"}}},
        {"any token, tagged", "a_A b_B", "\\S+", "[_]",
         {{"##_## ##_##", "a_A", "b_B ##_##"}, {"##_## a_A", "b_B", "##_## ##_##"}}},
        {"any token, every blank tried", "a b", "(\\S)\\4*", "", {{"## ##", "a", "b ##"}, {"## a", "b", "## ##"}}},
        {"punctuation", "x, y", "[[:punct:]]+", "", {{"## x", ",", "y ##"}}},
        {"non-word characters", "x y", "\\W+", "", {}},
        {"a hash", "x y", "#", "", {}},
        {"a node reaching into the padding", "x y", "\\S+ \\S+", "", {{"## ##", "x y", "## ##"}}},
        {"hashes the text holds are found", "a ## b", "##", "", {{"## a", "##", "b ##"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectHits(Run(c.text, c.node, 2, 2, c.splitters), c.hits);
        EXPECT_EQ(query.Matrix.size(), c.hits.size());
    }
}

// While the files are searched on the cores the caller hears how far the
// search has come: the bytes searched grow to the corpus's size and the files
// done to their number, on one thread as on many.
TEST_F(SearchFixture, SearchingManyFilesTellsItsProgressWhileItRuns) {
    std::vector<std::string> files;
    uint64_t total = 0;
    for (int f = 0; f < 3; ++f) {
        std::string text;
        for (int l = 0; l < 2000; ++l) text += "the cat sat on the mat number " + std::to_string(l) + "\n";
        total += text.size();
        files.push_back(folder.Write("f" + std::to_string(f) + ".txt", text));
    }
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        SetEngineThreads(threads);
        std::vector<TSearchProgress> seen;
        query.Clear();
        query.SearchPieceBytes = 4096;
        int progress = 0;
        query.SearchFiles(files, "", "cat", false, 2, 2, progress, false,
                          [&](const TSearchProgress& state) { seen.push_back(state); });
        SetEngineThreads(0);
        EXPECT_EQ(query.Hits.size(), 6000u);
        ASSERT_FALSE(seen.empty());
        for (size_t k = 1; k < seen.size(); ++k) {
            EXPECT_GE(seen[k].BytesDone, seen[k - 1].BytesDone);
            EXPECT_GE(seen[k].FilesDone, seen[k - 1].FilesDone);
        }
        EXPECT_EQ(seen.back().Bytes, total);
        EXPECT_EQ(seen.back().BytesDone, total);
        EXPECT_EQ(seen.back().FilesDone, 3u);
        EXPECT_EQ(seen.back().Files, 3u);
        if (threads == 1) {
            // One thread reports as its lines go by, file after file.
            std::vector<size_t> files;
            for (const TSearchProgress& state : seen)
                if (state.BytesDone > 0 && state.BytesDone < total &&
                    (files.empty() || files.back() != state.FilesDone))
                    files.push_back(state.FilesDone);
            EXPECT_EQ(files, (std::vector<size_t>{0, 1, 2}));
        }
    }
}

// A run of white space is one separator wherever it falls in a line, at
// every byte offset, in raw and tagged text.
TEST_F(SearchFixture, AWideSpaceIsOneSeparatorAtEveryOffset) {
    for (const std::string run : {"  ", "\t", "\f", " \v"}) {
        for (int width = 1; width <= 17; ++width) {
            SCOPED_TRACE(::testing::PrintToString(run) + " after " + std::to_string(width) + " bytes");
            const std::string word(static_cast<size_t>(width), 'w');
            ExpectHits(Run(word + run + "node end", "node", 1, 1), {{word, "node", "end"}});
            ExpectHits(Run(word + "_A" + run + "node_N end_B", "node_N", 1, 1, "[_]"), {{word + "_A", "node_N", "end_B"}});
        }
    }
}

// While many small files are searched, what the search holds follows their
// text and hits, not a fixed share per file: a folder of a hundred thousand
// short files must not cost gigabytes. Measured where the search reports its
// progress, after every file, on one thread.
TEST_F(SearchFixture, ManySmallFilesCostLittleMemoryWhileSearched) {
    std::vector<std::string> files;
    for (int i = 0; i < 2000; ++i)
        files.push_back(folder.Write("f" + std::to_string(i) + ".txt", i % 4 ? "nothing here\n" : "a cat sat\n"));
    auto inUse = [] {
        const struct mallinfo2 heap = mallinfo2();
        return heap.uordblks + heap.hblkhd;
    };
    SetEngineThreads(1);
    const size_t before = inUse();
    size_t peak = before;
    int progress = 0;
    query.SearchFiles(files, "", "cat", false, 5, 5, progress, true,
                      [&](const TSearchProgress&) { peak = std::max(peak, inUse()); });
    SetEngineThreads(0);
    EXPECT_EQ(query.Hits.size(), 500u);
    if (before == 0) GTEST_SKIP() << "the allocator does not tell what it holds";
    const size_t perFile = (peak - before) / files.size();
    EXPECT_LT(perFile, 1024u);
}

// A pattern is matched character by character in code page 936 and UTF-8
// text alike: a class or a range of Chinese characters takes whole ones (亄,
// E4 BA 84, is made of bytes of 的 and 人), "." takes one character, a
// repeat repeats the whole character, and code points and properties name
// characters.
TEST_F(SearchFixture, PatternsMatchWholeCharactersInEitherEncoding) {
    const std::string utf8 = "的 人 亄 中文 好好 好";
    const std::string gbk = "\xB5\xC4 \xC8\xCB \x81\x7B \xD6\xD0\xCE\xC4 \xBA\xC3\xBA\xC3 \xBA\xC3";
    ASSERT_EQ(CodePage936ToUtf8(gbk), utf8);
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"[的人]", {"的", "人"}},
        {"[的人]+", {"的", "人"}},
        {"中.", {"中文"}},
        {"好+", {"好好", "好"}},
        {"[一-龥]{2}", {"中文", "好好"}},
        // Code points beyond a byte are written for character-wise text only.
        {"[\\x{4E00}-\\x{9FA5}]{2}", {"中文", "好好"}},
        {"\\p{Han}", {"的", "人", "亄", "好"}},
    };
    for (const std::string& text : {gbk, utf8}) {
        SCOPED_TRACE(IsValidUtf8(text) ? "UTF-8" : "code page 936");
        for (const auto& [node, centers] : cases) {
            SCOPED_TRACE(node);
            std::vector<std::string> found;
            for (const TResultStr& hit : Run(text, node, 1, 1)) found.push_back(hit.Center);
            EXPECT_EQ(found, centers);
        }
    }
}
