#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/Query.h"
#include "platform/core/Classes.h"
#include "platform/core/SysUtils.h"
#include "platform/core/TextCodec.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Utf16Text.h"

namespace {

// A collocation run as the main window drives it, over corpus files written for the test.
struct Collocation {
    TempFolder dir;
    std::vector<std::string> files;
    std::string splitters;
    TStat stat;
    TQuery query;

    explicit Collocation(std::string splitterClass = "[_]") : splitters(std::move(splitterClass)) {}
    void Write(const std::string& text) {
        files.push_back(dir.Write("c" + std::to_string(files.size()) + ".txt", text));
    }
    void Load(bool ignoreCase) {
        stat.SetSplitters(splitters);
        stat.Clear();
        for (const auto& f : files) stat.LoadAndCount(f);
        stat.BuildFrequency(ignoreCase);
    }
    void Count(const std::string& node, int left, int right, bool ignoreCase, bool caseSensitive = true) {
        query.Clear();
        for (const auto& f : files) {
            int progress = 0;
            query.LoadFile(f, splitters);
            query.Search(node, caseSensitive, std::max(left, 5), std::max(right, 5), progress, true);
        }
        stat.ClearCounts();
        stat.CountCollocates(query.Matrix, left, right, ignoreCase);
    }
    const TStatResultArr& Compute(const std::string& mode, int left, int right) {
        stat.ComputeStats("", Param(mode, left, right));
        return stat.Results;
    }
    static TParamInfo Param(const std::string& mode, int left = 0, int right = 0) {
        TParamInfo p;
        p.CollocateMode = mode;
        p.LeftSpanText = std::to_string(left);
        p.RightSpanText = std::to_string(right);
        return p;
    }
};

std::vector<std::string> Lines(const TStringList& list) { return list.Items(); }

const TStatResult* Row(const TStatResultArr& rows, const std::string& collocate) {
    for (const auto& r : rows)
        if (r.Collocate == collocate) return &r;
    return nullptr;
}

using Counts = std::vector<std::pair<std::string, std::pair<int, int>>>;  // collocate -> f(c), f(n,c)

void ExpectRows(const TStatResultArr& rows, const Counts& want) {
    EXPECT_EQ(rows.size(), want.size());
    for (const auto& [collocate, counts] : want) {
        SCOPED_TRACE(collocate);
        const TStatResult* r = Row(rows, collocate);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->Fc, counts.first);
        EXPECT_EQ(r->Fnc, counts.second);
    }
}

constexpr char kTagged[] =
    "<doc id=1>\n"
    "the_AT cat_NN sat_VV on_II the_AT mat_NN\r\n"
    "  <p>the_AT cat_NN\n"
    "the_AT dog_NN saw_VV the_AT cat_NN\n"
    "</doc>\n";

}  // namespace

TEST(StatRun, TaggedCorpusInEveryCollocateMode) {
    Collocation run;
    run.Write(kTagged);
    run.Load(false);
    run.Count("cat_NN", 2, 2, false);
    EXPECT_EQ(run.stat.Freq.N, 11);  // markup lines hold no tokens
    EXPECT_EQ(run.stat.Freq.Fn, 2);
    EXPECT_EQ(Lines(run.stat.TokenFreq), (std::vector<std::string>{"cat_NN =2", "dog_NN =1", "mat_NN =1", "on_II =1",
                                                                   "sat_VV =1", "saw_VV =1", "the_AT =4"}));
    // Hit 0 sees the_AT | sat_VV on_II, hit 1 sees saw_VV the_AT | padding only.
    EXPECT_EQ(Lines(run.stat.CollBoth),
              (std::vector<std::string>{"on_II\t1\t0,", "sat_VV\t1\t0,", "saw_VV\t1\t1,", "the_AT\t2\t1,0,"}));

    const TStatResultArr& both = run.Compute("BOTH", 2, 2);
    ExpectRows(both, {{"the_AT", {4, 2}}, {"sat_VV", {1, 1}}, {"on_II", {1, 1}}, {"saw_VV", {1, 1}}});
    const TStatResult* sat = Row(both, "sat_VV");
    ASSERT_NE(sat, nullptr);
    EXPECT_EQ(sat->N, 11);
    EXPECT_EQ(sat->Span, 4);
    EXPECT_EQ(sat->Fn, 2);
    EXPECT_NEAR(sat->MI, std::log2(11.0L / 8), 6e-5L);
    EXPECT_EQ(Row(both, "the_AT")->MI, 0.0L);  // log2(22/32) is negative

    ExpectRows(run.Compute("WORD", 2, 2), {{"the", {4, 2}}, {"sat", {1, 1}}, {"on", {1, 1}}, {"saw", {1, 1}}});
    ExpectRows(run.Compute("POS", 2, 2), {{"AT", {4, 2}}, {"VV", {2, 2}}, {"II", {1, 1}}});
    EXPECT_TRUE(run.Compute("OTHER", 2, 2).empty());

    EXPECT_EQ(run.stat.GetCollocateHits("the_AT", Collocation::Param("BOTH")), "1,0,");
    EXPECT_EQ(run.stat.GetCollocateHits("VV", Collocation::Param("POS")), "1,0,");
    EXPECT_EQ(run.stat.GetCollocateHits("on", Collocation::Param("WORD")), "0,");
    EXPECT_EQ(run.stat.GetCollocateHits("dog_NN", Collocation::Param("BOTH")), "");
    for (const auto* list : {&run.stat.CollBoth, &run.stat.CollWord, &run.stat.CollPos})
        for (const auto& line : list->Items()) EXPECT_EQ(line.find('#'), std::string::npos) << line;
}

TEST(StatRun, RawTextFillsOnlyTheTokenLists) {
    Collocation run("");
    run.Write("the cat sat on the mat\nthe dog saw the cat.\n");
    run.Load(false);
    run.Count("cat", 2, 2, false);
    EXPECT_EQ(run.stat.Freq.N, 12);  // the full stop is split off as a token of its own
    EXPECT_EQ(run.stat.WordFreq.Count() + run.stat.TagFreq.Count(), 0);
    EXPECT_EQ(run.stat.CollWord.Count() + run.stat.CollPos.Count(), 0);
    ExpectRows(run.Compute("BOTH", 2, 2),
               {{"the", {4, 2}}, {"sat", {1, 1}}, {"on", {1, 1}}, {"saw", {1, 1}}, {".", {1, 1}}});
    EXPECT_TRUE(run.Compute("WORD", 2, 2).empty());
    EXPECT_TRUE(run.Compute("POS", 2, 2).empty());
}

