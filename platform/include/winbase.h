// KERNEL: module handle, process heap, sleeping, process exit, errors.
#pragma once

#include "windef.h"

#define HEAP_ZERO_MEMORY 0x00000008

#define ERROR_SUCCESS 0
// A refused or mistargeted SetPriorityClass / SetThreadPriority.
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_CALL_NOT_IMPLEMENTED 120
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_CLASS_ALREADY_EXISTS 1410
#define ERROR_CANNOT_FIND_WND_CLASS 1407

#define NORMAL_PRIORITY_CLASS 0x00000020
#define HIGH_PRIORITY_CLASS 0x00000080
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_HIGHEST 2

#ifdef __cplusplus
extern "C" {
#endif

// Scheduling: mapped to what the system allows; a refusal returns FALSE
// and changes nothing.
HANDLE WINAPI GetCurrentProcess(void);
HANDLE WINAPI GetCurrentThread(void);
BOOL WINAPI SetPriorityClass(HANDLE process, DWORD priorityClass);
BOOL WINAPI SetThreadPriority(HANDLE thread, int priority);

// The program's own module; a name other than null is not supported and
// returns null.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);

HANDLE WINAPI GetProcessHeap(void);
// Blocks from the process heap; HEAP_ZERO_MEMORY clears them.
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block);

// Sleep(0) gives up the rest of the time slice.
void WINAPI Sleep(DWORD milliseconds);

// Ends the process at once with the given exit code.
[[noreturn]] void WINAPI ExitProcess(UINT exitCode);

LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source);

DWORD WINAPI GetLastError(void);
void WINAPI SetLastError(DWORD errorCode);

#ifdef __cplusplus
}
#endif
