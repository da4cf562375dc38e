#include <gtest/gtest.h>

#include <ctime>
#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Query.h"
#include "platform/core/RegExpr.h"
#include "platform/core/SysUtils.h"

namespace {

using Lines = std::vector<std::string>;

void Fill(TStringList& list, const Lines& items) {
    list.Clear();
    for (const auto& s : items) list.Add(s);
}

// Clusters as the expression (\s(\S+)){n} finds them over the text framed by
// blanks, each search starting one character after the last match's start.
Lines ReferenceClusters(const std::string& text, int n) {
    Lines clusters;
    TRegExpr re("(\\s(\\S+)){" + std::to_string(n) + "}");
    for (bool found = re.Exec(" " + text + " "); found; found = re.ExecPos(re.MatchPos(0) + 1))
        clusters.push_back(" " + Trim(re.Match(0)) + " ");
    return clusters;
}

Lines Clusters(const std::string& text, int n) {
    TStringList list;
    TDisplay::ExtractClusters(text, n, list);
    return list.Items();
}

}  // namespace

TEST(ExtractClusters, EveryTokenStartsOneClusterOfJoinedTokens) {
    struct Case {
        std::string text;
        int n;
        Lines clusters;
    };
    const std::vector<Case> cases = {
        {"a b c", 2, {" a b ", " b c "}},
        {"a b c", 1, {" a ", " b ", " c "}},
        {"a b c", 3, {" a b c "}},
        {"a b", 3, {}},
        {"a  b c", 2, {" b c "}},  // two blanks break a cluster
        {"  a b  ", 2, {" a b "}},
        {"a\tb", 2, {" a\tb "}},  // any single white-space character joins
        {"", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + std::to_string(c.n));
        EXPECT_EQ(Clusters(c.text, c.n), c.clusters);
    }
}

TEST(ExtractClusters, MatchesTheRegularExpressionSearch) {
    const Lines texts = {
        "the cat sat on the mat",
        "  lead  and   trail  ",
        "tab\tand\r\nline\vends\fmixed in",
        "\xC4\xE3\xBA\xC3 \xCA\xC0\xBD\xE7 , ok .",
        "one",
        "a b  c d   e f g",
    };
    for (const auto& text : texts)
        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(text + " / " + std::to_string(n));
            EXPECT_EQ(Clusters(text, n), ReferenceClusters(text, n));
        }
}

TEST(ExtractClusters, AddsToWhatTheListHolds) {
    TStringList list;
    list.Add("kept");
    TDisplay::ExtractClusters("x", 1, list);
    EXPECT_EQ(list.Items(), (Lines{"kept", " x "}));
}

TEST(CountRuns, CountsEqualTrimmedEntriesInTheAskedOrder) {
    TStringList source, dest;
    Fill(source, {"b", "c", " a", "c ", "b", "c"});
    TDisplay::CountRuns(source, dest, "Freq.", false);
    EXPECT_EQ(dest.Items(), (Lines{"c =3", "b =2", "a =1"}));
    EXPECT_EQ(source.Count(), 6);  // no sentinel left behind

    Fill(source, {"b", "c", " a", "c ", "b", "c"});
    dest.Clear();
    dest.SetNameValueSeparator('\t');
    TDisplay::CountRuns(source, dest, "Alpha", false);
    EXPECT_EQ(dest.Items(), (Lines{"a \t1", "b \t2", "c \t3"}));

    // Numbers compare as numbers.
    Lines many(10, "x");
    many.push_back("y");
    many.push_back("y");
    Fill(source, many);
    dest.Clear();
    TDisplay::CountRuns(source, dest, "Freq.", false);
    EXPECT_EQ(dest.Items(), (Lines{"x \t10", "y \t2"}));
}

TEST(CountRuns, CaseSensitivityDecidesWhatIsOneItem) {
    TStringList source, dest;
    Fill(source, {"the", "The", "a", "THE"});
    TDisplay::CountRuns(source, dest, "Freq.", false);
    ASSERT_EQ(dest.Count(), 4);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(dest[k].substr(dest[k].size() - 3), " =1");

    // Ignoring case, the run is written as its last entry in the sorted source.
    dest.Clear();
    TDisplay::CountRuns(source, dest, "Freq.", true);
    ASSERT_EQ(source.Count(), 4);
    int last = -1;
    for (int k = 0; k < source.Count(); ++k)
        if (SameText(source[k], "the")) last = k;
    ASSERT_EQ(last, 3);  // the sorted source ends with the run
    EXPECT_EQ(dest.Items(), (Lines{source[last] + " =3", "a =1"}));
}

