#pragma once
// One partition step of the framework's quicksort over a large range, made on
// every core with exactly the exchanges the one-thread step makes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Parallel.h"
#include "platform/core/QuickSort.h"

// FrameworkPartitionKeys(keys, lo, hi, exchange, i, j), side by side.
//
// The step exchanges the k-th key from the left that does not sort before the
// pivot with the k-th key from the right that the pivot does not sort before,
// for as long as the first stands left of the second: until then the scans
// only read keys that no exchange has touched. Those pairs are found from the
// keys' kinds counted per block and exchanged side by side; the step then
// goes on from where the last exchange leaves it, as the one-thread step does.
// exchange(i, j) must be safe to call for disjoint pairs at the same time.
template <class Key, class Exchange>
void ParallelPartitionKeys(Key* keys, int lo, int hi, Exchange& exchange, int& i, int& j) {
    const Key pivot = keys[static_cast<unsigned>(lo + hi) >> 1];
    const size_t n = static_cast<size_t>(hi - lo) + 1;
    const size_t blocks = std::min(n, static_cast<size_t>(EngineThreads()) * 8);
    auto blockStart = [&](size_t b) { return lo + static_cast<int>(n * b / blocks); };
    // Bit 1: a key the left scan stops at; bit 2: one the right scan stops at.
    constexpr uint8_t kLeft = 1, kRight = 2;
    std::vector<uint8_t> kind(n);
    std::vector<size_t> leftBefore(blocks + 1, 0), rightFrom(blocks + 1, 0);
    ParallelFor(blocks, [&](size_t b, size_t) {
        size_t left = 0, right = 0;
        for (int x = blockStart(b); x < blockStart(b + 1); ++x) {
            const uint8_t k = static_cast<uint8_t>((keys[x] < pivot ? 0 : kLeft) | (pivot < keys[x] ? 0 : kRight));
            kind[static_cast<size_t>(x - lo)] = k;
            left += k & kLeft;
            right += (k & kRight) >> 1;
        }
        leftBefore[b + 1] = left;
        rightFrom[b] = right;
    });
    for (size_t b = 0; b < blocks; ++b) leftBefore[b + 1] += leftBefore[b];
    for (size_t b = blocks; b-- > 0;) rightFrom[b] += rightFrom[b + 1];
    auto is = [&](int x, uint8_t k) { return (kind[static_cast<size_t>(x - lo)] & k) != 0; };

    // Pair k exchanges when the k-th left stop lies before the k-th right
    // stop, that is when some position x has more than k left stops before
    // it and more than k right stops at or after it: the pairs that exchange
    // number the greatest min(before, after) over all x. Before grows and
    // after shrinks with x, so the greatest lies in the last block that
    // starts with before <= after.
    size_t crossing = 0;
    while (crossing + 1 < blocks && leftBefore[crossing + 1] <= rightFrom[crossing + 1]) ++crossing;
    size_t pairs = 0;
    {
        size_t before = leftBefore[crossing], after = rightFrom[crossing];
        for (int x = blockStart(crossing);; ++x) {
            pairs = std::max(pairs, std::min(before, after));
            if (x == blockStart(crossing + 1)) break;
            before += is(x, kLeft);
            after -= is(x, kRight);
        }
    }
    // The position of the k-th left stop and of the k-th right stop.
    auto leftStop = [&](size_t k) {
        size_t b = static_cast<size_t>(std::upper_bound(leftBefore.begin(), leftBefore.end(), k) - leftBefore.begin()) - 1;
        size_t seen = leftBefore[b];
        int x = blockStart(b);
        for (;; ++x)
            if (is(x, kLeft) && seen++ == k) return x;
    };
    auto rightStop = [&](size_t k) {
        size_t b = 0;
        while (rightFrom[b + 1] > k) ++b;
        size_t seen = rightFrom[b + 1];
        int x = blockStart(b + 1) - 1;
        for (;; --x)
            if (is(x, kRight) && seen++ == k) return x;
    };
    ParallelFor(blocks, [&](size_t b, size_t) {
        const size_t first = leftBefore[b], last = std::min(leftBefore[b + 1], pairs);
        if (first >= last) return;
        int x = leftStop(first), y = rightStop(first);
        for (size_t k = first; k < last; ++k) {
            while (!is(x, kLeft)) ++x;
            while (!is(y, kRight)) --y;
            std::swap(keys[x], keys[y]);
            exchange(x, y);
            ++x;
            --y;
        }
    });

    i = lo;
    j = hi;
    if (pairs > 0) {
        i = leftStop(pairs - 1) + 1;
        j = rightStop(pairs - 1) - 1;
        if (i > j) return;
    }
    // The step as the one-thread partition goes on from here.
    FrameworkPartitionFrom(keys, pivot, exchange, i, j);
}
