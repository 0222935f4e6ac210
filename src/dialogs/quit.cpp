// Leaving the game: the quit confirmation and the shutdown request.
//
// The quit confirmation's three buttons, Enter and Esc all close it, and
// every way of closing it counts as yes: the caller closes the window.
#include "core/system_text.h"
#include "dialogs/dialogs.h"

namespace {
// Systems without token privileges answer the privilege steps with
// ERROR_CALL_NOT_IMPLEMENTED; that is no failure here, and the shutdown
// request goes straight on.
bool Refused(BOOL ok)
{
    return !ok && GetLastError() != ERROR_CALL_NOT_IMPLEMENTED;
}
}  // namespace

INT_PTR CALLBACK QuitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // The shutdown variant swaps the letters: "QUTI".
        SetDlgItemTextA(dialog, IDC_QUIT_QUESTION, lParam == 0 ? "QUITしますか?" : "QUTIしますか?");
        SetDlgItemTextA(dialog, IDC_QUIT_BUTTON, lParam == 0 ? "QUIT" : "QUTI");
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case IDC_QUIT_BUTTON:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void RequestShutdown()
{
    HANDLE token = nullptr;
    BOOL opened = OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token);
    if (Refused(opened))
        return;
    TOKEN_PRIVILEGES privileges = {};
    if (Refused(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid))) {
        if (opened)
            CloseHandle(token);
        return;
    }
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (Refused(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr))) {
        if (opened)
            CloseHandle(token);
        return;
    }
    if (ExitWindowsEx(EWX_SHUTDOWN, 0))
        PostQuitMessage(0);
    if (opened)
        CloseHandle(token);
}