TEST(CountRuns, EmptyEntriesFormARunOfTheirOwn) {
    TStringList source, dest;
    Fill(source, {"", "  "});
    TDisplay::CountRuns(source, dest, "Freq.", false);
    EXPECT_EQ(dest.Items(), (Lines{" =2"}));

    Fill(source, {"x", " ", ""});
    dest.Clear();
    TDisplay::CountRuns(source, dest, "Alpha", false);
    EXPECT_EQ(dest.Items(), (Lines{" =2", "x =1"}));

    // An empty source leaves the destination as it was, unsorted.
    Fill(source, {});
    Fill(dest, {"z =1", "a =9"});
    TDisplay::CountRuns(source, dest, "Alpha", false);
    EXPECT_EQ(dest.Items(), (Lines{"z =1", "a =9"}));
}

TEST(BuildCrossList, GroupsByWordWithCountedTags) {
    TStringList source, dest;
    dest.SetNameValueSeparator('\t');
    Fill(source, {"make_VV", "make_NN", "make_VV"});
    TDisplay::BuildCrossList(source, dest, true, "Freq.", "Alpha", false);
    EXPECT_EQ(dest.Items(), (Lines{"make \t3\tNN (1) \tVV (2)"}));
    EXPECT_EQ(source.Count(), 3);

    Fill(source, {"make_VV", "make_NN", "make_VV"});
    dest.Clear();
    TDisplay::BuildCrossList(source, dest, true, "Freq.", "Freq.", false);
    EXPECT_EQ(dest.Items(), (Lines{"make \t3\tVV (2) \tNN (1)"}));

    const Lines corpus = {"zoo_NN", "ant_NN", "zoo_NN", "zoo_VV"};
    Fill(source, corpus);
    dest.Clear();
    TDisplay::BuildCrossList(source, dest, true, "Freq.", "Freq.", false);
    EXPECT_EQ(dest.Items(), (Lines{"zoo \t3\tNN (2) \tVV (1)", "ant \t1\tNN (1)"}));

    Fill(source, corpus);
    dest.Clear();
    TDisplay::BuildCrossList(source, dest, true, "Alpha", "Freq.", false);
    EXPECT_EQ(dest.Items(), (Lines{"ant \t1\tNN (1)", "zoo \t3\tNN (2) \tVV (1)"}));
}

TEST(BuildCrossList, GroupsByTagWithCountedWords) {
    const Lines corpus = {"run_VV", "dog_NN", "make_VV", "take_VV", "make_VV"};
    TStringList source, dest;
    dest.SetNameValueSeparator('\t');
    Fill(source, corpus);
    TDisplay::BuildCrossList(source, dest, false, "Freq.", "Alpha", false);
    EXPECT_EQ(dest.Items(), (Lines{"VV \t4\tmake (2) \trun (1) \ttake (1)", "NN \t1\tdog (1)"}));

    Fill(source, corpus);
    dest.Clear();
    TDisplay::BuildCrossList(source, dest, false, "Alpha", "Freq.", false);
    ASSERT_EQ(dest.Count(), 2);
    EXPECT_EQ(dest[0], "NN \t1\tdog (1)");
    EXPECT_EQ(dest[1].substr(0, 15), "VV \t4\tmake (2) ");
}

TEST(BuildCrossList, IgnoringCaseMergesKeysAndSubItems) {
    TStringList source, dest;
    dest.SetNameValueSeparator('\t');
    Fill(source, {"Make_VV", "make_vv", "make_NN"});
    TDisplay::BuildCrossList(source, dest, true, "Alpha", "Alpha", true);
    ASSERT_EQ(dest.Count(), 1);
    EXPECT_EQ(LowerCase(dest[0]), "make \t3\tnn (1) \tvv (2)");
}

