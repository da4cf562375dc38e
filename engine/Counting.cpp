#include "engine/Counting.h"

#include <algorithm>
#include <numeric>

#include "engine/Query.h"
#include "engine/TokenList.h"
#include "platform/core/Classes.h"
#include "platform/core/Messages.h"
#include "platform/core/QuickSort.h"
#include "platform/core/SysUtils.h"

std::vector<uint32_t> RankTexts(const std::vector<std::string>& texts, bool ignoreCase) {
    std::vector<std::string> folded;
    const std::vector<std::string>* keys = &texts;
    if (ignoreCase) {
        folded.reserve(texts.size());
        for (const auto& t : texts) folded.push_back(LowerCase(t));
        keys = &folded;
    }
    std::vector<uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) { return (*keys)[a] < (*keys)[b]; });
    std::vector<uint32_t> rank(texts.size());
    uint32_t r = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && (*keys)[order[i]] != (*keys)[order[i - 1]]) ++r;
        rank[order[i]] = r;
    }
    return rank;
}

namespace {

// Sorts items by rank with the framework's quicksort, so that items of equal
// rank end up exactly where the string-list sort would leave them.
template <class Item>
void SortByRank(std::vector<Item>& items) {
    if (items.size() < 2) return;
    FrameworkQuickSort(
        0, static_cast<int>(items.size()) - 1,
        [&](int i, int p) {
            auto a = items[static_cast<size_t>(i)].rank, b = items[static_cast<size_t>(p)].rank;
            return a < b ? -1 : (a > b ? 1 : 0);
        },
        [&](int i, int j) { std::swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]); });
}

struct RankedId {
    uint32_t rank;
    uint32_t id;
};

struct RankedEntry {
    uint64_t rank;
    uint32_t key;
    int32_t hit;
};

}  // namespace

void CountRunsOfIds(std::vector<uint32_t>& ids, const std::vector<std::string>& entries, bool ignoreCase,
                    TStringList& dest) {
    if (ids.empty()) return;
    std::vector<uint32_t> rank = RankTexts(entries, ignoreCase);
    std::vector<RankedId> items(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) items[i] = {rank[ids[i]], ids[i]};
    SortByRank(items);
    for (size_t i = 0; i < ids.size(); ++i) ids[i] = items[i].id;

    // Runs compare trimmed entries, which two entries of different rank may share.
    std::vector<std::string> trimmed(entries.size());
    TTokenTable runKeys;
    std::vector<uint32_t> runKeyOf(entries.size());
    for (size_t id = 0; id < entries.size(); ++id) {
        trimmed[id] = Trim(entries[id]);
        runKeyOf[id] = runKeys.Intern(ignoreCase ? LowerCase(trimmed[id]) : trimmed[id]);
    }
    std::string separator = std::string(" ") + dest.NameValueSeparator();
    size_t runStart = 0;
    for (size_t i = 0; i < ids.size(); ++i) {
        ProcessMessages();
        if (i + 1 < ids.size() && runKeyOf[ids[i]] == runKeyOf[ids[i + 1]]) continue;
        dest.Add(trimmed[ids[i]] + separator + IntToStr(static_cast<int64_t>(i + 1 - runStart)));
        runStart = i + 1;
    }
    dest.CustomSort(CompareAlpha);
}

void GroupKeyHits(const std::vector<TKeyHit>& entries, const TTokenTable& keys, int hitCount, bool ignoreCase,
                  TStringList& dest) {
    if (entries.empty()) return;
    // An entry sorts by its key followed by "###" (no key holds "#", so the
    // key decides unless the keys are equal), then by its hit index as text.
    std::vector<std::string> framedKeys(keys.Size());
    for (uint32_t k = 0; k < keys.Size(); ++k) framedKeys[k] = keys.Text(k) + "###";
    std::vector<uint32_t> keyRank = RankTexts(framedKeys, ignoreCase);
    framedKeys = {};

    std::vector<std::string> hitTexts(static_cast<size_t>(hitCount));
    for (int h = 0; h < hitCount; ++h) hitTexts[static_cast<size_t>(h)] = IntToStr(h);
    std::vector<uint32_t> hitRank = RankTexts(hitTexts, false);

    std::vector<RankedEntry> items(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const TKeyHit& e = entries[i];
        items[i] = {uint64_t(keyRank[e.key]) * uint64_t(hitCount) + hitRank[static_cast<size_t>(e.hit)], e.key,
                    e.hit};
    }
    SortByRank(items);

    // Within a group the hits come in ascending text order; the list reads newest first.
    std::vector<int32_t> groupHits;
    std::string list;
    size_t groupStart = 0;
    for (size_t i = 0; i < items.size(); ++i) {
        ProcessMessages();
        if (groupHits.empty() || groupHits.back() != items[i].hit) groupHits.push_back(items[i].hit);
        if (i + 1 < items.size() && keyRank[items[i + 1].key] == keyRank[items[i].key]) continue;
        list.clear();
        for (auto it = groupHits.rbegin(); it != groupHits.rend(); ++it) {
            list += hitTexts[static_cast<size_t>(*it)];
            list += ',';
        }
        dest.Add(keys.Text(items[i].key) + "\t" + IntToStr(static_cast<int64_t>(i + 1 - groupStart)) + "\t" + list);
        groupHits.clear();
        groupStart = i + 1;
    }
}
