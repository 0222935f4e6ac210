// Window geometry: the Windows model of an outer rect around a client rect,
// system metrics and SetWindowPos.
//
// Sizes follow the classic nominal metrics (3-pixel fixed frame, 19-pixel
// caption): AdjustWindowRectEx and SetWindowPos agree on the client size a
// program asks for. Places follow the window manager's real frame: the
// client lies inside the frame it draws, so a window moved to (0, 0) has
// its frame's corner there, and GetWindowRect reports that frame. Where no
// window manager can be asked (headless), the nominal frame stands in.
//
// A window without caption or border that covers the whole screen is a
// full-screen window, as Windows treats it (the taskbar steps aside): the
// window manager is asked for its full-screen state, above panels.
#include "user/user_private.h"

namespace {
// The desktop when no display can be asked.
constexpr int kFallbackScreenWidth = 1024;
constexpr int kFallbackScreenHeight = 768;

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

int ScreenSize(bool height)
{
    int width = kFallbackScreenWidth, tall = kFallbackScreenHeight;
    if (!UserScreenOverride(&width, &tall))
        BackendScreenSize(&width, &tall);
    return height ? tall : width;
}

// SetWindowPos for a child window: (x, y) in its parent's client area.
BOOL PlaceChild(Window* window, int x, int y, int width, int height, UINT flags)
{
    Window* parent = UserGetWindow(window->parent);
    if (!parent)
        return FALSE;
    HWND handle = window->handle;
    RECT client = window->client;
    if (!(flags & SWP_NOMOVE)) {
        client.right += parent->client.left + x - client.left;
        client.bottom += parent->client.top + y - client.top;
        client.left = parent->client.left + x;
        client.top = parent->client.top + y;
    }
    if (!(flags & SWP_NOSIZE)) {
        client.right = client.left + Clamp(width, 0, kMaxClientSize);
        client.bottom = client.top + Clamp(height, 0, kMaxClientSize);
    }
    bool moved = client.left != window->client.left || client.top != window->client.top;
    bool resized = client.right - client.left != window->client.right - window->client.left ||
                   client.bottom - client.top != window->client.bottom - window->client.top;
    UserInvalidate(window, nullptr, true);
    UserShiftChildren(window, client.left - window->client.left, client.top - window->client.top);
    window->outer = window->client = client;
    UserInvalidate(window, nullptr, true);
    int newWidth = client.right - client.left, newHeight = client.bottom - client.top;
    if (moved)
        SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(x, y));  // only SWP_NOMOVE-less calls move it
    if (resized && UserGetWindow(handle))
        SendMessageA(handle, WM_SIZE, kSizeRestored, MAKELPARAM(newWidth, newHeight));
    return TRUE;
}
}  // namespace

RECT UserFrameInsets(DWORD style, DWORD exStyle, bool menu)
{
    int frame = 0;
    if (style & (WS_THICKFRAME | WS_DLGFRAME))
        frame = kFixedFrame - kBorder;  // the 3-D edge
    if (style & WS_THICKFRAME)
        frame += kSizeFrame - kFixedFrame;
    if (style & (WS_BORDER | WS_DLGFRAME))
        frame += kBorder;
    RECT insets{frame, frame, frame, frame};
    if ((style & WS_CAPTION) == WS_CAPTION)
        insets.top += kCaption;
    if (menu)
        insets.top += kMenuBar;
    return insets;
}

RECT UserWindowExtents(const Window* window)
{
    RECT real;
    if (window->fullScreen)
        return RECT{0, 0, 0, 0};
    if (BackendFrameExtents(window->backend, &real))
        return real;
    return UserFrameInsets(window->style, window->exStyle, false);
}

void UserOuterFromClient(Window* window)
{
    RECT frame = UserWindowExtents(window);
    const RECT& client = window->client;
    window->outer = RECT{client.left - frame.left, client.top - frame.top, client.right + frame.right,
                         client.bottom + frame.bottom};
}