// Word and tag part where counting parts them: a "_" that is the trail byte
// of a code page 936 character stays with its character, while in Latin-1
// and UTF-8 text the letter before a separator stays a letter.
TEST(FormatToken, PartsWordAndTagAtACharacterBoundary) {
    struct Case {
        std::string text, mode, expected;
    };
    const std::vector<Case> cases = {
        {"x_X \x81\x5F_n \xC4\x5F\xB0\xA1_v", "WORD", "x \x81\x5F \xC4\x5F\xB0\xA1"},
        {"x_X \x81\x5F_n \xC4\x5F\xB0\xA1_v", "POS", "X n v"},
        {"x_X \x81\x5F_n \xC4\x5F\xB0\xA1_v", "BOTH", "x_X \x81\x5F_n \xC4\x5F\xB0\xA1_v"},
        {"a\x01_A \x81\x5F_n", "WORD", "a\x01 \x81\x5F"},
        {"caf\xE9_NN na\xEFve_JJ", "WORD", "caf\xE9 na\xEFve"},
        {"caf\xE9_NN na\xEFve_JJ", "POS", "NN JJ"},
        {"caf\xC3\xA9_NN", "WORD", "caf\xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.mode);
        EXPECT_EQ(TDisplay::FormatToken(c.text, "[_]", c.mode), c.expected);
    }
}

// Separators become "_" only where counting parts word and tag: never at
// the trail byte of a code page 936 character, unless the token has no other
// separator and is read byte by byte, as Latin-1 text is; other text has
// every separator replaced, case ignored.
TEST(ReplaceSeparators, ReplacesWhereCountingParts) {
    struct Case {
        std::string text, splitters, expected;
    };
    const std::vector<Case> cases = {
        {"\x81\x7C|n x|X", "[|]", "\x81\x7C_n x_X"},
        {"\xC4\x7C\xB0\xA1|v \xC4\xE3|r", "[|]", "\xC4\x7C\xB0\xA1_v \xC4\xE3_r"},
        {"\x81\x40@n", "[@/]", "\x81\x40_n"},
        {"\x81\x7C|a|b", "[|]", "\x81\x7C_a_b"},
        {"  \xC4\xE3/r\t\xC4\xE3/r  ", "[/]", "\xC4\xE3_r\t\xC4\xE3_r"},
        {"caf\xE9|NN na\xEFve|JJ", "[|]", "caf\xE9_NN na\xEFve_JJ"},
        {"\x93no\x94|UH \x81\x7C|n", "[|]", "\x93no\x94_UH \x81\x7C_n"},
        {"caf\xC3\xA9|NN a|b|c", "[|]", "caf\xC3\xA9_NN a_b_c"},
        {"the/DT catXNN", "[/x]", "the_DT cat_NN"},
        {"\xC4\xE3/DT catXNN", "[/x]", "\xC4\xE3_DT cat_NN"},
        {"no separators", "[|]", "no separators"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TDisplay::ReplaceSeparators(c.text, c.splitters, "_"), c.expected);
    }
}

// The cross lists part word and tag where counting parts them.
TEST(BuildCrossList, PartsWordAndTagAtACharacterBoundary) {
    struct Case {
        const char* name;
        bool byWord;
        Lines items, expected;
    };
    // Counts differ inside each group and between groups: orders by count are strict.
    const std::vector<Case> cases = {
        {"GBK by word", true, {"\x81\x5F_n", "\x81\x5F_v", "\x81\x5F_n", "\xC4\x5F\xB0\xA1_v"},
         {"\x81\x5F \t3\tn (2) \tv (1)", "\xC4\x5F\xB0\xA1 \t1\tv (1)"}},
        {"GBK by tag", false, {"\x81\x5F_n", "\xC4\x5F\xB0\xA1_v", "\xC4\xE3_v", "\xC4\xE3_v"},
         {"v \t3\t\xC4\xE3 (2) \t\xC4\x5F\xB0\xA1 (1)", "n \t1\t\x81\x5F (1)"}},
        {"Latin-1 and CP1252", true, {"caf\xE9_NN", "caf\xE9_VB", "caf\xE9_NN", "\x93no\x94_UH"},
         {"caf\xE9 \t3\tNN (2) \tVB (1)", "\x93no\x94 \t1\tUH (1)"}},
        {"UTF-8", false, {"caf\xC3\xA9_NN", "na\xC3\xAFve_NN", "caf\xC3\xA9_NN", "x_JJ"},
         {"NN \t3\tcaf\xC3\xA9 (2) \tna\xC3\xAFve (1)", "JJ \t1\tx (1)"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TStringList source, dest;
        dest.SetNameValueSeparator('\t');
        Fill(source, c.items);
        TDisplay::BuildCrossList(source, dest, c.byWord, "Freq.", "Freq.", false);
        EXPECT_EQ(dest.Items(), c.expected);
    }
}

TEST(FormatToken, KeepsWordsOrTagsAndDropsPadding) {
    struct Case {
        std::string text, mode, expected;
    };
    const std::vector<Case> cases = {
        {"the_AT cat_NN", "WORD", "the cat"},
        {"the_AT cat_NN", "POS", "AT NN"},
        {"the_AT cat_NN", "BOTH", "the_AT cat_NN"},
        {"##_## the_AT cat_NN ##_##", "WORD", "the cat"},
        {"##_## the_AT cat_NN ##_##", "POS", "AT NN"},
        {"##_## the_AT cat_NN ##_##", "BOTH", "the_AT cat_NN"},
        {"  dog_NN  ", "WORD", "dog"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.mode);
        EXPECT_EQ(TDisplay::FormatToken(c.text, "[_]", c.mode), c.expected);
    }
}

TEST(RegexRoutines, ReplaceIsLiteralAndTrimmedAndMatchPosIsOneBased) {
    EXPECT_EQ(TDisplay::RegexReplace("a1b22c", "[0-9]+", "$0\\1", false), "a$0\\1b$0\\1c");
    EXPECT_EQ(TDisplay::RegexReplace(" x cat ", "cat", "", false), "x");
    EXPECT_EQ(TDisplay::RegexReplace("Cat cat", "cat", "dog", false), "Cat dog");
    EXPECT_EQ(TDisplay::RegexReplace("Cat cat", "cat", "dog", true), "dog dog");
    EXPECT_EQ(TDisplay::RegexReplace("none", "x", "y", true), "none");

    EXPECT_EQ(TDisplay::RegexMatchPos("a", "abc"), 1);
    EXPECT_EQ(TDisplay::RegexMatchPos("b+", "aabbb"), 3);
    EXPECT_EQ(TDisplay::RegexMatchPos("C", "abc"), 3);  // always ignores case
    EXPECT_EQ(TDisplay::RegexMatchPos("x", "abc"), 0);
}

TEST(RepeatStr, RepeatsOrGivesNothing) {
    EXPECT_EQ(TDisplay::RepeatStr("## ", 3), "## ## ## ");
    EXPECT_EQ(TDisplay::RepeatStr("ab", 1), "ab");
    EXPECT_EQ(TDisplay::RepeatStr("ab", 0), "");
    EXPECT_EQ(TDisplay::RepeatStr("ab", -2), "");
}

TEST(TimeStamp, IsTheLocalTimeUsableInAFolderName) {
    std::time_t before = std::time(nullptr);
    std::string stamp = TDisplay::TimeStamp();
    std::time_t after = std::time(nullptr);
    EXPECT_EQ(stamp.find_first_of(":/\\"), std::string::npos) << stamp;

    std::tm parsed{};
    std::istringstream in(stamp);
    in >> std::get_time(&parsed, "%Y-%m-%d %H.%M.%S");
    ASSERT_FALSE(in.fail()) << stamp;
    parsed.tm_isdst = -1;
    std::time_t when = std::mktime(&parsed);
    EXPECT_GE(when, before - 1);
    EXPECT_LE(when, after);
}

TEST(CompareRoutines, CountLinesSortByTheirCountGreatestFirst) {
    TStringList list;
    list.SetNameValueSeparator('\t');
    Fill(list, {"a \t2", "b \t10", "c\td \t5", "e \t1"});
    list.CustomSort(CompareByCount);
    EXPECT_EQ(list.Items(), (Lines{"b \t10", "c\td \t5", "a \t2", "e \t1"}));

    TStringList plain;
    Fill(plain, {"x =3", "y =12", "z =7"});
    plain.CustomSort(CompareByCount);
    EXPECT_EQ(plain.Items(), (Lines{"y =12", "z =7", "x =3"}));

    Fill(list, {"a \t2\tNN (2)", "b \t11\tVV (6) \tNN (5)", "c \t3\tJJ (3)"});
    list.CustomSort(CompareByCountField);
    EXPECT_EQ(list.Items(), (Lines{"b \t11\tVV (6) \tNN (5)", "c \t3\tJJ (3)", "a \t2\tNN (2)"}));
}
