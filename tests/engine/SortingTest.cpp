#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Query.h"
#include "platform/core/Classes.h"

namespace {

TResultStr Hit(std::string left, std::string center, std::string right, std::string file = "a.txt", int count = 0) {
    TResultStr h;
    h.Left = std::move(left);
    h.Center = std::move(center);
    h.Right = std::move(right);
    h.FileName = std::move(file);
    h.Count = count;
    return h;
}

// Numbers the hits by their position before a sort, so the order after it reads as a list of those numbers.
TArrResultStr Numbered(TArrResultStr hits) {
    for (size_t i = 0; i < hits.size(); ++i) hits[i].Index = static_cast<int32_t>(i);
    return hits;
}

std::vector<int> Order(const TArrResultStr& hits) {
    std::vector<int> order;
    for (const TResultStr& h : hits) order.push_back(h.Index);
    return order;
}

std::vector<std::string> Lines(const TStringList& list) { return list.Items(); }

std::vector<std::string> Group(const std::vector<std::string>& entries, bool ignoreCase) {
    TStringList source, dest;
    for (const std::string& e : entries) source.Add(e);
    TDisplay::GroupHits(source, dest, ignoreCase);
    return Lines(dest);
}

}  // namespace

TEST(HitSort, LeftSortReadsTheContextBackwardsFromTheNode) {
    EXPECT_EQ(TDisplay::ReverseKey("the big house", true), "house big the");
    EXPECT_EQ(TDisplay::ReverseKey("at a Small house", false), "house small a at");

    TArrResultStr hits = Numbered({Hit("at a small house", "is", "red"), Hit("the big house", "is", "blue")});
    TDisplay::QuickSortLeft(hits, 0, 1, true);
    EXPECT_EQ(Order(hits), (std::vector<int>{1, 0}));
    // Whole records move, not only their keys.
    EXPECT_EQ(hits[0].Right, "blue");
}

