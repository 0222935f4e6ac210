// Test seams of platform/: hooks that let tests drive the layer
// deterministically. Not part of the Windows API; never used by the game.
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Clock: freeze timeGetTime at a value; while frozen, Sleep(n) advances it
// by n instead of sleeping. PlatformUseRealClock returns to real time.
void PlatformSetClock(DWORD milliseconds);
void PlatformAdvanceClock(DWORD milliseconds);
void PlatformUseRealClock(void);

// Keyboard: queue a key press or release for the window as the keyboard
// would deliver it. `text` is the character(s) the press types, in code
// page 932, or null; a press with text yields WM_CHAR through
// TranslateMessage. `repeat` marks an auto-repeated press.
void PlatformInjectKey(HWND window, UINT virtualKey, BOOL down, BOOL repeat, const char* text);
// Activation as the window manager reports it (focus gained or lost).
void PlatformInjectActivation(HWND window, BOOL active);
// The window's close box.
void PlatformInjectCloseBox(HWND window);
// A right click in the client area at (x, y).
void PlatformInjectRightClick(HWND window, int x, int y);
// A left click (press and release) at (x, y) in the window's client area;
// a child window (a dialog's control) is clicked through its top-level window.
void PlatformInjectClick(HWND window, int x, int y);
// Whether the mouse cursor is shown (ShowCursor's counter and SetCursor).
BOOL PlatformCursorShown(void);

// The window's client pixels as last drawn (0x00RRGGBB as a COLORREF).
COLORREF PlatformReadWindowPixel(HWND window, int x, int y);
// How many times the window's pixels were put on screen.
unsigned PlatformPresentCount(HWND window);

// GDI objects (bitmaps, fonts, DCs) alive now.
int PlatformLiveGdiObjects(void);
// How many may be alive at once (10,000 at start, Windows' default); a
// creation past it fails.
void PlatformSetGdiQuota(int quota);

// The next `count` HeapAlloc calls fail as if memory had run out.
void PlatformFailHeapAllocations(int count);

// The size GetSystemMetrics reports for the screen.
void PlatformSetScreenSize(int width, int height);

// The last message box's text and caption (code page 932), or "".
const char* PlatformLastMessageBoxText(void);
const char* PlatformLastMessageBoxCaption(void);

// Joysticks: a virtual device on the system's own joystick path. A plain
// joystick has 2 axes, 8 buttons and a hat; a gamepad has the standard
// layout. `name` is code page 932, or null for a default. Returns the id
// joyGetPos knows it by, or -1.
int PlatformAttachVirtualJoystick(BOOL gamepad, const char* name);
// The stick in the system's units: -32768 (left, up) .. 32767 (right,
// down), 0 at the centre.
void PlatformSetVirtualJoystickAxes(int id, int x, int y);
// Button `button` from 0; a gamepad's in SDL's order: A, B, X, Y, back,
// guide, start, left stick, right stick, left and right shoulder.
void PlatformSetVirtualJoystickButton(int id, int button, BOOL pressed);
// The hat (a gamepad's d-pad): dx and dy each -1, 0 or 1; dy -1 is up.
void PlatformSetVirtualJoystickHat(int id, int dx, int dy);
// Unplugs every virtual joystick.
void PlatformDetachVirtualJoysticks(void);

// Forgets every window and class and empties the queue, so each test
// starts from a fresh process state.
void PlatformResetUser(void);

// Shutdown requests: while recording, ExitWindowsEx only records its flags
// and answers `succeed`; nothing reaches the system. Every test program
// turns recording on before main runs. PlatformShutdownRequests counts
// the recorded calls.
void PlatformRecordShutdown(BOOL record, BOOL succeed);
// Token calls answer by a script, one letter a step (open, look up,
// adjust): 'y' grants, 'n' refuses, '-' not implemented; null ends the
// script (all not implemented again). The log holds a letter per call in
// order: O L A for the steps, C for closing the token, X for a recorded
// ExitWindowsEx.
void PlatformScriptTokens(const char* script);
const char* PlatformTokenLog(void);
int PlatformShutdownRequests(void);
UINT PlatformLastShutdownFlags(void);

#ifdef __cplusplus
}
#endif
