// Modal dialogs from the program's templates: WM_INITDIALOG, placement in
// dialog units, the owner disabled and deactivated while the dialog runs,
// the ways a dialog ends, and the messages of other windows dispatched by
// the modal loop meanwhile.
#include "user/dialog.h"
#include "user_dialog_fixture.h"

namespace {
constexpr int kAbout = 102, kBenchmark = 103, kQuit = 104, kScreenSize = 105;

int MulDivRound(int value, int numerator, int denominator)
{
    return (value * numerator + denominator / 2) / denominator;
}

// Base units measured here with GDI as Windows defines them.
SIZE BaseUnits(int points)
{
    LOGFONTA description = {};
    description.lfHeight = -MulDivRound(points, 96, 72);
    lstrcpyA(description.lfFaceName, "ＭＳ Ｐゴシック");
    HFONT font = CreateFontIndirectA(&description);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {0, 0};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &size));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    return SIZE{(size.cx / 26 + 1) / 2, size.cy};
}
}  // namespace

class UserDialogModal : public UserDialogTest {};

TEST_F(UserDialogModal, InitDialogGetsTheParameterAndTheFirstTabStopAndEndDialogThereEndsIt)
{
    HWND owner = Open(kFramed, 320, 200);
    HWND firstTabStop = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            firstTabStop = GetDlgItem(dialog, IDOK);
            EXPECT_TRUE(EndDialog(dialog, 42));
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize, owner, 0x1234), 42);
    std::vector<SeenMessage> init = DialogOnly(WM_INITDIALOG);
    ASSERT_EQ(init.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(init[0].wParam), firstTabStop);
    EXPECT_NE(firstTabStop, nullptr);
    EXPECT_EQ(init[0].lParam, 0x1234);
    ASSERT_EQ(DialogOnly(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(init[0].window));
    EXPECT_EQ(Count(WM_ACTIVATE, owner), 0) << "ended before it was shown: the owner stayed active";
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
}

TEST_F(UserDialogModal, TheOwnerIsDisabledAndDeactivatedWhileTheDialogRunsAndGetsBothBack)
{
    HWND owner = Open(kFramed, 320, 200);
    ASSERT_EQ(GetActiveWindow(), owner);
    HWND seenDialog = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            seenDialog = dialog;
            EXPECT_FALSE(IsWindowEnabled(owner));
            PostMessageA(dialog, WM_USER, 0, 0);
            return TRUE;
        }
        if (message == WM_USER) {
            EXPECT_EQ(GetActiveWindow(), dialog);
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK)) << "the first tab stop";
            std::vector<SeenMessage> owners = Only({WM_ENABLE, WM_ACTIVATE, WM_KILLFOCUS});
            EXPECT_EQ(owners.size(), 3u);
            if (owners.size() == 3u) {
                EXPECT_EQ(owners[0].message, static_cast<UINT>(WM_KILLFOCUS)) << "a disabled window loses the focus";
                EXPECT_EQ(owners[1].message, static_cast<UINT>(WM_ENABLE));
                EXPECT_EQ(owners[1].wParam, static_cast<WPARAM>(FALSE));
                EXPECT_EQ(owners[2].message, static_cast<UINT>(WM_ACTIVATE));
                EXPECT_EQ(LOWORD(owners[2].wParam), WA_INACTIVE);
                EXPECT_EQ(reinterpret_cast<HWND>(owners[2].lParam), dialog);
            }
            SeenMessages().clear();
            EndDialog(dialog, 5);
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize, owner), 5);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    EXPECT_EQ(GetFocus(), owner);
    std::vector<SeenMessage> back = Only({WM_ENABLE, WM_ACTIVATE, WM_SETFOCUS});
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].message, static_cast<UINT>(WM_ENABLE));
    EXPECT_EQ(back[0].wParam, static_cast<WPARAM>(TRUE));
    EXPECT_EQ(back[1].message, static_cast<UINT>(WM_ACTIVATE));
    EXPECT_EQ(LOWORD(back[1].wParam), WA_ACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(back[1].lParam), seenDialog);
    EXPECT_EQ(back[2].message, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(DialogOnly(WM_DESTROY).size(), 1u);
    EXPECT_FALSE(IsWindow(seenDialog));
}

