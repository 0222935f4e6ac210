// timeGetTime wraps around every 2^32 ms. A run that spans the wrap must
// play as any other: steps at their pace, the quota growing once every
// three seconds, events switching on time, pauses moving every clock by the
// time paused, and the survival time on the result screen right.
#include <stdio.h>

#include <mmsystem.h>

#include <array>
#include <vector>

#include "game_fixture.h"
#include "screen_text.h"
#include "screens/screens.h"

class ClockWrap : public TraceTest {
protected:
    void PlayAcrossTheWrap(DWORD pauseAt);

    void Press(WPARAM key) { MainWindowProc(game.mainWindow, WM_KEYDOWN, key, 1); }

    // Milliseconds of play since the run started, pauses left out.
    DWORD PlayTime() const { return timeGetTime() - start - paused; }

    // Runs the frame loop with the clock moving a millisecond at a time,
    // for `ms` or until `stop` holds, noting every growth of the quota and
    // every change of event by the play time at which it came.
    template <typename Stop>
    void Play(DWORD ms, Stop stop)
    {
        UINT code = 0;
        for (DWORD t = 0; t < ms && game.running == 1 && !stop(); ++t) {
            PlatformAdvanceClock(1);
            const DWORD quota = game.bulletQuota;
            const LONG event = game.eventKind;
            for (int pass = 0; pass < 4 && game.running == 1 && game.pauseStart == 0; ++pass)
                ASSERT_TRUE(FrameLoopPass(&code));
            if (game.bulletQuota == quota + 1)
                quotaGrowth.push_back(PlayTime());
            if (game.eventKind != event)
                eventChanges.push_back(PlayTime());
        }
    }

    void Play(DWORD ms) { Play(ms, [] { return false; }); }

    // The clocks a pause must move, as they stand.
    static std::array<DWORD, 4> Clocks()
    {
        return {game.nextFrameTime, game.nextQuotaTime, game.nextEventTime, game.startTime};
    }

    DWORD start = 0;
    DWORD paused = 0;
    std::vector<DWORD> quotaGrowth;
    std::vector<DWORD> eventChanges;
};

// Plays a run that starts ten seconds before the wrap, with a pause of
// five seconds at `pauseAt` ms, until the craft is hit and the result
// screen is up; then checks the result and how the run went.
void ClockWrap::PlayAcrossTheWrap(DWORD pauseAt)
{
    TraceOptions options;
    options.t0 = 0xFFFFFFFFu - 10000;
    options.seed = 3;
    options.bulletSetting = 0;  // 30 bullets: the quota soon grows
    options.invulnerable = true;
    StartTraceRun(options);
    start = options.t0;
    ASSERT_EQ(game.startTime, start);

    Play(pauseAt);
    ASSERT_FALSE(HasFatalFailure());
    Press(VK_RETURN);
    ASSERT_NE(game.pauseStart, 0u);
    const auto before = Clocks();
    PlatformAdvanceClock(5000);
    Press(VK_RETURN);
    paused += 5000;
    ASSERT_EQ(game.pauseStart, 0u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Clocks()[i] - before[i], 5000u) << "clock " << i;

    // Past the wrap for half a minute, then the craft can be hit.
    Play(35000 - pauseAt);
    ASSERT_FALSE(HasFatalFailure());
    game.invulnerable = false;
    Play(120000, [] { return game.hitPhase != 0; });
    ASSERT_NE(game.hitPhase, 0u) << "no hit in two minutes";
    const DWORD hitTime = timeGetTime();
    EXPECT_EQ(game.hitTime, hitTime);
    const DWORD survival = hitTime - start - paused;
    EXPECT_NEAR(game.frameCount, survival / 16, 2) << "a step every 16 ms throughout";

    // A pause during the explosion leaves the survival time alone.
    Press(VK_RETURN);
    PlatformAdvanceClock(2000);
    Press(VK_RETURN);
    Play(1000);
    ASSERT_EQ(game.screen, Result);
    EXPECT_EQ(game.hitTime - game.startTime, survival) << "what the result screen was given";

    // The result screen shows it.
    char line[64];
    snprintf(line, sizeof line, "生存時間 %u.%03u秒", survival / 1000, survival % 1000);
    ReferencePicture reference;
    reference.Draw(line, RECT{0, 120, 320, 240}, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX, 16);
    EXPECT_GT(ReferencePicture::InkRows(reference.Dc(), 120, 140), 8);
    EXPECT_EQ(reference.Differences(game.composeDc, 120, 140, true), 0) << line;

    // The quota grew once every three seconds of play, not once a step,
    // on both sides of the wrap.
    ASSERT_GE(quotaGrowth.size(), 6u);
    for (size_t i = 1; i < quotaGrowth.size(); ++i)
        EXPECT_GE(quotaGrowth[i] - quotaGrowth[i - 1], 3000u) << "growth " << i;
    EXPECT_LT(quotaGrowth.front(), 8000u);
    EXPECT_GT(quotaGrowth.back(), 10000u);
    // The events switched no sooner than five seconds apart, also after the wrap.
    ASSERT_GE(eventChanges.size(), 2u);
    EXPECT_GE(eventChanges.front(), 5000u);
    for (size_t i = 1; i < eventChanges.size(); ++i)
        EXPECT_GE(eventChanges[i] - eventChanges[i - 1], 5000u) << "change " << i;
    EXPECT_GT(eventChanges.back(), 10000u);
}

// The clock wraps while the run is paused, and during play 5 s after the pause.
TEST_F(ClockWrap, ARunPausedAcrossTheWrap) { PlayAcrossTheWrap(8000); }
TEST_F(ClockWrap, ARunPlayedThroughTheWrap) { PlayAcrossTheWrap(3000); }

// The one millisecond at which the clock reads 0: a hit then is still a
// hit, and a pause during the explosion must not move the start time.
TEST_F(ClockWrap, AHitAtTheMomentTheClockReadsZero)
{
    PlatformSetClock(0xFFFFFFFFu - 2000);
    StartRun();
    const DWORD started = game.startTime;
    // A bullet standing in the hit zone of the craft at (152, 44).
    game.bullets[0] = Bullet{static_cast<DWORD>(160) << 6, static_cast<DWORD>(52) << 6, 0, Drift, 0, 0, 0};
    game.activeBullets = 1;
    PlatformSetClock(0);
    game.now = 0;
    GameStep();
    ASSERT_EQ(game.hitPhase, 2u);
    ASSERT_EQ(game.hitTime, 0u);

    PlatformSetClock(100);
    SetPaused(1);
    PlatformSetClock(1100);
    SetPaused(0);
    EXPECT_EQ(game.startTime, started) << "the survival time was fixed at the hit";
    for (int i = 0; i < 20 && game.running == 1; ++i)
        GameStep();
    ASSERT_EQ(game.screen, Result);
    EXPECT_EQ(game.hitTime - game.startTime, 0u - started);
}
