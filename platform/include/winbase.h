// KERNEL: module handle, process heap, priority, sleeping, process exit,
// the last error and the shutdown privilege.
#pragma once

#include "windef.h"

#define ERROR_CALL_NOT_IMPLEMENTED 120

#define NORMAL_PRIORITY_CLASS 0x00000020
#define HIGH_PRIORITY_CLASS 0x00000080
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_HIGHEST 2

#define TOKEN_ADJUST_PRIVILEGES 0x0020
#define TOKEN_QUERY 0x0008
#define SE_PRIVILEGE_ENABLED 0x00000002L

typedef struct _LUID {
    DWORD LowPart;
    LONG HighPart;
} LUID, *PLUID;

typedef struct _LUID_AND_ATTRIBUTES {
    LUID Luid;
    DWORD Attributes;
} LUID_AND_ATTRIBUTES;

typedef struct _TOKEN_PRIVILEGES {
    DWORD PrivilegeCount;
    LUID_AND_ATTRIBUTES Privileges[1];
} TOKEN_PRIVILEGES, *PTOKEN_PRIVILEGES;

typedef HANDLE* PHANDLE;

#ifdef __cplusplus
extern "C" {
#endif

// Closes a token from OpenProcessToken, or a pseudo-handle (a no-op).
BOOL WINAPI CloseHandle(HANDLE object);

// There are no token privileges on this system: these fail with
// ERROR_CALL_NOT_IMPLEMENTED, as they do on Windows versions without them.
BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token);
BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid);
BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD bufferLength,
                                  PTOKEN_PRIVILEGES previousState, LPDWORD returnLength);

// The pseudo-handles of the process and its thread.
HANDLE WINAPI GetCurrentProcess(void);
HANDLE WINAPI GetCurrentThread(void);
// The classes NORMAL_PRIORITY_CLASS and HIGH_PRIORITY_CLASS, and the thread
// priorities THREAD_PRIORITY_NORMAL and THREAD_PRIORITY_HIGHEST, mapped to
// what the system allows; a refusal returns FALSE and changes nothing.
BOOL WINAPI SetPriorityClass(HANDLE process, DWORD priorityClass);
BOOL WINAPI SetThreadPriority(HANDLE thread, int priority);

// The program's own module (a null name); any other name is not supported
// and returns null.
HMODULE WINAPI GetModuleHandleA(LPCSTR moduleName);

HANDLE WINAPI GetProcessHeap(void);
// Blocks from the process heap.
LPVOID WINAPI HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL WINAPI HeapFree(HANDLE heap, DWORD flags, LPVOID block);

// Sleep(0) gives up the rest of the time slice.
void WINAPI Sleep(DWORD milliseconds);

// Ends the process at once with the given exit code.
[[noreturn]] void WINAPI ExitProcess(UINT exitCode);

LPSTR WINAPI lstrcpyA(LPSTR destination, LPCSTR source);

DWORD WINAPI GetLastError(void);

#ifdef __cplusplus
}
#endif
