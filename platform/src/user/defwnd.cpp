// DefWindowProcA: the default handling of the messages this layer knows.
//
// The system menu opens with Alt+Space (WM_SYSKEYDOWN, then SC_KEYMENU
// with ' ') and with a right click in the window (WM_RBUTTONUP, where
// Windows would go through WM_CONTEXTMENU). Everything else returns 0.
#include "user/user_private.h"

namespace {
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
    case WM_SYSKEYDOWN:
        if (!(lParam & (1 << 29)))
            return 0;  // F10 alone
        if (wParam == VK_F4)
            PostMessageA(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        else if (wParam == VK_SPACE)
            SendMessageA(handle, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return 0;
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
