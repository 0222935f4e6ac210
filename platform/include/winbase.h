// KERNEL: module handle, process heap, sleeping, process exit, errors.
#pragma once

#include "windef.h"

#define HEAP_ZERO_MEMORY 0x00000008

#define ERROR_SUCCESS 0
// A refused or mistargeted SetPriorityClass / SetThreadPriority.
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
// ExitWindowsEx when the system cannot be asked to shut down.
#define ERROR_NOT_SUPPORTED 50
#define ERROR_INVALID_PARAMETER 87
#define ERROR_CALL_NOT_IMPLEMENTED 120
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_CLASS_ALREADY_EXISTS 1410
#define ERROR_CANNOT_FIND_WND_CLASS 1407

#define NORMAL_PRIORITY_CLASS 0x00000020
#define HIGH_PRIORITY_CLASS 0x00000080
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_HIGHEST 2

// Security: access tokens and privileges.
#define TOKEN_ADJUST_PRIVILEGES 0x0020
#define TOKEN_QUERY 0x0008
#define SE_PRIVILEGE_ENABLED 0x00000002L
#define SE_SHUTDOWN_NAME "SeShutdownPrivilege"

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

BOOL WINAPI CloseHandle(HANDLE object);

// There are no token privileges on this system: these fail with
// ERROR_CALL_NOT_IMPLEMENTED, as they do on Windows versions without them.
BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token);
BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid);
BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD bufferLength,
                                  PTOKEN_PRIVILEGES previousState, LPDWORD returnLength);

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
