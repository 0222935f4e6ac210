// Modal dialogs from the program's templates, beyond the conformance test:
// the first tab stop, the owner's messages while the dialog runs,
// placement in dialog units, clicks, the ways a dialog ends, and the
// messages of other windows dispatched by the modal loop meanwhile.
#include "user/dialog.h"
#include "user_dialog_fixture.h"

using UserDialogModal = UserDialogTest;

TEST_F(UserDialogModal, InitDialogGetsTheFirstTabStopAndEndDialogThereEndsItUnshown)
{
    HWND firstTabStop = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            firstTabStop = GetDlgItem(dialog, IDOK);
            EXPECT_TRUE(EndDialog(dialog, 42));
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize), 42);
    std::vector<SeenMessage> init = DialogOnly(WM_INITDIALOG);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_NE(firstTabStop, nullptr);
    EXPECT_EQ(reinterpret_cast<HWND>(init[0].wParam), firstTabStop);
    EXPECT_EQ(DialogOnly(WM_DESTROY).size(), 1u);
    EXPECT_EQ(Count(WM_ACTIVATE, owner), 0) << "never shown: the owner stayed active";
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(UserFocusWindow(), owner);
}

TEST_F(UserDialogModal, TheOwnerIsDisabledAndDeactivatedWhileTheDialogRunsAndGetsBothBack)
{
    HWND seenDialog = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            seenDialog = dialog;
            PostMessageA(dialog, WM_USER, 0, 0);
            return TRUE;
        }
        if (message == WM_USER) {
            EXPECT_EQ(GetActiveWindow(), dialog);
            EXPECT_EQ(UserFocusWindow(), GetDlgItem(dialog, IDOK)) << "the first tab stop";
            EXPECT_EQ(Order({WM_ENABLE, WM_ACTIVATE, WM_KILLFOCUS}), (Messages{WM_KILLFOCUS, WM_ENABLE, WM_ACTIVATE}))
                << "a disabled window loses the focus";
            std::vector<SeenMessage> owners = Only({WM_ACTIVATE});
            EXPECT_TRUE(owners.size() == 1 && owners[0].wParam == WA_INACTIVE &&
                        reinterpret_cast<HWND>(owners[0].lParam) == dialog);
            SeenMessages().clear();
            EndDialog(dialog, 5);
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize), 5);
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(UserFocusWindow(), owner);
    std::vector<SeenMessage> back = Only({WM_ENABLE, WM_ACTIVATE, WM_SETFOCUS});
    ASSERT_EQ(Order({WM_ENABLE, WM_ACTIVATE, WM_SETFOCUS}), (Messages{WM_ENABLE, WM_ACTIVATE, WM_SETFOCUS}));
    EXPECT_EQ(back[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(LOWORD(back[1].wParam), WA_ACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(back[1].lParam), seenDialog);
}

// The screen size dialog is 128 x 52 units of a 9 point font with 取消 at
// (72, 32), 50 x 14; the quit dialog 141 x 47 of a 10 point font with QUIT
// at (97, 31), 40 x 12, and the question icon at its own size. Each has
// its title.
TEST_F(UserDialogModal, TheDialogSitsAtTheOwnersClientOriginSizedInDialogUnitsOfItsFont)
{
    std::vector<double> lineUnits;  // pixels per vertical unit
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message != WM_INITDIALOG)
            return FALSE;
        POINT origin = ClientOrigin(dialog), ownerOrigin = ClientOrigin(owner);
        EXPECT_EQ(origin.x, ownerOrigin.x);
        EXPECT_EQ(origin.y, ownerOrigin.y);
        bool quit = !lineUnits.empty();
        RECT client, button = InDialog(dialog, GetDlgItem(dialog, quit ? 3018 : IDCANCEL));
        GetClientRect(dialog, &client);
        double x = client.right / (quit ? 141.0 : 128.0), y = client.bottom / (quit ? 47.0 : 52.0);
        EXPECT_NEAR(button.left, (quit ? 97 : 72) * x, 1.0);
        EXPECT_NEAR(button.top, (quit ? 31 : 32) * y, 1.0);
        EXPECT_NEAR(button.right - button.left, (quit ? 40 : 50) * x, 1.0);
        EXPECT_NEAR(button.bottom - button.top, (quit ? 12 : 14) * y, 1.0);
        lineUnits.push_back(y);
        char title[64];
        GetWindowTextA(dialog, title, sizeof title);
        EXPECT_STREQ(title, quit ? "確認" : "画面サイズ設定");
        if (quit) {
            RECT icon = InDialog(dialog, UserGetWindow(dialog)->children[0]);
            EXPECT_EQ(icon.left, 0);
            EXPECT_EQ(icon.right - icon.left, 32);
            EXPECT_EQ(icon.bottom - icon.top, 32);
        }
        EndDialog(dialog, 1);
        return FALSE;
    };
    SetWindowPos(owner, nullptr, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Run(kScreenSize), 1);
    EXPECT_EQ(Run(kQuit), 1);
    ASSERT_EQ(lineUnits.size(), 2u);
    EXPECT_GT(lineUnits[1], lineUnits[0]) << "10 points against 9";
    EXPECT_GT(lineUnits[0], 1.0);
}