TEST_F(UserDialogModal, TheDialogSitsAtTheOwnersClientOriginSizedInDialogUnitsOfItsFont)
{
    HWND owner = Open(kFramed, 320, 200);
    SIZE nine = BaseUnits(9), ten = BaseUnits(10);
    ASSERT_GT(nine.cx, 0);
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message != WM_INITDIALOG)
            return FALSE;
        POINT origin = ClientOrigin(dialog), ownerOrigin = ClientOrigin(owner);
        EXPECT_EQ(origin.x, ownerOrigin.x);
        EXPECT_EQ(origin.y, ownerOrigin.y);
        RECT client;
        GetClientRect(dialog, &client);
        int id = DialogOnly(WM_INITDIALOG).size() == 1 ? kScreenSize : kQuit;
        SIZE units = id == kScreenSize ? nine : ten;
        EXPECT_EQ(client.right, MulDivRound(id == kScreenSize ? 128 : 141, units.cx, 4));
        EXPECT_EQ(client.bottom, MulDivRound(id == kScreenSize ? 52 : 47, units.cy, 8));
        RECT button = InDialog(dialog, GetDlgItem(dialog, id == kScreenSize ? 2 : 3018));
        RECT want = id == kScreenSize ? RECT{72, 32, 122, 46} : RECT{97, 31, 137, 43};
        EXPECT_EQ(button.left, MulDivRound(want.left, units.cx, 4));
        EXPECT_EQ(button.top, MulDivRound(want.top, units.cy, 8));
        EXPECT_EQ(button.right - button.left, MulDivRound(want.right - want.left, units.cx, 4));
        EXPECT_EQ(button.bottom - button.top, MulDivRound(want.bottom - want.top, units.cy, 8));
        char title[64];
        EXPECT_EQ(GetWindowTextA(dialog, title, sizeof title), id == kScreenSize ? 14 : 4);
        EXPECT_STREQ(title, id == kScreenSize ? "画面サイズ設定" : "確認");
        EXPECT_NE(GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, 0);
        if (id == kQuit) {
            // The icon control takes its icon's size.
            RECT icon = InDialog(dialog, UserGetWindow(dialog)->children[0]);
            EXPECT_EQ(icon.left, 0);
            EXPECT_EQ(icon.right - icon.left, 32);
            EXPECT_EQ(icon.bottom - icon.top, 32);
        }
        EndDialog(dialog, 1);
        return FALSE;
    };
    SetWindowPos(owner, nullptr, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Run(kScreenSize, owner), 1);
    EXPECT_EQ(Run(kQuit, owner), 1);
}

TEST_F(UserDialogModal, ClickingAButtonSendsItsCommandAndTheProcedureEndsTheDialog)
{
    HWND owner = Open(kFramed, 320, 200);
    HWND quit = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            Window* window = UserGetWindow(dialog);
            HWND yes = window->children[3];  // the second button with id 1
            quit = GetDlgItem(dialog, 3018);
            EXPECT_FALSE(EnableWindow(yes, FALSE)) << "it was enabled";
            EXPECT_TRUE(EnableWindow(yes, FALSE)) << "it was disabled";
            EXPECT_FALSE(IsWindowEnabled(yes));
            PlatformInjectClick(GetDlgItem(dialog, 3017), 2, 2);  // the text: nothing
            PlatformInjectClick(yes, 4, 4);                       // disabled: nothing
            PlatformInjectClick(window->children[0], 4, 4);       // the icon: nothing
            PlatformInjectClick(quit, 3, 3);
            return TRUE;
        }
        if (message == WM_COMMAND) {
            EXPECT_EQ(GetFocus(), quit) << "a clicked button takes the focus";
            EndDialog(dialog, LOWORD(wParam) + 100);
            return TRUE;
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kQuit, owner), 3118);
    std::vector<SeenMessage> commands = DialogOnly(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(3018, kButtonClicked));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), quit);
}

