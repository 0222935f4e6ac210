// The About dialog: name, version, the maker's notice and the MMX line.
#include "app/game_context.h"
#include "app/system_text.h"
#include "dialogs/dialogs.h"

namespace {
constexpr int kVersionLine = 3000;
constexpr int kNoticeLine = 3001;
constexpr int kMmxLine = 3002;
}  // namespace

INT_PTR RunDialog(int id, HWND owner, DLGPROC procedure, LPARAM param)
{
    return DialogBoxParamA(game.instanceHandle, MAKEINTRESOURCEA(id), owner, procedure, param);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextA(dialog, "避練のバージョン情報");
        SetDlgItemTextA(dialog, kVersionLine, "避練 Ver0.02β");
        SetDlgItemTextA(dialog, kNoticeLine, "(C) 2026 hiren developers");
        SetDlgItemTextA(dialog, kMmxLine, game.hasMmx ? "MMX使用可能" : "");
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
