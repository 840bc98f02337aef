#include "support/ProcessMemory.h"

#include <windows.h>
// Version 2 names the kernel32 entry points, so no psapi library is needed.
#define PSAPI_VERSION 2
#include <psapi.h>

namespace {

size_t HeapBytesInUse(HANDLE heap)
{
    if (!HeapLock(heap)) return 0;
    size_t used = 0;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) used += entry.cbData;
    HeapUnlock(heap);
    return used;
}

// Every heap: the C runtime's malloc has one of its own.
size_t AllHeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD count = GetProcessHeaps(64, heaps);
    size_t used = 0;
    for (DWORD i = 0; i < count && i < 64; ++i) used += HeapBytesInUse(heaps[i]);
    return used;
}

}  // namespace

MemoryUse CurrentMemoryUse()
{
    MemoryUse use = {0, 0};
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        use.privateBytes = counters.PagefileUsage;
    use.heapBytes = AllHeapBytesInUse();
    return use;
}
