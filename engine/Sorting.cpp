// Ordering hits for display and grouping tagged items with the hits they came from.

#include <functional>
#include <vector>

#include "engine/Query.h"
#include "platform/core/Messages.h"
#include "platform/core/QuickSort.h"
#include "platform/core/SysUtils.h"

namespace {

// Sorts hits[lo..hi] by a key computed once per hit; descending reverses the order.
template <class Key, class KeyOf>
void SortHitsBy(TArrResultStr& hits, int lo, int hi, KeyOf keyOf, bool descending = false) {
    if (lo < 0 || hi >= static_cast<int>(hits.size()) || lo >= hi) return;
    std::vector<Key> keys;
    keys.reserve(static_cast<size_t>(hi - lo + 1));
    for (int i = lo; i <= hi; ++i) keys.push_back(keyOf(hits[static_cast<size_t>(i)]));
    auto key = [&](int i) -> const Key& { return keys[static_cast<size_t>(i - lo)]; };
    FrameworkQuickSort(
        lo, hi,
        [&](int i, int p) {
            const Key& a = key(i);
            const Key& b = key(p);
            int r = a < b ? -1 : (b < a ? 1 : 0);
            return descending ? -r : r;
        },
        [&](int i, int j) {
            std::swap(hits[static_cast<size_t>(i)], hits[static_cast<size_t>(j)]);
            std::swap(keys[static_cast<size_t>(i - lo)], keys[static_cast<size_t>(j - lo)]);
        });
}

}  // namespace

void TDisplay::SplitWords(TStringList& list, const std::string& text) {
    list.Clear();
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (IsRegexSpace(text[i])) {
            list.Add(text.substr(start, i - start));
            start = i + 1;
        }
    }
    list.Add(text.substr(start));
}

std::string TDisplay::ReverseWords(const std::string& text, bool asIs, bool caseSensitive) {
    std::string result;
    if (asIs) {
        result = text;
    } else {
        TStringList words;
        SplitWords(words, text);
        for (int i = words.Count() - 1; i >= 0; --i) {
            result += words[i];
            result += ' ';
        }
        result = Trim(result);
    }
    return caseSensitive ? result : LowerCase(result);
}

std::string TDisplay::ReverseKey(const std::string& text, bool caseSensitive) {
    return ReverseWords(text, false, caseSensitive);
}

void TDisplay::QuickSortCenter(TArrResultStr& hits, int lo, int hi, const std::string& mode, bool caseSensitive) {
    if (mode != "CENTER-L" && mode != "CENTER-R") return;
    bool asIs = mode == "CENTER-L";
    SortHitsBy<std::string>(hits, lo, hi,
                            [&](const TResultStr& h) { return ReverseWords(h.Center, asIs, caseSensitive); });
}

void TDisplay::QuickSortLeft(TArrResultStr& hits, int lo, int hi, bool caseSensitive) {
    SortHitsBy<std::string>(hits, lo, hi, [&](const TResultStr& h) { return ReverseKey(h.Left, caseSensitive); });
}

void TDisplay::QuickSortRight(TArrResultStr& hits, int lo, int hi, bool caseSensitive) {
    SortHitsBy<std::string>(hits, lo, hi,
                            [&](const TResultStr& h) { return caseSensitive ? h.Right : LowerCase(h.Right); });
}

void TDisplay::QuickSortFile(TArrResultStr& hits, int lo, int hi) {
    SortHitsBy<std::string>(hits, lo, hi, [](const TResultStr& h) { return LowerCase(h.FileName); });
}

void TDisplay::QuickSortCount(TArrResultStr& hits, int lo, int hi) {
    SortHitsBy<int32_t>(hits, lo, hi, [](const TResultStr& h) { return h.Count; }, true);
}

void TDisplay::GroupHits(TStringList& source, TStringList& dest, bool ignoreCase) {
    if (source.Count() == 0) return;
    source.SetCaseSensitive(!ignoreCase);
    source.CustomSort(CompareAlpha);
    // The index is digits only, so the key ends at the last "###": a key may
    // end in "#" itself.
    auto split = [](const std::string& entry, std::string& key, std::string& index) {
        size_t p = entry.rfind("###");
        key = p == std::string::npos ? entry : entry.substr(0, p);
        index = p == std::string::npos ? std::string() : entry.substr(p + 3);
    };
    std::string key, index, nextKey, nextIndex;
    // A group's entries are sorted, so an index it repeats follows itself.
    std::vector<std::string> indexes;
    int groupSize = 0, last = source.Count() - 1;
    for (int i = 0; i <= last; ++i) {
        ProcessMessages();
        split(source[i], key, index);
        ++groupSize;
        if (indexes.empty() || indexes.back() != index) indexes.push_back(index);
        if (i < last) {
            split(source[i + 1], nextKey, nextIndex);
            if (ignoreCase ? SameText(key, nextKey) : key == nextKey) continue;
        }
        // Newest first.
        std::string line = key + "\t" + IntToStr(groupSize) + "\t";
        for (auto it = indexes.rbegin(); it != indexes.rend(); ++it) line.append(*it).append(",");
        dest.Add(std::move(line));
        indexes.clear();
        groupSize = 0;
    }
}
