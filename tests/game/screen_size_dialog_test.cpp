#include "game_fixture.h"

#include "display/surfaces.h"

// F12 on the title runs the screen-size dialog; the keys that answer it are
// queued first and reach the dialog once its modal loop runs.
class ScreenSizeDialog : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        OpenMainWindow();
        DrainMessages();
    }

    void Press(UINT key, const char* text = nullptr)
    {
        PlatformInjectKey(game.mainWindow, key, TRUE, FALSE, text);
        PlatformInjectKey(game.mainWindow, key, FALSE, FALSE, nullptr);
    }

    void AltPress(UINT key)
    {
        PlatformInjectKey(game.mainWindow, VK_MENU, TRUE, FALSE, nullptr);
        Press(key);
        PlatformInjectKey(game.mainWindow, VK_MENU, FALSE, FALSE, nullptr);
    }

    void OpenWithF12() { MainWindowProc(game.mainWindow, WM_KEYDOWN, VK_F12, 0); }

    RECT Client()
    {
        RECT r;
        GetClientRect(game.mainWindow, &r);
        return r;
    }
};

TEST_F(ScreenSizeDialog, OkReturnsTheCheckedMode)
{
    AltPress('V');  // "640x480(&V)"
    Press(VK_RETURN);
    OpenWithF12();
    EXPECT_EQ(game.screenMode, 1);
    EXPECT_EQ(Client().right, 640);

    AltPress('F');  // "全画面(&F)"
    Press(VK_RETURN);
    OpenWithF12();
    EXPECT_EQ(game.screenMode, 2);
    EXPECT_EQ(Client().right, 1024);

    Press(VK_RETURN);  // the current mode comes up checked: OK keeps it
    OpenWithF12();
    EXPECT_EQ(game.screenMode, 2);

    AltPress('N');  // "標準サイズ(&N)"
    Press(VK_RETURN);
    OpenWithF12();
    EXPECT_EQ(game.screenMode, 0);
    EXPECT_EQ(Client().right, 320);
}

TEST_F(ScreenSizeDialog, EscapeChangesNothingAndLeavesTheWindowWhereItIs)
{
    RECT before;
    GetWindowRect(game.mainWindow, &before);
    AltPress('V');
    Press(VK_ESCAPE);
    OpenWithF12();
    RECT after;
    GetWindowRect(game.mainWindow, &after);
    EXPECT_EQ(game.screenMode, 0);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(Client().right, 320);
    EXPECT_TRUE(IsWindowEnabled(game.mainWindow)) << "the owner is given back";
}

TEST_F(ScreenSizeDialog, NotWhilePlaying)
{
    game.screen = Playing;
    game.running = 1;
    AltPress('V');
    Press(VK_RETURN);
    OpenWithF12();
    EXPECT_EQ(game.screenMode, 0);
    DrainMessages();  // the queued keys go to the game instead
}