TEST(StatRun, IgnoringCaseJoinsSpellingsAndKeepsTheLastOfTheSortedGroup) {
    Collocation run;
    run.Write("The_AT cat_NN\nthe_AT cat_NN\n");
    // Traced through the framework quicksort by hand: the corpus list sorts to
    // cat_NN cat_NN The_AT the_AT, and the entries The_AT###0, the_AT###1 keep their order.
    run.Load(true);
    run.Count("cat_NN", 1, 1, true, false);
    EXPECT_EQ(Lines(run.stat.TokenFreq), (std::vector<std::string>{"cat_NN =2", "the_AT =2"}));
    EXPECT_EQ(Lines(run.stat.WordFreq), (std::vector<std::string>{"cat =2", "the =2"}));
    EXPECT_EQ(Lines(run.stat.CollBoth), (std::vector<std::string>{"the_AT\t2\t1,0,"}));
    ExpectRows(run.Compute("BOTH", 1, 1), {{"the_AT", {2, 2}}});

    run.Load(false);
    run.Count("cat_NN", 1, 1, false);
    EXPECT_EQ(Lines(run.stat.TokenFreq), (std::vector<std::string>{"The_AT =1", "cat_NN =2", "the_AT =1"}));
    EXPECT_EQ(Lines(run.stat.CollBoth), (std::vector<std::string>{"The_AT\t1\t0,", "the_AT\t1\t1,"}));
    ExpectRows(run.Compute("BOTH", 1, 1), {{"The_AT", {1, 1}}, {"the_AT", {1, 1}}});

    // Three equal keys: the first and last swap places, so the first spelling of the file is kept.
    Collocation three;
    three.Write("The_AT the_AT THE_AT\n");
    three.Load(true);
    EXPECT_EQ(Lines(three.stat.TokenFreq), (std::vector<std::string>{"The_AT =3"}));
}

// Control bytes at a token's edge (binary or UTF-16 text) are trimmed from
// every list; the row of "cat" must count and list the hits of both tokens.
TEST(StatRun, ControlBytesAtATokenEdgeGiveOneRowWithItsOwnHits) {
    struct Case {
        const char* name;
        std::string splitters, text, node, collocate;
    };
    const std::vector<Case> cases = {
        {"tagged", "[_]", "a_A \x01" "cat_NN node_NN y_Y cat_NN\nz_Z node_NN cat_NN\x02 q_Q\n", "node_NN", "cat_NN"},
        {"raw", "", "a \x01" "cat node y cat\nz node cat\x02 q\n", "node", "cat"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Collocation run(c.splitters);
        run.Write(c.text);
        run.Load(false);
        run.Count(c.node, 3, 3, false);
        const TStatResultArr& rows = run.Compute("BOTH", 3, 3);
        int rowsOfCat = 0;
        for (const TStatResult& r : rows) rowsOfCat += r.Collocate == c.collocate;
        EXPECT_EQ(rowsOfCat, 1);
        const TStatResult* cat = Row(rows, c.collocate);
        ASSERT_NE(cat, nullptr);
        EXPECT_EQ(cat->Fc, 3);
        EXPECT_EQ(cat->Fnc, 3);
        EXPECT_EQ(run.stat.GetCollocateHits(c.collocate, Collocation::Param("BOTH")), "1,0,");
    }
}

TEST(StatRun, SpanEdges) {
    Collocation run;
    run.Write("the_AT cat_NN the_AT\nx=y_NN cat_NN x=y_NN x=y_NN\n");
    run.Load(false);
    run.Count("cat_NN", 1, 1, false);
    // Twice in one hit's span: counted twice, listed once.
    EXPECT_EQ(run.stat.GetCollocateHits("the_AT", Collocation::Param("BOTH")), "0,");
    // An "=" in the collocate does not hide its corpus frequency.
    ExpectRows(run.Compute("BOTH", 1, 1), {{"the_AT", {2, 2}}, {"x=y_NN", {3, 2}}});

    // A line whose collocate the corpus does not hold gets no row; the others still do.
    run.stat.CollBoth.Insert(0, "ghost_NN\t1\t0,");
    ExpectRows(run.Compute("BOTH", 1, 1), {{"the_AT", {2, 2}}, {"x=y_NN", {3, 2}}});

    run.Count("cat_NN", 0, 0, false);
    EXPECT_EQ(run.stat.CollBoth.Count(), 0);
    EXPECT_TRUE(run.Compute("BOTH", 0, 0).empty());
}

TEST(StatRun, SpansAboveSixteenAreCapped) {
    Collocation run;
    std::string line;
    for (int i = 0; i < 20; ++i) line += "w" + std::to_string(i) + "_X ";
    line += "cat_NN";
    for (int i = 0; i < 20; ++i) line += " v" + std::to_string(i) + "_X";
    run.Write(line + "\n");
    run.Load(false);
    run.Count("cat_NN", 16, 16, false);
    std::vector<std::string> capped = Lines(run.stat.CollBoth);
    run.Count("cat_NN", 20, 20, false);
    EXPECT_EQ(Lines(run.stat.CollBoth), capped);
    EXPECT_EQ(capped.size(), 32u);
    EXPECT_EQ(run.stat.GetCollocateHits("w4_X", Collocation::Param("BOTH")), "0,");
    EXPECT_EQ(run.stat.GetCollocateHits("w3_X", Collocation::Param("BOTH")), "");
    EXPECT_EQ(run.stat.GetCollocateHits("v15_X", Collocation::Param("BOTH")), "0,");
    EXPECT_EQ(run.stat.GetCollocateHits("v16_X", Collocation::Param("BOTH")), "");
    // The scores and the span shown are those of the span counted.
    const TStatResultArr counted = run.Compute("BOTH", 16, 16);
    const TStatResultArr& asked = run.Compute("BOTH", 20, 20);
    ASSERT_EQ(asked.size(), counted.size());
    EXPECT_EQ(run.stat.Freq.Span, 32);
    for (size_t i = 0; i < asked.size(); ++i) {
        SCOPED_TRACE(asked[i].Collocate);
        EXPECT_EQ(asked[i].Span, 32);
        EXPECT_EQ(asked[i].MI, counted[i].MI);
        EXPECT_EQ(asked[i].ZScore, counted[i].ZScore);
        EXPECT_EQ(asked[i].TScore, counted[i].TScore);
    }
}

TEST(StatRun, WordAndTagSplitAtTheFirstCharacterOfTheSeparatorClass) {
    const std::string text = "the_AT cat_NN sat_VV\nA_AT big_JJ cat_NN on_II the_AT mat_NN\n";
    Collocation underscore("[_]"), slash("[/]");
    underscore.Write(text);
    std::string slashed = text;
    std::replace(slashed.begin(), slashed.end(), '_', '/');
    slash.Write(slashed);
    for (Collocation* run : {&underscore, &slash}) {
        run->Load(false);
        run->Count(run == &slash ? "cat/NN" : "cat_NN", 2, 2, false);
    }
    for (const char* mode : {"WORD", "POS"}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(Lines(*slash.stat.CollocateList(mode)), Lines(*underscore.stat.CollocateList(mode)));
        const TStatResultArr expected = underscore.Compute(mode, 2, 2);
        const TStatResultArr& got = slash.Compute(mode, 2, 2);
        ASSERT_EQ(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].Collocate, expected[i].Collocate);
            EXPECT_EQ(got[i].Fc, expected[i].Fc);
            EXPECT_EQ(got[i].Fnc, expected[i].Fnc);
        }
    }
    EXPECT_EQ(Lines(slash.stat.WordFreq), Lines(underscore.stat.WordFreq));
    EXPECT_EQ(Lines(slash.stat.TagFreq), Lines(underscore.stat.TagFreq));
}

