// Shared between WinMM's joystick files.
#pragma once

#include "win32_private.h"

// The polling periods joyGetDevCapsA reports and joySetCapture keeps to.
constexpr UINT kJoyPeriodMin = 10;
constexpr UINT kJoyPeriodMax = 1000;
