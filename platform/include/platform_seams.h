// Test seams of platform/: hooks that let tests drive the layer
// deterministically and read back what it did. Not part of the game's
// Windows API; never used by the game.
#pragma once

#include <mmsystem.h>
#include <windows.h>

// ---- Windows names the tests use and the game does not ------------------

#define WM_USER 0x0400
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WS_MINIMIZE 0x20000000L
#define SW_RESTORE 9
#define PM_NOREMOVE 0x0000
#define VK_TAB 0x09
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_F1 0x70
#define VK_F5 0x74
#define VK_F10 0x79
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define CLR_INVALID 0xFFFFFFFF
#define JOYSTICKID1 0
#define JOYSTICKID2 1
#define JOY_BUTTON1 0x0001
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)((WORD)((DWORD_PTR)(l)&0xffff) | (DWORD)((WORD)((DWORD_PTR)(h)&0xffff)) << 16))

#ifdef __cplusplus
extern "C" {
#endif

// Windows calls the game does not make, as Windows documents them: what
// tests read back (pixels, rectangles, the selected object, the window
// text) and a window's end.
COLORREF WINAPI GetPixel(HDC dc, int x, int y);
COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF colour);
HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT objectType);
BOOL WINAPI GetClientRect(HWND window, LPRECT rect);
BOOL WINAPI GetWindowRect(HWND window, LPRECT rect);
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int capacity);
// Destroys the windows it owns first; then sends WM_DESTROY to it and its
// children and releases them.
BOOL WINAPI DestroyWindow(HWND window);

// ---- The layer's own seams ----------------------------------------------

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

// The window's client pixels as the window system last showed them
// (0x00RRGGBB as a COLORREF); CLR_INVALID outside the client area or where
// the window system keeps no copy.
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
