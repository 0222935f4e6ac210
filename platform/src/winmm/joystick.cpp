// WinMM joysticks: ids, positions and capabilities.
//
// Ids are the backend's slots: 16 of them, as Windows reports, whether or
// not a device is plugged in; a caller probes them with joyGetPos. Each
// axis reads 0..65535 with the centre at 32767; y grows downward.
#include <mmsystem.h>
#include <string.h>

#include "text/glyphs.h"
#include "winmm/joystick_backend.h"
#include "winmm/joystick_private.h"

namespace {
constexpr UINT kRangeMax = 65535;
constexpr UINT kMaxAxes = 6;     // x, y, z, r, u, v
constexpr UINT kMaxButtons = 32;
constexpr UINT kCapsHasZ = 0x0001;  // JOYCAPS_HASZ
const char kRegKey[] = "DINPUT.DLL";

// The system's -32768..32767 onto 0..65535, both ends kept and 0 at 32767.
UINT Position(int value)
{
    if (value <= 0)
        return static_cast<UINT>((value + 32768) * 32767 / 32768);
    return 32767u + static_cast<UINT>(value * 32768 / 32767);
}

bool AnyId(UINT_PTR id)
{
    return id == ~static_cast<UINT_PTR>(0) || id == 0xFFFFFFFFu;
}
}  // namespace

UINT WINAPI joyGetNumDevs(void)
{
    return BackendJoyInit() ? kJoySlots : 0;
}

MMRESULT WINAPI joyGetPos(UINT id, LPJOYINFO info)
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

// Id -1 answers the registry key whether or not a device is present; an id
// without a device is refused as Windows does.
MMRESULT WINAPI joyGetDevCapsA(UINT_PTR id, LPJOYCAPSA caps, UINT size)
{
    if (!caps)
        return MMSYSERR_INVALPARAM;
    if (size != sizeof(JOYCAPSA))
        return JOYERR_PARMS;
    if (AnyId(id)) {
        memset(caps, 0, sizeof *caps);
        memcpy(caps->szRegKey, kRegKey, sizeof kRegKey);
        return JOYERR_NOERROR;
    }
    if (id >= static_cast<UINT_PTR>(kJoySlots))
        return JOYERR_PARMS;
    if (!BackendJoyInit())
        return MMSYSERR_NODRIVER;
    BackendJoyRefresh();
    JoyDescription device;
    if (!BackendJoyDescribe(static_cast<int>(id), &device))
        return JOYERR_PARMS;
    memset(caps, 0, sizeof *caps);
    caps->wMid = device.vendor;
    caps->wPid = device.product;
    TextUtf8ToCp932(device.nameUtf8, strlen(device.nameUtf8), caps->szPname, sizeof caps->szPname);
    caps->wXmax = caps->wYmax = caps->wZmax = kRangeMax;
    caps->wRmax = caps->wUmax = caps->wVmax = kRangeMax;
    caps->wNumButtons = static_cast<UINT>(device.buttons);
    caps->wPeriodMin = kJoyPeriodMin;
    caps->wPeriodMax = kJoyPeriodMax;
    caps->wCaps = device.axes > 2 ? kCapsHasZ : 0;
    caps->wMaxAxes = kMaxAxes;
    caps->wNumAxes = static_cast<UINT>(device.axes);
    caps->wMaxButtons = kMaxButtons;
    memcpy(caps->szRegKey, kRegKey, sizeof kRegKey);
    return JOYERR_NOERROR;
}
