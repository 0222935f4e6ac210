// The backend contract: everything USER and WinMM need from the system, and
// the only way they reach it. The portable side keeps the Windows model
// (rects, styles, the message queue, painting, joystick ids and ranges);
// the backend owns the system's windows, puts pixels on screen, reports
// input as plain events and reads the game controllers. GDI draws into
// memory only and needs nothing here. The one backend is SDL's
// (backend/sdl_*.cpp; in a web page the windows are backend/web_*.cpp,
// drawn into the page's one canvas); nothing else includes SDL.
//
// Every call may come before the system is up: a backend starts what it
// needs on first use, and a call it cannot serve fails as stated (false,
// null, or nothing done) without harm. Null windows are accepted and do
// nothing.
#pragma once

#include "win32_private.h"

struct BackendWindow;

// ---- The video system ---------------------------------------------------

// Starts the video system; called before the first window is made. False
// when there is no display to show windows on; later calls answer the same
// without trying again.
bool BackendInitVideo(void);
// The desktop's size in pixels, for the screen metrics; false when there
// is no display.
bool BackendScreenSize(int* width, int* height);

// ---- Windows ------------------------------------------------------------

// A hidden top-level window whose client area is width x height at (x, y)
// on the screen, or wherever the system places it when systemPlaced; made
// for CreateWindowExA. `owner` comes back in the window's events. A
// decorated window gets the window manager's frame. Null on failure.
BackendWindow* BackendCreateWindow(void* owner, const char* titleUtf8, int x, int y, bool systemPlaced, int width,
                                   int height, bool decorated);
// A borderless, always-on-top popup at (x, y), shown at once: the open
// system menu.
BackendWindow* BackendCreatePopup(void* owner, int x, int y, int width, int height);
// Called when USER frees the window; no event of it follows.
void BackendDestroyWindow(BackendWindow* window);
void BackendShowWindow(BackendWindow* window, bool show);
// Asks the window system to minimise the window. True when it is
// minimised at once (a driver with no window manager to ask); false when
// only asked: BackendEventType::Minimized follows if the window manager
// agrees.
bool BackendMinimizeWindow(BackendWindow* window);
void BackendRestoreWindow(BackendWindow* window);
// Raises the window above the program's others (SetWindowPos, showing).
void BackendRaiseWindow(BackendWindow* window);
// Raises the window and gives it the keyboard focus: a dialog or owner
// coming forward.
void BackendFocusWindow(BackendWindow* window);
// What the window's frame has, from its Windows style: the window manager
// decorates it accordingly (a captionless window has no decoration).
struct BackendFrame {
    bool caption;
    bool border;      // a frame line without a caption
    bool systemMenu;  // the close box
    bool minimizeBox;
    bool maximizeBox;
    bool sizeable;
    bool modalFrame;  // a dialog frame: no icon in the caption
    bool dialog;      // an owned window: a dialog kept above its owner
};
// Called when a window is made and when its style changes.
void BackendSetFrame(BackendWindow* window, const BackendFrame& frame, BackendWindow* owner);
// Fills the whole screen, above panels (the window manager's full-screen
// state), or returns to a normal window; the window's picture is then
// shown at its new size. False when there is no window manager to take
// the state: the caller places the window over the screen itself.
bool BackendSetFullScreen(BackendWindow* window, bool fullScreen);
// The window manager's frame around the client area (left, top, right and
// bottom thickness); false when there is no window manager to ask.
bool BackendFrameExtents(BackendWindow* window, RECT* extents);
void BackendSetTitle(BackendWindow* window, const char* titleUtf8);
// Keeps `window` above `owner` and modal for it, where the system can.
void BackendSetModalFor(BackendWindow* window, BackendWindow* owner);
// Puts the client area at (x, y) on the screen: the window manager's frame
// then lies around it.
void BackendMoveWindow(BackendWindow* window, int x, int y);
void BackendResizeWindow(BackendWindow* window, int width, int height);
// Where the system put the client area (after a system placement).
void BackendGetWindowPosition(BackendWindow* window, int* x, int* y);
// The icon the system shows for the window: 0xAARRGGBB, stride = width.
void BackendSetIcon(BackendWindow* window, const uint32_t* argb, int width, int height);

// ---- Presenting ---------------------------------------------------------

// Uploads 0x00RRGGBB pixels (stride = width) and shows them, scaled to the
// window's full output size with nearest-neighbour sampling. Called once
// for each window drawn to, when the program next calls into the queue.
bool BackendPresent(BackendWindow* window, const uint32_t* pixels, int width, int height);

// ---- Events -------------------------------------------------------------

