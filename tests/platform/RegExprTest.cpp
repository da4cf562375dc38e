#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/core/RegExpr.h"

namespace {

// (position, length) of every match that Exec and ExecNext walk through.
std::vector<std::pair<int, int>> AllMatches(TRegExpr& re, const std::string& input) {
    std::vector<std::pair<int, int>> found;
    for (bool ok = re.Exec(input); ok && found.size() < 100; ok = re.ExecNext())
        found.emplace_back(re.MatchPos(0), re.MatchLen(0));
    return found;
}

}  // namespace

TEST(RegExpr, BadPatternsRaiseWithAMessage) {
    for (const char* pattern : {"(", "[a", "a{2,1}", "*a", "(?<", "\\"}) {
        SCOPED_TRACE(pattern);
        TRegExpr re(pattern);
        try {
            re.Compile();
            ADD_FAILURE() << "no error raised";
        } catch (const ERegExpr& e) {
            EXPECT_FALSE(e.Message.empty());
        }
        // Exec compiles on first use and raises the same way.
        TRegExpr lazy(pattern);
        EXPECT_THROW(lazy.Exec("abc"), ERegExpr);
    }
}

TEST(RegExpr, ModifierIFoldsAsciiLettersOnly) {
    struct Case {
        const char* pattern;
        const char* input;
        bool caseless, found;
    };
    const Case cases[] = {
        {"abc", "xABCx", true, true},
        {"abc", "xABCx", false, false},
        {"[a-c]+Z", "BCz", true, true},
        {"\xC9t\xC9", "\xE9T\xE9", true, false},
        {"\xC9", "\xC9", true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " on " + c.input);
        TRegExpr re(c.pattern);
        re.Exec("compiled before the modifier changes");
        re.SetModifierI(c.caseless);
        EXPECT_EQ(re.ModifierI(), c.caseless);
        EXPECT_EQ(re.Exec(c.input), c.found);
    }
}

TEST(RegExpr, ExecAndExecPosReportOneBasedPositions) {
    TRegExpr re("b+");
    ASSERT_TRUE(re.Exec("aabbbcb"));
    EXPECT_EQ(re.MatchPos(), 3);
    EXPECT_EQ(re.MatchLen(), 3);
    EXPECT_EQ(re.Match(), "bbb");
    ASSERT_TRUE(re.ExecPos(4));
    EXPECT_EQ(re.MatchPos(), 4);
    EXPECT_EQ(re.MatchLen(), 2);
    ASSERT_TRUE(re.ExecPos(6));
    EXPECT_EQ(re.MatchPos(), 7);
    EXPECT_FALSE(re.ExecPos(8));
    EXPECT_FALSE(re.ExecPos(9));
    EXPECT_FALSE(re.ExecPos(0));
    EXPECT_EQ(re.InputString(), "aabbbcb");
    EXPECT_FALSE(re.Exec("xyz"));
}

TEST(RegExpr, ExecNextWalksEveryMatchAndStepsOverEmptyOnes) {
    TRegExpr digits("\\d+");
    EXPECT_EQ(AllMatches(digits, "a1b22c333"), (std::vector<std::pair<int, int>>{{2, 1}, {4, 2}, {7, 3}}));
    EXPECT_EQ(AllMatches(digits, "none"), (std::vector<std::pair<int, int>>{}));

    // An empty match moves the next search one byte on, so the walk ends.
    TRegExpr xs("x*");
    EXPECT_EQ(AllMatches(xs, "axxb"), (std::vector<std::pair<int, int>>{{1, 0}, {2, 2}, {4, 0}, {5, 0}}));
    EXPECT_EQ(AllMatches(xs, ""), (std::vector<std::pair<int, int>>{{1, 0}}));
    EXPECT_FALSE(xs.ExecNext());
}

TEST(RegExpr, SubExpressionsThatDidNotTakePartAreMinusOne) {
    struct Case {
        const char* pattern;
        const char* input;
        int count;
        std::vector<std::pair<int, int>> groups;  // (pos, len) of groups 1..n
    };
    const Case cases[] = {
        {"(a)|(b)", "b", 2, {{-1, -1}, {1, 1}}},
        {"(a)|(b)", "a", 1, {{1, 1}, {-1, -1}}},
        {"(x)(y)?", "zx", 1, {{2, 1}, {-1, -1}}},
        {"(x)(y)?(z)", "xz", 3, {{1, 1}, {-1, -1}, {2, 1}}},
        {"(\\w+)=(\\d*)", "--key=!", 2, {{3, 3}, {7, 0}}},
        {"abc", "abc", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " on " + c.input);
        TRegExpr re(c.pattern);
        ASSERT_TRUE(re.Exec(c.input));
        EXPECT_EQ(re.SubExprMatchCount(), c.count);
        for (size_t g = 0; g < c.groups.size(); ++g) {
            int index = static_cast<int>(g) + 1;
            auto [pos, len] = c.groups[g];
            EXPECT_EQ(re.MatchPos(index), pos) << "group " << index;
            EXPECT_EQ(re.MatchLen(index), len) << "group " << index;
            EXPECT_EQ(re.Match(index), pos < 0 ? "" : std::string(c.input).substr(pos - 1, len)) << "group " << index;
        }
        EXPECT_EQ(re.MatchPos(9), -1);
    }
}