TEST_F(UserDialogModal, ClickingAButtonSendsItsCommandAndOtherControlsTakeNoClick)
{
    HWND quit = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            Window* window = UserGetWindow(dialog);
            HWND yes = window->children[3];  // the second button with id 1
            quit = GetDlgItem(dialog, 3018);
            EnableWindow(yes, FALSE);
            PlatformInjectClick(GetDlgItem(dialog, 3017), 2, 2);  // the text: nothing
            PlatformInjectClick(yes, 4, 4);                       // disabled: nothing
            PlatformInjectClick(window->children[0], 4, 4);       // the icon: nothing
            PlatformInjectClick(quit, 3, 3);
            return TRUE;
        }
        if (message == WM_COMMAND) {
            EXPECT_EQ(UserFocusWindow(), quit) << "a clicked button takes the focus";
            EndDialog(dialog, LOWORD(wParam) + 100);
        }
        return message == WM_COMMAND;
    };
    EXPECT_EQ(Run(kQuit), 3118);
    std::vector<SeenMessage> commands = DialogOnly(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(3018, kButtonClicked));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), quit);
}

TEST_F(UserDialogModal, ClickingARadioButtonChecksItAndUnchecksTheOthersOfItsGroup)
{
    std::vector<UINT> after;
    HWND full = nullptr, focus = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EXPECT_TRUE(CheckRadioButton(dialog, IDOK, kFull, kNormal)) << "push buttons in the range";
            full = GetDlgItem(dialog, kFull);
            PlatformInjectClick(full, 20, 4);  // on its text
            return TRUE;
        }
        if (message == WM_COMMAND) {
            for (int id : {IDOK, IDCANCEL, kNormal, kVga, kFull})
                after.push_back(IsDlgButtonChecked(dialog, id));
            focus = UserFocusWindow();
            EndDialog(dialog, LOWORD(wParam));
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize), kFull);
    EXPECT_EQ(after, (std::vector<UINT>{BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(focus, full);
    ASSERT_EQ(DialogOnly(WM_COMMAND).size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(DialogOnly(WM_COMMAND)[0].lParam), full);
}

TEST_F(UserDialogModal, TheCloseBoxAndWmCloseGiveIdcancelAndNothingElseEndsTheDialog)
{
    HWND cancel = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            cancel = GetDlgItem(dialog, IDCANCEL);
            PlatformInjectCloseBox(dialog);
            PlatformInjectCloseBox(owner);  // disabled: its close box does nothing
        }
        if (message == WM_COMMAND && Commands().size() == 2)
            EndDialog(dialog, LOWORD(wParam));
        if (message == WM_COMMAND && Commands().size() == 1)
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize), IDCANCEL);
    EXPECT_EQ(DialogOnly(WM_CLOSE).size(), 2u);
    std::vector<SeenMessage> commands = DialogOnly(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), cancel);
    EXPECT_TRUE(IsWindow(owner));
    EXPECT_EQ(Count(WM_SYSCOMMAND, owner), 0);
}

TEST_F(UserDialogModal, TheOwnersMessagesAreDispatchedWhileTheDialogRuns)
{
    HWND dialogSeen = nullptr;
    bool ownerEnabledAtPaint = true;
    TestHandler() = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (window == owner && message == WM_PAINT && dialogSeen) {
            ownerEnabledAtPaint = IsWindowEnabled(owner) != FALSE;
            EndDialog(dialogSeen, 9);
        }
        return false;
    };
    PostMessageA(owner, WM_USER, 7, 0);
    InvalidateRect(owner, nullptr, TRUE);
    PressWith(owner, VK_MENU, 'V');  // keys for the disabled owner go to the dialog
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            dialogSeen = dialog;
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize), 9);
    EXPECT_EQ(Count(WM_USER, owner), 1);
    EXPECT_GE(Count(WM_PAINT, owner), 1);
    EXPECT_FALSE(ownerEnabledAtPaint);
    EXPECT_EQ(Count(WM_SYSKEYDOWN, owner), 0);
    EXPECT_EQ(Commands(), (std::vector<int>{kVga})) << "Alt+V reached the dialog";
}

TEST_F(UserDialogModal, WmQuitEndsTheLoopAndIsPostedAgain)
{
    HWND dialogSeen = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            dialogSeen = dialog;
            PostQuitMessage(3);
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kAbout), 0);
    EXPECT_FALSE(IsWindow(dialogSeen));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    MSG msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(UserDialogModal, DestroyingTheOwnerDestroysTheDialogFirst)
{
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            PostMessageA(dialog, WM_USER, 0, 0);
        if (message == WM_USER)
            DestroyWindow(owner);
        return FALSE;
    };
    EXPECT_EQ(Run(kBenchmark), 0);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_EQ(Count(WM_DESTROY), 1);
    EXPECT_EQ(DialogOnly(WM_DESTROY).size(), 1u);
}

TEST_F(UserDialogModal, NamedTemplatesBadOwnersAndBadHandlesFail)
{
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), "NAMED", owner, Procedure, 0), -1);
    EXPECT_EQ(Run(kAbout, reinterpret_cast<HWND>(0x7777)), 0) << "a bad owner";
    EXPECT_TRUE(DialogSeen().empty());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(EndDialog(owner, 1)) << "not a dialog";
    EXPECT_FALSE(EndDialog(nullptr, 1));
    EXPECT_FALSE(SetDlgItemTextA(owner, 1, "x"));
    EXPECT_FALSE(CheckRadioButton(nullptr, 1, 2, 1));
    EXPECT_EQ(IsDlgButtonChecked(nullptr, 1), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_FALSE(EnableWindow(nullptr, TRUE));
    EXPECT_FALSE(IsWindowEnabled(nullptr));
}
