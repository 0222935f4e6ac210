// Process exit and the last-error value of the program's one thread.
#include "win32_private.h"

#include <cstdlib>

namespace {
DWORD lastError;
}

void WINAPI ExitProcess(UINT exitCode)
{
    // Static destructors and atexit handlers run, as the runtime's do when
    // Windows ends a process through ExitProcess.
    std::exit(static_cast<int>(exitCode));
}

DWORD WINAPI GetLastError(void)
{
    return lastError;
}

void WINAPI SetLastError(DWORD errorCode)
{
    lastError = errorCode;
}
