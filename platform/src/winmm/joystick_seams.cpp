// Test seams: virtual joysticks, plugged in through the system's joystick
// layer so that they take the same path as real ones.
#include <platform_seams.h>

#include <string.h>

#include "text/glyphs.h"
#include "winmm/joystick_backend.h"

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
