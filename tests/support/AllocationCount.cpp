#include "tests/support/AllocationCount.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> gCounting{false};
std::atomic<size_t> gBytes{0};

void* TryAllocate(size_t size) noexcept {
    if (gCounting.load(std::memory_order_relaxed)) gBytes.fetch_add(size, std::memory_order_relaxed);
    return std::malloc(size ? size : 1);
}

void* Allocate(size_t size) {
    if (void* p = TryAllocate(size)) return p;
    throw std::bad_alloc();
}

}  // namespace

AllocationCount::AllocationCount() {
    gBytes = 0;
    gCounting = true;
}

AllocationCount::~AllocationCount() { gCounting = false; }

size_t AllocationCount::Bytes() const { return gBytes.load(); }

// The program's allocation functions, replaced for the whole test program,
// each form with its own delete (a sanitizer's runtime brings its own too);
// the aligned forms keep the library's own pairs.
void* operator new(size_t size) { return Allocate(size); }
void* operator new[](size_t size) { return Allocate(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return TryAllocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
