#pragma once
// The engine's work over many files on every core. Results are merged by the
// caller in file order, so that they equal a one-thread run byte for byte.

#include <cstddef>
#include <functional>

// Threads the engine uses; 0 (the default) means one per core.
void SetEngineThreads(int threads);
int EngineThreads();

// Runs work(i, worker) for every i below count and returns when all have run;
// worker, below EngineThreads(), numbers the thread, so that work may keep
// state per thread. The calling thread pumps messages meanwhile; the others
// never do. Nothing is rethrown: work keeps its own errors for the merge.
void ParallelFor(size_t count, const std::function<void(size_t, size_t)>& work);

// Runs work(begin, end) over runs of about equal length that together cover
// 0 .. count - 1, side by side.
void ParallelRuns(size_t count, const std::function<void(size_t, size_t)>& work);

// Makes blocks of four megabytes and more go back to the system when freed. The
// worker threads free their per-file results into heaps of their own, which
// the thread that merges them cannot reuse, so a large run would otherwise
// hold its results about twice. Called once at program start.
void ReturnLargeBlocksToSystem();
