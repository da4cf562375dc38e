#include "engine/Counting.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <numeric>

#include "engine/Parallel.h"
#include "engine/ParallelPartition.h"
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
        folded.resize(texts.size());
        ParallelRuns(texts.size(), [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) folded[i] = LowerCase(texts[i]);
        });
        keys = &folded;
    }
    // Texts that compare equal take one rank, so the order among them cannot show.
    std::vector<uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0u);
    ParallelSort(order, [&](uint32_t a, uint32_t b) { return (*keys)[a] < (*keys)[b]; });
    std::vector<uint32_t> rank(texts.size());
    uint32_t r = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (i > 0 && (*keys)[order[i]] != (*keys)[order[i - 1]]) ++r;
        rank[order[i]] = r;
    }
    return rank;
}

namespace {

// Where the framework's quicksort puts each of the ranks: order[i] is the
// index of the rank that ends at i, items of equal rank exactly where the
// string-list sort would leave them. Only ranges for which wanted(lo, hi)
// holds are sorted to the end; the others stay as the partitions leave them.
template <class Ranks, class Wanted>
TBuffer<uint32_t> FrameworkSortOrder(Ranks& ranks, Wanted wanted) {
    TBuffer<uint32_t> order(ranks.size());
    ParallelRuns(order.size(), [&](size_t begin, size_t end) {
        std::iota(order.begin() + static_cast<std::ptrdiff_t>(begin), order.begin() + static_cast<std::ptrdiff_t>(end),
                  static_cast<uint32_t>(begin));
    });
    if (ranks.size() < 2 || !wanted(0, static_cast<int>(ranks.size()) - 1)) return order;
    auto exchange = [&](int i, int j) { std::swap(order[static_cast<size_t>(i)], order[static_cast<size_t>(j)]); };
    // Each partition leaves two ranges that the sort finishes apart from each
    // other, so the first partitions are made here and the ranges they leave
    // sorted side by side, with exactly the exchanges of the one-thread sort.
    struct TRange {
        int lo, hi;
    };
    std::vector<TRange> ranges{{0, static_cast<int>(ranks.size()) - 1}};
    const size_t threads = static_cast<size_t>(EngineThreads());
    const size_t wantedRanges = threads * 4;
    constexpr int kSmallRange = 1 << 14, kLargeRange = 1 << 18;
    for (bool split = true; split && ranges.size() < wantedRanges;) {
        split = false;
        std::vector<TRange> next(ranges.size() * 2, TRange{0, -1});
        // Fewer ranges than threads are each partitioned on every core.
        const bool eachOnAll = ranges.size() < threads;
        auto partition = [&](size_t r, size_t) {
            auto [lo, hi] = ranges[r];
            if (hi - lo < kSmallRange) {
                next[2 * r] = ranges[r];
                return;
            }
            int i, j;
            if (eachOnAll && hi - lo >= kLargeRange)
                ParallelPartitionKeys(ranks.data(), lo, hi, exchange, i, j);
            else
                FrameworkPartitionKeys(ranks.data(), lo, hi, exchange, i, j);
            next[2 * r] = {lo, j};
            next[2 * r + 1] = {i, hi};
        };
        if (eachOnAll)
            for (size_t r = 0; r < ranges.size(); ++r) partition(r, 0);
        else
            ParallelFor(ranges.size(), partition);
        ranges.clear();
        for (const TRange& range : next) {
            if (range.lo >= range.hi || !wanted(range.lo, range.hi)) continue;
            split |= range.hi - range.lo >= kSmallRange;
            ranges.push_back(range);
        }
    }
    ParallelFor(ranges.size(), [&](size_t r, size_t) {
        FrameworkQuickSortKeysWhere(ranks.data(), ranges[r].lo, ranges[r].hi, exchange, wanted);
    });
    return order;
}

template <class Ranks>
TBuffer<uint32_t> FrameworkSortOrder(Ranks& ranks) {
    return FrameworkSortOrder(ranks, [](int, int) { return true; });
}

// Sorts items by rank with the framework's quicksort, so that items of equal
// rank end up exactly where the string-list sort would leave them.
template <class Item>
void SortByRank(std::vector<Item>& items) {
    // The sort moves compact keys and item numbers, and the items once at the end.
    std::vector<decltype(Item::rank)> ranks(items.size());
    for (size_t i = 0; i < items.size(); ++i) ranks[i] = items[i].rank;
    const TBuffer<uint32_t> order = FrameworkSortOrder(ranks);
    std::vector<Item> sorted(items.size());
    for (size_t i = 0; i < items.size(); ++i) sorted[i] = items[order[i]];
    items.swap(sorted);
}

// A stable counting sort of items by a key below bucketCount.
template <class Item, class KeyOf>
void CountingSort(std::vector<Item>& items, size_t bucketCount, KeyOf keyOf) {
    std::vector<size_t> start(bucketCount + 1, 0);
    for (const Item& item : items) ++start[keyOf(item) + 1];
    for (size_t b = 1; b <= bucketCount; ++b) start[b] += start[b - 1];
    std::vector<Item> sorted(items.size());
    for (const Item& item : items) sorted[start[keyOf(item)]++] = item;
    items.swap(sorted);
}

struct RankedId {
    uint32_t rank;
    uint32_t id;
};

}  // namespace