TEST_F(UserDialogModal, ClickingARadioButtonChecksItAndUnchecksTheOthersOfItsGroup)
{
    HWND owner = Open(kFramed, 320, 200);
    std::vector<UINT> before, after;
    HWND full = nullptr, focus = nullptr;
    auto states = [](HWND dialog) {
        std::vector<UINT> checks;
        for (int id : {IDOK, IDCANCEL, 3019, 3020, 3021})
            checks.push_back(IsDlgButtonChecked(dialog, id));
        return checks;
    };
    Handler() = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EXPECT_TRUE(CheckRadioButton(dialog, IDOK, 3021, IDCANCEL)) << "push buttons keep no check";
            EXPECT_TRUE(CheckRadioButton(dialog, 3019, 3021, 3019));
            before = states(dialog);
            full = GetDlgItem(dialog, 3021);
            PlatformInjectClick(full, 20, 4);  // on its text
            return TRUE;
        }
        if (message == WM_COMMAND) {
            after = states(dialog);
            focus = GetFocus();
            EndDialog(dialog, LOWORD(wParam));
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kScreenSize, owner), 3021);
    EXPECT_EQ(before, (std::vector<UINT>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED}));
    EXPECT_EQ(after, (std::vector<UINT>{BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(focus, full);
    ASSERT_EQ(DialogOnly(WM_COMMAND).size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(DialogOnly(WM_COMMAND)[0].lParam), full);
}

TEST_F(UserDialogModal, TheCloseBoxAndWmCloseGiveIdcancelAndNothingElseEndsTheDialog)
{
    HWND owner = Open(kFramed, 320, 200);
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
    EXPECT_EQ(Run(kScreenSize, owner), IDCANCEL);
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
    HWND owner = Open(kFramed, 320, 200);
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
    EXPECT_EQ(Run(kScreenSize, owner), 9);
    EXPECT_EQ(Count(WM_USER, owner), 1);
    EXPECT_GE(Count(WM_PAINT, owner), 1);
    EXPECT_FALSE(ownerEnabledAtPaint);
    EXPECT_EQ(Count(WM_SYSKEYDOWN, owner), 0);
    EXPECT_EQ(Commands(), (std::vector<int>{3020})) << "Alt+V reached the dialog";
    EXPECT_EQ(Count(WM_SYSKEYDOWN, owner), 0);
}

TEST_F(UserDialogModal, WmQuitEndsTheLoopAndIsPostedAgain)
{
    HWND owner = Open(kFramed, 320, 200);
    HWND dialogSeen = nullptr;
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            dialogSeen = dialog;
            PostQuitMessage(3);
        }
        return FALSE;
    };
    EXPECT_EQ(Run(kAbout, owner), 0);
    EXPECT_FALSE(IsWindow(dialogSeen));
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(GetActiveWindow(), owner);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(UserDialogModal, DestroyingTheOwnerDestroysTheDialogFirst)
{
    HWND owner = Open(kFramed, 320, 200);
    Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            PostMessageA(dialog, WM_USER, 0, 0);
        if (message == WM_USER)
            DestroyWindow(owner);
        return FALSE;
    };
    EXPECT_EQ(Run(kBenchmark, owner), 0);
    EXPECT_FALSE(IsWindow(owner));
    std::vector<SeenMessage> destroyed = Only({WM_DESTROY});
    ASSERT_EQ(destroyed.size(), 1u);
    EXPECT_EQ(DialogOnly(WM_DESTROY).size(), 1u);
}

TEST_F(UserDialogModal, MissingTemplatesAndBadOwnersFail)
{
    HWND owner = Open(kFramed, 320, 200);
    EXPECT_EQ(Run(999, owner), -1);
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), "NAMED", owner, Procedure, 0), -1);
    EXPECT_EQ(Run(kAbout, reinterpret_cast<HWND>(0x7777)), 0);
    EXPECT_TRUE(DialogSeen().empty());
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(EndDialog(owner, 1)) << "not a dialog";
    EXPECT_FALSE(EndDialog(nullptr, 1));
    EXPECT_EQ(GetDlgItem(owner, 1), nullptr);
    EXPECT_FALSE(SetDlgItemTextA(owner, 1, "x"));
    EXPECT_FALSE(CheckRadioButton(nullptr, 1, 2, 1));
    EXPECT_EQ(IsDlgButtonChecked(nullptr, 1), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_FALSE(EnableWindow(nullptr, TRUE));
    EXPECT_FALSE(IsWindowEnabled(nullptr));
}
