#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "engine/Counting.h"
#include "engine/Parallel.h"
#include "engine/ParallelPartition.h"
#include "engine/Query.h"
#include "engine/TokenList.h"
#include "platform/core/Classes.h"

namespace {

// Words whose spellings fold together when case is ignored.
const std::vector<std::vector<std::string>> kSpellings = {
    {"the", "The", "THE"}, {"cat", "Cat"}, {"a"}, {"zed", "Zed", "ZED"}, {"x=y"}, {"b_NN", "B_nn"}};

// Entries for hits 0 .. hitCount-1 in ascending hit order, some hits without
// any, a word repeated within a hit. With mixedInHit a hit may hold two
// spellings of one word, which leaves a group's spelling to the sort's order.
std::vector<TKeyHit> Entries(std::mt19937& rng, TTokenTable& keys, int hitCount, bool mixedInHit) {
    std::uniform_int_distribution<size_t> wordOf(0, kSpellings.size() - 1);
    std::uniform_int_distribution<int> perHit(0, 5);
    std::vector<TKeyHit> entries;
    for (int hit = 0; hit < hitCount; ++hit) {
        std::vector<size_t> spellingOf(kSpellings.size());
        for (size_t w = 0; w < kSpellings.size(); ++w) spellingOf[w] = rng() % kSpellings[w].size();
        for (int n = perHit(rng); n > 0; --n) {
            size_t w = wordOf(rng);
            size_t s = mixedInHit ? rng() % kSpellings[w].size() : spellingOf[w];
            entries.push_back({keys.Intern(kSpellings[w][s]), hit});
        }
    }
    return entries;
}

std::vector<std::string> Grouped(const std::vector<TKeyHit>& given, const TTokenTable& keys, int hitCount,
                                 bool ignoreCase) {
    TKeyHitList entries(given.begin(), given.end());
    THashedStringList dest;
    dest.SetCaseSensitive(!ignoreCase);
    GroupKeyHits(entries, keys, hitCount, ignoreCase, dest);
    return dest.Items();
}

std::vector<std::string> GroupedAsStrings(const std::vector<TKeyHit>& entries, const TTokenTable& keys,
                                          bool ignoreCase) {
    TStringList source;
    for (const TKeyHit& e : entries) source.Add(std::string(keys.Text(e.key)) + "###" + std::to_string(e.hit));
    THashedStringList dest;
    dest.SetCaseSensitive(!ignoreCase);
    TDisplay::GroupHits(source, dest, ignoreCase);
    return dest.Items();
}

}  // namespace

// Hit numbers of several digits sort as text ("10" before "9"), which decides
// both the order of a group's hits and, ignoring case, the spelling it keeps.
// Entries in hit order take the quick placement, shuffled ones the general
// one, mixed spellings in a hit the replayed sort: all must equal the string
// routine.
TEST(GroupKeyHits, EqualsTheStringRoutineInEveryOrder) {
    std::mt19937 rng(42);
    for (int hitCount : {1, 9, 11, 120, 1500}) {
        for (bool mixedInHit : {false, true}) {
            for (bool shuffled : {false, true}) {
                for (bool ignoreCase : {false, true}) {
                    SCOPED_TRACE(std::to_string(hitCount) + " hits" + (mixedInHit ? ", mixed in a hit" : "") +
                                 (shuffled ? ", shuffled" : "") + (ignoreCase ? ", ignoring case" : ""));
                    TTokenTable keys;
                    std::vector<TKeyHit> entries = Entries(rng, keys, hitCount, mixedInHit);
                    if (shuffled) std::shuffle(entries.begin(), entries.end(), rng);
                    std::vector<std::string> want = GroupedAsStrings(entries, keys, ignoreCase);
                    ASSERT_FALSE(want.empty());
                    EXPECT_EQ(Grouped(entries, keys, hitCount, ignoreCase), want);
                }
            }
        }
    }
}

// The spelling a case-folded group keeps is the one at its greatest hit as
// text, not as a number.
TEST(GroupKeyHits, TheSpellingComesFromTheLastHitAsText) {
    TTokenTable keys;
    const uint32_t lower = keys.Intern("the"), upper = keys.Intern("The");
    std::vector<TKeyHit> entries = {{lower, 2}, {upper, 9}, {lower, 10}, {lower, 11}};
    EXPECT_EQ(Grouped(entries, keys, 12, true), GroupedAsStrings(entries, keys, true));
    EXPECT_EQ(Grouped(entries, keys, 12, true), std::vector<std::string>{"The\t4\t9,2,11,10,"});
}

// A key may hold any text, "###" and digits included: each key is a group of
// its own, whatever the joined texts' order would interleave ("C###1" +
// "###0" sorts between "C###1" and "C###10").
TEST(GroupKeyHits, KeysHoldingHashesNeverShareAGroup) {
    TTokenTable keys;
    const uint32_t c = keys.Intern("C"), hash = keys.Intern("C#"), digits = keys.Intern("C###1");
    const std::vector<TKeyHit> entries = {{digits, 0}, {c, 1}, {hash, 2}, {c, 3}, {c, 10}};
    for (bool ignoreCase : {false, true})
        EXPECT_EQ(Grouped(entries, keys, 11, ignoreCase),
                  (std::vector<std::string>{"C\t3\t3,10,1,", "C#\t1\t2,", "C###1\t1\t0,"}));
}