namespace {
bool CoversTheScreen(const Window* window, const RECT& outer)
{
    RECT nominal = UserFrameInsets(window->style, window->exStyle, false);
    bool frameless = !window->parent && nominal.left == 0 && nominal.top == 0 && !(window->style & WS_CAPTION);
    return frameless && outer.left == 0 && outer.top == 0 && outer.right == UserScreenWidth() &&
           outer.bottom == UserScreenHeight();
}
}  // namespace

void UserSetOuterRect(HWND handle, const RECT& outer, bool recalculate)
{
    Window* window = UserGetWindow(handle);
    if (!window)
        return;
    int width = window->client.right - window->client.left;
    int height = window->client.bottom - window->client.top;
    if (recalculate) {
        RECT insets = UserFrameInsets(window->style, window->exStyle, false);
        width = Clamp(outer.right - outer.left - insets.left - insets.right, 0, kMaxClientSize);
        height = Clamp(outer.bottom - outer.top - insets.top - insets.bottom, 0, kMaxClientSize);
    }
    bool resized = width != window->pixels.width || height != window->pixels.height;
    if (resized && !UserResizePixels(window, width, height))
        return;  // out of memory: the window keeps its place
    bool fullScreen = CoversTheScreen(window, outer);
    bool leftFullScreen = false;
    if (fullScreen != window->fullScreen) {
        leftFullScreen = window->fullScreen;
        if (window->fullScreen)
            BackendSetFullScreen(window->backend, false);
        // Without a window manager the window covers the screen by itself.
        window->fullScreen = fullScreen && BackendSetFullScreen(window->backend, true);
    }
    RECT frame = UserWindowExtents(window);
    RECT client{outer.left + frame.left, outer.top + frame.top, outer.left + frame.left + width,
                outer.top + frame.top + height};
    bool moved = client.left != window->client.left || client.top != window->client.top;
    UserShiftChildren(window, client.left - window->client.left, client.top - window->client.top);
    window->client = client;
    UserOuterFromClient(window);
    // Leaving full screen the system puts the window back where it was
    // before, in its own terms of the frame; the place asked for now holds.
    if ((moved || leftFullScreen) && !window->fullScreen)
        BackendMoveWindow(window->backend, client.left, client.top);
    if (resized && !window->fullScreen)
        BackendResizeWindow(window->backend, width, height);
    if (moved)
        SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
    if (resized && UserGetWindow(handle))
        SendMessageA(handle, WM_SIZE, kSizeRestored, MAKELPARAM(width, height));
}

int UserScreenWidth()
{
    return ScreenSize(false);
}

int UserScreenHeight()
{
    return ScreenSize(true);
}

// Extended styles add nothing: no WS_EX_ frame style is supported.
BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT insets = UserFrameInsets(style, exStyle, menu != FALSE);
    rect->left -= insets.left;
    rect->top -= insets.top;
    rect->right += insets.right;
    rect->bottom += insets.bottom;
    return TRUE;
}

// The z-order has two places here: raised (any insertAfter without
// SWP_NOZORDER) or left alone.
BOOL WINAPI SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height, UINT flags)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->parent)
        return PlaceChild(window, x, y, width, height, flags);
    RECT outer = window->outer;
    if (!(flags & SWP_NOMOVE)) {
        outer.right += x - outer.left;
        outer.bottom += y - outer.top;
        outer.left = x;
        outer.top = y;
    }
    if (!(flags & SWP_NOSIZE)) {
        outer.right = outer.left + (width > 0 ? width : 0);
        outer.bottom = outer.top + (height > 0 ? height : 0);
    }
    bool frameChanged = (flags & SWP_FRAMECHANGED) != 0;
    if (frameChanged)
        UserApplyFrame(window);
    UserSetOuterRect(handle, outer, frameChanged || !(flags & SWP_NOSIZE));
    if ((window = UserGetWindow(handle)) == nullptr || !window->visible)
        return TRUE;
    if (!(flags & SWP_NOZORDER))
        BackendRaiseWindow(window->backend);
    if (!(flags & SWP_NOACTIVATE))
        UserActivate(handle);
    return TRUE;
}

int WINAPI GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return UserScreenWidth();
    case SM_CYSCREEN:
        return UserScreenHeight();
    default:
        return 0;
    }
}
