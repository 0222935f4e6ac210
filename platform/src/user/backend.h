// The contract between USER and its video backend. USER keeps the Windows
// model (rects, styles, the message queue, painting); the backend owns the
// system's windows, puts pixels on screen and reports input as plain
// events. Only the backend files (backend/sdl_*.cpp) talk to SDL.
#pragma once

#include <windows.h>

struct BackendWindow;

enum BackendEventType {
    BACKEND_KEY_DOWN,
    BACKEND_KEY_UP,
    BACKEND_TEXT,          // text typed, UTF-8
    BACKEND_BUTTON_DOWN,   // mouse button; x, y in the window
    BACKEND_BUTTON_UP,
    BACKEND_MOUSE_MOVE,
    BACKEND_FOCUS_GAINED,
    BACKEND_FOCUS_LOST,
    BACKEND_CLOSE,         // the window's close box
    BACKEND_EXPOSED,       // the system lost the window's contents
    BACKEND_MOVED,         // x, y: new client position on the screen
    BACKEND_MINIMIZED,
    BACKEND_RESTORED,
};

enum BackendButton { BACKEND_BUTTON_LEFT = 1, BACKEND_BUTTON_RIGHT = 2, BACKEND_BUTTON_MIDDLE = 3 };

struct BackendEvent {
    BackendEventType type;
    void* owner;            // the cookie the window was created with; null if none
    UINT virtualKey;        // keys: Windows virtual-key code
    UINT scanCode;          // keys: PC set-1 scan code
    bool extended;          // keys: extended key (E0 prefix)
    bool repeat;            // keys: auto-repeat
    bool altDown;           // keys: Alt held
    char text[32];          // text: NUL-terminated UTF-8
    int button;             // buttons: BackendButton
    int x, y;
};

// Starts the video system on first need; false when there is no display.
bool BackendInitVideo(void);
bool BackendVideoReady(void);
// The desktop's size in pixels.
bool BackendScreenSize(int* width, int* height);

// A hidden top-level window whose client area is width x height at (x, y)
// on the screen, or wherever the system places it when systemPlaced.
BackendWindow* BackendCreateWindow(void* owner, const char* titleUtf8, int x, int y, bool systemPlaced, int width,
                                   int height, bool decorated);
// A borderless, always-on-top popup shown at once (menus).
BackendWindow* BackendCreatePopup(void* owner, int x, int y, int width, int height);
void BackendDestroyWindow(BackendWindow* window);
void BackendShowWindow(BackendWindow* window, bool show);
// Asks the window system to minimise the window. True when it is
// minimised at once (a driver with no window manager to ask); false when
// only asked: BACKEND_MINIMIZED follows if the window manager agrees.
bool BackendMinimizeWindow(BackendWindow* window);
void BackendRestoreWindow(BackendWindow* window);
void BackendRaiseWindow(BackendWindow* window);
// Raises the window and gives it the keyboard focus.
void BackendFocusWindow(BackendWindow* window);
// What the window's frame has, from its Windows style: the window manager
// decorates it accordingly (a captionless window has no decoration).
struct BackendFrame {
    bool caption;
    bool border;       // a frame line without a caption
    bool systemMenu;   // the close box
    bool minimizeBox;
    bool maximizeBox;
    bool sizeable;
    bool modalFrame;   // a dialog frame: no icon in the caption
    bool dialog;       // an owned window: a dialog kept above its owner
};
void BackendSetFrame(BackendWindow* window, const BackendFrame& frame, BackendWindow* owner);
// Fills the whole screen, above panels (the window manager's full-screen
// state), or returns to a normal window.
void BackendSetFullScreen(BackendWindow* window, bool fullScreen);
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
void BackendGetWindowPosition(BackendWindow* window, int* x, int* y);
// The icon the system shows for the window: 0xAARRGGBB, stride = width.
void BackendSetIcon(BackendWindow* window, const uint32_t* argb, int width, int height);

// Uploads 0x00RRGGBB pixels (stride = width) and shows them, scaled to the
// window's full output size with nearest-neighbour sampling.
bool BackendPresent(BackendWindow* window, const uint32_t* pixels, int width, int height);
// Whether the window system keeps the picture last presented (a window
// surface), so that USER need keep no copy of its own.
bool BackendKeepsPresented(BackendWindow* window);
// The pixel at (x, y) of the picture last presented, as 0x00RRGGBB, where
// the backend keeps it; false when it keeps none.
bool BackendReadPresented(BackendWindow* window, int x, int y, uint32_t* pixel);

// The next event, without waiting; false when none is pending.
bool BackendPollEvent(BackendEvent* event);
// Waits for the next event; false on failure.
bool BackendWaitEvent(BackendEvent* event);

// Input as the system would deliver it, queued behind pending events.
void BackendPushKey(BackendWindow* window, UINT virtualKey, bool down, bool repeat);
void BackendPushText(BackendWindow* window, const char* utf8);
void BackendPushFocus(BackendWindow* window, bool gained);
void BackendPushClose(BackendWindow* window);
void BackendPushButton(BackendWindow* window, int button, bool down, int x, int y);
// Drops pending events and forgets the modifier keys pushed so far.
void BackendResetInput(void);

// A modal message box; false when it cannot be shown. Under a headless
// driver it returns at once; without a display the text goes to stderr.
bool BackendShowMessageBox(BackendWindow* parent, const char* captionUtf8, const char* textUtf8, bool error);

// The system arrow cursor, created on first use; false if the system has
// no cursors. `select` also makes it the current cursor.
bool BackendArrowCursor(bool select);
// The system's wait cursor, the same way.
bool BackendWaitCursor(bool select);
// Shows or hides the mouse cursor.
void BackendShowCursor(bool show);
