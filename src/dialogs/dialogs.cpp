// The About dialog (name, version, the maker's notice and the MMX line)
// and the screen-size dialog.
#include "dialogs/dialogs.h"
#include "core/game_context.h"
#include "core/system_text.h"
#include "version.h"

INT_PTR RunDialog(int id, HWND owner, DLGPROC procedure, LPARAM param)
{
    return DialogBoxParamA(game.instanceHandle, MAKEINTRESOURCEA(id), owner, procedure, param);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, "避練のバージョン情報");
        SetDlgItemTextA(dialog, IDC_VERSION_LINE, "避練 Ver" HIREN_VERSION_TEXT "β");
        SetDlgItemTextA(dialog, IDC_NOTICE_LINE, "(C) 2026 hiren developers");
        SetDlgItemTextA(dialog, IDC_MMX_LINE, game.hasMmx ? "MMX使用可能" : "");
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ScreenSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        int current = game.screenMode == 0   ? IDC_STANDARD_SIZE
                      : game.screenMode == 1 ? IDC_DOUBLE_SIZE
                                             : IDC_FULL_SCREEN;
        CheckRadioButton(dialog, IDC_STANDARD_SIZE, IDC_FULL_SCREEN, current);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            int mode = IsDlgButtonChecked(dialog, IDC_STANDARD_SIZE) == BST_CHECKED ? 0
                       : IsDlgButtonChecked(dialog, IDC_DOUBLE_SIZE) == BST_CHECKED ? 1
                                                                                    : 2;
            EndDialog(dialog, mode);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, -1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
