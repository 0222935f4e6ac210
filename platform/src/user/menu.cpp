// The window (system) menu: GetSystemMenu and InsertMenuA.
//
// The only menus are the windows' system menus, made on demand with the
// classic items of a window with a minimise box: Minimize, a separator and
// Close. The menu's handle is derived from its window's.
#include "user/user_private.h"

namespace {
constexpr uintptr_t kMenuTag = 0x40000000;

Window* WindowOfMenu(HMENU menu)
{
    uintptr_t value = reinterpret_cast<uintptr_t>(menu);
    if (!(value & kMenuTag))
        return nullptr;
    Window* window = UserGetWindow(reinterpret_cast<HWND>(value & ~kMenuTag));
    return window && window->hasSystemMenu ? window : nullptr;
}
}  // namespace

void UserResetSystemMenu(Window* window)
{
    window->systemMenu.clear();
    window->systemMenu.push_back(MenuItem{SC_MINIMIZE, MF_STRING, "最小化(&N)"});
    window->systemMenu.push_back(MenuItem{0, MF_SEPARATOR, ""});
    window->systemMenu.push_back(MenuItem{SC_CLOSE, MF_STRING, "閉じる(&C)\tAlt+F4"});
    window->hasSystemMenu = true;
}

// Null for a window without WS_SYSMENU. With `revert` the menu returns to
// its default items and null is returned.
HMENU WINAPI GetSystemMenu(HWND handle, BOOL revert)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (revert) {
        if (window->hasSystemMenu)
            UserResetSystemMenu(window);
        return nullptr;
    }
    if (!(window->style & WS_SYSMENU))
        return nullptr;
    if (!window->hasSystemMenu)
        UserResetSystemMenu(window);
    return reinterpret_cast<HMENU>(reinterpret_cast<uintptr_t>(handle) | kMenuTag);
}

// MF_BYCOMMAND inserts before the item with that command, or at the end
// when there is none; MF_BYPOSITION before that index, or at the end.
BOOL WINAPI InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text)
{
    Window* window = WindowOfMenu(menu);
    if (!window) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<MenuItem>& items = window->systemMenu;
    size_t index = items.size();
    if (flags & MF_BYPOSITION) {
        if (position < items.size())
            index = position;
    } else {
        for (size_t i = 0; i < items.size(); ++i) {
            if (!(items[i].flags & MF_SEPARATOR) && items[i].id == position) {
                index = i;
                break;
            }
        }
    }
    MenuItem item{static_cast<UINT>(id), static_cast<UINT>(flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)), ""};
    if (!(flags & MF_SEPARATOR) && text)
        item.text = text;
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), item);
    return TRUE;
}
