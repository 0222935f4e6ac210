// The dialog's keyboard: Enter, Esc, Tab and Shift+Tab, the arrow keys in
// a group, the space bar and mnemonics, all typed into the screen size
// dialog (OK, 取消 and three automatic radio buttons in one group).
#include "user_dialog_fixture.h"

namespace {
constexpr int kScreenSize = 105;
constexpr int kNormal = 3019, kVga = 3020, kFull = 3021;
}  // namespace

class UserDialogKeys : public UserDialogTest {
protected:
    // Runs the dialog, typing `keys` once it is up; it ends with the id of
    // the `commands`-th WM_COMMAND. `seeCommand` looks at each command.
    INT_PTR Type(std::function<void(HWND)> keys, size_t commands = 1,
                 std::function<void(HWND, int)> seeCommand = nullptr)
    {
        HWND owner = Open(kFramed, 320, 200);
        DialogSeen().clear();
        Handler() = [=](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
            if (message == WM_INITDIALOG) {
                keys(dialog);
                return TRUE;
            }
            if (message == WM_COMMAND && seeCommand)
                seeCommand(dialog, LOWORD(wParam));
            if (message == WM_COMMAND && Commands().size() == commands)
                EndDialog(dialog, LOWORD(wParam));
            return FALSE;
        };
        INT_PTR result = Run(kScreenSize, owner);
        DestroyWindow(owner);
        return result;
    }

    static std::vector<int> States(HWND dialog)
    {
        return {static_cast<int>(IsDlgButtonChecked(dialog, kNormal)),
                static_cast<int>(IsDlgButtonChecked(dialog, kVga)),
                static_cast<int>(IsDlgButtonChecked(dialog, kFull))};
    }
};

TEST_F(UserDialogKeys, EnterSendsTheFocusedPushButtonsCommandElseIdokAndEscSendsIdcancel)
{
    EXPECT_EQ(Type([](HWND dialog) { Press(dialog, VK_RETURN); }), IDOK) << "the focus starts on OK";
    EXPECT_EQ(Type([](HWND dialog) {
                  Press(dialog, VK_TAB);
                  Press(dialog, VK_RETURN);
              }),
              IDCANCEL)
        << "取消 has the focus";
    EXPECT_EQ(Type([](HWND dialog) {
                  Press(dialog, VK_TAB);
                  Press(dialog, VK_TAB);
                  Press(dialog, VK_RETURN);
              }),
              IDOK)
        << "on a radio button, the default: IDOK";
    HWND cancel = nullptr;
    EXPECT_EQ(Type([&](HWND dialog) {
                  cancel = GetDlgItem(dialog, IDCANCEL);
                  Press(dialog, VK_TAB);
                  Press(dialog, VK_ESCAPE);
              }),
              IDCANCEL);
    std::vector<SeenMessage> commands = DialogOnly(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(IDCANCEL));
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), cancel);
}

TEST_F(UserDialogKeys, TabMovesAmongTabStopsAndACheckedRadioButtonKeepsTheOnlyTabStopOfItsGroup)
{
    LONG vgaStyle = 0;
    Type(
        [&](HWND dialog) {
            Press(dialog, VK_SPACE);  // OK
            Press(dialog, VK_TAB);
            Press(dialog, VK_SPACE);  // 取消
            Press(dialog, VK_TAB);
            Press(dialog, VK_SPACE);  // 標準サイズ: checked, the others lose WS_TABSTOP
            Press(dialog, VK_TAB);
            Press(dialog, VK_SPACE);  // round to OK
            PressWith(dialog, VK_SHIFT, VK_TAB);
            Press(dialog, VK_SPACE);  // back to 標準サイズ
            PressWith(dialog, VK_SHIFT, VK_TAB);
            Press(dialog, VK_SPACE);  // 取消
        },
        6,
        [&](HWND dialog, int id) {
            if (id == kNormal)
                vgaStyle = GetWindowLongA(GetDlgItem(dialog, kVga), GWL_STYLE);
        });
    EXPECT_EQ(Commands(), (std::vector<int>{IDOK, IDCANCEL, kNormal, IDOK, kNormal, IDCANCEL}));
    EXPECT_EQ(vgaStyle & WS_TABSTOP, 0) << "unchecked, 640x480 is no tab stop";
}

TEST_F(UserDialogKeys, TheArrowKeysMoveWithinTheGroupAndCheckTheRadioButtonsTheyReach)
{
    Type(
        [&](HWND dialog) {
            Press(dialog, VK_DOWN);   // OK to 取消: a push button only takes the focus
            Press(dialog, VK_DOWN);   // 標準サイズ
            Press(dialog, VK_RIGHT);  // 640x480
            Press(dialog, VK_UP);     // 標準サイズ again
            Press(dialog, VK_UP);     // 取消
            Press(dialog, VK_SPACE);
        },
        4);
    EXPECT_EQ(Commands(), (std::vector<int>{kNormal, kVga, kNormal, IDCANCEL}));
}

TEST_F(UserDialogKeys, AMnemonicClicksItsRadioButtonWithAltOrAlone)
{
    std::vector<int> states;
    HWND focus = nullptr, full = nullptr;
    Type(
        [&](HWND dialog) {
            full = GetDlgItem(dialog, kFull);
            PressWith(dialog, VK_MENU, 'Z');  // no such mnemonic
            PressWith(dialog, VK_MENU, 'V');
            Press(dialog, 'F');
        },
        2,
        [&](HWND dialog, int id) {
            if (id == kFull) {
                states = States(dialog);
                focus = GetFocus();
            }
        });
    EXPECT_EQ(Commands(), (std::vector<int>{kVga, kFull}));
    EXPECT_EQ(states, (std::vector<int>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(focus, full);
}

TEST_F(UserDialogKeys, ADisabledControlIsSkippedAndTakesNoKeys)
{
    Type(
        [](HWND dialog) {
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            EnableWindow(GetDlgItem(dialog, kVga), FALSE);
            Press(dialog, VK_TAB);  // past 取消 to 標準サイズ
            Press(dialog, VK_SPACE);
            Press(dialog, VK_DOWN);  // past 640x480 to 全画面
            PressWith(dialog, VK_MENU, 'V');
            Press(dialog, VK_ESCAPE);  // IDCANCEL still comes: the key, not the button
        },
        3);
    EXPECT_EQ(Commands(), (std::vector<int>{kNormal, kFull, IDCANCEL}));
}
