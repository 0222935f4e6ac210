// A run's start, pauses and end; keys, the action button, the end-run command and the joysticks.
#include <string.h>

#include "game_fixture.h"

class Run : public WindowTest {};

TEST_F(Run, StartPutsEveryRunFieldInItsStartState)
{
    game.playerX = 3;
    game.hitPhase = 9;
    game.eventKind = 7;
    game.randomSeed = 1;
    game.backgroundMode = 0;
    game.nearMissScore = game.nearMissMarks = game.nearMissCount = game.frameCount = 77;
    game.activeBullets = game.homingCount = 12;
    game.nearMissBannerTimer = 50;
    game.bullets[299].x = 1234;
    PlatformSetClock(500000);
    StartRun();
    EXPECT_TRUE(game.screen == Playing && game.running == 1 && game.pauseStart == 0 && game.hitPhase == 0 &&
                game.playerX == 152 && game.playerY == 44 && game.pose == 2 && game.frameCount == 0);
    EXPECT_TRUE(game.nearMissScore == 0 && game.nearMissMarks == 0 && game.nearMissCount == 0 &&
                game.nearMissBannerTimer == 0 && game.activeBullets == 0 && game.homingCount == 0);
    EXPECT_TRUE(game.bullets[299].x == 0 && game.bulletQuota == 50 && game.eventKind == 0 && game.randomSeed == 1);
    // Sleep(1): the run starts 1 ms later, a step due at once, the quota grows in 3 s, events in 5 s.
    EXPECT_TRUE(game.startTime == 500001 && game.nextFrameTime == 500001 && game.nextQuotaTime == 503001 &&
                game.nextEventTime == 505001);
    // The quota follows the setting, a fixed event survives, the stars take 450 numbers.
    game.fixedEvent = 1;
    game.eventKind = 10;
    game.backgroundMode = 1;
    const DWORD quotas[] = {30, 50, 100, 200};
    for (LONG setting = 0; setting < 4; ++setting) {
        game.screen = Title;
        game.bulletSetting = setting;
        DWORD seed = game.randomSeed;
        StartRun();
        for (int i = 0; i < 450; ++i)
            seed = seed * 214013u + 2531011u;
        EXPECT_TRUE(game.bulletQuota == quotas[setting] && game.eventKind == 10 && game.randomSeed == seed);
    }
    for (const StarLayer& layer : game.starLayers)
        for (int i = 0; i < 50; ++i)
            EXPECT_TRUE(layer.x[i] < 320 && layer.y[i] < 240 && layer.colour[i] >= 1 && layer.colour[i] <= 14);
}

TEST_F(Run, ATenSecondPauseMovesEveryClockByTenSecondsAndFreezesTheFrame)
{
    PlatformSetClock(1000000);
    StartRun();
    const DWORD start = game.startTime;
    game.frameBuffer[(239 - 5) * 320 + 5] = 12;  // blue at the top-left
    BYTE keys[256] = {};
    keys[VK_LEFT] = keys[VK_UP] = keys['A'] = 0x80;
    SetKeyboardState(keys);
    PlatformAdvanceClock(2000);
    SetPaused(1);
    EXPECT_TRUE(game.pauseStart == 1002001 && game.running == 1 && CursorCount() == 0);
    // The frozen frame with "一時停止" in white on its black box, centred.
    EXPECT_TRUE(GetPixel(game.composeDc, 5, 5) == RGB(0, 0, 255) && GetPixel(game.composeDc, 100, 5) == 0);
    EXPECT_GT(ReferencePicture::Count(game.composeDc, 100, 140, RGB(255, 255, 255), 100, 220), 40);
    EXPECT_TRUE(GetKeyState(VK_LEFT) >= 0 && GetKeyState(VK_UP) >= 0 && GetKeyState('A') < 0)
        << "arrows no longer count as held, other keys keep their state";
    PlatformAdvanceClock(4000);
    SetPaused(1);  // a second request keeps the first pause time
    PlatformAdvanceClock(6000);
    game.keyLeft = -1;
    for (int resume = 0; resume < 2; ++resume) {  // a second resume, with no pause in force, changes no clock
        SetPaused(0);
        EXPECT_TRUE(game.pauseStart == 0 && CursorCount() == -1 && game.keyLeft == 0) << "keys are read afresh";
        EXPECT_TRUE(game.startTime == start + 10000 && game.nextFrameTime == start + 10000 &&
                    game.nextQuotaTime == start + 13000 && game.nextEventTime == start + 15000);
    }
    // A pause at the one millisecond the clock reads 0 still counts (0 reads as "not paused").
    PlatformSetClock(0);
    SetPaused(1);
    EXPECT_NE(game.pauseStart, 0u);
    PlatformAdvanceClock(500);
    SetPaused(0);
    EXPECT_EQ(game.startTime, start + 10499) << "paused from the next millisecond";
}

