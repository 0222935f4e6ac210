// Closing kernel object handles. The only kernel handles here are the
// pseudo-handles of the current process and thread, which need no closing:
// closing one succeeds and does nothing, as on Windows. Anything else is
// not a handle this process holds.
#include "kernel/security_log.h"

#include <windows.h>

BOOL WINAPI CloseHandle(HANDLE object)
{
    if (object == GetCurrentProcess() || object == GetCurrentThread())
        return TRUE;
    if (SecurityIsScriptedToken(object)) {
        SecurityNote('C');
        return TRUE;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