TEST(StatRun, MergeSumsCountsAndJoinsHitLists) {
    TStat stat;
    for (const char* line : {"a\t3\t5,2,", "c\t2\t1,", "b\t1\t7,"}) stat.CollBoth.Add(line);
    TStringList names;
    names.Add("a");
    names.Add("b");
    stat.MergeCollocates("ab", names, Collocation::Param("BOTH"));
    EXPECT_EQ(Lines(stat.CollBoth), (std::vector<std::string>{"c\t2\t1,", "ab\t4\t5,2,7,"}));
    EXPECT_EQ(stat.GetCollocateHits("ab", Collocation::Param("BOTH")), "5,2,7,");

    // Blank and unknown names contribute nothing.
    names.Clear();
    names.Add("");
    names.Add("zzz");
    names.Add("c");
    EXPECT_NO_THROW(stat.MergeCollocates("cz", names, Collocation::Param("BOTH")));
    EXPECT_EQ(Lines(stat.CollBoth), (std::vector<std::string>{"ab\t4\t5,2,7,", "cz\t2\t1,"}));
}

// Case variants met in one hit ("The ... the") count twice but show that
// concordance line once, as each collocate's own list holds every hit once.
TEST(StatRun, MergedCollocatesListEachSharedHitOnce) {
    TStat stat;
    for (const char* line : {"The\t2\t3,8,", "the\t4\t1,3,10,", "The_AT\t1\t8,"}) stat.CollBoth.Add(line);
    TStringList names;
    for (const char* name : {"The", "the", "The_AT"}) names.Add(name);
    stat.MergeCollocates("the", names, Collocation::Param("BOTH"));
    EXPECT_EQ(Lines(stat.CollBoth), (std::vector<std::string>{"the\t7\t3,8,1,10,"}));
}

namespace {

std::vector<std::vector<std::string>> RandomLines(unsigned seed, const std::vector<std::string>& vocabulary,
                                                  int lines) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<size_t> word(0, vocabulary.size() - 1);
    std::uniform_int_distribution<int> length(1, 14);
    std::vector<std::vector<std::string>> out(static_cast<size_t>(lines));
    for (auto& line : out)
        for (int n = length(rng); n > 0; --n) line.push_back(vocabulary[word(rng)]);
    return out;
}

std::string Text(const std::vector<std::vector<std::string>>& lines) {
    std::string text = "<text>\n";
    for (const auto& line : lines) {
        for (const auto& t : line) text += t + " ";
        text += "\n";
    }
    return text;
}

// Case variants, punctuation, an "=", bytes above 127, missing and repeated separators.
const std::vector<std::string> kVariants = {"The_AT", "the_AT", "THE_AT",  "tHe_AT",  "the_at",       "cat_NN",
                                            "Cat_NN", "CAT_nn", "cat,_NN", "dog._NN", "x=y_NN",       "_PUNC",
                                            "notag",  "a_b_c",  "A_B_C",   "[a]_X",   "\xC3\x89t\xC3\xA9_NN", "\xC3\xA9t\xC3\xA9_NN",
                                            "z_Z",    "Z_z",    "of_IO",   "Of_IO"};

void CountRunsInto(TStringList& source, TStringList& dest, bool ignoreCase) {
    dest.Clear();
    dest.SetCaseSensitive(!ignoreCase);
    TDisplay::CountRuns(source, dest, "A-Z", ignoreCase);
}

}  // namespace

// The frequency lists are counted over interned tokens; the string-list routine is the reference.
// Large enough that the replayed sort is split over threads, and small.
TEST(StatReference, FrequencyListsEqualCountRuns) {
    for (int lineCount : {60, 6000}) {
        auto lines = RandomLines(7, kVariants, lineCount);
        for (bool ignoreCase : {false, true}) {
            SCOPED_TRACE((ignoreCase ? "ignore case, " : "case-sensitive, ") + std::to_string(lineCount) + " lines");
            Collocation run;
            run.Write(Text(lines));
            run.stat.SetSplitters("[_]");
            run.stat.Clear();
            run.stat.LoadAndCount(run.files[0]);

            TStringList tokens, words, tags;
            int k = 0;
            for (const auto& line : lines)
                for (const auto& t : line) {
                    ASSERT_EQ(run.stat.Tokens.Strings(k++), " " + t + " ");
                    tokens.Add(" " + t + " ");
                }
            ASSERT_EQ(run.stat.Tokens.Count(), k);

            // A second pass with the other case setting starts from the order the first left behind.
            for (bool pass : {ignoreCase, !ignoreCase}) {
                words.Clear();
                tags.Clear();
                for (const auto& e : tokens.Items()) {
                    size_t p = e.find('_');
                    words.Add(p == std::string::npos ? std::string() : e.substr(0, p));
                    tags.Add(p == std::string::npos ? e : e.substr(p + 1));
                }
                TStringList tokenFreq, wordFreq, tagFreq;
                CountRunsInto(tokens, tokenFreq, pass);
                CountRunsInto(words, wordFreq, pass);
                CountRunsInto(tags, tagFreq, pass);

                run.stat.TokenFreq.Clear();
                run.stat.WordFreq.Clear();
                run.stat.TagFreq.Clear();
                run.stat.BuildFrequency(pass);
                EXPECT_EQ(Lines(run.stat.TokenFreq), Lines(tokenFreq));
                EXPECT_EQ(Lines(run.stat.WordFreq), Lines(wordFreq));
                EXPECT_EQ(Lines(run.stat.TagFreq), Lines(tagFreq));
                std::vector<std::string> sortedTokens;
                for (int i = 0; i < run.stat.Tokens.Count(); ++i) sortedTokens.push_back(run.stat.Tokens.Strings(i));
                EXPECT_EQ(sortedTokens, Lines(tokens));
            }
        }
    }
}

