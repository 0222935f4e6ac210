// The window text: SetWindowTextA and GetWindowTextA go through WM_SETTEXT
// and WM_GETTEXT, so a window procedure (or a control) sees the change;
// DefWindowProcA keeps the text.
#include "user/user_private.h"

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text)
{
    if (!UserGetWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

// Returns the length copied, without the NUL; 0 for an empty text or a bad
// window or buffer.
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = '\0';
    if (!UserGetWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(capacity),
                                         reinterpret_cast<LPARAM>(buffer)));
}
