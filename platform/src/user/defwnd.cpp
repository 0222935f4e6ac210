// DefWindowProcA: the default handling of the messages this layer knows.
//
// The system menu opens with Alt+Space (WM_SYSKEYDOWN, then SC_KEYMENU
// with ' ') and with a right click in the window (WM_RBUTTONUP, where
// Windows would go through WM_CONTEXTMENU); Alt keys pressed in a child
// window act on its top-level window. WM_SETTEXT and WM_GETTEXT keep the
// window text (the system's title for a top-level window). Everything
// else returns 0.
#include <string.h>

#include "user/user_private.h"

namespace {
bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

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
        size_t step = IsLeadByte(static_cast<unsigned char>(text[length])) && length + 1 < text.size() ? 2 : 1;
        if (length + step > capacity - 1)
            break;
        length += step;
    }
    memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<LRESULT>(length);
}

void OpenSystemMenu(HWND handle, bool byKeyboard, POINT screen)
{
    Window* window = UserGetWindow(handle);
    if (!window)
        return;
    if (byKeyboard)
        screen = POINT{window->client.left, window->client.top};
    UserTrackSystemMenu(handle, screen.x, screen.y, byKeyboard);
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
            OpenSystemMenu(handle, true, POINT{0, 0});
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
        if (!(lParam & (1 << 29)))
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
        POINT screen{window->client.left + static_cast<SHORT>(LOWORD(lParam)),
                     window->client.top + static_cast<SHORT>(HIWORD(lParam))};
        OpenSystemMenu(handle, false, screen);
        return 0;
    }
    default:
        return 0;
    }
}
