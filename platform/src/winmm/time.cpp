// timeGetTime and Sleep.
//
// The clock is the monotonic system clock in milliseconds, truncated to 32
// bits so it wraps around every 2^32 ms as Windows' does. Tests may freeze
// it (winmm_seams.cpp).
#include "winmm/time_private.h"

#include <sched.h>
#include <time.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

DWORD WINAPI timeGetTime(void)
{
    DWORD frozen;
    if (ClockFrozen(&frozen))
        return frozen;
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    unsigned long long ms = static_cast<unsigned long long>(now.tv_sec) * 1000ull + now.tv_nsec / 1000000;
    return static_cast<DWORD>(ms);
}

void WINAPI Sleep(DWORD milliseconds)
{
    if (ClockSleepFrozen(milliseconds) || milliseconds == 0) {
        sched_yield();
        return;
    }
#ifdef __EMSCRIPTEN__
    emscripten_sleep(milliseconds);  // the browser runs meanwhile
#else
    timespec delay{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&delay, &delay) != 0) {
    }
#endif
}
