// The process heap, on the C library's allocator. No flags are supported:
// the game asks for plain blocks.
#include "kernel/kernel_seams.h"

#include <cstdlib>

namespace {
int processHeap;  // its address is the heap's handle
}

HANDLE WINAPI GetProcessHeap(void)
{
    return &processHeap;
}

LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes)
{
    if (heap != &processHeap || flags != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    void* block = HeapFailureDue() ? nullptr : std::malloc(bytes ? bytes : 1);
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
