// The screen-size dialog (F12): three radio buttons for the three modes.
#include "app/game_context.h"
#include "display/surfaces.h"

namespace {
constexpr int kStandardButton = 3019;
constexpr int kDoubleButton = 3020;
constexpr int kFullScreenButton = 3021;
}  // namespace

INT_PTR CALLBACK ScreenSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        int current = game.screenMode == 0   ? kStandardButton
                      : game.screenMode == 1 ? kDoubleButton
                                             : kFullScreenButton;
        CheckRadioButton(dialog, kStandardButton, kFullScreenButton, current);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            int mode = IsDlgButtonChecked(dialog, kStandardButton) == BST_CHECKED ? 0
                       : IsDlgButtonChecked(dialog, kDoubleButton) == BST_CHECKED ? 1
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
