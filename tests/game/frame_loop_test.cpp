#include "game_fixture.h"

#include <cstdio>
#include <cstdlib>

#include <algorithm>

#include "display/display.h"

class FrameLoop : public WindowTest {
protected:
    void StartPlaying(DWORD start)
    {
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
    PostQuitMessage(7);
    EXPECT_EQ(RunFrameLoop(), 7u);
}

namespace {
// The death test's child reports the message box it showed, in hex.
void PrintMessageBox()
{
    std::fputs("box:", stderr);
    for (const char* text : {PlatformLastMessageBoxText(), PlatformLastMessageBoxCaption()}) {
        for (const char* p = text; *p; ++p)
            std::fprintf(stderr, "%02x", static_cast<unsigned char>(*p));
        std::fputc('/', stderr);
    }
    std::fputc('\n', stderr);
}
}  // namespace

using StartUpDeathTest = GameTest;

TEST_F(StartUpDeathTest, AFailedWindowShowsTheErrorBoxAndExitsWithOne)
{
    // "ウインドウ作成失敗" / "避練" in Shift-JIS.
    const char* box = "box:834583438393836883458dec90ac8eb89473/94f097fb/";
    EXPECT_EXIT(
        {
            // The class name is taken already, so registration fails.
            WNDCLASSA taken = {};
            taken.lpfnWndProc = DefWindowProcA;
            taken.lpszClassName = "wcHIRN";
            RegisterClassA(&taken);
            std::atexit(PrintMessageBox);
            AppMain();
        },
        ::testing::ExitedWithCode(1), box);
    EXPECT_EXIT(
        {
            // Too few GDI objects: the window's surfaces cannot be made.
            PlatformSetGdiQuota(PlatformLiveGdiObjects() + 4);
            std::atexit(PrintMessageBox);
            AppMain();
        },
        ::testing::ExitedWithCode(1), box);
}

TEST_F(StartUpDeathTest, StartUpPreparesTheSettingsTablesAndTitleWindow)
{
    EXPECT_EXIT(
        {
            game = GameContext{};
            std::fill(slopeTable, slopeTable + 64, 0);
            InitGameState();
            bool ok = game.frameInterval == 16 && game.backgroundMode == 2 && game.bulletSetting == 1 &&
                      game.boostPriority == 1 && game.screen == Title && game.screenMode == 0 &&
                      game.instanceHandle != nullptr;
            // The slopes |dx * 1024 / dy|, 65536 where dy is 0, mirrored by quarters.
            ok = ok && slopeTable[0] == 65536 && slopeTable[8] == 1024 && slopeTable[15] == 97 && slopeTable[16] == 0;
            for (int k = 1; k < 32; ++k)
                ok = ok && slopeTable[32 - k] == slopeTable[k] && slopeTable[32 + k] == slopeTable[k];
            if (!ok || InitApplication() == 0)
                std::exit(3);
            game.mainWindow = CreateMainWindow();
            if (game.mainWindow == nullptr || game.running != 0 || game.frameBuffer == nullptr)
                std::exit(4);
            // Closing the window ends the loop with 0.
            PostMessageA(game.mainWindow, WM_CLOSE, 0, 0);
            ExitProcess(RunFrameLoop());
        },
        ::testing::ExitedWithCode(0), "");
}