// Only the ends of groups that hold more than one spelling make the sort be
// replayed, and only in the ranges that hold such an end. Lists large enough
// to be partitioned side by side, with one open group among many, every
// group open, groups of one hit each, and groups written in several pieces
// with a hit's repeats on both sides of a cut must still equal the string
// routine.
TEST(GroupKeyHits, OpenSpellingsEqualTheStringRoutineAtScale) {
    struct Case {
        const char* name;
        int hitCount, words, perHit;
        int mixedEvery, mixedAt;  // hits mixedAt + k * mixedEvery hold two spellings of a word
    };
    const Case cases[] = {
        {"one open group among many", 4000, 900, 12, 4000, 999},  // "999" is the last hit as text
        {"every group open", 3000, 40, 14, 1, 0},
        {"a few open groups", 5000, 300, 9, 37, 36},
        {"groups of a hit each", 2500, 30000, 12, 3, 2},
        {"large enough to be partitioned on every core", 20000, 500, 14, 7, 3},
        {"groups longer than the pieces they are written in", 20000, 1, 9, 5, 4},
    };
    std::mt19937 rng(5);
    for (const Case& c : cases) {
        TTokenTable keys;
        std::vector<TKeyHit> entries;
        auto spelling = [](int word, int variant) {
            std::string text = "w" + std::to_string(word);
            if (variant & 1) text[0] = 'W';
            if (variant & 2) text += "x";
            if (variant & 2 && variant & 1) text.back() = 'X';
            return text;
        };
        for (int hit = 0; hit < c.hitCount; ++hit) {
            for (int n = 0; n < c.perHit; ++n) {
                int word = static_cast<int>(rng() % static_cast<unsigned>(c.words));
                bool mixed = hit % c.mixedEvery == c.mixedAt;
                int variant = mixed ? static_cast<int>(rng() % 4) : word % 2;
                entries.push_back({keys.Intern(spelling(word, variant)), hit});
                if (mixed) entries.push_back({keys.Intern(spelling(word, (variant + 1) % 4)), hit});
            }
        }
        ASSERT_GT(entries.size(), size_t(1) << 15);
        const std::vector<std::string> want = GroupedAsStrings(entries, keys, true);
        for (int threads : {1, 8}) {
            SCOPED_TRACE(std::string(c.name) + ", " + std::to_string(threads) + " threads");
            SetEngineThreads(threads);
            EXPECT_EQ(Grouped(entries, keys, c.hitCount, true), want);
        }
        SetEngineThreads(0);
    }
}

// A partition made on many threads exchanges exactly what the one-thread
// partition exchanges and leaves the same ranges, whatever the keys: all
// equal, already in order or reversed, few values, the pivot the least or
// the greatest key, ranges that do not start at 0.
TEST(ParallelPartition, ExchangesWhatTheOneThreadPartitionExchanges) {
    std::mt19937 rng(3);
    struct Shape {
        const char* name;
        uint64_t (*key)(std::mt19937&, int at, int size);
    };
    const Shape shapes[] = {
        {"random", [](std::mt19937& r, int, int) { return uint64_t(r()); }},
        {"three values", [](std::mt19937& r, int, int) { return uint64_t(r() % 3); }},
        {"all equal", [](std::mt19937&, int, int) { return uint64_t(7); }},
        {"ascending", [](std::mt19937&, int at, int) { return uint64_t(at); }},
        {"descending", [](std::mt19937&, int at, int size) { return uint64_t(size - at); }},
        {"ascending runs", [](std::mt19937& r, int at, int) { return uint64_t(at % 97 + r() % 2); }},
        {"one small key in the middle", [](std::mt19937&, int at, int size) { return uint64_t(at == size / 2 ? 0 : 5); }},
        {"one large key in the middle", [](std::mt19937&, int at, int size) { return uint64_t(at == size / 2 ? 9 : 5); }},
    };
    for (const Shape& shape : shapes) {
        for (int size : {1, 2, 3, 17, 1000, 70001}) {
            for (int threads : {1, 3, 8}) {
                SCOPED_TRACE(std::string(shape.name) + ", " + std::to_string(size) + " keys, " +
                             std::to_string(threads) + " threads");
                const int lo = size > 10 ? 5 : 0, hi = size - 1;
                std::vector<uint64_t> keys(static_cast<size_t>(size));
                for (int at = 0; at < size; ++at) keys[static_cast<size_t>(at)] = shape.key(rng, at, size);
                auto partitioned = [&](bool parallel, int& i, int& j) {
                    std::vector<uint64_t> k = keys;
                    std::vector<int> items(k.size());
                    for (size_t x = 0; x < items.size(); ++x) items[x] = static_cast<int>(x);
                    auto exchange = [&](int a, int b) { std::swap(items[size_t(a)], items[size_t(b)]); };
                    if (parallel)
                        ParallelPartitionKeys(k.data(), lo, hi, exchange, i, j);
                    else
                        FrameworkPartitionKeys(k.data(), lo, hi, exchange, i, j);
                    return items;
                };
                SetEngineThreads(threads);
                int i1 = 0, j1 = 0, iN = 0, jN = 0;
                const std::vector<int> one = partitioned(false, i1, j1), many = partitioned(true, iN, jN);
                SetEngineThreads(0);
                EXPECT_EQ(iN, i1);
                EXPECT_EQ(jN, j1);
                EXPECT_EQ(many, one);
            }
        }
    }
}
