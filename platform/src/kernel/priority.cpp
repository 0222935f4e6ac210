// Process and thread priority on the system's nice values.
//
// The priority class is the nice value of every thread of the process:
// NORMAL_PRIORITY_CLASS 0, HIGH_PRIORITY_CLASS -10. A thread's priority
// moves that thread from there: THREAD_PRIORITY_HIGHEST by a further -5.
// Raising needs the system's leave (privilege or RLIMIT_NICE); a refusal
// fails with ERROR_ACCESS_DENIED and changes nothing.
#include <windows.h>

#include <dirent.h>
#include <errno.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <mutex>

namespace {
constexpr int kNormalClassNice = 0;
constexpr int kHighClassNice = -10;
constexpr int kHighestThreadNice = -5;
constexpr int kNiceMin = -20;
constexpr int kNiceMax = 19;

std::mutex lock;
int classNice = kNormalClassNice;  // guarded by lock
thread_local int threadNice;       // the calling thread's own step

HANDLE Pseudo(intptr_t value)
{
    return reinterpret_cast<HANDLE>(value);
}

pid_t ThreadId()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

int Clamp(int nice)
{
    return nice < kNiceMin ? kNiceMin : nice > kNiceMax ? kNiceMax : nice;
}

// Sets a thread's nice value; on refusal sets the last error.
bool SetNice(pid_t thread, int nice)
{
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(thread), Clamp(nice)) == 0)
        return true;
    SetLastError(errno == EACCES || errno == EPERM ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER);
    return false;
}

// Moves every other thread of the process by `delta`.
void ShiftOtherThreads(pid_t self, int delta)
{
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks)
        return;
    while (dirent* entry = readdir(tasks)) {
        pid_t thread = static_cast<pid_t>(atoi(entry->d_name));
        if (thread <= 0 || thread == self)
            continue;
        errno = 0;
        int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
        if (nice == -1 && errno != 0)
            continue;  // the thread has ended
        setpriority(PRIO_PROCESS, static_cast<id_t>(thread), Clamp(nice + delta));
    }
    closedir(tasks);
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
    int nice;
    switch (priorityClass) {
    case NORMAL_PRIORITY_CLASS:
        nice = kNormalClassNice;
        break;
    case HIGH_PRIORITY_CLASS:
        nice = kHighClassNice;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> hold(lock);
    // The calling thread first: when the system refuses, nothing changed.
    pid_t self = ThreadId();
    if (!SetNice(self, nice + threadNice))
        return FALSE;
    int delta = nice - classNice;
    classNice = nice;
    if (delta != 0)
        ShiftOtherThreads(self, delta);
    return TRUE;
}

BOOL WINAPI SetThreadPriority(HANDLE thread, int priority)
{
    if (thread != GetCurrentThread()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    int step;
    switch (priority) {
    case THREAD_PRIORITY_NORMAL:
        step = 0;
        break;
    case THREAD_PRIORITY_HIGHEST:
        step = kHighestThreadNice;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::lock_guard<std::mutex> hold(lock);
    if (!SetNice(ThreadId(), classNice + step))
        return FALSE;
    threadNice = step;
    return TRUE;
}
