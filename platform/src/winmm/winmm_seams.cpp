// Test seams of WinMM: the settable clock, and virtual joysticks plugged in
// through the system's joystick layer so that they take the same path as
// real ones.
#include <string.h>

#include "backend/backend.h"
#include "text/glyphs.h"
#include "winmm/time_private.h"

namespace {
bool clockFrozen;
DWORD frozenTime;
}  // namespace

bool ClockFrozen(DWORD* now)
{
    *now = frozenTime;
    return clockFrozen;
}

bool ClockSleepFrozen(DWORD milliseconds)
{
    if (clockFrozen)
        frozenTime += milliseconds;
    return clockFrozen;
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

int PlatformAttachVirtualJoystick(BOOL gamepad, const char* name)
{
    char utf8[128];
    if (name)
        TextCp932ToUtf8(name, strlen(name), utf8, sizeof utf8);
    else
        strcpy(utf8, gamepad ? "Virtual Gamepad" : "Virtual Joystick");
    return BackendJoyAttachVirtual(gamepad != FALSE, utf8);
}

void PlatformSetVirtualJoystickAxes(int id, int x, int y)
{
    BackendJoySetVirtualAxes(id, x, y);
}

void PlatformSetVirtualJoystickButton(int id, int button, BOOL pressed)
{
    BackendJoySetVirtualButton(id, button, pressed != FALSE);
}

void PlatformSetVirtualJoystickHat(int id, int dx, int dy)
{
    BackendJoySetVirtualHat(id, dx, dy);
}

void PlatformDetachVirtualJoysticks(void)
{
    BackendJoyDetachVirtual();
}
