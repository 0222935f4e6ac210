#include <algorithm>
#include <vector>

#include "game_fixture.h"

using Determinism = TraceTest;

TEST(Crc32, IsZlibs)
{
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
    EXPECT_EQ(Crc32("6789", 4, Crc32("12345", 5)), 0xCBF43926u) << "continued";
}

// Every step of long invulnerable runs, under the director and under each
// commanded event: the counts agree with the records, the pool keeps to
// its quota, and nothing is written outside the frame. (The soak plays
// the same for an hour each; trace_replays_identically checks that a run
// replays step for step.)
TEST_F(Determinism, ThePoolStaysConsistentThroughLongRuns)
{
    // The director's runs: in one a rampage raises the quota to 300, in
    // the other one ends with more bullets live than the quota it restores.
    auto run = [](LONG event, DWORD seed, LONG bullets, int steps) {
        TraceOptions options;
        options.event = event;
        options.seed = seed;
        options.bulletSetting = bullets;
        options.steps = steps;
        options.script = "L8,U8,R8,D8,LU4,RD4";
        options.invulnerable = true;
        return options;
    };
    std::vector<TraceOptions> runs = {run(-1, 11, 3, 1000), run(-1, 21, 1, 2500)};
    for (LONG event = 0; event <= 11; ++event)
        runs.push_back(run(event, static_cast<DWORD>(100 + event), 3, 1500));
    Guard();
    DWORD highestQuota = 0;
    int rampagesEnded = 0;
    for (const TraceOptions& options : runs) {
        SCOPED_TRACE(testing::Message() << "event " << options.event << " seed " << options.seed);
        StartTraceRun(options);
        bool overQuota = false;  // after a rampage, until enough have left
        for (int k = 0; k < options.steps; ++k) {
            LONG before = game.eventKind;
            ASSERT_TRUE(TraceStep(options, k));
            if (before == 9 && game.eventKind == 0 && options.event < 0) {
                overQuota = true;
                ++rampagesEnded;
            }
            overQuota = overQuota && game.activeBullets > game.bulletQuota;
            ASSERT_TRUE(game.activeBullets <= game.bulletQuota || overQuota) << k;
            ASSERT_TRUE(Consistent()) << k;
            highestQuota = std::max(highestQuota, game.bulletQuota);
        }
    }
    EXPECT_EQ(highestQuota, 300u);
    EXPECT_GT(rampagesEnded, 0);
}
