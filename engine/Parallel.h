#pragma once
// The engine's work over many files on every core. Results are merged by the
// caller in file order, so that they equal a one-thread run byte for byte.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

// Threads the engine uses; 0 (the default) means one per core.
void SetEngineThreads(int threads);
int EngineThreads();

// Runs work(i, worker) for every i below count and returns when all have run;
// worker, below EngineThreads(), numbers the thread, so that work may keep
// state per thread. The calling thread pumps messages meanwhile; the others
// never do. Nothing is rethrown: work keeps its own errors for the merge.
void ParallelFor(size_t count, const std::function<void(size_t, size_t)>& work);
// The same, calling waiting() on the calling thread each time it pumps
// messages, or after each item when that thread runs them all itself.
void ParallelFor(size_t count, const std::function<void(size_t, size_t)>& work, const std::function<void()>& waiting);

// Runs work(begin, end) over runs of about equal length that together cover
// 0 .. count - 1, side by side.
void ParallelRuns(size_t count, const std::function<void(size_t, size_t)>& work);

// Sorts items by less on every core: runs sorted side by side, then merged
// pairwise side by side. Not stable.
template <class T, class Less>
void ParallelSort(std::vector<T>& items, Less less) {
    const size_t runs = std::min(static_cast<size_t>(EngineThreads()), items.size() / 4096 + 1);
    auto at = [&](size_t run) {
        return items.begin() + static_cast<std::ptrdiff_t>(items.size() * std::min(run, runs) / runs);
    };
    ParallelFor(runs, [&](size_t r, size_t) { std::sort(at(r), at(r + 1), less); });
    for (size_t width = 1; width < runs; width *= 2) {
        ParallelFor((runs + 2 * width - 1) / (2 * width), [&](size_t p, size_t) {
            const size_t first = 2 * width * p;
            std::inplace_merge(at(first), at(first + width), at(first + 2 * width), less);
        });
    }
}

// An allocator that leaves the items it makes uninitialised: a buffer of
// hundreds of megabytes that is about to be filled side by side would
// otherwise be cleared first by one thread.
template <class T>
struct TUninitAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = TUninitAllocator<U>;
    };
    TUninitAllocator() = default;
    template <class U>
    TUninitAllocator(const TUninitAllocator<U>&) noexcept {}
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// A vector of plain items whose new items are not cleared.
template <class T>
using TBuffer = std::vector<T, TUninitAllocator<T>>;

// Gives the memory freed in the heaps of every thread back to the system, so
// that results freed by one run do not stay resident beside the next run's.
void ReturnFreedMemory();

// Makes blocks of four megabytes and more go back to the system when freed. The
// worker threads free their per-file results into heaps of their own, which
// the thread that merges them cannot reuse, so a large run would otherwise
// hold its results about twice. Called once at program start.
void ReturnLargeBlocksToSystem();
