#pragma once
// Counting over interned tokens with exactly the results of the string-list
// routines they stand in for (TDisplay::CountRuns, TDisplay::GroupHits): the
// same sort order, the same unstable placement of items that compare equal,
// and so the same spelling kept for a case-folded group.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Parallel.h"

class TStringList;
class TTokenTable;

// Ranks of the texts of a table under CompareAlpha: equal ranks for texts that
// compare equal (ASCII case folded when ignoreCase), ordered as they sort.
std::vector<uint32_t> RankTexts(const std::vector<std::string>& texts, bool ignoreCase);

// What CountRuns(source, dest, "A-Z", ignoreCase) does to a source list whose
// entry i is entries[ids[i]]: ids is sorted in place as the list would be.
void CountRunsOfIds(std::vector<uint32_t>& ids, const std::vector<std::string>& entries, bool ignoreCase,
                    TStringList& dest);

// One entry key + "###" + hit of a GroupHits source list.
struct TKeyHit {
    uint32_t key;
    int32_t hit;
};
using TKeyHitList = TBuffer<TKeyHit>;

// What GroupHits(source, dest, ignoreCase) does to a source list of the entries
// keys.Text(key) + "###" + hit, in this order, when no key holds "#". A key
// may hold any text: entries are ordered by key + "###", then by hit as
// text, so that a key never shares a group or a place with another key.
// The entries are used up.
void GroupKeyHits(TKeyHitList& entries, const TTokenTable& keys, int hitCount, bool ignoreCase,
                  TStringList& dest);

// The ranks GroupKeyHits gives the keys: they depend on the keys alone, so a
// caller that groups over the same keys again can keep them.
std::vector<uint32_t> RankGroupKeys(const TTokenTable& keys, bool ignoreCase);

// The hit numbers 0 .. count - 1 in the order of their texts ("10" before
// "9"): Rank[hit] and, for each rank, ByRank[rank] the hit. They depend on
// the count alone, so a caller that groups the same hits again can keep them.
struct THitOrder {
    explicit THitOrder(int count);
    int Count() const { return static_cast<int>(Rank.size()); }
    std::vector<uint32_t> Rank, ByRank;
};

// GroupKeyHits with keyRank = RankGroupKeys(keys, ignoreCase) and hits = THitOrder(hitCount).
void GroupRankedKeyHits(TKeyHitList& entries, const TTokenTable& keys, const std::vector<uint32_t>& keyRank,
                        const THitOrder& hits, TStringList& dest);
