#include "game_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/clock.h"
#include "display/surfaces.h"

class FrameLoop : public GameTest {
protected:
    void StartPlaying(DWORD start)
    {
        OpenMainWindow();
        DrainMessages();
        PlatformSetClock(start);
        game.running = 1;
        game.nextFrameTime = start;
        presentsBefore = PlatformPresentCount(game.mainWindow);
    }

    // Runs passes of the loop; with a run being played none of them blocks.
    void Passes(int count)
    {
        UINT code;
        for (int i = 0; i < count; ++i)
            ASSERT_TRUE(FrameLoopPass(&code));
    }

    unsigned Presents() { return PlatformPresentCount(game.mainWindow) - presentsBefore; }

    unsigned presentsBefore = 0;
};

TEST(Clock, DueTimesAreReachedAcrossTheWrap)
{
    EXPECT_TRUE(TimeReached(100, 100));
    EXPECT_TRUE(TimeReached(101, 100));
    EXPECT_FALSE(TimeReached(99, 100));
    EXPECT_FALSE(TimeReached(0xFFFFFFF5u, 0x00000004u));
    EXPECT_TRUE(TimeReached(0x00000004u, 0xFFFFFFF5u));
}

TEST_F(FrameLoop, StepsThatFellBehindRunBackToBackWithoutSkipping)
{
    StartPlaying(50000);
    Passes(3);
    EXPECT_EQ(game.nextFrameTime, 50016u) << "the first step is due at once, then the loop waits";
    EXPECT_EQ(game.now, 50000u);

    // A stall of 53 ms: steps due at 16, 32 and 48 follow one another.
    PlatformAdvanceClock(53);
    Passes(20);
    EXPECT_EQ(game.nextFrameTime, 50064u);
    Passes(1);  // the last step reaches the screen at the next queue check
    EXPECT_EQ(Presents(), 4u) << "every due step ran and was shown";

    PlatformAdvanceClock(10);  // 63: the step due at 64 waits
    Passes(20);
    EXPECT_EQ(game.nextFrameTime, 50064u);
    PlatformAdvanceClock(1);
    Passes(2);
    EXPECT_EQ(game.nextFrameTime, 50080u);
}

TEST_F(FrameLoop, IntervalZeroStepsOnEveryIdlePass)
{
    StartPlaying(7000);
    game.frameInterval = 0;
    Passes(10);
    EXPECT_EQ(game.nextFrameTime, 7000u);
    EXPECT_GE(Presents(), 9u);
}

TEST_F(FrameLoop, KeepsItsPaceAcrossTheClocksWrap)
{
    StartPlaying(0xFFFFFFE0u);
    for (int step = 1; step <= 6; ++step) {
        Passes(5);
        EXPECT_EQ(game.nextFrameTime, 0xFFFFFFE0u + 16u * step) << "step " << step;
        PlatformAdvanceClock(5);
        Passes(5);  // 5 ms into the interval: nothing due, even across the wrap
        EXPECT_EQ(game.nextFrameTime, 0xFFFFFFE0u + 16u * step);
        PlatformAdvanceClock(11);
    }
    EXPECT_EQ(game.nextFrameTime, 0x40u);
}

TEST_F(FrameLoop, QuitMessageEndsTheLoopWithItsCode)
{
    OpenMainWindow();
    PostQuitMessage(7);
    EXPECT_EQ(RunFrameLoop(), 7u);
}

TEST_F(FrameLoop, ClosingTheWindowEndsTheLoopWithZero)
{
    OpenMainWindow();
    PostMessageA(game.mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(RunFrameLoop(), 0u);
    EXPECT_FALSE(IsWindow(game.mainWindow));
}

namespace {
// The death test's child reports the message box it showed, in hex.
void PrintMessageBox()
{
    std::string hex;
    char byte[4];
    for (const char* p = PlatformLastMessageBoxText(); *p; ++p) {
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(*p));
        hex += byte;
    }
    hex += '/';
    for (const char* p = PlatformLastMessageBoxCaption(); *p; ++p) {
        std::snprintf(byte, sizeof byte, "%02x", static_cast<unsigned char>(*p));
        hex += byte;
    }
    std::fprintf(stderr, "box:%s\n", hex.c_str());
}
}  // namespace

using StartUpDeathTest = GameTest;

TEST_F(StartUpDeathTest, AFailedWindowShowsTheErrorBoxAndExitsWithOne)
{
    // The class name is taken already, so registration fails.
    EXPECT_EXIT(
        {
            WNDCLASSA taken = {};
            taken.lpfnWndProc = DefWindowProcA;
            taken.lpszClassName = "wcHIRN";
            RegisterClassA(&taken);
            std::atexit(PrintMessageBox);
            AppMain();
        },
        ::testing::ExitedWithCode(1),
        // "ウインドウ作成失敗" / "避練" in Shift-JIS
        "box:834583438393836883458dec90ac8eb89473/94f097fb");
}

TEST_F(StartUpDeathTest, SurfacesThatCannotBeMadeShowTheErrorBoxAndExitWithOne)
{
    EXPECT_EXIT(
        {
            PlatformSetGdiQuota(PlatformLiveGdiObjects() + 4);
            std::atexit(PrintMessageBox);
            AppMain();
        },
        ::testing::ExitedWithCode(1), "box:834583438393836883458dec90ac8eb89473/94f097fb");
}

TEST_F(StartUpDeathTest, StartUpPreparesTheSettingsAndOpensTheTitleWindow)
{
    EXPECT_EXIT(
        {
            InitGameState();
            bool ok = game.frameInterval == 16 && game.backgroundMode == 2 && game.bulletSetting == 1 &&
                      game.boostPriority == 1 && game.screen == Title && game.screenMode == 0 &&
                      game.instanceHandle != nullptr;
            if (!ok || InitApplication() == 0)
                std::exit(3);
            game.mainWindow = CreateMainWindow();
            if (game.mainWindow == nullptr || game.running != 0 || game.frameBuffer == nullptr)
                std::exit(4);
            PostMessageA(game.mainWindow, WM_CLOSE, 0, 0);
            ExitProcess(RunFrameLoop());
        },
        ::testing::ExitedWithCode(0), "");
}
