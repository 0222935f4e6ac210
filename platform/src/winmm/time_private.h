// The clock's test seam (winmm_seams.cpp): a frozen clock that only moves
// when a test or a Sleep moves it. In the game it is never frozen.
#pragma once

#include "win32_private.h"

// The frozen clock's time; false when the clock runs.
bool ClockFrozen(DWORD* now);
// Sleep on a frozen clock: moves it on instead of sleeping; false when the
// clock runs.
bool ClockSleepFrozen(DWORD milliseconds);
