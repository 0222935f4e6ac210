// Process exit and the thread's last-error value.
#include <windows.h>

#include <cstdlib>

namespace {
thread_local DWORD lastError;
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
