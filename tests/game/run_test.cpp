#include "game_fixture.h"

#include "display/surfaces.h"
#include "game/run.h"

class Run : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        OpenMainWindow();
        DrainMessages();
        game.boostPriority = 0;  // leave the test process's class alone
        game.backgroundMode = 2;
        game.bulletSetting = 1;
    }
};

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
    EXPECT_EQ(game.screen, Playing);
    EXPECT_EQ(game.running, 1);
    EXPECT_EQ(game.pauseStart, 0u);
    EXPECT_EQ(game.playerX, 152);
    EXPECT_EQ(game.playerY, 44);
    EXPECT_EQ(game.pose, 2u);
    EXPECT_EQ(game.hitPhase, 0u);
    EXPECT_EQ(game.nearMissScore, 0u);
    EXPECT_EQ(game.activeBullets, 0u);
    EXPECT_EQ(game.bullets[299].x, 0u);
    EXPECT_EQ(game.bulletQuota, 50u);
    EXPECT_EQ(game.eventKind, 0);
    // Sleep(1) on the frozen clock: the run starts 1 ms later.
    EXPECT_EQ(game.startTime, 500001u);
    EXPECT_EQ(game.nextFrameTime, 500001u) << "the first step is due at once";
    EXPECT_EQ(game.nextQuotaTime, 503001u);
    EXPECT_EQ(game.nextEventTime, 505001u);
}

TEST_F(Run, QuotaFollowsTheSettingAndAFixedEventSurvives)
{
    const struct {
        LONG setting;
        DWORD quota;
    } cases[] = {{0, 30}, {1, 50}, {2, 100}, {3, 200}, {4, 50}, {-1, 50}};
    for (const auto& c : cases) {
        game.screen = Title;
        game.bulletSetting = c.setting;
        StartRun();
        EXPECT_EQ(game.bulletQuota, c.quota) << c.setting;
    }
    game.screen = Title;
    game.fixedEvent = 1;
    game.eventKind = 10;
    StartRun();
    EXPECT_EQ(game.eventKind, 10);
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
        for (int i = 0; i < 50; ++i) {
            EXPECT_LT(layer.x[i], 320);
            EXPECT_LT(layer.y[i], 240);
            EXPECT_GE(layer.colour[i], 1);
            EXPECT_LE(layer.colour[i], 14);
        }
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
    EXPECT_EQ(game.startTime, start + 10000);
    EXPECT_EQ(game.nextFrameTime, start + 10000);
    EXPECT_EQ(game.nextQuotaTime, start + 13000);
    EXPECT_EQ(game.nextEventTime, start + 15000);

    // A resume with no pause in force changes no clock.
    SetPaused(0);
    EXPECT_EQ(game.startTime, start + 10000);
}

TEST_F(Run, AfterTheHitThePauseLeavesTheSurvivalTimeAlone)
{
    StartRun();
    DWORD start = game.startTime;
    game.hitTime = start + 700;
    game.hitPhase = 3;
    SetPaused(1);
    PlatformAdvanceClock(5000);
    SetPaused(0);
    EXPECT_EQ(game.startTime, start);
    EXPECT_EQ(game.nextFrameTime, start + 5000);
}

TEST_F(Run, PauseRequestsOutsideARunChangeNothing)
{
    for (Screen screen : {Title, Result, Verdict}) {
        game.screen = screen;
        SetPaused(1);
        EXPECT_EQ(game.pauseStart, 0u);
    }
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
    EXPECT_GE(GetKeyState(VK_LEFT), 0) << "arrows no longer count as held";
    EXPECT_GE(GetKeyState(VK_UP), 0);
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
    EXPECT_EQ(ShowCursor(TRUE), 0) << "the cursor was hidden exactly once";
    ShowCursor(FALSE);
}

TEST_F(Run, AQuitDuringTheStartAbandonsIt)
{
    PostQuitMessage(0);
    StartRun();
    EXPECT_EQ(game.screen, Title);
    EXPECT_EQ(game.running, 0);
    EXPECT_EQ(ShowCursor(TRUE), 1) << "the cursor is shown again";
    DrainMessages();
    EXPECT_TRUE(quitSeen) << "the quit is passed on to the loop";
}

TEST_F(Run, ResumingReadsTheKeysAfresh)
{
    StartRun();
    game.keyLeft = -1;  // held when the window was left; no key-up came
    SetPaused(1);
    SetPaused(0);
    EXPECT_EQ(game.keyLeft, 0);
}

TEST_F(Run, PausesAcrossTheClocksWrapMoveTheClocksExactly)
{
    PlatformSetClock(0xFFFFF000u);
    StartRun();
    DWORD start = game.startTime;
    SetPaused(1);
    PlatformAdvanceClock(0x2000);
    SetPaused(0);
    EXPECT_EQ(game.startTime, start + 0x2000);
    EXPECT_EQ(game.nextQuotaTime, start + 3000 + 0x2000);

    // At the one moment the clock reads 0 a pause still counts as a pause.
    PlatformSetClock(0);
    SetPaused(1);
    EXPECT_NE(game.pauseStart, 0u);
    PlatformAdvanceClock(500);
    SetPaused(0);
    EXPECT_EQ(game.pauseStart, 0u);
}
