#include "bullets_fixture.h"

class Director : public BulletTest {
protected:
    void SetUp() override
    {
        BulletTest::SetUp();
        game.fixedEvent = 0;
        game.nextEventTime = game.now + 0x40000000;  // far off: no decision
    }

    // Fills the pool up to `count` with bullets standing far from the craft.
    void FillTo(DWORD count)
    {
        while (game.activeBullets < count)
            Add(Drift, 10, 200);
    }

    void StepAt(DWORD now)
    {
        game.now = now;
        StepBullets();
    }
};

TEST_F(Director, TheQuotaGrowsEveryThreeSecondsButNotPast299)
{
    const DWORD t = game.now;
    game.bulletQuota = 298;
    game.nextQuotaTime = t;
    FillTo(298);
    StepAt(t);
    EXPECT_EQ(game.bulletQuota, 298u) << "not at the due time itself";
    StepAt(t + 1);
    EXPECT_EQ(game.bulletQuota, 299u);
    EXPECT_EQ(game.nextQuotaTime, t + 3001);
    StepAt(t + 2);
    EXPECT_EQ(game.activeBullets, 299u) << "the next step tops up";
    StepAt(t + 5000);
    EXPECT_EQ(game.bulletQuota, 299u);

    // The director's own events hold the quota; a commanded one does not.
    game.bulletQuota = game.activeBullets = 100;
    game.eventKind = 3;
    StepAt(t + 9000);
    EXPECT_EQ(game.bulletQuota, 100u);
    game.fixedEvent = 1;
    StepAt(t + 9000);
    EXPECT_EQ(game.bulletQuota, 101u);
}

TEST_F(Director, TheRampageRaisesTheQuotaByHalfAndGivesItBack)
{
    const struct {
        DWORD quota, raised;
    } cases[] = {{30, 45}, {50, 75}, {100, 150}, {199, 298}, {200, 300}, {201, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.quota);
        game.activeBullets = 0;
        game.bulletQuota = c.quota;
        FillTo(c.quota);
        SeedWhere(1, [](const std::vector<int>& r) { return r[0] < 12288 && r[0] % 11 == 8; });
        game.nextEventTime = game.now;
        StepAt(game.now + 1);
        ASSERT_EQ(game.eventKind, 9);
        EXPECT_EQ(game.bulletQuota, c.raised);
        EXPECT_EQ(game.nextEventTime, game.now + 10000);

        FillTo(c.raised);
        StepAt(game.nextEventTime + 1);
        EXPECT_EQ(game.eventKind, 0);
        EXPECT_EQ(game.bulletQuota, c.quota) << "given back exactly";
        StepAt(game.now + 16);
        EXPECT_EQ(game.activeBullets, c.raised) << "and no bullet is taken away";
    }
}

TEST_F(Director, AStepThatAddsABulletDecidesNothingElse)
{
    game.bulletQuota = 10;
    game.eventKind = 4;
    game.nextEventTime = game.now - 50000;  // long past
    for (DWORD n = 1; n <= 10; ++n) {
        StepAt(game.now + 16);
        ASSERT_EQ(game.activeBullets, n);
        ASSERT_EQ(game.eventKind, 4);
    }
    StepAt(game.now + 16);
    EXPECT_EQ(game.eventKind, 0) << "the first step that adds none ends the event";
    EXPECT_EQ(game.nextEventTime, game.now + 5000);
}

TEST_F(Director, AcrossTheClocksWrapTheQuotaStillGrowsOnceEveryThreeSeconds)
{
    DWORD t = 0xFFFFFFFFu - 10000;  // ten seconds before the wrap
    game.bulletQuota = 50;
    game.nextQuotaTime = t + 3000;
    game.nextEventTime = t + 60000;
    FillTo(50);
    int grown = 0;
    for (DWORD step = 0; step < 1250; ++step) {  // 20 s at 16 ms
        DWORD quota = game.bulletQuota;
        StepAt(t + step * 16);
        FillTo(game.bulletQuota);
        grown += game.bulletQuota != quota;
    }
    EXPECT_EQ(grown, 6) << "once every 3 s, not once a step after the wrap";
    EXPECT_EQ(game.eventKind, 0) << "and no event before its time";
}
