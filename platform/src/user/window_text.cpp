// SetWindowTextA goes through WM_SETTEXT, so a window procedure (or a
// control) sees the change; DefWindowProcA keeps the text and gives it to
// the system's title.
#include "user/user_private.h"

BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text)
{
    if (!UserGetWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}
