// Dialogs against the Windows API alone: the program's screen size dialog
// (template 105) run modally and driven by its procedure from
// WM_INITDIALOG (radio buttons, control texts, the enabled state, the
// owner disabled meanwhile); the program's icon and the system's cursors.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "conformance/test_window.h"

namespace {
constexpr int kNormal = 3019, kVga = 3020, kFull = 3021;

struct Seen {
    HWND owner = nullptr, dialog = nullptr;
    WPARAM command = 0;
    bool destroyed = false;
} seen;

// The three radio buttons, as "010" for the middle one checked.
std::string Checks(HWND dialog)
{
    std::string checks;
    for (int id = kNormal; id <= kFull; ++id)
        checks += char('0' + IsDlgButtonChecked(dialog, id));
    return checks;
}

INT_PTR CALLBACK ScreenSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        seen.dialog = dialog;
        EXPECT_EQ(lParam, 0x5A5A);
        EXPECT_FALSE(IsWindowEnabled(seen.owner)) << "the owner is disabled while the dialog runs";
        CheckRadioButton(dialog, kNormal, kFull, kVga);
        EXPECT_EQ(Checks(dialog), "010");
        CheckRadioButton(dialog, kNormal, kFull, kFull);
        EXPECT_EQ(Checks(dialog), "001");
        EXPECT_TRUE(SetDlgItemTextA(dialog, IDOK, "Apply"));
        EXPECT_TRUE(SetWindowTextA(dialog, "画面サイズ"));
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        EXPECT_FALSE(EnableWindow(cancel, FALSE)) << "it was enabled";
        EXPECT_TRUE(EnableWindow(cancel, FALSE)) << "it was disabled";
        EXPECT_FALSE(IsWindowEnabled(cancel));
        EXPECT_TRUE(EnableWindow(cancel, TRUE));
        EXPECT_TRUE(IsWindowEnabled(cancel));
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        seen.command = wParam;
        EndDialog(dialog, 7000 + INT_PTR(IsDlgButtonChecked(dialog, kFull)));
        return TRUE;
    }
    seen.destroyed = seen.destroyed || message == WM_DESTROY;
    return FALSE;
}
}  // namespace

TEST(UserDialog, TheScreenSizeDialogRunsModallyAndReturnsWhatEndDialogWasGiven)
{
    seen = Seen{};
    seen.owner = MakeWindow(kFramed, 400, 300);
    ASSERT_NE(seen.owner, nullptr);
    ShowWindow(seen.owner, SW_SHOW);
    Drain();
    ASSERT_TRUE(IsWindowEnabled(seen.owner));
    const INT_PTR result =
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(105), seen.owner, ScreenSizeProc, 0x5A5A);
    EXPECT_NE(seen.dialog, nullptr) << "WM_INITDIALOG reached the procedure";
    EXPECT_EQ(result, 7000 + BST_CHECKED) << "the procedure's EndDialog value";
    EXPECT_EQ(seen.command, WPARAM(IDOK));
    EXPECT_TRUE(seen.destroyed) << "WM_DESTROY reached the procedure";
    EXPECT_FALSE(IsWindow(seen.dialog));
    EXPECT_TRUE(IsWindowEnabled(seen.owner)) << "the owner is enabled again after";

    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), seen.owner, ScreenSizeProc, 0), -1)
        << "no such template";
    EXPECT_TRUE(IsWindowEnabled(seen.owner));
    CloseAndDrain(seen.owner);
    EXPECT_FALSE(IsWindow(seen.owner));
}

TEST(UserDialog, TheProgramsIconLoadsOnceAndTheWaitCursorIsTheSystems)
{
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101));
    EXPECT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)), icon);
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    ASSERT_NE(wait, nullptr);
    HCURSOR previous = SetCursor(wait);
    EXPECT_EQ(SetCursor(previous), wait);
    const int hidden = ShowCursor(FALSE);
    EXPECT_EQ(ShowCursor(TRUE), hidden + 1) << "the display counter";
}