enum class BackendEventType {
    KeyDown,
    KeyUp,
    Text,        // text typed, UTF-8
    ButtonDown,  // mouse button; x, y in the window
    ButtonUp,
    MouseMove,
    FocusGained,
    FocusLost,
    Close,    // the window's close box
    Exposed,  // the system lost the window's contents
    Moved,    // x, y: new client position on the screen
    Minimized,
    Restored,
};

enum class BackendButton { Other, Left, Right, Middle };  // Other: one Windows has no message for

struct BackendEvent {
    BackendEventType type;
    void* owner;           // the cookie the window was created with; null if none
    UINT virtualKey;       // keys: Windows virtual-key code
    UINT scanCode;         // keys: PC set-1 scan code
    bool extended;         // keys: extended key (E0 prefix)
    bool repeat;           // keys: auto-repeat
    bool altDown;          // keys: Alt held
    char text[32];         // text: NUL-terminated UTF-8
    BackendButton button;  // buttons
    int x, y;
};

// The next event, without waiting; false when none is pending. Called
// whenever the program retrieves or waits for messages. Keys the system
// has no Windows code for, and a modifier already held when the focus
// arrived, are not reported.
bool BackendPollEvent(BackendEvent* event);
// Waits for the next event; false on failure (no video system).
bool BackendWaitEvent(BackendEvent* event);
// Waits up to timeoutMs for an event to be pending, without taking it;
// true when one is. Without a video system it sleeps out the time.
bool BackendWaitForEvent(DWORD timeoutMs);

// ---- Cursors and the message box ----------------------------------------

// The system arrow cursor, created on first use; false if the system has
// no cursors. `select` also makes it the current cursor.
bool BackendArrowCursor(bool select);
// The system's wait cursor, the same way.
bool BackendWaitCursor(bool select);
// Shows or hides the mouse cursor.
void BackendShowCursor(bool show);
// A modal message box; false when it cannot be shown. Under a headless
// driver it returns at once; without a display the text goes to stderr.
bool BackendShowMessageBox(BackendWindow* parent, const char* captionUtf8, const char* textUtf8, bool error);

// ---- Joysticks ----------------------------------------------------------

// The backend keeps the devices in slots, the joystick ids of WinMM.
constexpr int kJoySlots = 16;

struct JoyReading {
    int x, y, z;       // the system's units, -32768..32767; y grows downward
    uint32_t buttons;  // bit n: button n + 1
};

// Starts the system's joystick support on first need; false when there is
// none.
bool BackendJoyInit(void);
// Takes in the devices plugged in and out since the last call and reads
// every device's current state; called before each reading. Plain
// joysticks take slots before gamepads, each kind in the system's device
// order; while a gamepad is attached only two devices take slots (one
// plain joystick, or a second gamepad, then a gamepad), the others are
// left out until every device is unplugged. Until a slot is first read or
// described the slots are laid out anew at each call; from then on a
// device keeps its slot, a new one gets the lowest free slot and an
// unplugged one frees its own. Once no device is left, the slots are laid
// out anew again.
void BackendJoyRefresh(void);
// The state of the device in `slot` as of the last refresh; false when the
// slot has no device. A gamepad's d-pad (a joystick's hat) at full
// deflection overrides its stick.
bool BackendJoyRead(int slot, JoyReading* out);
// The device's name in UTF-8, cut to fit `capacity` with its NUL; false
// when the slot has no device.
bool BackendJoyName(int slot, char* nameUtf8, size_t capacity);

// ---- For the test seams only (backend/sdl_seams.cpp) ---------------------

// Input as the system would deliver it, queued behind pending events.
void BackendPushKey(BackendWindow* window, UINT virtualKey, bool down, bool repeat);
void BackendPushText(BackendWindow* window, const char* utf8);
void BackendPushFocus(BackendWindow* window, bool gained);
void BackendPushClose(BackendWindow* window);
void BackendPushButton(BackendWindow* window, BackendButton button, bool down, int x, int y);
// Drops pending events and forgets the modifier keys pushed so far.
void BackendResetInput(void);
// The pixel at (x, y) of the picture last presented, as 0x00RRGGBB, where
// the system keeps it; false when it keeps none.
bool BackendReadPresented(BackendWindow* window, int x, int y, uint32_t* pixel);
// Virtual devices on the system's own joystick path. A plain joystick has
// 2 axes, 8 buttons and a hat; a gamepad has the standard layout. Returns
// the slot the device got, or -1; until a slot is read, a gamepad moves up
// when a plain joystick comes.
int BackendJoyAttachVirtual(bool gamepad, const char* nameUtf8);
bool BackendJoySetVirtualAxes(int slot, int x, int y);
bool BackendJoySetVirtualButton(int slot, int button, bool pressed);
bool BackendJoySetVirtualHat(int slot, int dx, int dy);
void BackendJoyDetachVirtual(void);