// A run that never shows the frequency lists counts without them; every row
// it computes must be what the run with the lists computes.
// A corpus of more than 65,536 tokens is counted run by run side by side.
TEST(StatReference, CountsWithoutTheListsGiveTheSameRows) {
    for (int lineCount : {70, 14000}) {
        auto lines = RandomLines(5, kVariants, lineCount);
        for (bool ignoreCase : {false, true}) {
            for (const char* mode : {"BOTH", "WORD", "POS"}) {
                SCOPED_TRACE(std::to_string(lineCount) + " lines, " + mode +
                             (ignoreCase ? ", ignore case" : ", case-sensitive"));
                std::vector<std::string> rows[2];
                for (bool lists : {true, false}) {
                    Collocation run;
                    run.Write(Text(lines));
                    run.stat.SetSplitters("[_]");
                    run.stat.LoadAndCount(run.files[0]);
                    run.stat.BuildFrequency(ignoreCase, lists);
                    EXPECT_EQ(run.stat.TokenFreq.Count() > 0, lists);
                    run.Count("cat_NN", 3, 3, ignoreCase, false);
                    for (const TStatResult& r : run.Compute(mode, 3, 3))
                        rows[lists].push_back(r.Collocate + " " + std::to_string(r.Fc) + " " + std::to_string(r.Fnc) +
                                              " " + std::to_string(static_cast<double>(r.LogLikelihood)));
                }
                EXPECT_FALSE(rows[1].empty());
                EXPECT_EQ(rows[0], rows[1]);
            }
        }
    }
}

TEST(StatReference, CooccurrenceListsEqualGroupHits) {
    const int left = 4, right = 3;
    Collocation run;
    run.Write(Text(RandomLines(11, kVariants, 80)));
    run.Load(false);
    run.Count("cat_NN", left, right, false, false);
    ASSERT_GT(run.query.Matrix.size(), 20u);  // hit numbers of two digits sort as text

    for (bool ignoreCase : {false, true}) {
        SCOPED_TRACE(ignoreCase ? "ignore case" : "case-sensitive");
        TStringList both, word, pos;
        for (size_t i = 0; i < run.query.Matrix.size(); ++i) {
            const TWordArray& row = run.query.Matrix[i];
            std::vector<std::string> span;
            for (int j = 0; j < left; ++j) span.emplace_back(row.LeftWords[j]);
            for (int j = 0; j < right; ++j) span.emplace_back(row.RightWords[j]);
            for (const std::string& t : span) {
                if (t.find('#') != std::string::npos) continue;
                std::string hit = "###" + std::to_string(i);
                size_t p = t.find('_');
                both.Add(t + hit);
                word.Add((p == std::string::npos ? std::string() : t.substr(0, p)) + hit);
                pos.Add((p == std::string::npos ? t : t.substr(p + 1)).substr(0, 255) + hit);
            }
        }
        THashedStringList refBoth, refWord, refPos;
        for (auto [source, dest] : {std::pair{&both, &refBoth}, {&word, &refWord}, {&pos, &refPos}}) {
            dest->SetCaseSensitive(!ignoreCase);
            TDisplay::GroupHits(*source, *dest, ignoreCase);
            dest->SetNameValueSeparator('\t');
            dest->Sort();
        }
        run.stat.ClearCounts();
        run.stat.CountCollocates(run.query.Matrix, left, right, ignoreCase);
        EXPECT_EQ(Lines(run.stat.CollBoth), Lines(refBoth));
        EXPECT_EQ(Lines(run.stat.CollWord), Lines(refWord));
        EXPECT_EQ(Lines(run.stat.CollPos), Lines(refPos));
    }
}

// A re-count keeps what the matrix alone decides; after the matrix or its
// table changes nothing kept may show, so every count is compared with one
// made by a TStat that never counted before.
TEST(StatReference, RecountsEqualAFirstCount) {
    Collocation first, second;
    first.Write(Text(RandomLines(13, kVariants, 60)));
    second.Write(Text(RandomLines(17, kVariants, 90)));
    first.Load(false);
    second.Load(false);
    auto expectFresh = [&](const TWordMatrix& matrix, int left, int right, bool ignoreCase) {
        SCOPED_TRACE(std::to_string(left) + "/" + std::to_string(right) + (ignoreCase ? " ignore case" : ""));
        TStat fresh;
        fresh.SetSplitters(first.splitters);
        fresh.CountCollocates(matrix, left, right, ignoreCase);
        first.stat.ClearCounts();
        first.stat.CountCollocates(matrix, left, right, ignoreCase);
        EXPECT_EQ(Lines(first.stat.CollBoth), Lines(fresh.CollBoth));
        EXPECT_EQ(Lines(first.stat.CollWord), Lines(fresh.CollWord));
        EXPECT_EQ(Lines(first.stat.CollPos), Lines(fresh.CollPos));
        EXPECT_EQ(first.stat.Freq.Fn, fresh.Freq.Fn);
    };
    const std::pair<int, int> spans[] = {{5, 5}, {3, 4}, {0, 2}, {5, 0}, {1, 1}};
    first.Count("cat_NN", 5, 5, true, false);
    ASSERT_GT(first.query.Matrix.size(), 20u);
    for (bool ignoreCase : {true, false, true})
        for (auto [left, right] : spans) expectFresh(first.query.Matrix, left, right, ignoreCase);
    // The same query searched again for another node: same table, other rows.
    first.Count("the_AT", 5, 5, true, false);
    for (auto [left, right] : spans) expectFresh(first.query.Matrix, left, right, true);
    first.query.Matrix.Truncate(first.query.Matrix.size() / 2);
    expectFresh(first.query.Matrix, 4, 4, true);
    // Another corpus's matrix, and then the first one's again.
    second.Count("of_IO", 5, 5, true, false);
    expectFresh(second.query.Matrix, 4, 3, true);
    expectFresh(first.query.Matrix, 4, 3, true);
    // The first query reading the second corpus: the same table, its texts new.
    first.files = second.files;
    first.Count("of_IO", 5, 5, true, false);
    expectFresh(first.query.Matrix, 4, 3, true);
    first.query.Matrix.clear();
    expectFresh(first.query.Matrix, 4, 3, true);
    // Two nodes whose contexts share no token: the second search's rows hold
    // ids the first one's never did.
    Collocation apart;
    apart.Write("a_X cat_NN b_X\nzz_Y the_AT yy_Y\n");
    for (const char* node : {"cat_NN", "the_AT", "cat_NN"}) {
        SCOPED_TRACE(node);
        apart.Count(node, 5, 5, true, false);
        ASSERT_EQ(apart.query.Matrix.size(), 1u);
        expectFresh(apart.query.Matrix, 2, 2, true);
    }
}

// Rows are made side by side; they still come one per co-occurrence line, in
// the list's order, with the line's own count.
TEST(StatReference, RowsFollowTheCooccurrenceList) {
    Collocation run;
    run.Write(Text(RandomLines(23, kVariants, 120)));
    run.Load(true);
    run.Count("of_IO", 5, 5, true, false);
    for (const char* mode : {"BOTH", "WORD", "POS"}) {
        SCOPED_TRACE(mode);
        const TStatResultArr& rows = run.Compute(mode, 5, 5);
        std::vector<std::pair<std::string, int>> want, got;
        for (const std::string& line : run.stat.CollocateList(mode)->Items()) {
            size_t listTab = line.rfind('\t'), countTab = line.rfind('\t', listTab - 1);
            want.emplace_back(Trim(line.substr(0, countTab)), std::stoi(line.substr(countTab + 1)));
        }
        for (const TStatResult& r : rows) got.emplace_back(r.Collocate, r.Fnc);
        ASSERT_GT(want.size(), 4u);
        EXPECT_EQ(got, want);
    }
}

