#include "game_fixture.h"

#include <mmsystem.h>

#include "game/game.h"
#include "screens/screens.h"

class WindowProc : public WindowTest {
protected:
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        return MainWindowProc(game.mainWindow, message, wParam, lParam);
    }
};

TEST_F(WindowProc, ArrowsAndKeypadSetTheDirectionUntilReleased)
{
    const LPARAM repeat = 1 << 30;
    Send(WM_KEYDOWN, VK_LEFT);
    Send(WM_KEYDOWN, VK_NUMPAD8);
    EXPECT_EQ(game.keyLeft, -1);
    EXPECT_EQ(game.keyUp, 1);
    Send(WM_KEYUP, VK_LEFT);
    EXPECT_EQ(game.keyLeft, 0);
    Send(WM_KEYDOWN, VK_RIGHT, repeat);  // an auto-repeat counts for nothing
    EXPECT_EQ(game.keyRight, 0);
    Send(WM_KEYDOWN, VK_NUMPAD2);
    Send(WM_KEYDOWN, VK_ESCAPE);  // Esc clears the keys, not the joystick
    EXPECT_EQ(game.keyUp, 0);
    EXPECT_EQ(game.keyDown, 0);
}

TEST_F(WindowProc, EnterStartsPausesAndResumesOncePerPress)
{
    const LPARAM repeat = 1 << 30;
    Send(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(game.screen, Playing);
    Send(WM_KEYDOWN, VK_SPACE);
    EXPECT_NE(game.pauseStart, 0u);
    Send(WM_KEYDOWN, VK_RETURN, repeat);
    Send(WM_KEYDOWN, VK_RETURN, repeat);
    EXPECT_NE(game.pauseStart, 0u) << "holding Enter toggles once";
    Send(WM_KEYDOWN, VK_RETURN);
    EXPECT_EQ(game.pauseStart, 0u);

    Send(WM_SYSKEYDOWN, VK_MENU);  // Alt pauses before the system acts
    EXPECT_NE(game.pauseStart, 0u);
    Send(WM_KEYDOWN, VK_F12);  // no dialog while playing, paused or not
    EXPECT_EQ(game.screen, Playing);
    EXPECT_EQ(Send(WM_COMMAND, 1), 0);  // the end-run command
    EXPECT_EQ(game.screen, Title);
}

TEST_F(WindowProc, LosingTheWindowPausesTheRun)
{
    ActionButton();
    ASSERT_EQ(game.screen, Playing);
    Send(WM_ACTIVATE, WA_INACTIVE);
    DWORD paused = game.pauseStart;
    EXPECT_NE(paused, 0u);
    PlatformAdvanceClock(50);
    Send(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_EQ(game.pauseStart, paused) << "coming back leaves it paused";
    Send(WM_ACTIVATE, WA_INACTIVE);
    EXPECT_EQ(game.screen, Playing);
}

// The window menu holds the frame loop while it is open: a right click
// pauses the run first, as Alt+Space does, and the menu takes the Esc.
TEST_F(WindowProc, ARightClickDuringARunPausesItBeforeTheMenuOpens)
{
    ActionButton();
    ASSERT_EQ(game.screen, Playing);
    PlatformInjectRightClick(game.mainWindow, 100, 100);
    PlatformInjectKey(game.mainWindow, VK_ESCAPE, TRUE, FALSE, nullptr);
    DrainMessages();
    EXPECT_NE(game.pauseStart, 0u);
    EXPECT_EQ(game.screen, Playing);
    EXPECT_EQ(GetWindowLongA(game.mainWindow, GWL_STYLE) & WS_MINIMIZE, 0) << "the menu took the Esc";
}

TEST_F(WindowProc, JoystickMessagesMapTheMiddleHalfToTheCentre)
{
    game.joystickId = 0;
    const struct {
        WORD x, y;
        LONG joyX, joyY;
    } cases[] = {
        {0x3FFF, 0x3FFF, -1, 1}, {0x4000, 0x4000, 0, 0}, {0xC000, 0xC000, 0, 0},
        {0xC001, 0xC001, 1, -1}, {0, 0xFFFF, -1, -1},    {0x8000, 0x8000, 0, 0},
    };
    for (const auto& c : cases) {
        Send(MM_JOY1MOVE, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(game.joyX, c.joyX) << c.x;
        EXPECT_EQ(game.joyY, c.joyY) << c.y;
    }
    // Only the captured device steers and acts.
    Send(MM_JOY2MOVE, 0, MAKELPARAM(0, 0));
    EXPECT_EQ(game.joyX, 0);
    Send(MM_JOY2BUTTONDOWN, JOY_BUTTON1);
    EXPECT_EQ(game.screen, Title);
    Send(MM_JOY1BUTTONDOWN, JOY_BUTTON1);
    EXPECT_EQ(game.screen, Playing) << "a button is the action input";

    // Behind a dialog (the window disabled) a button does nothing.
    EnableWindow(game.mainWindow, FALSE);
    Send(MM_JOY1BUTTONDOWN, JOY_BUTTON1);
    EXPECT_EQ(game.pauseStart, 0u);
    EnableWindow(game.mainWindow, TRUE);
}

TEST_F(WindowProc, PollingReadsTheStickInTheSenseOfTheMessages)
{
    EXPECT_EQ(game.joystickId, kNoJoystick);
    game.joyX = 1;
    PollInput();
    EXPECT_EQ(game.joyX, 1) << "no device captured: the joystick fields stay";

    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    ASSERT_GE(id, 0);
    game.joystickId = static_cast<DWORD>(id);
    PlatformSetVirtualJoystickAxes(id, 32767, -32768);  // right and up
    PollInput();
    EXPECT_EQ(game.joyX, 1);
    EXPECT_EQ(game.joyY, 1) << "up is +1, as in the movement messages";
    PlatformDetachVirtualJoysticks();
}

TEST_F(WindowProc, TheEndRunCommandActsOnlyDuringARunBeforeTheHit)
{
    EXPECT_EQ(Send(WM_COMMAND, 1), 0);
    EXPECT_EQ(game.screen, Title);
    ActionButton();
    game.hitPhase = 3;
    Send(WM_COMMAND, 1);
    EXPECT_EQ(game.screen, Playing) << "the explosion plays out";
    game.hitPhase = 0;
    Send(WM_COMMAND, 1);
    EXPECT_EQ(game.screen, Title);
}

TEST_F(WindowProc, EndingAPausedRunLeavesTheCursorShownOnce)
{
    const int shown = CursorCount();
    Send(WM_KEYDOWN, VK_RETURN);  // start: the cursor hides
    Send(WM_KEYDOWN, VK_RETURN);  // pause: it shows
    Send(WM_COMMAND, 1);          // the end-run command, while paused
    ASSERT_EQ(game.screen, Title);
    EXPECT_EQ(CursorCount(), shown) << "shown once, not twice";
    Send(WM_KEYDOWN, VK_RETURN);
    EXPECT_FALSE(PlatformCursorShown()) << "the next run hides it again";
}
