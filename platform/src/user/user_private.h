// USER's internal state shared between its files: classes, windows, the
// message queue, painting and activation.
#pragma once

#include <string>
#include <vector>

#include "backend/backend.h"
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

struct Dialog;  // the dialog manager's state of a dialog window (dialog.h)

// What a control window is, and its state.
enum class ControlKind : uint8_t {
    NoControl,
    Text,         // static text (SS_LEFT, SS_CENTER)
    Icon,         // static icon (SS_ICON)
    PushButton,   // BS_PUSHBUTTON, BS_DEFPUSHBUTTON
    RadioButton,  // BS_AUTORADIOBUTTON
    GroupBox,     // BS_GROUPBOX
};

struct ControlState {
    ControlKind kind;
    bool checked;  // radio buttons
    bool pressed;  // buttons held down by the mouse or the space bar
    HICON icon;    // icons
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
    unsigned presents;  // how often the pixels were put on screen
    HDC dc;
    BackendWindow* backend;
    bool visible;
    bool minimized;
    bool fullScreen;  // in the window manager's full-screen state
    bool destroying;
    bool needSize;  // WM_SIZE / WM_MOVE wait for the first ShowWindow
    bool invalid;
    bool erase;
    RECT invalidRect;  // client coordinates, the union of what was invalidated
    bool hasSystemMenu;
    std::vector<MenuItem> systemMenu;
    std::string text;            // the window text, code page 932
    HWND parent;                 // child windows: the window they sit in
    HWND owner;                  // top-level windows: the window that owns them
    std::vector<HWND> children;  // in creation order, which is the z-order, top first
    int id;                      // child windows: the control id
    bool hitTransparent;         // clicks on it fall through to what lies below
    Dialog* dialog;              // dialog windows
    ControlState control;        // controls
};

// Classes (class.cpp)
const WindowClass* UserFindClass(LPCSTR name);
void UserResetClasses();

// Icons (icon.cpp)
struct UserIconImage {
    int width;
    int height;
    std::vector<uint32_t> argb;  // 0xAARRGGBB, rows top-down
};
// The pixels of an icon from LoadIconA, or null.
const UserIconImage* UserIconOf(HICON icon);

// Windows (window.cpp; the tree in window_tree.cpp)
Window* UserGetWindow(HWND window);
// CreateWindowExA for a class given directly (the dialog manager's own
// classes). WS_CHILD with a parent makes a child window: it has no system
// window nor pixels of its own and is drawn by its parent (dialogs draw
// their controls); `menu` is then its id and (x, y) is in the parent's
// client area. Otherwise `parent` is the owner.
HWND UserCreateWindow(const WindowClass* windowClass, DWORD exStyle, LPCSTR name, DWORD style, int x, int y, int width,
                      int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
// The top-level window a window sits in (itself when it is one), or null.
HWND UserRootWindow(HWND window);
// True when `window` is a child of `ancestor`, at any depth.
bool UserIsDescendant(HWND ancestor, HWND window);
// Moves the children along with their parent's client area.
void UserShiftChildren(Window* parent, int dx, int dy);
// The innermost visible, enabled child under a screen point that takes
// clicks (not hitTransparent), or null.
Window* UserChildAt(Window* parent, POINT screen);
// A visible, enabled window that `owner` owns, or null.
HWND UserEnabledPopup(HWND owner);
// The live window in slot `index` (0 <= index < UserWindowSlots()), or null.
Window* UserWindowAt(int index);
// How many slots the scans over live windows need to look at.
int UserWindowSlots();
void UserDestroyAllWindows();  // without messages
HWND UserActiveWindow();
// Makes `window` (or nothing) the active window, sending WM_ACTIVATE to
// the window that loses and the one that gains activation.
void UserActivate(HWND window);
void UserSetMinimized(Window* window, bool minimized);
void UserWindowManagerMinimized(Window* window, bool minimized);
// Activation and focus (show.cpp)
// Moves the keyboard focus (WM_KILLFOCUS, WM_SETFOCUS); null takes it away.
void UserSetFocus(HWND window);
HWND UserFocusWindow();

// Geometry (winpos.cpp)
// How far the outer rect extends beyond the client rect for a style.
RECT UserFrameInsets(DWORD style, DWORD exStyle, bool menu);
// Places the window with outer rect `outer`, deriving the client rect from
// the style (or, without `recalculate`, moving the client along with it);
// sends WM_MOVE / WM_SIZE when the client moves or resizes.
void UserSetOuterRect(HWND window, const RECT& outer, bool recalculate);
// The frame around a top-level window's client area as the window manager
// draws it (nominal metrics where none can be asked; none in full screen),
// and the outer rect that follows from the client rect with it.
RECT UserWindowExtents(const Window* window);
void UserOuterFromClient(Window* window);
// Tells the window manager the frame the window's style gives it.
void UserApplyFrame(Window* window);
int UserScreenWidth();
int UserScreenHeight();

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
// A visible window (the filter, when not null) with something to paint, or
// null.
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
// The first message for the window (null: any) in the range (0, 0: any),
// taken out with `remove`.
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
// A key message (others are left) taken from the queue goes to the window
// that has the focus now, if that lies in the same top-level window or the
// message's window is disabled.
void UserReaddressKey(MSG* msg);
// Mouse capture: while set, the mouse buttons over the capturing window's
// top-level window go to it.
void UserSetCapture(HWND window);
HWND UserCapture();

// Cursors (cursor.cpp)
// The class cursor becomes the cursor when the mouse moves over a window,
// as DefWindowProc's WM_SETCURSOR does; a null one leaves it.
void UserApplyClassCursor(HCURSOR cursor);
void UserResetCursor();

// System menu (menu.cpp, menu_track.cpp)
// Runs the window's system menu as a modal popup at (x, y) on the screen;
// a chosen item is posted to the window as WM_SYSCOMMAND.
void UserTrackSystemMenu(HWND window, int x, int y, bool byKeyboard);
// True when the event belongs to an open menu (and was handled by it).
bool UserMenuTakeEvent(const BackendEvent& event);
bool UserMenuOpen();
HWND UserMenuOwner();

// Text conversion into fixed buffers.
size_t UserToUtf8(const char* cp932, char* out, size_t capacity);

// ---- Test seams (user_seams.cpp) -------------------------------------------

// What USER asks of the seams: a screen size set by a test; the message
// box's texts, kept for tests to read; a shutdown that is only recorded
// (its answer in `answer`), and the program a real one is handed to.
bool UserScreenOverride(int* width, int* height);
void UserNoteMessageBox(const char* text, const char* caption);
bool UserShutdownRecorded(UINT flags, BOOL* answer);
const char* UserShutdownProgram(void);
// For the seams: whether the cursor is shown now, and ExitWindowsEx
// pointed at another program than systemctl (null: systemctl again).
bool UserCursorShown(void);
void UserShutdownUseProgram(const char* program);