// Counts taken straight from the token sequence: every node occurrence, its window, the measures by their formulas.
TEST(StatCrossCheck, RunAgreesWithBruteForceCounts) {
    const std::vector<std::string> vocabulary = {"cat_NN", "the_AT", "the_AT", "sat_VV", "on_II", "mat_NN",
                                                 "a_AT",   "dog_NN", "big_JJ", "big_JJ", "of_IO"};
    const int left = 3, right = 2, span = left + right;
    auto lines = RandomLines(3, vocabulary, 50);
    Collocation run;
    run.Write(Text(lines));
    run.Load(false);
    run.Count("cat_NN", left, right, false);
    const TStatResultArr& rows = run.Compute("BOTH", left, right);

    std::map<std::string, int> fc, fnc;
    std::map<std::string, std::set<int>> hitsOf;
    int n = 0, hits = 0;
    for (const auto& line : lines) {
        const int size = static_cast<int>(line.size());
        for (int k = 0; k < size; ++k) {
            ++n;
            ++fc[line[static_cast<size_t>(k)]];
            if (line[static_cast<size_t>(k)] != "cat_NN") continue;
            for (int d = -left; d <= right; ++d) {
                if (d == 0 || k + d < 0 || k + d >= size) continue;
                const std::string& c = line[static_cast<size_t>(k + d)];
                ++fnc[c];
                hitsOf[c].insert(hits);
            }
            ++hits;
        }
    }
    EXPECT_EQ(run.stat.Freq.N, n);
    EXPECT_EQ(run.stat.Freq.Fn, hits);
    ASSERT_EQ(rows.size(), fnc.size());

    auto positive = [](long double v) { return std::isfinite(v) && v > 0 ? v : 0.0L; };
    for (const auto& [c, f] : fnc) {
        SCOPED_TRACE(c);
        const TStatResult* r = Row(rows, c);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->Fc, fc[c]);
        EXPECT_EQ(r->Fnc, f);
        // The list is sorted by the hit numbers as text, newest first.
        std::vector<std::string> ids;
        for (int h : hitsOf[c]) ids.push_back(std::to_string(h));
        std::sort(ids.rbegin(), ids.rend());
        std::string list;
        for (const auto& id : ids) list += id + ",";
        EXPECT_EQ(run.stat.GetCollocateHits(c, Collocation::Param("BOTH")), list);

        long double N = n, fn = hits, fcc = fc[c], a = f;
        long double mi = positive(std::log2(a * N / (fn * fcc * span)));
        long double mi3 = positive(std::log2(a * a * a * N / (fn * fcc * span)));
        long double p = fcc / (N - fn), e = fn * p * span;
        long double z = positive((a - e) / std::sqrt((1 - p) * e));
        long double t = positive((a - span * fn * fcc / N) / std::sqrt(a));
        long double logLog = mi > 0 ? positive(std::log2(mi) * std::log2(a)) : 0;
        long double b = fn - a, cc = fcc - a, d = N - fn - fcc;
        auto xlnx = [](long double x) { return x * std::log(x); };
        long double ll = b > 0 && cc > 0 && d > 0
                             ? positive(2 * (xlnx(a) + xlnx(b) + xlnx(cc) + xlnx(d) - xlnx(fn) - xlnx(fcc) -
                                             xlnx(N - fcc - a) - xlnx(N - fn - a) + xlnx(N - a)))
                             : 0;
        // Stored scores are rounded to four decimals.
        EXPECT_NEAR(r->MI, mi, 6e-5L);
        EXPECT_NEAR(r->MI3, mi3, 6e-5L);
        EXPECT_NEAR(r->ZScore, z, 6e-5L);
        EXPECT_NEAR(r->TScore, t, 6e-5L);
        EXPECT_NEAR(r->LogLog, logLog, 6e-5L);
        EXPECT_NEAR(r->LogLikelihood, ll, 6e-5L);
    }
}

// Padding at the line ends must vanish from every display mode and never be
// counted, whatever character separates a word from its tag.
TEST(StatRun, PaddingVanishesAndIsNeverCountedWithEverySeparator) {
    const std::string text = "the_AT cat_NN sat_VV\n";
    struct Case {
        const char* splitters;
        char separator;
    };
    const std::vector<Case> cases = {
        {"[_]", '_'}, {"[/]", '/'}, {"[|]", '|'}, {"[\\-]", '-'}, {"[/_]", '/'}, {"[\\\\]", '\\'}, {"[.]", '.'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.splitters);
        std::string tagged = text;
        std::replace(tagged.begin(), tagged.end(), '_', c.separator);
        Collocation run(c.splitters);
        run.Write(tagged);
        run.Load(false);
        // The node at both ends of the line: all its context beyond the line is padding.
        for (const std::string node : {"the\\SAT", "sat\\SVV"}) {
            SCOPED_TRACE(node);
            run.Count(node, 5, 5, false);
            ASSERT_EQ(run.query.Hits.size(), 1u);
            const TResultStr& hit = run.query.Hits[0];
            // The context beyond the line end holds nothing but padding.
            const std::string& outside = node.starts_with("the") ? hit.Left : hit.Right;
            for (const char* mode : {"WORD", "POS", "BOTH"}) {
                SCOPED_TRACE(mode);
                EXPECT_EQ(TDisplay::FormatToken(outside, c.splitters, mode), "");
            }
            for (const char* mode : {"WORD", "POS", "BOTH"}) {
                SCOPED_TRACE(mode);
                for (const TStatResult& row : run.Compute(mode, 5, 5))
                    EXPECT_EQ(row.Collocate.find('#'), std::string::npos) << row.Collocate;
            }
        }
        // Two real collocates either way, never padding.
        EXPECT_EQ(run.Compute("BOTH", 5, 5).size(), 2u);
    }
}

