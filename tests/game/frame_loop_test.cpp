// The frame loop's pace across timeGetTime's wrap, and start-up: its settings and a failed window.
#include <stdio.h>
#include <stdlib.h>

#include "game_fixture.h"

using FrameLoop = WindowTest;

TEST_F(FrameLoop, StepsThatFellBehindRunBackToBackWithoutSkippingAcrossTheClocksWrap)
{
    auto passes = [](int count, DWORD advanceFirst) {  // with a run being played none of them blocks
        UINT code;
        PlatformAdvanceClock(advanceFirst);
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(FrameLoopPass(&code));
    };
    for (DWORD start : {50000u, 0xFFFFFFE0u}) {
        PlatformSetClock(start);
        game.running = 1;
        game.nextFrameTime = start;
        const unsigned presents = PlatformPresentCount(game.mainWindow);
        // Passes after the clock moved on, the next step's time: after a stall 16, 32, 48 run back to back.
        for (auto [count, ms, next] :
             {std::tuple<int, DWORD, DWORD>{3, 0, 16}, {20, 53, 64}, {20, 10, 64}, {2, 1, 80}}) {
            passes(count, ms);
            EXPECT_EQ(game.nextFrameTime, start + next) << count << " passes " << ms << " ms on";
        }
        EXPECT_EQ(PlatformPresentCount(game.mainWindow) - presents, 5u) << "every due step ran and was shown";
    }
    game.frameInterval = 0;  // as fast as possible: a step on every idle pass
    const DWORD frames = game.frameCount;
    passes(10, 0);
    EXPECT_TRUE(game.nextFrameTime == 0x30 && game.frameCount == frames + 10);
    PostQuitMessage(7);
    EXPECT_EQ(RunFrameLoop(), 7u) << "a quit ends the loop with its code";
}

TEST_F(FrameLoop, APauseAndAHitAcrossTheClocksWrap)
{
    // A pause moves every clock of the run, but the start time after the hit.
    auto pause = [](DWORD ms) {
        Send(WM_KEYDOWN, VK_RETURN);
        const DWORD before[] = {game.nextFrameTime, game.nextQuotaTime, game.nextEventTime, game.startTime};
        PlatformAdvanceClock(ms);
        Send(WM_KEYDOWN, VK_RETURN);
        const DWORD after[] = {game.nextFrameTime, game.nextQuotaTime, game.nextEventTime, game.startTime};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(after[i] - before[i], i < 3 || game.hitPhase == 0 ? ms : 0) << "clock " << i;
    };
    // Started 8 s before the wrap, paused 2 s in for 5 s; hit 2 s after it, or as the clock reads 0.
    for (DWORD hit : {2000u, 0u}) {
        SCOPED_TRACE(hit);
        PlatformSetClock(0u - 8000);
        game.screen = Title;
        StartRun();
        const DWORD start = game.startTime;
        PlatformAdvanceClock(2000);
        pause(5000);
        PlatformSetClock(hit);
        game.now = hit;
        game.activeBullets = 1;
        game.bullets[0] = Bullet{160 << 6, 52 << 6, 0, Drift, 0, 0, 0};  // in the hit zone of the craft at (152, 44)
        GameStep();
        ASSERT_TRUE(game.hitPhase == 2 && game.hitTime == hit);
        PlatformAdvanceClock(100);
        pause(1000);  // during the explosion: the survival time was fixed at the hit
        for (int i = 0; i < 20 && game.running == 1; ++i)
            GameStep();
        ASSERT_EQ(game.screen, Result);
        const DWORD survival = hit - start - 5000;
        char line[64];
        snprintf(line, sizeof line, "生存時間 %u.%03u秒", survival / 1000, survival % 1000);
        ReferencePicture reference;
        reference.Draw(line, RECT{0, 120, 320, 240}, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX, 16);
        EXPECT_GT(ReferencePicture::Count(reference.dc_, 120, 140), 50);
        EXPECT_EQ(reference.Differences(game.composeDc, 120, 140, true), 0) << line;
    }
}

using StartUpDeathTest = GameTest;

TEST_F(StartUpDeathTest, AFailedWindowShowsTheErrorBoxAndExitsWithOneAndStartUpSetsTheStartSettings)
{
    // The box's text and caption in hex: "ウインドウ作成失敗", "避練".
    static void (*printMessageBox)() = [] {
        fputs("box:", stderr);
        for (const char* text : {PlatformLastMessageBoxText(), PlatformLastMessageBoxCaption()}) {
            for (const char* p = text; *p; ++p)
                fprintf(stderr, "%02x", static_cast<unsigned char>(*p));
            fputc('/', stderr);
        }
    };
    for (bool classTaken : {true, false})
        EXPECT_EXIT(
            {
                WNDCLASSA taken = {};  // the class name is taken: registration fails
                taken.lpfnWndProc = DefWindowProcA;
                taken.lpszClassName = "wcHIRN";
                if (classTaken)
                    RegisterClassA(&taken);
                else
                    PlatformSetGdiQuota(PlatformLiveGdiObjects() + 4);  // the surfaces cannot be made
                atexit(printMessageBox);
                AppMain();
            },
            ::testing::ExitedWithCode(1), "box:834583438393836883458dec90ac8eb89473/94f097fb/");
    EXPECT_EXIT(
        {
            game = GameContext{};
            InitGameState();
            exit(game.frameInterval != 16 || game.backgroundMode != 2 || game.bulletSetting != 1 ||
                 game.boostPriority != 1 || game.fixedEvent != 0 || game.screen != Title || game.screenMode != 0);
        },
        ::testing::ExitedWithCode(0), "");
}
