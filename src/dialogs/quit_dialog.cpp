// The quit confirmation. Its three buttons, Enter and Esc all close it, and
// every way of closing it counts as yes: the caller closes the window.
#include "app/system_text.h"
#include "dialogs/dialogs.h"

namespace {
constexpr int kQuestion = 3017;
constexpr int kThirdButton = 3018;
}  // namespace

INT_PTR CALLBACK QuitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // The shutdown variant swaps the letters: "QUTI".
        SetDlgItemTextA(dialog, kQuestion, lParam == 0 ? "QUITしますか?" : "QUTIしますか?");
        SetDlgItemTextA(dialog, kThirdButton, lParam == 0 ? "QUIT" : "QUTI");
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case kThirdButton:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}