// A node's hits and its corpus count describe the same tokens: a control byte
// at a word's edge is no part of the word for either, and a token of control
// bytes alone is no token at all, neither counted in N nor a context word.
TEST(StatRun, ControlBytesTouchingAWordLeaveItsHitsAndCountsAlike) {
    using namespace std::string_literals;
    struct Case {
        const char* name;
        std::string splitters, text, node, before, after;
    };
    const std::vector<Case> cases = {
        {"raw", "", "one time\0 two\nthree \x01 time four\n"s, "time", "three", "four"},
        {"tagged", "[_]", "one_A time_N\0 two_B\nthree_C \x01 time_N four_D\n"s, "time_N", "three_C",
         "four_D"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Collocation run(c.splitters);
        run.Write(c.text);
        run.Load(false);
        EXPECT_EQ(run.stat.Freq.N, 6);
        run.Count(c.node, 1, 1, false);
        ASSERT_EQ(run.query.Hits.size(), 2u);
        // The context words next to the node are the words of the text.
        EXPECT_TRUE(run.query.Hits[1].Left.ends_with(" " + c.before)) << run.query.Hits[1].Left;
        EXPECT_TRUE(run.query.Hits[1].Right.starts_with(c.after + " ")) << run.query.Hits[1].Right;
        const TStatResultArr& rows = run.Compute("BOTH", 1, 1);
        EXPECT_EQ(rows.size(), 4u);
        for (const TStatResult& row : rows) {
            SCOPED_TRACE(row.Collocate);
            EXPECT_EQ(row.Fn, 2);
            EXPECT_EQ(row.Fc, 1);
            EXPECT_EQ(row.Fnc, 1);
        }
    }
}

// A node that can match "#" is counted where the text holds it, never in the
// padding around a line: f(n) is the number of tokens, not of tokens and pads.
TEST(StatRun, ANodeMatchingAnyTokenHasOneHitPerToken) {
    for (const std::string splitters : {"", "[_]"}) {
        SCOPED_TRACE(splitters);
        Collocation run(splitters);
        run.Write(splitters.empty() ? "a b c\nd e\n" : "a_A b_B c_C\nd_D e_E\n");
        run.Load(false);
        for (const char* node : {"\\S+", "[^ ]+"}) {
            SCOPED_TRACE(node);
            run.Count(node, 2, 2, false);
            EXPECT_EQ(run.stat.Freq.Fn, run.stat.Freq.N);
            EXPECT_EQ(run.query.Hits.size(), 5u);
        }
    }
}

// Text that is not UTF-8 is read as code page 936: a Latin-1 or CP1252
// letter before punctuation is no lead byte of a character there, so the
// punctuation is split off and the word, as read, is counted and found as
// one, as in UTF-8 text; code page 936 punctuation still splits.
TEST(StatRun, WordsBeforePunctuationCountAsOneInEveryEncoding) {
    struct Case {
        const char* name;
        std::string text, word;
    };
    const std::vector<Case> cases = {
        {"Latin-1", "we met at a caf\xE9, then at a caf\xE9 again\n", "caf\xE9"},
        {"CP1252 quotes", "he said \x93no\x94. and \x93no\x94 again\n", "\x93no\x94"},
        {"UTF-8", "we met at a caf\xC3\xA9, then at a caf\xC3\xA9 again\n", "caf\xC3\xA9"},
        {"GBK", "\xC4\xE3\xA3\xAC\xC4\xE3\n", "\xC4\xE3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Collocation run("");
        run.Write(c.text);
        run.Load(false);
        const std::vector<std::string> lines = Lines(run.stat.TokenFreq);
        EXPECT_NE(std::find(lines.begin(), lines.end(), ToUtf8(c.word) + " =2"), lines.end());
        run.Count(ToUtf8(c.word), 1, 1, false);
        EXPECT_EQ(run.query.Hits.size(), 2u);
    }
}

// Word and tag part at the first separator that starts a character: in
// code page 936 text "_" (0x5F) may be the trail byte of a character.
TEST(StatRun, WordAndTagPartAtACharacterBoundary) {
    struct Case {
        const char* name;
        std::string token, word, tag;
    };
    const std::vector<Case> cases = {
        {"GBK, trail byte 0x5F", "\x81\x5F_n", "\x81\x5F", "n"},
        {"GBK, trail byte 0x5F inside", "\xC4\x5F\xB0\xA1_v", "\xC4\x5F\xB0\xA1", "v"},
        {"GBK, plain", "\xC4\xE3_r", "\xC4\xE3", "r"},
        // Read as code page 936, a Latin-1 letter takes the separator after it
        // as its trail byte: the token has no separator left.
        {"Latin-1", "caf\xE9_NN", "", "caf\xE9_NN"},
        {"Latin-1 inside", "na\xEFve_JJ", "na\xEFve", "JJ"},
        {"CP1252", "\x93no\x94_UH", "", "\x93no\x94_UH"},
        {"UTF-8", "caf\xC3\xA9_NN", "caf\xC3\xA9", "NN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Collocation run("[_]");
        run.Write("x_X " + c.token + " y_Y\n");
        run.Load(false);
        run.Count("x_X", 0, 1, false);
        for (const auto& [mode, collocate] : {std::pair<std::string, std::string>{"WORD", c.word}, {"POS", c.tag}}) {
            SCOPED_TRACE(mode);
            const TStatResultArr& rows = run.Compute(mode, 0, 1);
            ASSERT_EQ(rows.size(), 1u);
            EXPECT_EQ(rows[0].Collocate, ToUtf8(collocate));
            EXPECT_EQ(rows[0].Fc, 1);
        }
    }
}

namespace {

// The hits of node over the files as the windows search them: all files
// side by side, cut into small pieces.
TArrResultStr SearchSideBySide(const std::vector<std::string>& files, const std::string& splitters,
                               const std::string& node, int left, int right, std::vector<std::string>* leftOut = nullptr,
                               uint64_t pieceBytes = 16) {
    TQuery query;
    query.SearchPieceBytes = pieceBytes;
    int progress = 0;
    query.SearchFiles(files, splitters, node, false, left, right, progress, true);
    if (leftOut) *leftOut = query.LeftOutFiles;
    return query.Hits.ToArray();
}

}  // namespace

// Counting parts a line at every run of white space; the search must step over
// the same runs, or the words around them lose their hits while N counts them.
// The contexts read with single blanks whatever the run was.
TEST(StatRun, EveryRunOfWhiteSpaceSeparatesWordsForSearchAndCount) {
    const std::vector<std::pair<const char*, std::string>> runs = {
        {"two blanks", "  "},      {"nine blanks", std::string(9, ' ')}, {"one TAB", "\t"},
        {"two TABs", "\t\t"},      {"form feed", " \f "},                 {"form feed alone", "\f"},
        {"vertical tab", "\v"},    {"mixed", " \t\v\f  \t"},
    };
    const std::vector<std::string> words = {"the", "cat", "sat", "on", "the", "mat"};
    for (const bool tagged : {false, true}) {
        const std::string splitters = tagged ? "[_]" : "";
        const std::string node = tagged ? TDisplay::ConvertQuery("sat", splitters, true) : "sat";
        auto line = [&](const std::string& separator) {
            std::string text;
            for (size_t k = 0; k < words.size(); ++k)
                text += (k ? separator : "") + words[k] + (tagged ? "_" + std::string(k == 2 ? "VB" : "NN") : "");
            return text;
        };
        for (const auto& [name, run] : runs) {
            SCOPED_TRACE(std::string(tagged ? "tagged, " : "raw, ") + name);
            Collocation collocation(splitters);
            collocation.Write(line(" ") + "\n" + line(run) + "\n");
            collocation.Load(false);
            EXPECT_EQ(collocation.stat.Freq.N, 12);
            collocation.Count(node, 2, 2, false);
            EXPECT_EQ(collocation.stat.Freq.Fn, 2);
            const TArrResultStr hits = collocation.query.Hits.ToArray();
            EXPECT_EQ(hits.size(), 2u);
            if (hits.size() != 2u) continue;
            // Both lines read alike, the spaced one with single blanks.
            EXPECT_EQ(hits[1].Left, hits[0].Left);
            EXPECT_EQ(hits[1].Right, hits[0].Right);
            EXPECT_TRUE(hits[0].Left.ends_with(tagged ? "## the_NN cat_NN" : "## the cat")) << hits[0].Left;
            const TStatResult* cat = Row(collocation.Compute("BOTH", 2, 2), tagged ? "cat_NN" : "cat");
            EXPECT_EQ(cat ? cat->Fnc : 0, 2);
            // Searched side by side the files give the same hits.
            const TArrResultStr together = SearchSideBySide(collocation.files, splitters, node, 5, 5);
            EXPECT_EQ(together.size(), hits.size());
            if (together.size() == hits.size()) {
                EXPECT_EQ(together[1].Right, hits[1].Right);
            }
            // Every token counted is found, and found once.
            collocation.Count("\\S+", 1, 1, false);
            EXPECT_EQ(collocation.stat.Freq.Fn, collocation.stat.Freq.N);
        }
    }
}

// A UTF-8 byte-order mark is no part of a file's first word, for counting and
// search alike; text that only looks like the mark's start, a mark later in
// the file, and Latin-1 or UTF-8 text without one stay as they are.
TEST(StatRun, AByteOrderMarkStartingAFileIsNoText) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        const char* name;
        std::string splitters, text, word;
        int count;
    };
    const std::vector<Case> cases = {
        {"raw", "", bom + "orchard trees\nan orchard here\n", "orchard", 2},
        {"tagged", "[_]", bom + "orchard_NN trees_NN\r\nan_DT orchard_NN\r\n", "orchard_NN", 2},
        {"before markup", "", bom + "<doc> orchard\nan orchard here\n", "orchard", 1},
        {"later in the file", "", "an orchard\n" + bom + "orchard here\n", bom + "orchard", 1},
        {"Latin-1 text starting like the mark", "", "\xEF\xBBx orchard\n", ToUtf8("\xEF\xBBx"), 1},
        {"UTF-8 text without the mark", "[_]", "\xC3\xA9t\xC3\xA9_NN orchard_NN\n", "\xC3\xA9t\xC3\xA9_NN", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Collocation collocation(c.splitters);
        collocation.Write(c.text);
        collocation.Load(false);
        const std::vector<std::string> lines = Lines(collocation.stat.TokenFreq);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.word + " =" + std::to_string(c.count)), lines.end())
            << ::testing::PrintToString(lines);
        const std::string node = "(?<!\\S)" + c.word + "(?!\\S)";
        collocation.Count(node, 1, 1, false);
        EXPECT_EQ(collocation.stat.Freq.Fn, c.count);
        EXPECT_EQ(static_cast<int>(SearchSideBySide(collocation.files, c.splitters, node, 1, 1).size()), c.count);
    }
}

