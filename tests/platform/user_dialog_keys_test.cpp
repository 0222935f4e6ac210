// The dialog's keyboard: Enter, Esc, Tab and Shift+Tab, the arrow keys in
// a group, the space bar and mnemonics, all typed into the screen size
// dialog (OK, 取消 and three automatic radio buttons in one group).
#include "user_dialog_fixture.h"

class UserDialogKeys : public UserDialogTest {
protected:
    // Runs the dialog, typing `keys` once it is up; it ends with the id of
    // the `commands`-th WM_COMMAND. `seeCommand` looks at each command.
    INT_PTR Type(std::function<void(HWND)> keys, size_t commands = 1,
                 std::function<void(HWND, int)> seeCommand = nullptr)
    {
        Handler() = [=](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
            if (message == WM_INITDIALOG)
                keys(dialog);
            if (message == WM_COMMAND && seeCommand)
                seeCommand(dialog, LOWORD(wParam));
            if (message == WM_COMMAND && Commands().size() == commands)
                EndDialog(dialog, LOWORD(wParam));
            return message == WM_INITDIALOG;
        };
        return Run(kScreenSize);
    }
};

// Enter on OK or a radio button and Esc anywhere the game's screen size
// tests type; Enter on another push button sends that button's command.
TEST_F(UserDialogKeys, EnterSendsTheFocusedPushButtonsCommand)
{
    HWND cancel = nullptr;
    EXPECT_EQ(Type([&](HWND dialog) {
                  cancel = GetDlgItem(dialog, IDCANCEL);
                  Press(dialog, VK_TAB);
                  Press(dialog, VK_RETURN);
              }),
              IDCANCEL);
    std::vector<SeenMessage> commands = DialogOnly(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(reinterpret_cast<HWND>(commands[0].lParam), cancel) << "from the button";
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
    std::vector<UINT> states;
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
                for (int radio : {kNormal, kVga, kFull})
                    states.push_back(IsDlgButtonChecked(dialog, radio));
                focus = UserFocusWindow();
            }
        });
    EXPECT_EQ(Commands(), (std::vector<int>{kVga, kFull}));
    EXPECT_EQ(states, (std::vector<UINT>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED}));
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
