#include "bullets_fixture.h"

class BulletPass : public BulletTest {
protected:
    // One bullet standing at (X, Y) for one step: its near flag and the hit.
    void Probe(LONG x, LONG y, bool near, bool hit)
    {
        game.activeBullets = game.nearMissCount = game.hitPhase = game.hitTime = 0;
        Add(Drift, x, y);
        StepBullets();
        SCOPED_TRACE(testing::Message() << "craft " << game.playerX << "," << game.playerY << " bullet " << x << ","
                                        << y);
        EXPECT_EQ(game.bullets[0].near, near ? 1 : 0);
        EXPECT_EQ(game.nearMissCount, near ? 1u : 0u);
        EXPECT_EQ(game.hitPhase, hit ? 1u : 0u);
        EXPECT_EQ(game.hitTime, hit ? game.now : 0u);
    }
};

TEST_F(BulletPass, LeavingTheFieldAndFillingTheHole)
{
    Add(Drift, 324, 10);
    Add(Drift, 10, 244);
    Add(Drift, 0, 0, 0, -1, 0);  // steps below 0: wraps, still in the pool
    Add(Drift, 10, 10, 0, 0, 3);
    game.bullets[0].x += 1;  // one unit past the right edge
    StepBullets();
    ASSERT_EQ(game.activeBullets, 3u);
    EXPECT_EQ(game.bullets[0].y, (10u << 6) + 3) << "the last took the hole and moved in this pass";
    EXPECT_EQ(game.bullets[1].y, 15616u) << "on the top edge: stays";
    EXPECT_EQ(game.bullets[2].x, 0xFFFFFFFFu);
    EXPECT_EQ(game.bullets[3].x, 10u << 6) << "the vacated slot keeps its bytes";
    EXPECT_EQ(Pixel(10 - 3, 10 - 3), 11) << "and the moved bullet was drawn";
    StepBullets();
    EXPECT_EQ(game.activeBullets, 2u) << "removing the last live bullet ends the pass";
}

TEST_F(BulletPass, NearAndHitZonesAroundTheCraft)
{
    // Craft at (100, 50): near is X 100..122, Y 48..67; hit X 106..116, Y 54..63.
    const struct {
        LONG x, y;
        bool near, hit;
    } around[] = {
        {100, 48, true, false},  {122, 67, true, false},  {99, 50, false, false}, {123, 50, false, false},
        {100, 47, false, false}, {100, 68, false, false}, {106, 54, true, true},  {116, 63, true, true},
        {105, 54, true, false},  {117, 63, true, false},  {106, 53, true, false}, {116, 64, true, false},
    };
    for (const auto& c : around)
        Probe(c.x, c.y, c.near, c.hit);
    // On the lowest rows the near zone reaches below row 0; at the left edge
    // it takes in bullets whose picture is partly off the frame.
    game.playerX = 0;
    for (LONG row : {0, 1}) {
        game.playerY = row;
        Probe(2, 0, true, false);
        Probe(6, row + 4, true, true);
        Probe(23, 0, false, false);
    }
}

TEST_F(BulletPass, BulletsLeavingTheNearZoneScoreForThoseStillNear)
{
    for (LONG x : {101, 102, 103})
        Add(Drift, x, 49);
    StepBullets();
    ASSERT_EQ(game.nearMissCount, 3u);
    // Out of the zone, out of the field (the last takes its slot), out again.
    const struct {
        DWORD slot, x;
        LONG timerBefore;
        DWORD score, marks;
        LONG timer;
    } leaving[] = {{0, 10 << 6, 0, 2, 1, 100}, {1, 30000, 60, 3, 2, 100}, {1, 10 << 6, 40, 3, 2, 40}};
    for (const auto& c : leaving) {
        game.bullets[c.slot].x = c.x;
        game.nearMissBannerTimer = c.timerBefore;
        StepBullets();
        EXPECT_EQ(game.nearMissScore, c.score);
        EXPECT_EQ(game.nearMissMarks, c.marks);
        EXPECT_EQ(game.nearMissBannerTimer, c.timer);
    }
    EXPECT_EQ(game.nearMissCount, 0u);

    // Ten marks at most; once the banner has run out, one again.
    Add(Drift, 101, 49);
    Add(Drift, 102, 49);
    Add(Drift, 103, 49);
    StepBullets();
    game.nearMissMarks = 10;
    const LONG timers[] = {5, 0};
    const DWORD marks[] = {10, 1};
    for (int i = 0; i < 2; ++i) {
        game.nearMissBannerTimer = timers[i];
        game.bullets[4 - i].x = 10 << 6;
        StepBullets();
        EXPECT_EQ(game.nearMissMarks, marks[i]);
        EXPECT_EQ(game.nearMissBannerTimer, 100);
    }
}

TEST_F(BulletPass, AfterTheHitNothingIsTested)
{
    Add(Drift, 110, 58);
    Add(Drift, 111, 58);
    StepBullets();
    EXPECT_EQ(game.hitPhase, 1u);
    EXPECT_EQ(game.hitTime, game.now);
    EXPECT_EQ(game.bullets[1].near, 0) << "the second bullet is not tested";
    EXPECT_EQ(game.nearMissCount, 1u);
    // During the explosion flags stay; a removal still settles.
    game.bullets[0].x = 10 << 6;
    StepBullets();
    EXPECT_EQ(game.nearMissCount, 1u);
    game.bullets[0].x = 30000;
    StepBullets();
    EXPECT_EQ(game.nearMissCount, 0u);
}
