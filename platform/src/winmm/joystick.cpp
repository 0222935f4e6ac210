// WinMM joysticks: ids, positions and capabilities.
//
// Ids are the backend's slots: 16 of them, as Windows reports, whether or
// not a device is plugged in; a caller probes them with joyGetPos. Each
// axis reads 0..65535 with the centre at 32767; y grows downward.
#include <string.h>

#include "backend/backend.h"
#include "text/glyphs.h"
#include "winmm/joystick_private.h"

namespace {
// The system's -32768..32767 onto 0..65535, both ends kept and 0 at 32767.
UINT Position(int value)
{
    if (value <= 0)
        return static_cast<UINT>((value + 32768) * 32767 / 32768);
    return 32767u + static_cast<UINT>(value * 32768 / 32767);
}
}  // namespace

UINT WINAPI joyGetNumDevs(void)
{
    return BackendJoyInit() ? kJoySlots : 0;
}

MMRESULT WINAPI joyGetPos(UINT id, JOYINFO* info)
{
    if (!info)
        return MMSYSERR_INVALPARAM;
    if (id >= static_cast<UINT>(kJoySlots))
        return JOYERR_PARMS;
    if (!BackendJoyInit())
        return MMSYSERR_NODRIVER;
    BackendJoyRefresh();
    JoyReading reading;
    if (!BackendJoyRead(static_cast<int>(id), &reading))
        return JOYERR_UNPLUGGED;
    info->wXpos = Position(reading.x);
    info->wYpos = Position(reading.y);
    info->wZpos = Position(reading.z);
    info->wButtons = reading.buttons;
    return JOYERR_NOERROR;
}

// An id without a device is refused as Windows does.
MMRESULT WINAPI joyGetDevCapsA(UINT_PTR id, JOYCAPSA* caps, UINT size)
{
    if (!caps)
        return MMSYSERR_INVALPARAM;
    if (size != sizeof(JOYCAPSA) || id >= static_cast<UINT_PTR>(kJoySlots))
        return JOYERR_PARMS;
    if (!BackendJoyInit())
        return MMSYSERR_NODRIVER;
    BackendJoyRefresh();
    char name[128];
    if (!BackendJoyName(static_cast<int>(id), name, sizeof name))
        return JOYERR_PARMS;
    memset(caps, 0, sizeof *caps);
    TextUtf8ToCp932(name, strlen(name), caps->szPname, sizeof caps->szPname);
    caps->wPeriodMin = kJoyPeriodMin;
    return JOYERR_NOERROR;
}
