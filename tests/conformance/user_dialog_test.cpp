// Dialogs against the Windows API alone: the program's screen size dialog
// (template 105) run modally, driven by its procedure from WM_INITDIALOG:
// radio buttons, control texts, the enabled state and the owner disabled
// while the dialog runs; the program's icon and the system's cursors.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "drain.h"

namespace {
constexpr int kScreenSize = 105;
constexpr int kNormal = 3019, kVga = 3020, kFull = 3021;

struct Seen {
    HWND owner = nullptr;
    HWND dialog = nullptr;
    WPARAM command = 0;
    bool destroyed = false;
};

Seen& Log()
{
    static Seen seen;
    return seen;
}

// The states of the three radio buttons, as "010" for the middle one checked.
std::string Checks(HWND dialog)
{
    std::string checks;
    for (int id = kNormal; id <= kFull; ++id)
        checks += char('0' + IsDlgButtonChecked(dialog, id));
    return checks;
}

INT_PTR CALLBACK ScreenSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Seen& seen = Log();
    switch (message) {
    case WM_INITDIALOG: {
        seen.dialog = dialog;
        EXPECT_EQ(lParam, 0x5A5A);
        EXPECT_FALSE(IsWindowEnabled(seen.owner)) << "the owner is disabled while the dialog runs";
        CheckRadioButton(dialog, kNormal, kFull, kVga);
        EXPECT_EQ(Checks(dialog), "010");
        CheckRadioButton(dialog, kNormal, kFull, kFull);
        EXPECT_EQ(Checks(dialog), "001");

        EXPECT_TRUE(SetDlgItemTextA(dialog, IDOK, "Apply"));
        EXPECT_TRUE(SetWindowTextA(dialog, "画面サイズ"));

        // EnableWindow returns whether the window was disabled before.
        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        EXPECT_FALSE(EnableWindow(cancel, FALSE));
        EXPECT_TRUE(EnableWindow(cancel, FALSE));
        EXPECT_FALSE(IsWindowEnabled(cancel));
        EXPECT_TRUE(EnableWindow(cancel, TRUE));
        EXPECT_TRUE(IsWindowEnabled(cancel));

        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            seen.command = wParam;
            EndDialog(dialog, 7000 + static_cast<INT_PTR>(IsDlgButtonChecked(dialog, kFull)));
            return TRUE;
        }
        return FALSE;
    case WM_DESTROY:
        seen.destroyed = true;
        return FALSE;
    default:
        return FALSE;
    }
}

void Close(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    Drain();
}

HWND MakeOwner()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HirenConformanceDialogOwner";
        atom = RegisterClassA(&windowClass);
    }
    HWND owner = CreateWindowExA(0, "HirenConformanceDialogOwner", "owner", WS_CAPTION | WS_SYSMENU, 40, 40, 400,
                                 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (owner)
        ShowWindow(owner, SW_SHOW);
    return owner;
}

}  // namespace

TEST(UserDialog, TheScreenSizeDialogRunsModallyAndReturnsWhatEndDialogWasGiven)
{
    Log() = Seen{};
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    Log().owner = owner;
    Drain();
    ASSERT_TRUE(IsWindowEnabled(owner));

    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kScreenSize), owner,
                                     ScreenSizeProc, 0x5A5A);
    const Seen& seen = Log();
    EXPECT_NE(seen.dialog, nullptr) << "WM_INITDIALOG reached the procedure";
    EXPECT_EQ(result, 7000 + BST_CHECKED) << "the procedure's EndDialog value";
    EXPECT_EQ(seen.command, static_cast<WPARAM>(IDOK));
    EXPECT_TRUE(seen.destroyed) << "WM_DESTROY reached the procedure";
    EXPECT_FALSE(IsWindow(seen.dialog));
    EXPECT_TRUE(IsWindowEnabled(owner)) << "the owner is enabled again after";
    Close(owner);
    EXPECT_FALSE(IsWindow(owner));
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
    int hidden = ShowCursor(FALSE);
    EXPECT_EQ(ShowCursor(TRUE), hidden + 1) << "the display counter";
}

TEST(UserDialog, AMissingTemplateGivesMinusOneAndLeavesTheOwnerAlone)
{
    HWND owner = MakeOwner();
    ASSERT_NE(owner, nullptr);
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(999), owner, ScreenSizeProc, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetDlgItem(owner, IDOK), nullptr);
    Close(owner);
}
