// When steps start, on the monotonic clock that timeGetTime reads, for the
// pacing figures (bench/fullspeed.cpp and the web test page).
#pragma once

#include <time.h>
#include <windows.h>

// The monotonic clock in ms, with its fraction.
inline double StepClockMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

// A step's due time as a full reading of the same clock: timeGetTime is
// this clock in whole ms, truncated to 32 bits.
inline double StepDueMs(double nowMs, DWORD due)
{
    auto wholeMs = static_cast<unsigned long long>(nowMs);
    return static_cast<double>(wholeMs - static_cast<DWORD>(static_cast<DWORD>(wholeMs) - due));
}