// A file that starts with a UTF-16 byte-order mark holds no 8-bit words: it is
// left out of counting and search, also when large enough to be cut into
// pieces, and named, while the other files count as before. Latin-1 text
// starting with one of the mark's bytes is kept.
TEST(StatRun, AUtf16FileIsLeftOutAndNamed) {
    Collocation run("");
    std::string longText;
    for (int k = 0; k < 200; ++k) longText += "the cat sat on the mat\r\n";
    run.Write("the cat sat\n");
    run.Write(Utf16("the cat sat on the mat\r\n", false));
    run.Write(Utf16(longText, true));
    run.Write("\xFF" "cat sat\n");
    run.Write("\xFE" "cat sat\n");
    const std::vector<std::string> named = {"c1.txt", "c2.txt"};
    for (int threads : {1, 4}) {
        SCOPED_TRACE(threads);
        SetEngineThreads(threads);
        run.stat.LoadPieceBytes = 64;
        run.Load(false);
        EXPECT_EQ(run.stat.Freq.N, 7);
        EXPECT_EQ(run.stat.LeftOutFiles, named);
        run.Count("cat", 1, 1, false);
        EXPECT_EQ(run.query.Hits.size(), 1u);
        EXPECT_EQ(run.query.LeftOutFiles, named);
        std::vector<std::string> leftOut;
        EXPECT_EQ(SearchSideBySide(run.files, "", "sat", 1, 1, &leftOut).size(), 3u);
        EXPECT_EQ(leftOut, named);
        SetEngineThreads(0);
    }
    // A new load or search forgets the files left out before.
    run.stat.Clear();
    run.query.Clear();
    EXPECT_TRUE(run.stat.LeftOutFiles.empty());
    EXPECT_TRUE(run.query.LeftOutFiles.empty());
}

// A code page 936 corpus and its UTF-8 twin count and search alike, and a
// folder holding both counts each word once: a node typed as UTF-8 finds its
// characters in either, words whose code page 936 bytes are also valid UTF-8
// (为, 系统, 鲁迅) are read as themselves, and case is folded on ASCII
// letters only, never on a character's second byte (夾 8A 41 and 奱 8A 61,
// 說 D5 66 and 誇 D5 46 stay apart).
TEST(StatRun, CodePage936AndUtf8TwinsCountAlike) {
    // The first line's code page 936 bytes alone are valid UTF-8: the file is
    // read as one, also when cut into pieces.
    const std::string utf8 = "为 系统\nx 的 人 y 为 系统\n鲁迅 的 人 夾 說\nz 的 人 夾 誇 奱 Dog dog\n";
    const std::string gbk = "\xCE\xAA \xCF\xB5\xCD\xB3\nx \xB5\xC4 \xC8\xCB y \xCE\xAA \xCF\xB5\xCD\xB3\n"
                            "\xC2\xB3\xD1\xB8 \xB5\xC4 \xC8\xCB \x8A\x41 \xD5\x66\n"
                            "z \xB5\xC4 \xC8\xCB \x8A\x41 \xD5\x46 \x8A\x61 Dog dog\n";
    ASSERT_EQ(CodePage936ToUtf8(gbk), utf8);
    using Scores = std::tuple<std::string, int, int, long double>;
    std::map<std::string, std::vector<Scores>> results;
    for (const auto& [name, texts] : std::map<std::string, std::vector<std::string>>{
             {"code page 936", {gbk}}, {"UTF-8", {utf8}}, {"both", {gbk, utf8}}}) {
        SCOPED_TRACE(name);
        const int copies = static_cast<int>(texts.size());
        Collocation run("");
        for (const std::string& text : texts) run.Write(text);
        run.stat.LoadPieceBytes = 8;
        run.Load(true);
        const std::vector<std::string> lines = Lines(run.stat.TokenFreq);
        for (const std::string line : {"夾 =2", "奱 =1", "說 =1", "誇 =1", "为 =2", "系统 =2"}) {
            const std::string expected = line.substr(0, line.find('=') + 1) + std::to_string(copies * (line.back() - '0'));
            EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
        }
        run.Count("的", 2, 2, true, false);
        EXPECT_EQ(run.query.Hits.size(), 3u * copies);
        EXPECT_EQ(SearchSideBySide(run.files, "", "为", 1, 1).size(), 2u * copies);
        for (auto& r : run.Compute("BOTH", 2, 2)) results[name].emplace_back(r.Collocate, r.Fc, r.Fnc, r.MI);
        const TStatResultArr& rows = run.stat.Results;
        ASSERT_NE(Row(rows, "人"), nullptr);
        EXPECT_EQ(Row(rows, "人")->Fnc, 3 * copies);
        ASSERT_NE(Row(rows, "夾"), nullptr);
        EXPECT_EQ(Row(rows, "夾")->Fc, 2 * copies);
        EXPECT_EQ(Row(rows, "鲁迅")->Fnc, copies);
    }
    EXPECT_EQ(results["code page 936"], results["UTF-8"]);
}

