// Access tokens and privileges (advapi32). This system has no token
// privileges: what a process may do is decided elsewhere (for shutdown, by
// the system's own policy when it is asked). Every call fails with
// ERROR_CALL_NOT_IMPLEMENTED, as on Windows versions without security, and
// leaves its output arguments untouched.
#include <windows.h>

namespace {
BOOL NotImplemented()
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
}  // namespace

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token)
{
    return NotImplemented();
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid)
{
    return NotImplemented();
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD bufferLength,
                                  PTOKEN_PRIVILEGES previousState, LPDWORD returnLength)
{
    return NotImplemented();
}
