// USER's internal state shared between its files: classes, windows, the
// message queue, painting and activation.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "user/backend.h"
#include "user/window_pixels.h"

// Classic non-client metrics.
constexpr int kBorder = 1;      // SM_CXBORDER
constexpr int kFixedFrame = 3;  // SM_CXFIXEDFRAME: dialog frame incl. border
constexpr int kSizeFrame = 4;   // SM_CXSIZEFRAME
constexpr int kCaption = 19;    // SM_CYCAPTION
constexpr int kMenuBar = 19;    // SM_CYMENU

constexpr int kMaxClientSize = 16384;  // client sizes are clamped to this

constexpr UINT kSizeRestored = 0;                   // SIZE_RESTORED
constexpr UINT kSizeMinimized = 1;                  // SIZE_MINIMIZED
constexpr WPARAM kMkLButton = 0x0001;               // MK_LBUTTON
constexpr WPARAM kMkRButton = 0x0002;               // MK_RBUTTON
constexpr DWORD kErrorInvalidIndex = 1413;          // ERROR_INVALID_INDEX
constexpr DWORD kErrorResourceNameNotFound = 1814;  // ERROR_RESOURCE_NAME_NOT_FOUND
constexpr DWORD kErrorNotEnoughQuota = 1816;        // ERROR_NOT_ENOUGH_QUOTA
constexpr DWORD kWsExWindowEdge = 0x00000100;       // WS_EX_WINDOWEDGE

struct WindowClass {
    std::string name;
    ATOM atom;
    WNDCLASSA info;  // lpszClassName points into name; no menu name kept
};

struct MenuItem {
    UINT id;
    UINT flags;
    std::string text;  // code page 932
};

struct Window {
    HWND handle;
    const WindowClass* windowClass;
    WNDPROC proc;
    DWORD style;
    DWORD exStyle;
    RECT outer;   // screen coordinates
    RECT client;  // screen coordinates
    WindowPixels pixels;
    uint32_t* shown;  // the pixels as last put on screen
    unsigned presents;
    HDC dc;
    BackendWindow* backend;
    bool visible;
    bool minimized;
    bool destroying;
    bool needSize;  // WM_SIZE / WM_MOVE wait for the first ShowWindow
    bool invalid;
    bool erase;
    RECT invalidRect;  // client coordinates, the union of what was invalidated
    bool hasSystemMenu;
    std::vector<MenuItem> systemMenu;
    std::vector<BYTE> extraBytes;
};

// Classes (class.cpp)
const WindowClass* UserFindClass(LPCSTR nameOrAtom);
void UserResetClasses();
bool UserIsArrowCursor(HCURSOR cursor);

// Icons (icon.cpp)
struct UserIconImage {
    int width;
    int height;
    std::vector<uint32_t> argb;  // 0xAARRGGBB, rows top-down
};
// The pixels of an icon from LoadIconA, or null.
const UserIconImage* UserIconOf(HICON icon);

// Windows (window.cpp)
Window* UserGetWindow(HWND window);
// The live window in slot `index` (0 <= index < UserWindowSlots()), or null.
Window* UserWindowAt(int index);
int UserWindowSlots();
void UserDestroyAllWindows();  // without messages
HWND UserActiveWindow();
// Makes `window` (or nothing) the active window, sending WM_ACTIVATE to
// the window that loses and the one that gains activation.
void UserActivate(HWND window);
void UserSetMinimized(Window* window, bool minimized);

// Geometry (winpos.cpp)
// How far the outer rect extends beyond the client rect for a style.
RECT UserFrameInsets(DWORD style, DWORD exStyle, bool menu);
// Places the window with outer rect `outer`, deriving the client rect from
// the style (or, without `recalculate`, moving the client along with it);
// sends WM_MOVE / WM_SIZE when the client moves or resizes.
void UserSetOuterRect(HWND window, const RECT& outer, bool recalculate);
int UserScreenWidth();
int UserScreenHeight();
void UserResetScreen();

// Painting (painting.cpp)
bool UserAllocatePixels(Window* window, int width, int height);
// New client size: the old pixels stay at the top-left, new ones are black;
// the class's CS_HREDRAW / CS_VREDRAW decide whether all is repainted.
bool UserResizePixels(Window* window, int width, int height);
void UserFreePixels(Window* window);
void UserInvalidate(Window* window, const RECT* clientRect, bool erase);
HDC UserWindowDc(Window* window);
// Puts every visible window's new drawing on screen.
void UserPresentWindows();
// A visible window with something to paint matching the filter, or null.
Window* UserFindPaintWindow(HWND filter);

// Queue (queue.cpp)
struct QueueEntry {
    MSG msg;
    uint32_t serial;
    uint8_t textLength;
    char text[15];  // code page 932 typed with a key-down, for TranslateMessage
};
bool QueuePost(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Input from the system; returns the entry's serial, 0 when the queue is full.
uint32_t QueueInput(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool QueueAttachText(uint32_t serial, const char* text, size_t length);
bool QueueTakePosted(QueueEntry* out, HWND filter, UINT first, UINT last, bool remove);
bool QueueTakeInput(QueueEntry* out, HWND filter, UINT first, UINT last, bool remove);
bool QueueHasMessages();
void QueueRemoveWindow(HWND window);
void QueueReset();
bool QueueQuitPending(int* exitCode);
void QueueClearQuit();
void QueueSetQuit(int exitCode);
POINT QueueCursor();
void QueueSetCursor(POINT screen);

// Input (input.cpp)
// Turns pending system events into messages; returns how many there were.
int UserPumpEvents();
// Waits for one system event and turns it and those behind it into messages.
bool UserWaitEvents();
void UserResetInput();

// System menu (menu.cpp, menu_track.cpp)
void UserResetSystemMenu(Window* window);
// Runs the window's system menu as a modal popup at (x, y) on the screen;
// a chosen item is posted to the window as WM_SYSCOMMAND.
void UserTrackSystemMenu(HWND window, int x, int y, bool byKeyboard);
// True when the event belongs to an open menu (and was handled by it).
bool UserMenuTakeEvent(const BackendEvent& event);
bool UserMenuOpen();
HWND UserMenuOwner();

void UserResetMessageBox();

// Text conversion into fixed buffers.
size_t UserToUtf8(const char* cp932, char* out, size_t capacity);
