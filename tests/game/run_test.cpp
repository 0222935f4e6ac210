#include "game_fixture.h"

#include "display/display.h"
#include "screens/screens.h"

class Run : public WindowTest {};

TEST_F(Run, StartPutsEveryRunFieldInItsStartState)
{
    game.playerX = 3;
    game.hitPhase = 9;
    game.nearMissScore = 77;
    game.activeBullets = 12;
    game.bullets[299].x = 1234;
    game.eventKind = 7;
    PlatformSetClock(500000);
    StartRun();
    EXPECT_TRUE(game.screen == Playing && game.running == 1 && game.pauseStart == 0);
    EXPECT_TRUE(game.playerX == 152 && game.playerY == 44 && game.pose == 2 && game.hitPhase == 0);
    EXPECT_TRUE(game.nearMissScore == 0 && game.activeBullets == 0 && game.bullets[299].x == 0);
    EXPECT_TRUE(game.bulletQuota == 50 && game.eventKind == 0);
    // Sleep(1) on the frozen clock: the run starts 1 ms later, its first
    // step due at once, the quota to grow in 3 s and the events in 5 s.
    EXPECT_EQ(game.startTime, 500001u);
    EXPECT_EQ(game.nextFrameTime, 500001u);
    EXPECT_EQ(game.nextQuotaTime, 503001u);
    EXPECT_EQ(game.nextEventTime, 505001u);

    // The quota follows the setting; a fixed event survives.
    const struct {
        LONG setting;
        DWORD quota;
    } cases[] = {{0, 30}, {1, 50}, {2, 100}, {3, 200}, {4, 50}, {-1, 50}};
    game.fixedEvent = 1;
    game.eventKind = 10;
    for (const auto& c : cases) {
        game.screen = Title;
        game.bulletSetting = c.setting;
        StartRun();
        EXPECT_EQ(game.bulletQuota, c.quota) << c.setting;
        EXPECT_EQ(game.eventKind, 10);
    }
}

TEST_F(Run, StarsAreLaidOutOnlyWithABackground)
{
    game.randomSeed = 1;
    game.backgroundMode = 0;
    StartRun();
    EXPECT_EQ(game.randomSeed, 1u) << "no draws without a background";

    game.screen = Title;
    game.backgroundMode = 1;
    StartRun();
    DWORD expected = 1;
    for (int i = 0; i < 450; ++i)
        expected = expected * 214013u + 2531011u;
    EXPECT_EQ(game.randomSeed, expected) << "450 draws";
    for (const StarLayer& layer : game.starLayers)
        for (int i = 0; i < 50; ++i)
            EXPECT_TRUE(layer.x[i] < 320 && layer.y[i] < 240 && layer.colour[i] >= 1 && layer.colour[i] <= 14);
}

TEST_F(Run, ATenSecondPauseMovesEveryClockByTenSeconds)
{
    PlatformSetClock(1000000);
    StartRun();
    DWORD start = game.startTime;
    PlatformAdvanceClock(2000);
    SetPaused(1);
    EXPECT_EQ(game.pauseStart, 1002001u);
    EXPECT_EQ(game.running, 1) << "a paused run is still in progress";
    PlatformAdvanceClock(4000);
    SetPaused(1);  // a second request keeps the first pause time
    EXPECT_EQ(game.pauseStart, 1002001u);
    PlatformAdvanceClock(6000);
    SetPaused(0);
    EXPECT_EQ(game.pauseStart, 0u);
    EXPECT_TRUE(game.startTime == start + 10000 && game.nextFrameTime == start + 10000 &&
                game.nextQuotaTime == start + 13000 && game.nextEventTime == start + 15000);

    // A resume with no pause in force changes no clock.
    SetPaused(0);
    EXPECT_EQ(game.startTime, start + 10000);

    // Keys let go while the window was away are read afresh on resuming.
    game.keyLeft = -1;
    SetPaused(1);
    SetPaused(0);
    EXPECT_EQ(game.keyLeft, 0);
}

TEST_F(Run, PauseFreezesTheFrameUnderItsNotice)
{
    StartRun();
    game.frameBuffer[(239 - 5) * 320 + 5] = 12;  // blue at the top-left
    BYTE keys[256] = {};
    keys[VK_LEFT] = keys[VK_UP] = 0x80;
    keys['A'] = 0x80;
    SetKeyboardState(keys);
    SetPaused(1);
    EXPECT_EQ(GetPixel(game.composeDc, 5, 5), RGB(0, 0, 255)) << "the frozen frame";
    // "一時停止" in white on its black box, centred in the picture.
    int white = 0;
    for (int y = 100; y < 140; ++y)
        for (int x = 100; x < 220; ++x)
            white += GetPixel(game.composeDc, x, y) == RGB(255, 255, 255);
    EXPECT_GT(white, 40);
    EXPECT_EQ(GetPixel(game.composeDc, 100, 5), RGB(0, 0, 0));
    EXPECT_TRUE(GetKeyState(VK_LEFT) >= 0 && GetKeyState(VK_UP) >= 0) << "arrows no longer count as held";
    EXPECT_LT(GetKeyState('A'), 0) << "other keys keep their state";

    DrainMessages();  // the repaint shows the paused picture
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 5, 5), RGB(0, 0, 255));
}

TEST_F(Run, EndRunDropsQueuedKeysButKeepsJoystickButtons)
{
    StartRun();
    PostMessageA(game.mainWindow, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(game.mainWindow, WM_CHAR, 'a', 0);
    PostMessageA(game.mainWindow, 0x3B5 /* MM_JOY1BUTTONDOWN */, 1, 0);
    game.running = 0;
    EndRun(game.mainWindow);
    EXPECT_EQ(game.screen, Title) << "no hit: back to the title";
    bool button = false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        EXPECT_NE(msg.message, static_cast<UINT>(WM_KEYDOWN));
        EXPECT_NE(msg.message, static_cast<UINT>(WM_CHAR));
        button |= msg.message == 0x3B5;
    }
    EXPECT_TRUE(button);
}

TEST_F(Run, AnActionKeyDuringTheStartDoesNotStartASecondRun)
{
    PostMessageA(game.mainWindow, WM_KEYDOWN, VK_RETURN, 0);
    StartRun();
    EXPECT_EQ(game.screen, Playing);
    EXPECT_EQ(game.pauseStart, 0u) << "the queued Enter neither restarted nor paused";
    EXPECT_EQ(CursorCount(), -1) << "the cursor was hidden exactly once";
}

TEST_F(Run, AQuitDuringTheStartAbandonsIt)
{
    PostQuitMessage(0);
    StartRun();
    EXPECT_EQ(game.screen, Title);
    EXPECT_EQ(game.running, 0);
    EXPECT_EQ(CursorCount(), 0) << "the cursor is shown again";
    DrainMessages();
    EXPECT_TRUE(quitSeen) << "the quit is passed on to the loop";
}

// The one millisecond in 2^32 at which the clock reads 0: a pause then
// still counts as a pause (a pause time of 0 reads as "not paused").
TEST_F(Run, APauseWhenTheClockReadsZeroIsStillAPause)
{
    PlatformSetClock(0xFFFFF000u);
    StartRun();
    const DWORD start = game.startTime;
    PlatformSetClock(0);
    SetPaused(1);
    EXPECT_NE(game.pauseStart, 0u);
    PlatformAdvanceClock(500);
    SetPaused(0);
    EXPECT_EQ(game.pauseStart, 0u);
    EXPECT_EQ(game.startTime, start + 499) << "paused from the next millisecond";
}
