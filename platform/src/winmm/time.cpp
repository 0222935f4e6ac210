// timeGetTime and Sleep, with the settable clock that tests use.
//
// The real clock is the monotonic system clock in milliseconds, truncated
// to 32 bits so it wraps around every 2^32 ms as Windows' does. A frozen
// clock only moves when a test moves it or the program sleeps.
#include <mmsystem.h>
#include <platform_seams.h>
#include <windows.h>

#include <sched.h>
#include <time.h>

namespace {
bool clockFrozen;
DWORD frozenTime;

DWORD RealMilliseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long long ms = static_cast<unsigned long long>(now.tv_sec) * 1000ull + now.tv_nsec / 1000000;
    return static_cast<DWORD>(ms);
}
}  // namespace

DWORD WINAPI timeGetTime(void)
{
    return clockFrozen ? frozenTime : RealMilliseconds();
}

void WINAPI Sleep(DWORD milliseconds)
{
    if (clockFrozen) {
        frozenTime += milliseconds;
        sched_yield();
        return;
    }
    if (milliseconds == 0) {
        sched_yield();
        return;
    }
    timespec delay{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0) {
    }
}

void PlatformSetClock(DWORD milliseconds)
{
    clockFrozen = true;
    frozenTime = milliseconds;
}

void PlatformAdvanceClock(DWORD milliseconds)
{
    frozenTime += milliseconds;
}

void PlatformUseRealClock(void)
{
    clockFrozen = false;
}
