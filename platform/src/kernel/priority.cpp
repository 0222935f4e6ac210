// Process and thread priority on the system's nice values.
//
// The game runs on one thread, the one that calls these. Its nice value is
// the class's (NORMAL_PRIORITY_CLASS 0, HIGH_PRIORITY_CLASS -10) plus the
// thread's step (THREAD_PRIORITY_HIGHEST -5). Raising needs the system's
// leave (privilege or RLIMIT_NICE); a refusal fails with
// ERROR_ACCESS_DENIED and changes nothing. A web page has no priority to
// raise: there every change is refused.
#include "win32_private.h"

#include <errno.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {
constexpr int kNormalClassNice = 0;
constexpr int kHighClassNice = -10;
constexpr int kHighestThreadNice = -5;

int classNice = kNormalClassNice;
int threadStep;

HANDLE Pseudo(intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

// Sets the calling thread's nice value; on refusal sets the last error.
bool SetNice(int nice)
{
#ifdef __EMSCRIPTEN__
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
#else
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), nice) == 0)
        return true;
    SetLastError(errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
    return false;
#endif
}
}  // namespace

HANDLE WINAPI GetCurrentProcess(void)
{
    return Pseudo(-1);
}

HANDLE WINAPI GetCurrentThread(void)
{
    return Pseudo(-2);
}

BOOL WINAPI SetPriorityClass(HANDLE process, DWORD priorityClass)
{
    if (process != GetCurrentProcess()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (priorityClass != NORMAL_PRIORITY_CLASS && priorityClass != HIGH_PRIORITY_CLASS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int nice = priorityClass == HIGH_PRIORITY_CLASS ? kHighClassNice : kNormalClassNice;
    if (!SetNice(nice + threadStep))
        return FALSE;
    classNice = nice;
    return TRUE;
}

BOOL WINAPI SetThreadPriority(HANDLE thread, int priority)
{
    if (thread != GetCurrentThread()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (priority != THREAD_PRIORITY_NORMAL && priority != THREAD_PRIORITY_HIGHEST) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int step = priority == THREAD_PRIORITY_HIGHEST ? kHighestThreadNice : 0;
    if (!SetNice(classNice + step))
        return FALSE;
    threadStep = step;
    return TRUE;
}
