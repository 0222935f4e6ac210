// Asking the system to shut down. Systems without token privileges answer
// the privilege steps with ERROR_CALL_NOT_IMPLEMENTED; that is no failure
// here, and the request goes straight on.
#include "dialogs/dialogs.h"

namespace {
bool Refused(BOOL ok)
{
    return !ok && GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}
}  // namespace

void RequestShutdown()
{
    HANDLE token = nullptr;
    BOOL opened = OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    if (Refused(opened))
        return;
    TOKEN_PRIVILEGES privileges = {};
    if (Refused(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))) {
        if (opened)
            CloseHandle(token);
        return;
    }
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (Refused(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr))) {
        if (opened)
            CloseHandle(token);
        return;
    }
    if (ExitWindowsEx(EWX_SHUTDOWN, 0))
        PostQuitMessage(0);
    if (opened)
        CloseHandle(token);
}
