// Showing, hiding and minimising windows, and activation.
//
// One window at a time is active. It changes when a window is shown, when
// the window manager moves the focus, and when the active window is hidden,
// minimised or destroyed; each change sends WM_ACTIVATE to the window that
// loses activation (WA_INACTIVE) and then to the one that gains it
// (WA_ACTIVE), the high word of wParam telling whether it is minimised.
// The keyboard focus follows: WM_KILLFOCUS to the window that had it, then
// WM_SETFOCUS to the newly active one (a dialog passes it on to one of its
// controls). A minimised window keeps its rects and its pixels; a window
// is minimised only when the window system says it is. Child
// windows are shown and hidden within their parent and never activated.
#include "user/user_private.h"

namespace {
HWND activeWindow;
HWND focusWindow;

void Show(Window* window)
{
    window->visible = true;
    window->style |= WS_VISIBLE;
    window->pixels.dirty = true;
    BackendShowWindow(window->backend, true);
    UserInvalidate(window, nullptr, true);
}

BOOL ShowChild(Window* window, int command)
{
    if (command < SW_HIDE || command > SW_SHOWDEFAULT) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    bool show = command != SW_HIDE;
    if (show != window->visible) {
        // Hidden, its place is repainted by its parent.
        window->visible = true;
        UserInvalidate(window, nullptr, true);
        window->visible = show;
        window->style = show ? window->style | WS_VISIBLE : window->style & ~WS_VISIBLE;
    }
    return wasVisible;
}
}  // namespace

void UserSetFocus(HWND handle)
{
    HWND old = UserFocusWindow();
    if (handle == old)
        return;
    focusWindow = handle;
    if (old)
        SendMessageA(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(handle), 0);
    if (handle && focusWindow == handle && UserGetWindow(handle))
        SendMessageA(handle, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
}

HWND UserFocusWindow()
{
    if (focusWindow && !UserGetWindow(focusWindow))
        focusWindow = nullptr;
    return focusWindow;
}

HWND WINAPI GetActiveWindow(void)
{
    return UserActiveWindow();
}

HWND UserActiveWindow()
{
    if (activeWindow && !UserGetWindow(activeWindow))
        activeWindow = nullptr;
    return activeWindow;
}

void UserActivate(HWND handle)
{
    HWND old = UserActiveWindow();
    if (handle == old)
        return;
    activeWindow = handle;
    if (Window* losing = UserGetWindow(old))
        SendMessageA(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, losing->minimized ? 1 : 0),
                     reinterpret_cast<LPARAM>(handle));
    if (Window* gaining = UserGetWindow(handle))
        SendMessageA(handle, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, gaining->minimized ? 1 : 0),
                     reinterpret_cast<LPARAM>(old));
    if (UserActiveWindow() == (UserGetWindow(handle) ? handle : nullptr))
        UserSetFocus(UserActiveWindow());
}

// The window manager minimised or restored the window. A minimised
// window is no longer the active one.
void UserWindowManagerMinimized(Window* window, bool minimized)
{
    HWND handle = window->handle;
    UserSetMinimized(window, minimized);
    if (minimized && UserGetWindow(handle) && UserActiveWindow() == handle)
        UserActivate(nullptr);
}

// Records a change of the minimised state and tells the window through
// WM_SIZE, as Windows does; the system window is not touched.
void UserSetMinimized(Window* window, bool minimized)
{
    if (window->minimized == minimized)
        return;
    HWND handle = window->handle;
    window->minimized = minimized;
    if (minimized) {
        window->style |= WS_MINIMIZE;
        SendMessageA(handle, WM_SIZE, kSizeMinimized, 0);
        return;
    }
    window->style &= ~WS_MINIMIZE;
    window->pixels.dirty = true;
    UserInvalidate(window, nullptr, true);
    int width = window->client.right - window->client.left;
    int height = window->client.bottom - window->client.top;
    SendMessageA(handle, WM_SIZE, kSizeRestored, MAKELPARAM(width, height));
}

BOOL WINAPI ShowWindow(HWND handle, int command)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->parent)
        return ShowChild(window, command);
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    switch (command) {
    case SW_HIDE:
        if (!window->visible)
            break;
        window->visible = false;
        window->style &= ~WS_VISIBLE;
        BackendShowWindow(window->backend, false);
        if (UserActiveWindow() == handle)
            UserActivate(nullptr);
        break;
    case SW_SHOWNORMAL:
    case SW_SHOW:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        if (!window->visible)
            Show(window);
        if (window->minimized) {
            BackendRestoreWindow(window->backend);
            UserSetMinimized(window, false);
        }
        if ((window = UserGetWindow(handle)) == nullptr)
            break;
        BackendRaiseWindow(window->backend);
        UserActivate(handle);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        if (!window->visible)
            Show(window);
        // A window manager may refuse (a tiling one does); the window is
        // minimised when it says so (UserWindowManagerMinimized), and
        // until then it stays as it is, shown and active.
        if (!BackendMinimizeWindow(window->backend))
            break;
        UserSetMinimized(window, true);
        // SW_MINIMIZE passes activation on; SW_SHOWMINIMIZED takes it.
        if (!UserGetWindow(handle))
            break;
        if (command == SW_SHOWMINIMIZED)
            UserActivate(handle);
        else if (UserActiveWindow() == handle)
            UserActivate(nullptr);
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if ((window = UserGetWindow(handle)) != nullptr && window->needSize) {
        window->needSize = false;
        int width = window->client.right - window->client.left;
        int height = window->client.bottom - window->client.top;
        SendMessageA(handle, WM_SIZE, window->minimized ? kSizeMinimized : kSizeRestored, MAKELPARAM(width, height));
        if ((window = UserGetWindow(handle)) != nullptr)
            SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(window->client.left, window->client.top));
    }
    return wasVisible;
}
