// DefWindowProcA: the default handling of the messages this layer knows.
//
// The system menu opens with Alt+Space (WM_SYSKEYDOWN, then SC_KEYMENU
// with ' '). Many window managers keep Alt+Space for their own menu, so a
// right click in a window that has a system menu stands for that key: the
// window gets the WM_SYSKEYDOWN of Alt+Space, exactly as if it had been
// typed, and the menu opens where the click was. Alt keys pressed in a
// child window act on its top-level window. WM_SETTEXT and WM_GETTEXT keep the
// window text (the system's title for a top-level window). Everything
// else returns 0.
#include <string.h>

#include "text/cp932.h"
#include "user/user_private.h"

namespace {
constexpr UINT kSpaceScanCode = 0x39;
constexpr LPARAM kAltHeld = 1 << 29;

// Where a right click asked for the menu, until SC_KEYMENU opens it.
bool menuAtClick;
POINT clickPoint;

LRESULT SetText(Window* window, LPCSTR text)
{
    window->text.assign(text ? text : "");
    if (window->backend) {
        char title[1024];
        UserToUtf8(window->text.c_str(), title, sizeof title);
        BackendSetTitle(window->backend, title);
    }
    return TRUE;
}

// Copies as much of the text as fits with its NUL, never half a
// double-byte character; returns the length copied.
LRESULT GetText(const Window* window, size_t capacity, char* buffer)
{
    if (!buffer || capacity == 0)
        return 0;
    const std::string& text = window->text;
    size_t length = 0;
    while (length < text.size()) {
        size_t step = Cp932CharacterLength(text.data() + length, text.size() - length);
        if (length + step > capacity - 1)
            break;
        length += step;
    }
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

// Opened by a click, the menu is at the click with no item selected; by
// the keyboard, at the client's corner with the first item selected.
void OpenSystemMenu(HWND handle)
{
    Window* window = UserGetWindow(handle);
    bool byClick = menuAtClick;
    menuAtClick = false;
    if (!window)
        return;
    POINT at = byClick ? clickPoint : POINT{window->client.left, window->client.top};
    UserTrackSystemMenu(handle, at.x, at.y, !byClick);
}

LRESULT SystemCommand(HWND handle, WPARAM command, LPARAM lParam)
{
    switch (command & 0xFFF0) {
    case SC_CLOSE:
        SendMessageA(handle, WM_CLOSE, 0, 0);
        break;
    case SC_MINIMIZE:
        ShowWindow(handle, SW_MINIMIZE);
        break;
    case SC_RESTORE:
        ShowWindow(handle, SW_RESTORE);
        break;
    case SC_KEYMENU:
        if (lParam == ' ')
            OpenSystemMenu(handle);
        break;
    default:
        break;
    }
    return 0;
}
}  // namespace

LRESULT WINAPI DefWindowProcA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = UserGetWindow(handle);
    if (!window)
        return 0;
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_SYSCOMMAND:
        return SystemCommand(handle, wParam, lParam);
    case WM_SYSKEYDOWN: {
        if (!(lParam & kAltHeld))
            return 0;  // F10 alone
        HWND root = UserRootWindow(handle);
        if (wParam == VK_F4)
            PostMessageA(root, WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (wParam == VK_SPACE)
            SendMessageA(root, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return 0;
    }
    case WM_SETTEXT:
        return SetText(window, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
        return GetText(window, static_cast<size_t>(wParam), reinterpret_cast<char*>(lParam));
    case WM_PAINT: {
        PAINTSTRUCT paint;
        if (BeginPaint(handle, &paint))
            EndPaint(handle, &paint);
        return 0;
    }
    case WM_RBUTTONUP: {
        HWND root = UserRootWindow(handle);
        Window* top = UserGetWindow(root);
        if (!top || !(top->style & WS_SYSMENU))
            return 0;
        clickPoint = POINT{window->client.left + static_cast<SHORT>(LOWORD(lParam)),
                           window->client.top + static_cast<SHORT>(HIWORD(lParam))};
        menuAtClick = true;
        SendMessageA(root, WM_SYSKEYDOWN, VK_SPACE, 1 | kSpaceScanCode << 16 | kAltHeld);
        menuAtClick = false;
        return 0;
    }
    default:
        return 0;
    }
}
