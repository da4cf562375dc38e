#pragma once

#include <utility>
// The string-list quicksort of the component framework: middle pivot, Hoare
// partition, recursion on the left part and iteration on the right. It is not
// stable, and the order it leaves equal items in is part of what the program
// shows (which spelling of a case-folded group is written), so every sort that
// stands in for a framework sort goes through this one routine.
//
// compare(i, p) compares item i with the pivot item p (an index that follows
// the pivot when it is exchanged); exchange(i, j) swaps two items.

template <class Compare, class Exchange>
void FrameworkQuickSort(int lo, int hi, Compare&& compare, Exchange&& exchange) {
    if (lo >= hi) return;
    int i, j;
    do {
        i = lo;
        j = hi;
        int p = static_cast<int>((static_cast<unsigned>(lo) + static_cast<unsigned>(hi)) >> 1);
        do {
            while (compare(i, p) < 0) ++i;
            while (compare(j, p) > 0) --j;
            if (i <= j) {
                if (i != j) {
                    exchange(i, j);
                    if (p == i) p = j;
                    else if (p == j) p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (lo < j) FrameworkQuickSort(lo, j, compare, exchange);
        lo = i;
    } while (i < hi);
}

// The partition loop of the sort below, from scan positions i and j with
// the pivot's key: afterwards keys[lo..j] and keys[i..hi] are what remains to
// sort, each on its own.
template <class Key, class Exchange>
void FrameworkPartitionFrom(Key* keys, const Key& pivot, Exchange& exchange, int& i, int& j) {
    do {
        while (keys[i] < pivot) ++i;
        while (pivot < keys[j]) --j;
        if (i <= j) {
            if (i != j) {
                std::swap(keys[i], keys[j]);
                exchange(i, j);
            }
            ++i;
            --j;
        }
    } while (i <= j);
}

// One partition of keys[lo..hi] as the sort below makes it.
template <class Key, class Exchange>
void FrameworkPartitionKeys(Key* keys, int lo, int hi, Exchange& exchange, int& i, int& j) {
    i = lo;
    j = hi;
    const Key pivot = keys[static_cast<unsigned>(lo + hi) >> 1];
    FrameworkPartitionFrom(keys, pivot, exchange, i, j);
}

// The same sort over an array of keys, for callers whose items compare by a
// plain key: the pivot's key is held in a register instead of being read
// through its index. exchange(i, j) swaps whatever travels with the keys.
// Only ranges for which wanted(lo, hi) holds are sorted further: a range left
// out is never touched again by the sort, so the ranges sorted end exactly as
// in a sort of the whole (the caller must want lo .. hi itself).
template <class Key, class Exchange, class Wanted>
void FrameworkQuickSortKeysWhere(Key* keys, int lo, int hi, Exchange&& exchange, Wanted&& wanted) {
    if (lo >= hi) return;
    int i, j;
    do {
        FrameworkPartitionKeys(keys, lo, hi, exchange, i, j);
        if (lo < j && wanted(lo, j)) FrameworkQuickSortKeysWhere(keys, lo, j, exchange, wanted);
        lo = i;
    } while (i < hi && wanted(i, hi));
}

template <class Key, class Exchange>
void FrameworkQuickSortKeys(Key* keys, int lo, int hi, Exchange&& exchange) {
    FrameworkQuickSortKeysWhere(keys, lo, hi, exchange, [](int, int) { return true; });
}