TEST(RegExpr, SplitKeepsEmptyPiecesAndTheTail) {
    struct Case {
        const char* pattern;
        std::string input;
        std::vector<std::string> pieces;
    };
    const Case cases[] = {
        {",", "1,2,", {"1", "2", ""}},
        {",", ",a", {"", "a"}},
        {",", "a,,b", {"a", "", "b"}},
        {",", "abc", {"abc"}},
        {",", "", {""}},
        {"\\s+", "a  b\tc", {"a", "b", "c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " on \"" + c.input + "\"");
        TRegExpr re(c.pattern);
        TStringList pieces;
        re.Split(c.input, pieces);
        EXPECT_EQ(pieces.Items(), c.pieces);
    }
}

TEST(RegExpr, ReplaceInsertsTheReplacementLiterally) {
    struct Case {
        const char* pattern;
        const char* input;
        const char* replacement;
        const char* result;
    };
    const Case cases[] = {
        {"(b)", "abcb", "$1", "a$1c$1"},
        {"(b)", "abcb", "\\1", "a\\1c\\1"},
        {"(b)", "abcb", "$0&", "a$0&c$0&"},
        {"b+", "aXbbYb", "", "aXY"},
        {"x*", "ab", "-", "-a-b-"},
        {"z", "abc", "-", "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.pattern) + " on " + c.input);
        TRegExpr re(c.pattern);
        EXPECT_EQ(re.Replace(c.input, c.replacement), c.result);
    }
}

// Subjects that are not UTF-8 (code page 936, stray bytes) are matched byte by byte.
TEST(RegExpr, BytesAboveAsciiMatchOneByOneWithoutUtf8Checks) {
    struct Case {
        const char* pattern;
        const char* input;
        int pos, len;
    };
    const Case cases[] = {
        {".", "\xFF\xFE", 1, 1},
        {"\xFE", "\xFF\xFE", 2, 1},
        {"\xBA\xC3", "\xC4\xE3\xBA\xC3", 3, 2},  // GBK text
        {"[\\x80-\\xFF]+", "ab\xC4\xE3" "c", 3, 2},
        {"\xC3(.)", "\xC3\xA9\xC3", 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pattern);
        TRegExpr re(c.pattern);
        ASSERT_TRUE(re.Exec(c.input));
        EXPECT_EQ(re.MatchPos(), c.pos);
        EXPECT_EQ(re.MatchLen(), c.len);
    }
}

// Runaway backtracking ends within the limits with its own error, and the
// same pattern goes on to match the next subject.
TEST(RegExpr, ARunawayMatchRaisesALimitErrorAndTheNextSubjectIsSearched) {
    TRegExpr re("(a+)+b");
    const std::string runaway = std::string(64, 'a') + " c b";
    EXPECT_THROW(re.Exec(runaway), ERegExprLimit);
    ASSERT_TRUE(re.Exec(std::string("xaab")));
    EXPECT_EQ(re.Match(0), "aab");
    // A bad pattern is not a limit error.
    TRegExpr bad("(a");
    try {
        bad.Exec(runaway);
        ADD_FAILURE() << "no error raised";
    } catch (const ERegExprLimit&) {
        ADD_FAILURE() << "a bad pattern reported as a limit";
    } catch (const ERegExpr&) {
    }
}

TEST(RegExpr, ANamedSubjectIsSearchedWhereItStands) {
    TRegExpr re("b+");
    const std::string subject = "abbc";
    ASSERT_TRUE(re.Exec(subject));
    EXPECT_EQ(re.InputString().data(), subject.data());
    EXPECT_EQ(re.Match(0), "bb");
    // A temporary subject is kept for the matches read after it.
    ASSERT_TRUE(re.Exec(std::string("xbbby")));
    EXPECT_EQ(re.Match(0), "bbb");
    EXPECT_EQ(re.InputString(), "xbbby");
    // A moved expression keeps reading its kept subject.
    TRegExpr moved = std::move(re);
    EXPECT_EQ(moved.Match(0), "bbb");
}

TEST(RegExpr, BackReferenceMaxComesFromThePattern) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"abc", 0}, {"(a)(b)", 0}, {"(a)\\1", 1}, {"(a)(b)\\g{2}", 2}, {"(?<n>a)\\k<n>", 1}, {"(a)(b)(?1)", 0},
    };
    for (const auto& [pattern, max] : cases) {
        SCOPED_TRACE(pattern);
        TRegExpr re(pattern);
        EXPECT_EQ(re.BackReferenceMax(), max);
    }
}

// UTF-8 subjects beyond ASCII are matched character by character, with case
// folded on ASCII letters only; a pattern naming code points beyond a byte
// reads UTF-8 and ASCII subjects and finds nothing in other bytes.
TEST(RegExpr, Utf8SubjectsAreMatchedCharacterByCharacter) {
    TRegExpr any("^.$");
    ASSERT_TRUE(any.Exec(std::string("你")));
    EXPECT_EQ(any.MatchLen(), 3);
    TRegExpr cafe("café");
    cafe.SetModifierI(true);
    EXPECT_TRUE(cafe.Exec(std::string("CAFé")));
    EXPECT_FALSE(cafe.Exec(std::string("CAFÉ")));
    TRegExpr han("[\\x{4E00}-\\x{9FA5}]+");
    EXPECT_NO_THROW(han.Compile());
    ASSERT_TRUE(han.Exec(std::string("ab中文")));
    EXPECT_EQ(han.MatchPos(), 3);
    EXPECT_EQ(han.MatchLen(), 6);
    EXPECT_FALSE(han.Exec(std::string("abc")));
    EXPECT_FALSE(han.Exec(std::string("\xD6\xD0\xCE\xC4")));  // code page 936 bytes
    // Empty matches step a whole character.
    TStringList pieces;
    TRegExpr("").Split("中文", pieces);
    EXPECT_EQ(pieces.Items(), (std::vector<std::string>{"", "中", "文", ""}));
    EXPECT_THROW(TRegExpr("[\\x{4E00}").Compile(), ERegExpr);
}
