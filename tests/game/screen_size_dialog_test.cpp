#include "game_fixture.h"

#include "display/display.h"

// F12 on the title runs the screen-size dialog; the keys that answer it are
// queued first and reach the dialog once its modal loop runs.
class ScreenSizeDialog : public WindowTest {
protected:
    void Press(UINT key, bool alt = false)
    {
        for (BOOL down : {TRUE, FALSE}) {
            if (alt && down)
                PlatformInjectKey(game.mainWindow, VK_MENU, TRUE, FALSE, nullptr);
            PlatformInjectKey(game.mainWindow, key, down, FALSE, nullptr);
        }
        if (alt)
            PlatformInjectKey(game.mainWindow, VK_MENU, FALSE, FALSE, nullptr);
    }

    void OpenWithF12() { MainWindowProc(game.mainWindow, WM_KEYDOWN, VK_F12, 0); }

    LONG ClientWidth()
    {
        RECT r;
        GetClientRect(game.mainWindow, &r);
        return r.right;
    }
};

TEST_F(ScreenSizeDialog, OkReturnsTheCheckedMode)
{
    // Each mnemonic checks its button; with none, the current mode is checked.
    const struct {
        UINT mnemonic;
        LONG mode, width;
    } answers[] = {{'V', 1, 640}, {'F', 2, 1024}, {0, 2, 1024}, {'N', 0, 320}};
    for (const auto& a : answers) {
        if (a.mnemonic)
            Press(a.mnemonic, true);  // "640x480(&V)", "全画面(&F)", "標準サイズ(&N)"
        Press(VK_RETURN);
        OpenWithF12();
        EXPECT_EQ(game.screenMode, a.mode) << a.mnemonic;
        EXPECT_EQ(ClientWidth(), a.width) << a.mnemonic;
    }
}

TEST_F(ScreenSizeDialog, EscapeChangesNothingAndLeavesTheWindowWhereItIs)
{
    RECT before;
    GetWindowRect(game.mainWindow, &before);
    Press('V', true);
    Press(VK_ESCAPE);
    OpenWithF12();
    RECT after;
    GetWindowRect(game.mainWindow, &after);
    EXPECT_EQ(game.screenMode, 0);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(ClientWidth(), 320);
    EXPECT_TRUE(IsWindowEnabled(game.mainWindow)) << "the owner is given back";
}
