// An hour of play (225,000 steps of 16 ms) with a full pool of 300 bullets,
// once under the director's own choice of events and once under each
// commanded event, with the craft flying through the bullets unharmed.
// Every step the pool must agree with its counters and stay within its
// quota, and nothing may be written outside the frame; over the hour the
// heap and the count of GDI objects must not grow. The clock wraps around
// on the way.
//
// HIREN_SOAK_MINUTES shortens the hour (the sanitizer build runs a few
// minutes of each).
#include <malloc.h>
#include <stdlib.h>

#include <algorithm>
#include <string>

#include "game_fixture.h"

namespace {
constexpr int kStepsPerMinute = 60000 / 16;

int SoakSteps()
{
    const char* minutes = getenv("HIREN_SOAK_MINUTES");
    int m = minutes ? atoi(minutes) : 0;
    return (m > 0 ? m : 60) * kStepsPerMinute;
}

size_t HeapInUse()
{
    return mallinfo2().uordblks;
}
}  // namespace

class Soak : public WindowTest, public ::testing::WithParamInterface<LONG> {
protected:
    void TearDown() override
    {
        frame.Remove();
        WindowTest::TearDown();
    }

    // The counters agree with the live bullets, and nothing was written
    // outside the frame.
    ::testing::AssertionResult Consistent() const
    {
        DWORD homing = 0, near = 0;
        for (DWORD i = 0; i < game.activeBullets && i < kBulletPoolSize; ++i) {
            homing += game.bullets[i].kind == Homing;
            near += game.bullets[i].near;
        }
        if (homing == game.homingCount && near == game.nearMissCount && frame.Intact())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << game.homingCount << " homing and " << game.nearMissCount << " near counted of " << homing << " and "
               << near << (frame.Intact() ? "" : ", a write outside the frame");
    }

    GuardedFrame frame;
};

TEST_P(Soak, AnHourWithAFullPool)
{
    const LONG event = GetParam();
    TraceOptions options;
    options.event = event;
    options.seed = 1000 + static_cast<DWORD>(event + 1);
    options.steps = SoakSteps();
    options.bulletSetting = 3;
    options.script = "L8,U8,R8,D8,LU4,RD4,N16,lu8,rd8";
    options.invulnerable = true;
    options.t0 = 0u - 10 * 60000;  // the clock wraps ten minutes in
    frame.Install();
    StartTraceRun(options);
    game.bulletQuota = kBulletPoolSize;

    const int warm = options.steps / 20;
    size_t heapAfterWarmUp = 0;
    int gdiAfterWarmUp = 0;
    bool seen[12] = {};  // the events played; kept off the heap
    DWORD mostBullets = 0;
    for (int k = 0; k < options.steps; ++k) {
        ASSERT_TRUE(TraceStep(options, k)) << "the run ended at step " << k;
        ASSERT_LE(game.activeBullets, game.bulletQuota) << k;
        ASSERT_TRUE(Consistent()) << "step " << k;
        if (game.eventKind >= 0 && game.eventKind < 12)
            seen[game.eventKind] = true;
        mostBullets = std::max(mostBullets, game.activeBullets);
        if (k == warm) {
            heapAfterWarmUp = HeapInUse();
            gdiAfterWarmUp = PlatformLiveGdiObjects();
        } else if (k > warm && k % 5000 == 0) {
            ASSERT_LE(HeapInUse(), heapAfterWarmUp) << "the heap grew by step " << k;
            ASSERT_EQ(PlatformLiveGdiObjects(), gdiAfterWarmUp) << k;
        }
    }
    EXPECT_LE(HeapInUse(), heapAfterWarmUp);
    EXPECT_EQ(PlatformLiveGdiObjects(), gdiAfterWarmUp);

    EXPECT_GE(mostBullets, 200u) << "the pool filled up";
    int played = 0;
    for (LONG kind = 0; kind < 12; ++kind)
        played += seen[kind];
    if (event >= 0) {
        EXPECT_EQ(played, 1);
        EXPECT_TRUE(seen[event]) << "a commanded event holds for the whole run";
    } else if (options.steps >= 60 * kStepsPerMinute) {
        // With the pool kept full the director decides only in the rare
        // steps that add no bullet; still, an hour sees several events.
        EXPECT_GE(played, 4);
    }
}

// -1: the director chooses; 0..11: every step plays that event.
INSTANTIATE_TEST_SUITE_P(EveryEvent, Soak, ::testing::Range<LONG>(-1, 12),
                         [](const ::testing::TestParamInfo<LONG>& info) {
                             return info.param < 0 ? std::string("Director") : "Event" + std::to_string(info.param);
                         });