TEST(HitSort, CenterSortByModes) {
    TArrResultStr base = Numbered({Hit("", "a z", ""), Hit("", "c x", ""), Hit("", "b y", "")});
    struct Case {
        std::string mode;
        std::vector<int> order;
    } cases[] = {
        {"CENTER-L", {0, 2, 1}},  // a z, b y, c x
        {"CENTER-R", {1, 2, 0}},  // by the last word: x, y, z
        {"CENTER", {0, 1, 2}},    // unknown mode: nothing moves
        {"center-l", {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        TArrResultStr hits = base;
        TDisplay::QuickSortCenter(hits, 0, 2, c.mode, true);
        EXPECT_EQ(Order(hits), c.order);
    }
}

TEST(HitSort, RightFileAndCountKeys) {
    TArrResultStr hits = Numbered({Hit("", "n", "on the mat"), Hit("", "n", "by the door"), Hit("", "n", "in a box")});
    TDisplay::QuickSortRight(hits, 0, 2, true);
    EXPECT_EQ(Order(hits), (std::vector<int>{1, 2, 0}));

    // File names compare case-folded: byte order would put "B.txt" before "a.txt".
    hits = Numbered({Hit("", "n", "", "c.TXT"), Hit("", "n", "", "B.txt"), Hit("", "n", "", "a.txt")});
    TDisplay::QuickSortFile(hits, 0, 2);
    EXPECT_EQ(Order(hits), (std::vector<int>{2, 1, 0}));

    hits = Numbered({Hit("", "n", "", "f", 3), Hit("", "n", "", "f", 7), Hit("", "n", "", "f", 1),
                     Hit("", "n", "", "f", 12), Hit("", "n", "", "f", 5)});
    TDisplay::QuickSortCount(hits, 0, 4);
    EXPECT_EQ(Order(hits), (std::vector<int>{3, 1, 4, 0, 2}));
}

TEST(HitSort, CaseSensitivityOfContextKeys) {
    TArrResultStr base = Numbered({Hit("", "n", "Banana"), Hit("", "n", "apple"), Hit("", "n", "Cherry")});
    TArrResultStr hits = base;
    TDisplay::QuickSortRight(hits, 0, 2, true);
    EXPECT_EQ(Order(hits), (std::vector<int>{0, 2, 1}));  // upper case before lower case, byte by byte
    hits = base;
    TDisplay::QuickSortRight(hits, 0, 2, false);
    EXPECT_EQ(Order(hits), (std::vector<int>{1, 0, 2}));

    hits = Numbered({Hit("x Zebra", "n", ""), Hit("x apple", "n", "")});
    TDisplay::QuickSortLeft(hits, 0, 1, false);
    EXPECT_EQ(Order(hits), (std::vector<int>{1, 0}));
    hits = Numbered({Hit("", "Zebra", ""), Hit("", "apple", "")});
    TDisplay::QuickSortCenter(hits, 0, 1, "CENTER-L", false);
    EXPECT_EQ(Order(hits), (std::vector<int>{1, 0}));
}

TEST(HitSort, OnlyTheGivenRangeIsSorted) {
    TArrResultStr base =
        Numbered({Hit("", "n", "e"), Hit("", "n", "d"), Hit("", "n", "c"), Hit("", "n", "b"), Hit("", "n", "a")});
    struct Case {
        int lo, hi;
        std::vector<int> order;
    } cases[] = {
        {2, 1, {0, 1, 2, 3, 4}},  // empty range
        {3, 3, {0, 1, 2, 3, 4}},
        {1, 3, {0, 3, 2, 1, 4}},
        {0, 4, {4, 3, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.lo) + ".." + std::to_string(c.hi));
        TArrResultStr hits = base;
        TDisplay::QuickSortRight(hits, c.lo, c.hi, true);
        EXPECT_EQ(Order(hits), c.order);
    }
    TArrResultStr none;
    TDisplay::QuickSortCount(none, 0, -1);
    EXPECT_TRUE(none.empty());
}

TEST(HitSort, EqualKeysEndWhereTheFrameworkQuicksortLeavesThem) {
    // Traced by hand: middle pivot, swap on equality from both ends.
    struct Case {
        int n;
        std::vector<int> order;
    } cases[] = {{2, {1, 0}}, {3, {2, 1, 0}}, {4, {2, 3, 0, 1}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        TArrResultStr hits(static_cast<size_t>(c.n), Hit("same left", "n", "same right"));
        hits = Numbered(hits);
        TDisplay::QuickSortLeft(hits, 0, c.n - 1, true);
        EXPECT_EQ(Order(hits), c.order);
    }
}

TEST(HitGroup, IgnoringCaseKeepsTheSpellingOfTheLaterEntry) {
    EXPECT_EQ(Group({"The###3", "the###7"}, true), (std::vector<std::string>{"the\t2\t7,3,"}));
    EXPECT_EQ(Group({"the###7", "The###3"}, true), (std::vector<std::string>{"the\t2\t7,3,"}));
    EXPECT_EQ(Group({"The###3", "the###7"}, false), (std::vector<std::string>{"The\t1\t3,", "the\t1\t7,"}));
}

TEST(HitGroup, CountsEveryEntryButListsEachHitOnce) {
    struct Case {
        const char* why;
        std::vector<std::string> entries;
        std::vector<std::string> lines;
    } cases[] = {
        {"repeated hit", {"x###5", "x###5", "x###2"}, {"x\t3\t5,2,"}},
        // Sorted as text: ###17 < ###4 < ###9, and each new index goes in front.
        {"newest first", {"k###17", "k###4", "k###9"}, {"k\t3\t9,4,17,"}},
        // "2," occurs inside "12," but is another hit.
        {"index inside another", {"k###2", "k###12"}, {"k\t2\t2,12,"}},
        // "#" sorts before letters, so a stays apart from ab.
        {"prefix key", {"ab###1", "a###2", "a###3"}, {"a\t2\t3,2,", "ab\t1\t1,"}},
        {"groups in key order", {"b###0", "a###1", "c###2", "b###3"}, {"a\t1\t1,", "b\t2\t3,0,", "c\t1\t2,"}},
        // The index is digits only: the key ends at the last "###".
        {"key ending in #", {"C####0", "C####1", "C###2"}, {"C#\t2\t1,0,", "C\t1\t2,"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Group(c.entries, false), c.lines);
    }
}

TEST(HitGroup, AppendsToDestAndLeavesNoSentinelInSource) {
    TStringList source, dest;
    dest.Add("kept");
    TDisplay::GroupHits(source, dest, false);
    EXPECT_EQ(Lines(dest), (std::vector<std::string>{"kept"}));

    for (const char* e : {"b###1", "a###0", "b###2"}) source.Add(e);
    TDisplay::GroupHits(source, dest, true);
    EXPECT_EQ(Lines(dest), (std::vector<std::string>{"kept", "a\t1\t0,", "b\t2\t2,1,"}));
    EXPECT_EQ(Lines(source), (std::vector<std::string>{"a###0", "b###1", "b###2"}));
}
