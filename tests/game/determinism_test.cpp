#include <algorithm>
#include <memory>
#include <vector>

#include "game/bullet_tables.h"
#include "game_fixture.h"
#include "trace_harness.h"

class Determinism : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        BuildSlopeTable();
        OpenMainWindow();
        DrainMessages();
    }

    void TearDown() override
    {
        traceInvulnerable = false;
        GameTest::TearDown();
    }
};

TEST(Crc32, IsZlibs)
{
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("6789", 4, Crc32("12345", 5)), 0xCBF43926u) << "continued";
}

// Every step of long invulnerable runs, under the director and under each
// commanded event: the counts agree with the records, the pool keeps to
// its quota, and nothing is written outside the frame.
TEST_F(Determinism, ThePoolStaysConsistentThroughLongRuns)
{
    struct Run {
        LONG event;
        DWORD seed;
        LONG bulletSetting;
        int steps;
    };
    // The director's runs: in one a rampage raises the quota to 300, in
    // the other one ends with more bullets live than the quota it restores.
    std::vector<Run> runs = {{-1, 11, 3, 1000}, {-1, 21, 1, 2500}};
    for (LONG event = 0; event <= 11; ++event)
        runs.push_back({event, static_cast<DWORD>(100 + event), 3, 1500});
    auto frame = std::make_unique<GuardedFrame>();
    frame->Install();
    DWORD highestQuota = 0;
    int rampagesEnded = 0;
    for (const Run& run : runs) {
        SCOPED_TRACE(testing::Message() << "event " << run.event << " seed " << run.seed);
        TraceOptions options;
        options.event = run.event;
        options.seed = run.seed;
        options.steps = run.steps;
        options.bulletSetting = run.bulletSetting;
        options.script = "L8,U8,R8,D8,LU4,RD4";
        options.invulnerable = true;
        StartTraceRun(options);
        bool overQuota = false;  // after a rampage, until enough have left
        for (int k = 0; k < options.steps; ++k) {
            LONG before = game.eventKind;
            ASSERT_TRUE(TraceStep(options, k));
            if (before == 9 && game.eventKind == 0 && run.event < 0) {
                overQuota = true;
                ++rampagesEnded;
            }
            overQuota = overQuota && game.activeBullets > game.bulletQuota;
            ASSERT_LE(game.bulletQuota, 300u) << k;
            ASSERT_TRUE(game.activeBullets <= game.bulletQuota || overQuota) << k;
            DWORD homing = 0, near = 0;
            for (DWORD i = 0; i < game.activeBullets; ++i) {
                homing += game.bullets[i].kind == Homing;
                near += game.bullets[i].near;
            }
            ASSERT_EQ(game.homingCount, homing) << k;
            ASSERT_EQ(game.nearMissCount, near) << k;
            ASSERT_TRUE(frame->Intact()) << k;
            highestQuota = std::max(highestQuota, game.bulletQuota);
        }
    }
    frame->Remove();
    EXPECT_EQ(highestQuota, 300u);
    EXPECT_GT(rampagesEnded, 0);
}

TEST_F(Determinism, TheSameInputsGiveTheSameChecksums)
{
    auto trace = [](DWORD seed) {
        TraceOptions options;
        options.seed = seed;
        options.steps = 800;
        options.script = "LU4,RU4,ld4,rd4";
        std::vector<std::pair<DWORD, DWORD>> sums;
        StartTraceRun(options);
        for (int k = 0; k < options.steps && TraceStep(options, k); ++k)
            sums.emplace_back(FrameChecksum(), StateChecksum());
        return sums;
    };
    auto first = trace(12345);
    ASSERT_GT(first.size(), 100u);
    EXPECT_EQ(first, trace(12345));
    EXPECT_NE(first[0], trace(12346)[0]) << "a different seed shows at once";
}