void CountRunsOfIds(std::vector<uint32_t>& ids, const std::vector<std::string>& entries, bool ignoreCase,
                    TStringList& dest) {
    if (ids.empty()) return;
    std::vector<uint32_t> rank = RankTexts(entries, ignoreCase);
    uint32_t rankCount = 0;
    for (uint32_t r : rank) rankCount = std::max(rankCount, r + 1);
    std::vector<RankedId> items(ids.size());
    for (size_t i = 0; i < ids.size(); ++i) items[i] = {rank[ids[i]], ids[i]};
    // Items of equal rank differ only when two spellings fold together; then
    // where the framework's sort leaves them decides the spelling kept.
    if (rankCount < entries.size())
        SortByRank(items);
    else
        CountingSort(items, rankCount, [](const RankedId& item) { return item.rank; });
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

namespace {

constexpr uint32_t kLastEntry = UINT32_MAX;

// Where a group ends: at its greatest hit text, and whether more than one
// spelling stands there, so that only the framework's sort can say which
// spelling the group keeps.
struct TGroupEnd {
    uint64_t rank = 0;
    uint32_t key = 0;
    bool seen = false, mixed = false;

    void See(uint64_t entryRank, uint32_t entryKey) {
        if (!seen || entryRank > rank) {
            *this = {entryRank, entryKey, true, false};
        } else if (entryRank == rank && entryKey != key) {
            mixed = true;
        }
    }
    // The end of a group seen in two parts.
    void Join(const TGroupEnd& other) {
        if (!other.seen) return;
        if (!seen || other.rank > rank) {
            *this = other;
        } else if (other.rank == rank) {
            mixed |= other.mixed || other.key != key;
        }
    }
};

// The spelling the framework's sort of the entries leaves at the end of each
// open group (ends[k] the position where group open[k] ends): the sort is
// replayed only in the ranges that hold such an end, since the ranges a
// partition leaves are sorted apart from each other and nothing else shows.
// shown[rank] is the key kept, kLastEntry for a group that is not open.
template <class RankOf>
std::vector<uint32_t> ShownSpellings(const TKeyHitList& entries, RankOf rankOf,
                                     const std::vector<uint32_t>& open, const std::vector<int>& ends,
                                     uint32_t keyRankCount) {
    std::vector<uint32_t> shown(keyRankCount, kLastEntry);
    if (open.empty()) return shown;
    TBuffer<uint64_t> ranks(entries.size());
    ParallelRuns(entries.size(), [&](size_t begin, size_t end) {
        for (size_t i = begin; i < end; ++i) ranks[i] = rankOf(entries[i]);
    });
    auto holdsAnEnd = [&](int lo, int hi) {
        auto end = std::lower_bound(ends.begin(), ends.end(), lo);
        return end != ends.end() && *end <= hi;
    };
    const TBuffer<uint32_t> order = FrameworkSortOrder(ranks, holdsAnEnd);
    for (size_t k = 0; k < open.size(); ++k) shown[open[k]] = entries[order[static_cast<size_t>(ends[k])]].key;
    return shown;
}

// The lines of the groups of items, which are placed by key rank; sortEach
// puts each group in rank order first, less telling that order. A group shows
// the spelling shown gives its rank, or else its last entry's.
template <class Less>
void WriteGroups(TKeyHitList& items, const std::vector<uint32_t>& keyRank, const TTokenTable& keys,
                 const std::vector<uint32_t>& shown, bool sortEach, Less less, TStringList& dest) {
    std::vector<size_t> groupStart;
    for (size_t i = 0; i < items.size(); ++i)
        if (i == 0 || keyRank[items[i].key] != keyRank[items[i - 1].key]) groupStart.push_back(i);
    groupStart.push_back(items.size());
    const size_t groups = groupStart.size() - 1;
    auto at = [&](size_t i) { return items.begin() + static_cast<std::ptrdiff_t>(i); };
    if (sortEach) ParallelFor(groups, [&](size_t g, size_t) { std::sort(at(groupStart[g]), at(groupStart[g + 1]), less); });

    // Within a group the hits come in ascending text order; the list reads
    // newest first. A group is written in pieces side by side, from its end,
    // so that a collocate of nearly every hit does not keep one thread alone.
    constexpr size_t kPiece = 1 << 16;
    struct TPiece {
        size_t group, begin, end;
    };
    std::vector<TPiece> pieces;
    std::vector<size_t> firstPiece(groups + 1);
    for (size_t g = 0; g < groups; ++g) {
        firstPiece[g] = pieces.size();
        for (size_t end = groupStart[g + 1]; end > groupStart[g];) {
            const size_t begin = end - std::min(kPiece, end - groupStart[g]);
            pieces.push_back({g, begin, end});
            end = begin;
        }
    }
    firstPiece[groups] = pieces.size();
    std::vector<std::string> texts(pieces.size());
    ParallelFor(pieces.size(), [&](size_t p, size_t) {
        ProcessMessages();
        const TPiece& piece = pieces[p];
        const size_t first = groupStart[piece.group], last = groupStart[piece.group + 1];
        std::string& text = texts[p];
        if (p == firstPiece[piece.group]) {
            const uint32_t spelling = shown[keyRank[items[first].key]];
            text.append(keys.Text(spelling == kLastEntry ? items[last - 1].key : spelling));
            text += '\t';
            text += IntToStr(static_cast<int64_t>(last - first));
            text += '\t';
        }
        char digits[16];
        for (size_t i = piece.end; i > piece.begin;) {
            --i;
            if (i + 1 != last && items[i].hit == items[i + 1].hit) continue;
            text.append(digits, std::to_chars(digits, digits + sizeof digits, items[i].hit).ptr);
            text += ',';
        }
    });
    TKeyHitList().swap(items);
    ParallelFor(groups, [&](size_t g, size_t) {
        std::string& line = texts[firstPiece[g]];
        for (size_t p = firstPiece[g] + 1; p < firstPiece[g + 1]; ++p) {
            line += texts[p];
            std::string().swap(texts[p]);
        }
    });
    for (size_t g = 0; g < groups; ++g) dest.Add(std::move(texts[firstPiece[g]]));
}

}  // namespace

std::vector<uint32_t> RankGroupKeys(const TTokenTable& keys, bool ignoreCase) {
    // An entry sorts by its key followed by "###" (where no key holds "#",
    // the key decides unless the keys are equal), then by its hit index as text.
    std::vector<std::string> framedKeys(keys.Size());
    for (uint32_t k = 0; k < keys.Size(); ++k) framedKeys[k].append(keys.Text(k)).append("###");
    return RankTexts(framedKeys, ignoreCase);
}

THitOrder::THitOrder(int count) : Rank(static_cast<size_t>(std::max(count, 0))), ByRank(Rank.size()) {
    // Depth first through the decimal texts: "0", then "1", "10", "100", ...
    uint32_t next = 0;
    auto visit = [&](auto&& self, int64_t n) -> void {
        if (n >= count) return;
        Rank[static_cast<size_t>(n)] = next++;
        for (int d = 0; d <= 9; ++d) self(self, n * 10 + d);
    };
    if (count > 0) Rank[0] = next++;
    for (int d = 1; d <= 9; ++d) visit(visit, d);
    for (size_t h = 0; h < Rank.size(); ++h) ByRank[Rank[h]] = static_cast<uint32_t>(h);
}

void GroupKeyHits(TKeyHitList& entries, const TTokenTable& keys, int hitCount, bool ignoreCase,
                  TStringList& dest) {
    if (entries.empty()) return;
    GroupRankedKeyHits(entries, keys, RankGroupKeys(keys, ignoreCase), THitOrder(hitCount), dest);
}

void GroupRankedKeyHits(TKeyHitList& entries, const TTokenTable& keys, const std::vector<uint32_t>& keyRank,
                        const THitOrder& hits, TStringList& dest) {
    if (entries.empty()) return;
    uint32_t keyRankCount = 0;
    for (uint32_t r : keyRank) keyRankCount = std::max(keyRankCount, r + 1);
    const int hitCount = hits.Count();
    const std::vector<uint32_t>& hitRank = hits.Rank;
    const std::vector<uint32_t>& hitByRank = hits.ByRank;
    auto rankOf = [&](const TKeyHit& e) {
        return uint64_t(keyRank[e.key]) * uint64_t(hitCount) + hitRank[static_cast<size_t>(e.hit)];
    };

    // The entries are placed by key rank in the order they are visited. When
    // the hits ascend, the entries of a hit stand together: visited hit by
    // hit in text order, they come into each group already in rank order, and
    // the visit is cut into runs of hits that are placed side by side, each
    // where the runs before it leave off. Otherwise they are visited as they
    // stand and each group is sorted afterwards.
    std::atomic<bool> descends{false};
    ParallelRuns(entries.size(), [&](size_t begin, size_t end) {
        for (size_t i = std::max<size_t>(begin, 1); i < end && !descends; ++i)
            if (entries[i - 1].hit > entries[i].hit) descends = true;
    });
    const bool hitsAscend = !descends;
    // hitStart[h]: where the entries of hit h start, written side by side
    // where the hit changes.
    std::vector<size_t> hitStart;
    if (hitsAscend) {
        hitStart.resize(static_cast<size_t>(hitCount) + 1);
        ParallelRuns(entries.size() + 1, [&](size_t begin, size_t end) {
            for (size_t i = begin; i < end; ++i) {
                const int32_t before = i == 0 ? -1 : entries[i - 1].hit;
                const int32_t at = i == entries.size() ? hitCount : entries[i].hit;
                for (int32_t h = before + 1; h <= at; ++h) hitStart[static_cast<size_t>(h)] = i;
            }
        });
    }
    const size_t runs = hitsAscend ? std::min(static_cast<size_t>(hitCount), static_cast<size_t>(EngineThreads())) : 1;
    auto visit = [&](size_t run, auto&& put) {
        if (!hitsAscend) {
            for (const TKeyHit& e : entries) put(e);
            return;
        }
        for (size_t k = hitByRank.size() * run / runs; k < hitByRank.size() * (run + 1) / runs; ++k)
            for (size_t i = hitStart[hitByRank[k]]; i < hitStart[hitByRank[k] + 1]; ++i) put(entries[i]);
    };
    // Each run's count and group ends per key rank.
    std::vector<std::vector<size_t>> next(runs, std::vector<size_t>(keyRankCount, 0));
    std::vector<std::vector<TGroupEnd>> runEnds(runs, std::vector<TGroupEnd>(keyRankCount));
    ParallelFor(runs, [&](size_t run, size_t) {
        std::vector<size_t>& count = next[run];
        std::vector<TGroupEnd>& end = runEnds[run];
        visit(run, [&](const TKeyHit& e) {
            const uint32_t r = keyRank[e.key];
            ++count[r];
            end[r].See(rankOf(e), e.key);
        });
    });
    // Turned into where each run places its first entry of each group.
    std::vector<size_t> groupEnd(keyRankCount);
    std::vector<TGroupEnd> ends(keyRankCount);
    size_t placed = 0;
    for (uint32_t r = 0; r < keyRankCount; ++r) {
        for (size_t run = 0; run < runs; ++run) {
            ends[r].Join(runEnds[run][r]);
            const size_t count = next[run][r];
            next[run][r] = placed;
            placed += count;
        }
        groupEnd[r] = placed;
    }
    std::vector<std::vector<TGroupEnd>>().swap(runEnds);

    // Entries of equal rank hold the same hit and keys that differ at most in
    // case; their order matters only to the spelling of a group whose end
    // holds more than one, and only there is the framework's sort asked.
    std::vector<uint32_t> open;
    std::vector<int> openEnds;
    for (uint32_t r = 0; r < keyRankCount; ++r) {
        if (!ends[r].mixed) continue;
        open.push_back(r);
        openEnds.push_back(static_cast<int>(groupEnd[r]) - 1);
    }
    const std::vector<uint32_t> shown = ShownSpellings(entries, rankOf, open, openEnds, keyRankCount);

    // The entries go as soon as they are placed: a frequent node's lists are
    // the largest the run holds.
    TKeyHitList items(entries.size());
    ParallelFor(runs, [&](size_t run, size_t) {
        std::vector<size_t>& at = next[run];
        visit(run, [&](const TKeyHit& e) { items[at[keyRank[e.key]]++] = e; });
    });
    TKeyHitList().swap(entries);
    WriteGroups(items, keyRank, keys, shown, !hitsAscend,
                [&](const TKeyHit& x, const TKeyHit& y) {
                    return hitRank[static_cast<size_t>(x.hit)] < hitRank[static_cast<size_t>(y.hit)];
                },
                dest);
}
