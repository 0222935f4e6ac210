// Closing kernel object handles. The only kernel handles here are the
// pseudo-handles of the current process and thread, which need no closing:
// closing one succeeds and does nothing, as on Windows. Anything else is
// not a handle this process holds (but for a test script's token).
#include "kernel/kernel_seams.h"

BOOL WINAPI CloseHandle(HANDLE object)
{
    if (object == GetCurrentProcess() || object == GetCurrentThread())
        return TRUE;
    if (object && object == TokenScripted()) {
        TokenNote('C');
        return TRUE;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
