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

void MakeSystemMenu(Window* window)
{
    window->systemMenu.clear();
    window->systemMenu.push_back(MenuItem{SC_MINIMIZE, MF_STRING, "最小化(&N)"});
    window->systemMenu.push_back(MenuItem{0, MF_SEPARATOR, ""});
    window->systemMenu.push_back(MenuItem{SC_CLOSE, MF_STRING, "閉じる(&C)\tAlt+F4"});
    window->hasSystemMenu = true;
}
}  // namespace

// Null for a window without WS_SYSMENU. Reverting the menu (`revert`) is
// not supported: null.
HMENU WINAPI GetSystemMenu(HWND handle, BOOL revert)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    if (revert) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    if (!(window->style & WS_SYSMENU))
        return nullptr;
    if (!window->hasSystemMenu)
        MakeSystemMenu(window);
    return reinterpret_cast<HMENU>(reinterpret_cast<uintptr_t>(handle) | kMenuTag);
}

// A string item (MF_BYCOMMAND | MF_STRING, the only flags supported)
// goes before the item with command `position`, or at the end when there
// is none.
BOOL WINAPI InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text)
{
    Window* window = WindowOfMenu(menu);
    if (!window || flags != (MF_BYCOMMAND | MF_STRING) || !text) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::vector<MenuItem>& items = window->systemMenu;
    size_t index = items.size();
    for (size_t i = 0; i < items.size(); ++i) {
        if (!(items[i].flags & MF_SEPARATOR) && items[i].id == position) {
            index = i;
            break;
        }
    }
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(index), MenuItem{static_cast<UINT>(id), MF_STRING, text});
    return TRUE;
}
