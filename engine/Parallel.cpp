#include "engine/Parallel.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core/Messages.h"

namespace {

std::atomic<int> gThreads{0};

}  // namespace

void SetEngineThreads(int threads) { gThreads = std::max(threads, 0); }

int EngineThreads() {
    int threads = gThreads;
    if (threads > 0) return threads;
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

void ParallelFor(size_t count, const std::function<void(size_t, size_t)>& work) { ParallelFor(count, work, {}); }

void ParallelFor(size_t count, const std::function<void(size_t, size_t)>& work, const std::function<void()>& waiting) {
    size_t threads = std::min(static_cast<size_t>(EngineThreads()), count);
    if (threads <= 1) {
        for (size_t i = 0; i < count; ++i) {
            work(i, 0);
            if (waiting) waiting();
        }
        return;
    }
    std::atomic<size_t> next{0};
    std::mutex mutex;
    std::condition_variable finished;
    size_t running = threads;
    std::vector<std::thread> pool;
    pool.reserve(threads);
    for (size_t t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            message_pump_detail::worker = true;
            for (size_t i; (i = next++) < count;) work(i, t);
            std::lock_guard<std::mutex> lock(mutex);
            if (--running == 0) finished.notify_one();
        });
    }
    // The window keeps painting while the workers run.
    std::unique_lock<std::mutex> lock(mutex);
    while (running > 0) {
        finished.wait_for(lock, std::chrono::milliseconds(20));
        lock.unlock();
        // Work that itself runs in a worker leaves the window to its own thread.
        if (!message_pump_detail::worker) {
            if (waiting) waiting();
            ProcessMessagesSlow();
        }
        lock.lock();
    }
    lock.unlock();
    for (std::thread& thread : pool) thread.join();
}

void ParallelRuns(size_t count, const std::function<void(size_t, size_t)>& work) {
    const size_t runs = std::min(count, static_cast<size_t>(EngineThreads()) * 4);
    ParallelFor(runs, [&](size_t r, size_t) { work(count * r / runs, count * (r + 1) / runs); });
}

void ReturnFreedMemory() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

void ReturnLargeBlocksToSystem() {
#ifdef __GLIBC__
    // A fixed threshold also stops the allocator from raising it after the
    // first large block is freed, which would keep later ones in the heaps.
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
}
