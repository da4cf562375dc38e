#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/core/Classes.h"
#include "platform/core/QuickSort.h"
#include "platform/core/SysUtils.h"
#include "tests/support/TempFolder.h"

namespace {

std::vector<std::string> Items(const TStringList& list) { return list.Items(); }

// Textbook Hoare quicksort around the middle item's value, recursing on both
// sides. The framework sort tracks the pivot by index instead; both make the
// same comparisons and exchanges, so they leave equal keys in the same order.
template <class Compare>
void ReferenceQuickSort(std::vector<std::string>& v, int lo, int hi, Compare compare) {
    if (lo >= hi) return;
    const std::string pivot = v[static_cast<size_t>((lo + hi) / 2)];
    int i = lo, j = hi;
    while (i <= j) {
        while (compare(v[static_cast<size_t>(i)], pivot) < 0) ++i;
        while (compare(v[static_cast<size_t>(j)], pivot) > 0) --j;
        if (i <= j) std::swap(v[static_cast<size_t>(i++)], v[static_cast<size_t>(j--)]);
    }
    ReferenceQuickSort(v, lo, j, compare);
    ReferenceQuickSort(v, i, hi, compare);
}

// Items are "key#serial"; only the key takes part in the comparison.
int CompareKeys(const std::string& a, const std::string& b) {
    return CompareStr(a.substr(0, a.find('#')), b.substr(0, b.find('#')));
}

}  // namespace

TEST(StringList, EditsKeepOrderAndBadIndexesRaise) {
    TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("d"), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.Insert(4, "e");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    list.Delete(1);
    list.Exchange(0, 3);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"e", "c", "d", "a"}));

    EXPECT_THROW(list.Strings(-1), EStringListError);
    EXPECT_THROW(list.Strings(4), EStringListError);
    EXPECT_THROW(list.Insert(5, "x"), EStringListError);
    EXPECT_THROW(list.Insert(-1, "x"), EStringListError);
    EXPECT_THROW(list.Delete(4), EStringListError);
    EXPECT_THROW(list.Exchange(0, 4), EStringListError);
    EXPECT_THROW(list.SetStrings(4, "x"), EStringListError);
    EXPECT_EQ(list.Count(), 4);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_THROW(list.Strings(0), EStringListError);
}

TEST(StringList, TextLoadAndSaveHandleEveryLineEnd) {
    struct Case {
        std::string text;
        std::vector<std::string> items;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\n", {"a"}},
        {"a\n", {"a"}},
        {"a\r", {"a"}},
        {"\r\n", {""}},
        {"a\nb\rc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"x y\t=1\r\nlast", {"x y\t=1", "last"}},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        TStringList fromText;
        fromText.Add("stale");
        fromText.SetText(c.text);
        EXPECT_EQ(Items(fromText), c.items);

        TStringList fromFile;
        fromFile.LoadFromFile(folder.Write("in.txt", c.text));
        EXPECT_EQ(Items(fromFile), c.items);

        std::string expected;
        for (const std::string& s : c.items) expected += s + "\r\n";
        EXPECT_EQ(fromFile.Text(), expected);
        std::string out = folder.Path() + "/out.txt";
        fromFile.SaveToFile(out);
        EXPECT_EQ(ReadFileBytes(out), expected);
    }
}

TEST(StringList, CaseSensitivityGovernsLookups) {
    TStringList list;
    EXPECT_FALSE(list.CaseSensitive());
    list.Add("Apple=1");
    list.Add("apple=2");
    list.Add("Pear");
    EXPECT_EQ(list.IndexOf("APPLE=2"), 1);
    EXPECT_EQ(list.IndexOf("apple=1"), 0);
    EXPECT_EQ(list.IndexOf("pear"), 2);
    EXPECT_EQ(list.IndexOf("Pea"), -1);
    EXPECT_EQ(list.IndexOf("Pears"), -1);
    EXPECT_EQ(list.IndexOfName("APPLE"), 0);
    EXPECT_EQ(list.Values("aPPle"), "1");

    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("APPLE=2"), -1);
    EXPECT_EQ(list.IndexOf("apple=2"), 1);
    EXPECT_EQ(list.IndexOf("pear"), -1);
    EXPECT_EQ(list.IndexOfName("apple"), 1);
    EXPECT_EQ(list.IndexOfName("APPLE"), -1);
    EXPECT_EQ(list.Values("apple"), "2");
}

