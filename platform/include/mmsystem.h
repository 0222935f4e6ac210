// WinMM: joysticks and the multimedia timer.
#pragma once

#include "windef.h"

typedef UINT MMRESULT;

#define JOYERR_NOERROR 0

#define MM_JOY1MOVE 0x3A0
#define MM_JOY2MOVE 0x3A1
#define MM_JOY1BUTTONDOWN 0x3B5
#define MM_JOY2BUTTONDOWN 0x3B6

#define MAXPNAMELEN 32
#define MAX_JOYSTICKOEMVXDNAME 260

typedef struct joyinfo_tag {
    UINT wXpos;
    UINT wYpos;
    UINT wZpos;
    UINT wButtons;
} JOYINFO;

// 404 bytes, as on Windows.
typedef struct tagJOYCAPSA {
    WORD wMid;
    WORD wPid;
    CHAR szPname[MAXPNAMELEN];
    UINT wXmin;
    UINT wXmax;
    UINT wYmin;
    UINT wYmax;
    UINT wZmin;
    UINT wZmax;
    UINT wNumButtons;
    UINT wPeriodMin;
    UINT wPeriodMax;
    UINT wRmin;
    UINT wRmax;
    UINT wUmin;
    UINT wUmax;
    UINT wVmin;
    UINT wVmax;
    UINT wCaps;
    UINT wMaxAxes;
    UINT wNumAxes;
    UINT wMaxButtons;
    CHAR szRegKey[MAXPNAMELEN];
    CHAR szOEMVxD[MAX_JOYSTICKOEMVXDNAME];
} JOYCAPSA;

#ifdef __cplusplus
extern "C" {
#endif

// Joysticks: ids 0..15; positions 0..65535 per axis, centre 32767. A
// modern gamepad counts too: its left stick and d-pad give the position,
// any face button is a button.
UINT WINAPI joyGetNumDevs(void);
MMRESULT WINAPI joyGetPos(UINT id, JOYINFO* info);
// Fills the device's name (szPname) and wPeriodMin; the other fields are 0.
MMRESULT WINAPI joyGetDevCapsA(UINT_PTR id, JOYCAPSA* caps, UINT size);
// Sends MM_JOYxMOVE every `period` ms (or only on change when `changed`)
// and MM_JOYxBUTTONDOWN/UP to the window; ids 0 and 1 only.
MMRESULT WINAPI joySetCapture(HWND window, UINT id, UINT period, BOOL changed);
MMRESULT WINAPI joyReleaseCapture(UINT id);

// Milliseconds since an arbitrary start, as a 32-bit count that wraps
// around every 2^32 ms.
DWORD WINAPI timeGetTime(void);

#ifdef __cplusplus
}
#endif