// A large UTF-8 file cut into pieces is judged a block at a time: characters
// that straddle the blocks keep it UTF-8, while one code page 936 byte pair
// at its very end makes all of it code page 936.
TEST(StatRun, ALargeFileIsJudgedWholeWhenCutIntoPieces) {
    for (const bool tail : {false, true}) {
        SCOPED_TRACE(tail ? "code page 936 at the end" : "UTF-8 throughout");
        std::string text;
        for (int i = 0; i < 200000; ++i) text += "中文 ab\n";  // a character straddles the 256 KiB blocks
        if (tail) text += "\xB5\xC4\n";
        Collocation run("");
        run.Write(text);
        run.stat.LoadPieceBytes = 600000;
        run.Load(false);
        const std::vector<std::string> lines = Lines(run.stat.TokenFreq);
        const std::string word = tail ? CodePage936ToUtf8("中文") : "中文";
        EXPECT_NE(std::find(lines.begin(), lines.end(), word + " =200000"), lines.end());
        EXPECT_EQ(SearchSideBySide(run.files, "", tail ? "的" : "中文", 0, 0, nullptr, 600000).size(),
                  tail ? 1u : 200000u);
    }
}

// A typed Literal or POS node parts its words at any run of white space, as
// a corpus line does; the ideographic space is one such blank.
TEST(StatRun, TypedNodesReadEveryRunOfBlanksAsOne) {
    Collocation run("[_]");
    run.Write("the_DT cat_NN sat_VV on_IN the_DT mat_NN\n");
    run.Load(false);
    const std::vector<std::pair<std::string, bool>> nodes = {
        {"sat  on", true}, {" sat \t on ", true}, {"sat\xE3\x80\x80on", true}, {"VV  IN", false}, {"VV \t IN", false}};
    for (const auto& [typed, literal] : nodes) {
        SCOPED_TRACE(typed);
        const std::string single = literal ? "sat on" : "VV IN";
        EXPECT_EQ(TDisplay::ConvertQuery(typed, run.splitters, literal),
                  TDisplay::ConvertQuery(single, run.splitters, literal));
        run.Count(TDisplay::ConvertQuery(typed, run.splitters, literal), 1, 1, false);
        EXPECT_EQ(run.stat.Freq.Fn, 1);
    }
}

// Only the words that pad a line's edges are kept from the collocates: a
// token holding "#" is a collocate like any other, in raw and tagged text.
TEST(StatRun, TokensHoldingHashAreCollocatesWhilePaddingIsNot) {
    for (const std::string separator : {"", "_", "/"}) {
        SCOPED_TRACE("separator " + separator);
        const bool tagged = !separator.empty();
        auto tag = [&](const std::string& word, const char* t) { return tagged ? word + separator + t : word; };
        Collocation run(tagged ? "[" + separator + "]" : "");
        run.Write(tag("#", "SYM") + " " + tag("apt-get", "NN") + " " + tag("install", "VV") + "\n" + tag("I", "PP") +
                  " " + tag("love", "VV") + " " + tag("C#", "NN") + " " + tag("and", "CC") + " " +
                  tag("#linguistics", "NN") + "\n" + tag("#", "SYM") + "\n");
        run.Load(false);
        run.Count(tag("apt-get", "NN"), 3, 3, false);
        const TStatResultArr& rows = run.Compute("BOTH", 3, 3);
        std::set<std::string> names;
        for (const auto& r : rows) names.insert(r.Collocate);
        EXPECT_EQ(names, (std::set<std::string>{tag("#", "SYM"), tag("install", "VV")}));
        const TStatResult* hash = Row(rows, tag("#", "SYM"));
        ASSERT_NE(hash, nullptr);
        EXPECT_EQ(hash->Fnc, 1);
        EXPECT_EQ(hash->Fc, 2);
        run.Count(tag("and", "CC"), 1, 1, false);
        names.clear();
        for (const auto& r : run.Compute(tagged ? "WORD" : "BOTH", 1, 1)) names.insert(r.Collocate);
        EXPECT_EQ(names, (std::set<std::string>{"C#", "#linguistics"}));
    }
}

// The ideographic space (A1 A1 in code page 936) parts words and is trimmed
// as an indent; in code page 936 only where it is one character, and in
// UTF-8 only the space itself, not 、 whose bytes begin alike.
TEST(StatRun, TheIdeographicSpaceIsABlankInEitherEncoding) {
    const std::map<std::string, std::string> files = {
        {"code page 936", "\xA1\xA1\xA1\xA1\xBF\xAA\xCA\xBC_v\xA1\xA1\xBD\xE1\xCA\xF8_v \xB0\xA1\xA1\xA2_w\n"},
        {"UTF-8", "　　开始_v　结束_v 啊、_w\n"}};
    for (const auto& [encoding, text] : files) {
        SCOPED_TRACE(encoding);
        Collocation run("[_]");
        run.Write(text);
        run.Load(false);
        EXPECT_EQ(run.stat.Freq.N, 3);
        run.Count("开始_v", 0, 2, false);
        EXPECT_EQ(run.stat.Freq.Fn, 1);
        std::set<std::string> names;
        for (const auto& r : run.Compute("BOTH", 0, 2)) names.insert(r.Collocate);
        EXPECT_EQ(names, (std::set<std::string>{"结束_v", "啊、_w"}));
        const TArrResultStr hits = run.query.Hits.ToArray();
        ASSERT_EQ(hits.size(), 1u);
        EXPECT_TRUE(hits[0].Right.starts_with("结束_v 啊、_w")) << hits[0].Right;
    }
}
