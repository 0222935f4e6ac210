// The process heap, on the C library's allocator.
#include <platform_seams.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {
int processHeap;
int failuresLeft;  // allocations still to refuse, set by tests
}

HANDLE WINAPI GetProcessHeap(void)
{
    return &processHeap;
}

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    if (heap != &processHeap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (failuresLeft > 0) {
        --failuresLeft;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    void* block = (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
    if (block == nullptr)
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return block;
}

BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block)
{
    if (heap != &processHeap)
        return FALSE;
    std::free(block);
    return TRUE;
}

void PlatformFailHeapAllocations(int count)
{
    failuresLeft = count;
}