TEST_F(Run, EndRunDropsQueuedKeysAndWhatIsQueuedAtTheStartIsHandledOnTheTitle)
{
    StartRun();
    PostMessageA(game.mainWindow, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(game.mainWindow, WM_CHAR, 'a', 0);
    PostMessageA(game.mainWindow, MM_JOY1BUTTONDOWN, 1, 0);
    game.running = 0;
    EndRun(game.mainWindow);
    EXPECT_TRUE(game.screen == Title && CursorCount() == 0) << "no hit: back to the title";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(msg.message == MM_JOY1BUTTONDOWN && !PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    // What is queued at the start is handled on the title.
    PostMessageA(game.mainWindow, WM_KEYDOWN, VK_RETURN, 0);
    StartRun();
    EXPECT_TRUE(game.screen == Playing && game.pauseStart == 0 && CursorCount() == -1)
        << "the queued Enter neither restarted nor paused; the cursor was hidden once";
    game.screen = Title;
    game.running = 0;
    ShowCursor(TRUE);
    PostQuitMessage(0);
    StartRun();
    EXPECT_TRUE(game.screen == Title && game.running == 0 && CursorCount() == 0) << "a quit abandons the start";
    DrainMessages();
    EXPECT_EQ(quitCode, 0) << "the quit is passed on to the loop";
}

TEST_F(Run, ArrowsKeypadAndTheCapturedStickSteer)
{
    // The key, its field and the value while it is held.
    const std::tuple<WPARAM, LONG*, LONG> keys[] = {{VK_LEFT, &game.keyLeft, -1},  {VK_NUMPAD4, &game.keyLeft, -1},
                                                    {VK_RIGHT, &game.keyRight, 1}, {VK_NUMPAD6, &game.keyRight, 1},
                                                    {VK_UP, &game.keyUp, 1},       {VK_NUMPAD8, &game.keyUp, 1},
                                                    {VK_DOWN, &game.keyDown, -1},  {VK_NUMPAD2, &game.keyDown, -1}};
    for (auto [key, field, held] : keys) {
        Send(WM_KEYDOWN, key, 1 << 30);  // an auto-repeat counts for nothing
        EXPECT_EQ(*field, 0) << key;
        Send(WM_KEYDOWN, key);
        EXPECT_TRUE(*field == held && game.keyLeft + game.keyRight + game.keyUp + game.keyDown == held) << key;
        Send(WM_KEYUP, key);
        EXPECT_EQ(*field, 0) << key;
    }
    // The stick counts outside its middle half, for the captured device only.
    game.joystickId = 0;
    const int cases[][4] = {{0x3FFF, 0x3FFF, -1, 1}, {0x4000, 0x4000, 0, 0}, {0xC000, 0xC000, 0, 0},
                            {0xC001, 0xC001, 1, -1}, {0, 0xFFFF, -1, -1},    {0x8000, 0x8000, 0, 0}};
    for (const auto& c : cases) {
        Send(MM_JOY1MOVE, 0, MAKELPARAM(c[0], c[1]));
        EXPECT_TRUE(game.joyX == c[2] && game.joyY == c[3]) << c[0] << ", " << c[1];
    }
    Send(MM_JOY2MOVE, 0, MAKELPARAM(0, 0));
    Send(MM_JOY2BUTTONDOWN, JOY_BUTTON1);
    EXPECT_TRUE(game.joyX == 0 && game.screen == Title) << "another device does nothing";
    for (BOOL enabled : {FALSE, TRUE}) {  // behind a dialog a button does nothing
        EnableWindow(game.mainWindow, enabled);
        Send(MM_JOY1BUTTONDOWN, JOY_BUTTON1);
        EXPECT_EQ(game.screen, enabled ? Playing : Title) << "a button is the action input";
    }
}

TEST_F(Run, EnterAndSpaceStartPauseAndResumeOncePerPressAndLeavingTheWindowPauses)
{
    // Message, key or command, hit phase; screen, paused. F12 opens nothing in a run; no end while exploding.
    const int key = WM_KEYDOWN;
    const int steps[][5] = {{key, VK_RETURN, 0, Playing, 0}, {key, VK_SPACE, 0, Playing, 1},
                            {key, VK_RETURN, 0, Playing, 0}, {key, VK_ESCAPE, 0, Playing, 1},
                            {key, VK_RETURN, 0, Playing, 0}, {WM_SYSKEYDOWN, VK_MENU, 0, Playing, 1},
                            {key, VK_F12, 0, Playing, 1},    {WM_COMMAND, 1, 3, Playing, 1},
                            {WM_COMMAND, 1, 0, Title, 0},    {WM_COMMAND, 1, 0, Title, 0}};
    const int shown = CursorCount();
    for (const auto& s : steps) {
        game.hitPhase = s[2];
        Send(s[0], s[1]);
        const bool played = s[3] == Playing && s[4] == 0;
        EXPECT_TRUE(game.screen == s[3] && (s[3] != Playing || (game.pauseStart != 0) == s[4]) &&
                    (PlatformCursorShown() != FALSE) == !played && CursorCount() == shown - played)
            << s[0] << ", " << s[1];
    }
    EXPECT_NE(GetWindowLongA(game.mainWindow, GWL_STYLE) & WS_MINIMIZE, 0) << "Esc minimised the window";
    ShowWindow(game.mainWindow, SW_RESTORE);
    // Leaving the window pauses a run; coming back leaves it paused.
    ActionButton();
    Send(WM_ACTIVATE, WA_INACTIVE);
    const DWORD paused = game.pauseStart;
    PlatformAdvanceClock(50);
    Send(WM_ACTIVATE, WA_ACTIVE);
    EXPECT_TRUE(paused != 0 && game.pauseStart == paused) << "coming back leaves it paused";
    ActionButton();
    ASSERT_EQ(game.pauseStart, 0u);
    // A right click pauses first, as Alt+Space does; the window menu takes the Esc.
    PlatformInjectRightClick(game.mainWindow, 100, 100);
    PlatformInjectKey(game.mainWindow, VK_ESCAPE, TRUE, FALSE, nullptr);
    DrainMessages();
    EXPECT_NE(game.pauseStart, 0u);
    EXPECT_EQ(GetWindowLongA(game.mainWindow, GWL_STYLE) & WS_MINIMIZE, 0) << "the menu took the Esc";
}

// The game takes the last device that answers, which must be the gamepad, whatever else is plugged in.
using JoystickChoice = GameTest;

TEST_F(JoystickChoice, AGamepadSteersAndActsBesideOtherDevices)
{
    for (auto [gamepad, name] : {std::pair<BOOL, const char*>{TRUE, "Pad"}, {FALSE, "Stick"}, {FALSE, "Sensor"}})
        PlatformAttachVirtualJoystick(gamepad, name);
    OpenMainWindow();
    int pad = -1, stick = -1;
    JOYCAPSA caps;
    for (UINT id = 0; id < joyGetNumDevs(); ++id)
        if (joyGetDevCapsA(id, &caps, sizeof caps) == JOYERR_NOERROR && strcmp(caps.szPname, "Sensor") != 0)
            (strcmp(caps.szPname, "Pad") == 0 ? pad : stick) = static_cast<int>(id);
    ASSERT_TRUE(pad >= 0 && stick >= 0);
    EXPECT_EQ(game.joystickId, static_cast<DWORD>(pad));
    // The other device does nothing; the gamepad's button starts a run, its stick steers, up as up.
    for (int device : {stick, pad}) {
        PlatformSetVirtualJoystickAxes(device, 32767, -32768);
        PlatformSetVirtualJoystickButton(device, 0, TRUE);
        PlatformAdvanceClock(20);  // the captures post what changed
        DrainMessages();
        PollInput();
        const LONG steers = device == pad;
        EXPECT_TRUE(game.screen == (steers ? Playing : Title) && game.joyX == steers && game.joyY == steers) << device;
    }
    DestroyWindow(game.mainWindow);
    PlatformDetachVirtualJoysticks();
}
