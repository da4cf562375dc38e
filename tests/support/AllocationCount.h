#pragma once
// Counts the bytes operator new hands out, on every thread, while an object
// of this class lives: work that allocates as it goes grows with what it
// allocates, so a routine that should be linear can be told from a quadratic
// one without timing it.

#include <cstddef>

class AllocationCount {
public:
    AllocationCount();
    ~AllocationCount();
    AllocationCount(const AllocationCount&) = delete;
    AllocationCount& operator=(const AllocationCount&) = delete;

    size_t Bytes() const;
};
