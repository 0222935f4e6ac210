// Access tokens and privileges (advapi32). This system has no token
// privileges: what a process may do is decided elsewhere (for shutdown, by
// the system's own policy when it is asked). Every call fails with
// ERROR_CALL_NOT_IMPLEMENTED, as on Windows versions without security, and
// leaves its output arguments untouched. A test script may answer instead
// (kernel_seams.cpp).
#include "kernel/kernel_seams.h"

namespace {
constexpr DWORD kShutdownPrivilege = 19;  // SeShutdownPrivilege's value on Windows

BOOL NotImplemented()
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
}  // namespace

BOOL WINAPI OpenProcessToken(HANDLE process, DWORD access, PHANDLE token)
{
    BOOL answer;
    if (!TokenScriptAnswer(0, 'O', &answer))
        return NotImplemented();
    if (answer)
        *token = TokenScripted();
    return answer;
}

BOOL WINAPI LookupPrivilegeValueA(LPCSTR systemName, LPCSTR name, PLUID luid)
{
    BOOL answer;
    if (!TokenScriptAnswer(1, 'L', &answer))
        return NotImplemented();
    if (answer && luid)
        *luid = LUID{kShutdownPrivilege, 0};
    return answer;
}

BOOL WINAPI AdjustTokenPrivileges(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES newState, DWORD bufferLength,
                                  PTOKEN_PRIVILEGES previousState, LPDWORD returnLength)
{
    BOOL answer;
    return TokenScriptAnswer(2, 'A', &answer) ? answer : NotImplemented();
}
