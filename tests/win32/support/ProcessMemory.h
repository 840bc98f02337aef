// How much memory the process holds, for tests that look for growth.
#pragma once
#include <cstddef>

struct MemoryUse {
    size_t privateBytes;  // committed memory of the process alone
    size_t heapBytes;     // blocks in use on all the process's heaps
};

MemoryUse CurrentMemoryUse();
