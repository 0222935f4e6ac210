// The tree of windows: children inside their parents, windows owned by
// others, and the enabled state.
#include "user/user_private.h"

namespace {
constexpr int kMaxDepth = 64;  // deeper than any tree this layer makes
}  // namespace

HWND UserRootWindow(HWND handle)
{
    Window* window = UserGetWindow(handle);
    for (int depth = 0; window && window->parent && depth < kMaxDepth; ++depth)
        window = UserGetWindow(window->parent);
    return window ? window->handle : nullptr;
}

bool UserIsDescendant(HWND ancestor, HWND handle)
{
    Window* window = UserGetWindow(handle);
    for (int depth = 0; window && window->parent && depth < kMaxDepth; ++depth) {
        if (window->parent == ancestor)
            return ancestor != nullptr;
        window = UserGetWindow(window->parent);
    }
    return false;
}

void UserShiftChildren(Window* parent, int dx, int dy)
{
    for (HWND handle : parent->children) {
        Window* child = UserGetWindow(handle);
        if (!child)
            continue;
        child->outer =
            RECT{child->outer.left + dx, child->outer.top + dy, child->outer.right + dx, child->outer.bottom + dy};
        child->client =
            RECT{child->client.left + dx, child->client.top + dy, child->client.right + dx, child->client.bottom + dy};
        UserShiftChildren(child, dx, dy);
    }
}

Window* UserChildAt(Window* parent, POINT screen)
{
    for (HWND handle : parent->children) {
        Window* child = UserGetWindow(handle);
        if (!child || !child->visible || child->hitTransparent || (child->style & WS_DISABLED))
            continue;
        const RECT& r = child->outer;
        if (screen.x >= r.left && screen.x < r.right && screen.y >= r.top && screen.y < r.bottom) {
            Window* inner = UserChildAt(child, screen);
            return inner ? inner : child;
        }
    }
    return nullptr;
}

HWND UserEnabledPopup(HWND owner)
{
    for (int i = 0; owner && i < UserWindowSlots(); ++i) {
        Window* window = UserWindowAt(i);
        if (window && window->owner == owner && window->visible && !(window->style & WS_DISABLED))
            return window->handle;
    }
    return nullptr;
}

// Returns whether the window was disabled before. A window being disabled
// loses the keyboard focus (it or its child had it) and hears WM_ENABLE.
BOOL WINAPI EnableWindow(HWND handle, BOOL enable)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (enable) {
        window->style &= ~WS_DISABLED;
        if (wasDisabled)
            SendMessageA(handle, WM_ENABLE, TRUE, 0);
    } else if (!wasDisabled) {
        window->style |= WS_DISABLED;
        HWND focus = UserFocusWindow();
        if (focus && (focus == handle || UserIsDescendant(handle, focus)))
            UserSetFocus(nullptr);
        if (UserGetWindow(handle))
            SendMessageA(handle, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND handle)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return (window->style & WS_DISABLED) ? FALSE : TRUE;
}
