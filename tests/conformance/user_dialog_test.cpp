// Dialogs against the Windows API alone: the program's screen size dialog
// (template 105) run modally, driven by its procedure from WM_INITDIALOG:
// radio buttons, control texts, the enabled state and the owner disabled
// while the dialog runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {
constexpr int kScreenSize = 105;
constexpr int kNormal = 3019, kVga = 3020, kFull = 3021;

struct Seen {
    HWND owner = nullptr;
    HWND dialog = nullptr;
    LPARAM param = 0;
    BOOL ownerEnabledInside = TRUE;
    UINT checks[3] = {};
    UINT checksAfterSecond[3] = {};
    std::string okText;
    int okLength = 0;
    std::string radioText;
    BOOL firstDisable = TRUE, secondDisable = FALSE, enableAgain = FALSE;
    BOOL enabledWhileDisabled = TRUE, enabledAfter = FALSE;
    WPARAM command = 0;
    bool destroyed = false;
};

Seen& Log()
{
    static Seen seen;
    return seen;
}

INT_PTR CALLBACK ScreenSizeProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Seen& seen = Log();
    switch (message) {
    case WM_INITDIALOG: {
        seen.dialog = dialog;
        seen.param = lParam;
        seen.ownerEnabledInside = IsWindowEnabled(seen.owner);
        CheckRadioButton(dialog, kNormal, kFull, kVga);
        for (int i = 0; i < 3; ++i)
            seen.checks[i] = IsDlgButtonChecked(dialog, kNormal + i);
        CheckRadioButton(dialog, kNormal, kFull, kFull);
        for (int i = 0; i < 3; ++i)
            seen.checksAfterSecond[i] = IsDlgButtonChecked(dialog, kNormal + i);

        char text[32] = "";
        EXPECT_TRUE(SetDlgItemTextA(dialog, IDOK, "Apply"));
        seen.okLength = GetWindowTextA(GetDlgItem(dialog, IDOK), text, sizeof text);
        seen.okText = text;
        GetWindowTextA(GetDlgItem(dialog, kVga), text, sizeof text);
        seen.radioText = text;

        HWND cancel = GetDlgItem(dialog, IDCANCEL);
        seen.firstDisable = EnableWindow(cancel, FALSE);
        seen.secondDisable = EnableWindow(cancel, FALSE);
        seen.enabledWhileDisabled = IsWindowEnabled(cancel);
        seen.enableAgain = EnableWindow(cancel, TRUE);
        seen.enabledAfter = IsWindowEnabled(cancel);

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

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeOwner()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = OwnerProc;
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

void Drain()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
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
    EXPECT_EQ(result, 7000 + BST_CHECKED) << "the procedure's EndDialog value";
    EXPECT_EQ(seen.param, 0x5A5A);
    EXPECT_EQ(seen.command, static_cast<WPARAM>(IDOK));
    EXPECT_TRUE(seen.destroyed) << "WM_DESTROY reached the procedure";
    EXPECT_FALSE(IsWindow(seen.dialog));

    EXPECT_FALSE(seen.ownerEnabledInside) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(IsWindowEnabled(owner)) << "and enabled again after";

    EXPECT_EQ(seen.checks[0], static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(seen.checks[1], static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(seen.checks[2], static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(seen.checksAfterSecond[1], static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(seen.checksAfterSecond[2], static_cast<UINT>(BST_CHECKED));

    EXPECT_EQ(seen.okLength, 5);
    EXPECT_EQ(seen.okText, "Apply");
    EXPECT_EQ(seen.radioText, "640x480(&V)");

    EXPECT_FALSE(seen.firstDisable) << "it was enabled";
    EXPECT_TRUE(seen.secondDisable) << "it was disabled";
    EXPECT_FALSE(seen.enabledWhileDisabled);
    EXPECT_TRUE(seen.enableAgain) << "it was disabled";
    EXPECT_TRUE(seen.enabledAfter);
    DestroyWindow(owner);
    Drain();
}

TEST(UserDialog, TheSystemQuestionIconLoadsOnceAndTheWaitCursorWithIt)
{
    HICON question = LoadIconA(nullptr, IDI_QUESTION);
    EXPECT_NE(question, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, IDI_QUESTION), question);
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
    DestroyWindow(owner);
    Drain();
}