TEST(StringList, NamesAndValuesSplitAtTheFirstSeparator) {
    struct Case {
        std::string item;
        char separator;
        std::string name, value;
    };
    const Case cases[] = {
        {"a=b=c", '=', "a", "b=c"},
        {"make_VV =12", '=', "make_VV ", "12"},
        {"novalue", '=', "", ""},
        {"=x", '=', "", "x"},
        {"k=", '=', "k", ""},
        {"make\t12\t3,7", '\t', "make", "12\t3,7"},
        {"a=b\tc", '\t', "a=b", "c"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("item: \"" + c.item + "\"");
        TStringList list;
        EXPECT_EQ(list.NameValueSeparator(), '=');
        list.SetNameValueSeparator(c.separator);
        list.Add("other" + std::string(1, c.separator) + "0");
        list.Add(c.item);
        EXPECT_EQ(list.Names(1), c.name);
        EXPECT_EQ(list.ValueFromIndex(1), c.value);
        if (c.item.find(c.separator) != std::string::npos) {
            EXPECT_EQ(list.IndexOfName(c.name), 1);
            EXPECT_EQ(list.Values(c.name), c.value);
        } else {
            EXPECT_EQ(list.IndexOfName(c.item), -1);
        }
    }

    // A name with a trailing blank is looked up exactly, blank included.
    TStringList freq;
    freq.Add("make_VV =12");
    EXPECT_EQ(freq.IndexOfName("make_VV"), -1);
    EXPECT_EQ(freq.IndexOfName("make_VV "), 0);
    EXPECT_EQ(freq.Values("make_VV"), "");
    EXPECT_EQ(freq.IndexOfName("a=b"), -1);
}

TEST(StringList, CustomSortLeavesEqualKeysAsTheFrameworkQuickSortDoes) {
    std::mt19937 rng(7);
    for (int size : {2, 3, 10, 101, 500}) {
        SCOPED_TRACE("size " + std::to_string(size));
        TStringList list;
        std::vector<std::string> expected;
        for (int i = 0; i < size; ++i) {
            std::string item = std::string(1, static_cast<char>('a' + rng() % 4)) + "#" + std::to_string(i);
            list.Add(item);
            expected.push_back(item);
        }
        list.CustomSort([](TStringList& l, int a, int b) { return CompareKeys(l[a], l[b]); });
        ReferenceQuickSort(expected, 0, size - 1, CompareKeys);
        EXPECT_EQ(Items(list), expected);
    }

    // Sort goes through the same routine, so the spelling that ends up first
    // among case variants is fixed too.
    TStringList words;
    std::vector<std::string> expected;
    const char* spellings[] = {"the", "The", "THE", "a", "A", "tHe", "of"};
    for (int i = 0; i < 300; ++i) {
        words.Add(spellings[rng() % 7]);
        expected.push_back(words[i]);
    }
    words.Sort();
    ReferenceQuickSort(expected, 0, 299, [](const std::string& a, const std::string& b) {
        return AnsiCompareText(a, b);
    });
    EXPECT_EQ(Items(words), expected);
}

// A sort that finishes only the ranges holding chosen positions leaves at
// those positions the very items the whole sort leaves there, however many
// equal keys stand around them and wherever the positions fall.
TEST(FrameworkQuickSort, SortingOnlyTheRangesThatHoldPositionsLeavesThemAsTheWholeSort) {
    std::mt19937 rng(11);
    for (int size : {1, 2, 7, 300, 5000}) {
        for (int distinct : {1, 3, 40, 100000}) {
            for (size_t positionCount : {size_t(1), size_t(2), size_t(9), size_t(size)}) {
                SCOPED_TRACE(std::to_string(size) + " items, " + std::to_string(distinct) + " keys, " +
                             std::to_string(positionCount) + " positions");
                std::vector<int> keys(static_cast<size_t>(size));
                for (int& key : keys) key = static_cast<int>(rng() % static_cast<unsigned>(distinct));
                // The edges and neighbouring positions are where a range is most easily missed.
                std::vector<int> positions{0, size - 1};
                while (positions.size() < positionCount) {
                    int p = static_cast<int>(rng() % static_cast<unsigned>(size));
                    positions.push_back(p);
                    if (p + 1 < size) positions.push_back(p + 1);
                }
                std::sort(positions.begin(), positions.end());
                positions.erase(std::unique(positions.begin(), positions.end()), positions.end());

                auto sorted = [&](bool limited) {
                    std::vector<int> k = keys, items(keys.size());
                    for (size_t i = 0; i < items.size(); ++i) items[i] = static_cast<int>(i);
                    auto exchange = [&](int i, int j) { std::swap(items[size_t(i)], items[size_t(j)]); };
                    auto holdsOne = [&](int lo, int hi) {
                        auto p = std::lower_bound(positions.begin(), positions.end(), lo);
                        return !limited || (p != positions.end() && *p <= hi);
                    };
                    FrameworkQuickSortKeysWhere(k.data(), 0, size - 1, exchange, holdsOne);
                    std::vector<int> at;
                    for (int p : positions) at.push_back(items[size_t(p)]);
                    return at;
                };
                EXPECT_EQ(sorted(true), sorted(false));
            }
        }
    }
}

TEST(StringList, SortPutsPunctuationBeforeDigitsBeforeLetters) {
    TStringList list;
    for (const char* s : {"Zoo", "apple", "2", "_apple", "Apple2", "10", "-a", "b"}) list.Add(s);
    list.Sort();
    EXPECT_EQ(Items(list), (std::vector<std::string>{"-a", "_apple", "10", "2", "apple", "Apple2", "b", "Zoo"}));

    TStringList cased;
    cased.SetCaseSensitive(true);
    for (const char* s : {"B", "AB", "b", "Ab", "aB", "ab", "a"}) cased.Add(s);
    cased.Sort();
    EXPECT_EQ(Items(cased), (std::vector<std::string>{"a", "ab", "aB", "Ab", "AB", "b", "B"}));
}

namespace {

// The first index whose item (or name) equals probe, found the slow way.
int LinearIndexOf(const std::vector<std::string>& items, const std::string& probe, bool byName, bool caseSensitive,
                  char separator) {
    auto fold = [&](std::string s) { return caseSensitive ? s : LowerCase(s); };
    for (size_t i = 0; i < items.size(); ++i) {
        std::string key = items[i];
        if (byName) {
            size_t p = key.find(separator);
            if (p == std::string::npos) continue;
            key.resize(p);
        }
        if (fold(key) == fold(probe)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

TEST(HashedStringList, LookupsAgreeWithALinearScanThroughEveryKindOfEdit) {
    std::mt19937 rng(12345);
    const std::string alphabet = "aAbB=\t";
    auto word = [&] {
        std::string s;
        for (unsigned n = rng() % 4; n > 0; --n) s += alphabet[rng() % alphabet.size()];
        return s;
    };
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };

    TStringList plain;
    THashedStringList hashed;
    auto both = [&](auto edit) {
        edit(static_cast<TStringList&>(plain));
        edit(static_cast<TStringList&>(hashed));
    };
    for (int step = 0; step < 3000; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        int n = plain.Count();
        int i = below(n + 1), j = below(n + 1);
        std::string s = word();
        bool flag = rng() % 2;
        switch (rng() % 10) {
            case 0: case 1: case 2: both([&](TStringList& l) { l.Add(s); }); break;
            case 3: both([&](TStringList& l) { l.Insert(i, s); }); break;
            case 4: if (i < n) both([&](TStringList& l) { l.Delete(i); }); break;
            case 5: if (i < n) both([&](TStringList& l) { l.SetStrings(i, s); }); break;
            case 6: if (i < n && j < n) both([&](TStringList& l) { l.Exchange(i, j); }); break;
            case 7: both([&](TStringList& l) { l.Sort(); }); break;
            case 8: both([&](TStringList& l) { l.SetCaseSensitive(flag); }); break;
            case 9: both([&](TStringList& l) { l.SetNameValueSeparator(flag ? '=' : '\t'); }); break;
        }
        if (n > 40 && i == 0) both([&](TStringList& l) { l.Clear(); });
        ASSERT_EQ(Items(plain), Items(hashed));
        for (int k = 0; k < 4; ++k) {
            std::string probe = word();
            SCOPED_TRACE("probe \"" + probe + "\"");
            bool cs = plain.CaseSensitive();
            char sep = plain.NameValueSeparator();
            int byValue = LinearIndexOf(plain.Items(), probe, false, cs, sep);
            int byName = LinearIndexOf(plain.Items(), probe, true, cs, sep);
            ASSERT_EQ(plain.IndexOf(probe), byValue);
            ASSERT_EQ(hashed.IndexOf(probe), byValue);
            ASSERT_EQ(plain.IndexOfName(probe), byName);
            ASSERT_EQ(hashed.IndexOfName(probe), byName);
        }
    }
}

TEST(HashedStringList, FirstOccurrenceWinsAndAppendsAfterALookupAreFound) {
    THashedStringList list;
    list.Add("x=1");
    list.Add("X=2");
    list.Add("x=3");
    EXPECT_EQ(list.IndexOfName("x"), 0);
    EXPECT_EQ(list.IndexOf("X=3"), 2);
    EXPECT_EQ(list.IndexOfName("y"), -1);

    list.Add("y=9");
    list.Add("x=4");
    list.Add("make_VV =12");
    EXPECT_EQ(list.IndexOfName("y"), 3);
    EXPECT_EQ(list.Values("Y"), "9");
    EXPECT_EQ(list.IndexOfName("x"), 0);
    EXPECT_EQ(list.IndexOf("x=4"), 4);
    EXPECT_EQ(list.IndexOfName("make_VV"), -1);
    EXPECT_EQ(list.IndexOfName("make_VV "), 5);

    list.Delete(0);
    EXPECT_EQ(list.IndexOfName("x"), 0);
    EXPECT_EQ(list.Values("x"), "2");
}
