// The bullets and the attack director, without a window: the frame image
// is a guarded buffer, the craft sits at (100, 50) and the director keeps
// still unless a test wakes it.
#include <algorithm>
#include <set>
#include <vector>

#include "core/game_context.h"
#include "game/game.h"
#include "game_fixture.h"

class BulletTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        BuildSlopeTable();
        frame.Install();
        game.playerX = 100;
        game.playerY = 50;
        game.now = 200000;
        game.fixedEvent = 1;
        game.nextQuotaTime = game.now + 0x40000000;  // far off: no growth
    }

    void TearDown() override
    {
        EXPECT_TRUE(frame.Intact()) << "a write outside the frame image";
        frame.Remove();
        GameTest::TearDown();
    }

    // A live bullet at pixel (X, Y), standing still unless told otherwise.
    Bullet& Add(BYTE kind, LONG x, LONG y, BYTE direction = 0, signed char p1 = 0, signed char p2 = 0)
    {
        return game.bullets[game.activeBullets++] =
                   Bullet{static_cast<DWORD>(x) << 6, static_cast<DWORD>(y) << 6, 0, kind, direction, p1, p2};
    }

    // Spawns into the next slot and counts it, as the director does.
    Bullet& Spawn()
    {
        SpawnBullet(game.bullets[game.activeBullets]);
        return game.bullets[game.activeBullets++];
    }

    // The next `n` numbers NextRandom will give.
    static std::vector<int> Ahead(int n)
    {
        DWORD seed = game.randomSeed;
        std::vector<int> r;
        while (n-- > 0)
            r.push_back(NextRandom());
        game.randomSeed = seed;
        return r;
    }

    // Numbers drawn since the seed was `before`.
    static int DrawsSince(DWORD before)
    {
        int n = 0;
        for (DWORD s = before; s != game.randomSeed && n < 9; ++n)
            s = s * 214013u + 2531011u;
        return n;
    }

    BYTE Pixel(int column, int row) const { return game.frameBuffer[row * 320 + column]; }
    int Inked() const
    {
        return 320 * 240 - static_cast<int>(std::count(game.frameBuffer, game.frameBuffer + 320 * 240, 0));
    }

    GuardedFrame frame;
};

using Aiming = BulletTest;
using BulletMotion = BulletTest;
using Spawning = BulletTest;

TEST(BulletTables, VelocitiesAreTruncatedAndTurnByQuarters)
{
    // Directions 1 (5.625 degrees) and 8 (45 degrees), truncated toward zero.
    const struct {
        LONG radius, dx1, dy1, d8;
    } tiers[3] = {{64, 63, 6, 45}, {80, 79, 7, 56}, {48, 47, 4, 33}};
    for (int tier = 0; tier < 3; ++tier) {
        const Velocity* v = velocityTable[tier];
        EXPECT_TRUE(v[0].dx == tiers[tier].radius && v[0].dy == 0) << tier;
        EXPECT_TRUE(v[1].dx == tiers[tier].dx1 && v[1].dy == tiers[tier].dy1) << tier;
        EXPECT_TRUE(v[8].dx == tiers[tier].d8 && v[8].dy == tiers[tier].d8) << tier;
        for (int k = 0; k <= 16; ++k)
            EXPECT_TRUE(v[16 - k].dx == v[k].dy && v[16 - k].dy == v[k].dx) << tier << " " << k;
        for (int k = 0; k < 48; ++k)
            EXPECT_TRUE(v[k + 16].dx == -v[k].dy && v[k + 16].dy == v[k].dx) << tier << " " << k;
    }
}

TEST(NextRandom, FollowsTheLinearCongruentialSequenceFromSeedOne)
{
    game.randomSeed = 1;
    for (int expected : {41, 18467, 6334, 26500, 19169})
        EXPECT_EQ(NextRandom(), expected);
}

TEST_F(Aiming, ExactAimFromEachSide)
{
    game.playerX = 400;  // far out, so every offset is a field position
    game.playerY = 200;
    const struct {
        LONG dx, dy;
        int direction;
    } cases[] = {
        {0, 0, 16},   {106, 56, 6}, {100, 100, 7}, {-100, 100, 23}, {-100, -100, 41}, {100, -100, 57},
        {50, 10, 3},  {10, 50, 15}, {100, 0, 0},   {0, -5, 48},     {-7, 0, 32},      {100, -28, 62},
        // Nearly level and far: the search stops at its first candidate.
        {-330, 2, 24}, {330, -2, 56},
    };
    for (const auto& c : cases) {
        Bullet b{static_cast<DWORD>(406 - c.dx) << 6, static_cast<DWORD>(206 - c.dy) << 6, 0, 0, 0, 0, 0};
        DWORD seed = game.randomSeed;
        EXPECT_EQ(AimAtCraft(b, 0), c.direction) << c.dx << ", " << c.dy;
        EXPECT_EQ(game.randomSeed, seed) << "an exact aim draws nothing";
    }
}

TEST_F(Aiming, SpreadAddsOneDrawsOffsetModulo64)
{
    const struct {
        LONG dx, dy;
        int spread;
        std::set<int> results;
    } cases[] = {
        {100, 0, 5, {63, 0, 1, 2, 3}},
        {100, -28, 5, {61, 62, 63, 0, 1}},
        {0, 0, 3, {16, 17, 18}},
    };
    for (const auto& c : cases) {
        Bullet b{static_cast<DWORD>(106 - c.dx) << 6, static_cast<DWORD>(56 - c.dy) << 6, 0, 0, 0, 0, 0};
        std::set<int> seen;
        for (DWORD seed = 1; seed <= 200; ++seed) {
            game.randomSeed = seed;
            seen.insert(AimAtCraft(b, c.spread));
            ASSERT_EQ(DrawsSince(seed), 1);
        }
        EXPECT_EQ(seen, c.results) << c.dx << ", " << c.dy;
    }
}

TEST_F(BulletMotion, ASeekingBulletTurnsOneStepOrGivesUp)
{
    // Where its new aim lies, in steps ahead of its heading.
    const struct {
        int ahead, turn;
        BYTE kind;
    } cases[] = {{0, 0, Seeking}, {16, +1, Seeking}, {17, 0, Straight}, {47, 0, Straight}, {48, -1, Seeking}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ahead);
        game.activeBullets = 0;
        Bullet& b = Add(Seeking, 40, 150, 0, 12, 11);  // the counter reaches 12 now
        DWORD seed = game.randomSeed;
        NextRandom();  // the counter restarts first, then it aims
        int heading = (AimAtCraft(b, 3) - c.ahead) & 63;
        game.randomSeed = seed;
        b.direction = static_cast<BYTE>(heading);
        StepBullets();
        int direction = (heading + c.turn) & 63;
        EXPECT_EQ(b.kind, c.kind);
        EXPECT_EQ(b.direction, direction);
        EXPECT_TRUE(b.param2 >= 0 && b.param2 <= 7);
        EXPECT_EQ(b.x, (40u << 6) + velocityTable[0][direction].dx);
        EXPECT_EQ(Pixel(37, 147), 13) << "drawn as seeking in this step";
        LONG x = b.x >> 6, y = b.y >> 6;
        StepBullets();
        EXPECT_EQ(Pixel(x - 3, y - 3), c.kind == Straight ? 11 : 13) << "plain from the next";
    }
}

TEST_F(BulletMotion, HomingVelocityMovesByOneTowardTheCraftWithin96)
{
    // The craft at (100, 50): its lines are X - 4 = 106 and Y - 4 = 56.
    const struct {
        LONG x, y;
        signed char vx, vy, newVx, newVy;
    } cases[] = {
        {50, 10, 95, 96, 96, 96},       {50, 10, 100, -96, 100, -95}, {200, 150, -95, -96, -96, -96},
        {200, 150, -100, 96, -100, 95}, {110, 60, 0, 0, -1, -1},      {109, 59, 0, 0, 1, 1},
    };
    for (const auto& c : cases) {
        game.activeBullets = 0;
        Bullet& b = Add(Homing, c.x, c.y, 0, c.vx, c.vy);
        StepBullets();
        EXPECT_EQ(b.param1, c.newVx) << c.x << "," << c.y;
        EXPECT_EQ(b.param2, c.newVy) << c.x << "," << c.y;
        EXPECT_EQ(b.x, (static_cast<DWORD>(c.x) << 6) + static_cast<DWORD>(LONG{c.newVx}));
    }
}

TEST_F(BulletMotion, PicturesAreClippedToTheFrame)
{
    // Y = 3: picture rows 2..4 land on frame rows 0..2, nothing wraps.
    DrawBullet(Straight, 50, 3);
    const BYTE bottom[3][4] = {{9, 11, 11, 1}, {9, 15, 11, 9}, {0, 9, 9, 0}};
    for (int row = 0; row < 3; ++row)
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Pixel(46 + i, row), bottom[row][i]) << row << " " << i;
    EXPECT_EQ(Inked(), 10);
    memset(game.frameBuffer, 0, 320 * 240);

    // X = 2: columns 0 and 1 only (a Homing picture this time).
    DrawBullet(Homing, 2, 100);
    const BYTE left[4][2] = {{4, 0}, {14, 4}, {15, 14}, {14, 0}};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 2; ++column)
            EXPECT_EQ(Pixel(column, 96 + row), left[row][column]) << row << " " << column;
    EXPECT_EQ(Inked(), 6);
    memset(game.frameBuffer, 0, 320 * 240);

    // The far corners of the field draw nothing.
    DrawBullet(Fast, 324, 244);
    DrawBullet(Slow, 0, 0);
    EXPECT_EQ(Inked(), 0);
}

TEST_F(Spawning, WhatEachEventSpawnsAndHowManyNumbersItDraws)
{
    const struct {
        LONG event;
        DWORD homing;
        int draws;
    } cases[] = {{0, 0, 3}, {1, 0, 2}, {2, 0, 3}, {5, 0, 4}, {6, 0, 3}, {7, 0, 4}, {8, 0, 2}, {8, 4, 3}, {9, 0, 3}};
    for (const auto& c : cases) {
        game.eventKind = c.event;
        for (DWORD seed = 1; seed <= 50; ++seed) {
            game.randomSeed = seed;
            game.homingCount = c.homing;
            Bullet slot{1, 2, 1, Drift, 40, 99, 55};  // a removed bullet's bytes
            SpawnBullet(slot);
            ASSERT_EQ(DrawsSince(seed), c.draws) << "event " << c.event;
            ASSERT_EQ(slot.near, 0);
            ASSERT_EQ(slot.param2, 0) << "counters and velocities start from 0";
        }
    }
    // From above: the aimed kinds (selector 0 and 1) draw once more; the
    // others fall at 1 - (r3 mod 96).
    game.eventKind = 10;
    std::set<int> kinds;
    for (DWORD seed = 1; seed <= 300; ++seed) {
        game.randomSeed = seed;
        int r3 = Ahead(3)[2];
        game.homingCount = 0;
        Bullet b{};
        SpawnBullet(b);
        kinds.insert(b.kind);
        ASSERT_EQ(DrawsSince(seed), r3 >> 12 <= 1 ? 4 : 3) << seed;
        ASSERT_TRUE(b.y == 15616 && b.x < 20736);
        ASSERT_EQ(game.homingCount, b.kind == Homing ? 1u : 0u);
        if (b.kind == Drift || b.kind == Homing) {
            ASSERT_EQ(b.param2, 1 - r3 % 96);
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{Straight, Homing, Seeking, Drift}));
}

TEST_F(Spawning, TheFirstNumberPicksTheEdgeAndRampagesHeadInward)
{
    const DWORD right = 20736, top = 15616;
    std::set<int> directions[4];
    for (LONG event : {0, 9}) {
        game.eventKind = event;
        for (DWORD seed = 1; seed <= 3000; ++seed) {
            game.randomSeed = seed;
            int edge = Ahead(1)[0] & 3;
            Bullet b{};
            SpawnBullet(b);
            const bool placed[4] = {b.y == 0 && b.x < right, b.y == top && b.x < right, b.x == 0 && b.y < top,
                                    b.x == right && b.y < top};
            ASSERT_TRUE(placed[edge]) << "edge " << edge << " at " << b.x << "," << b.y;
            if (event == 9)
                directions[edge].insert(b.direction);
        }
    }
    auto range = [](int from, int to, std::set<int> s = {}) {
        for (int d = from; d <= to; ++d)
            s.insert(d);
        return s;
    };
    EXPECT_EQ(directions[0], range(0, 31)) << "bottom";
    EXPECT_EQ(directions[1], range(32, 63)) << "top";
    EXPECT_EQ(directions[2], range(48, 63, range(0, 15))) << "left";
    EXPECT_EQ(directions[3], range(16, 47)) << "right";
}

TEST_F(Spawning, AtMostFourHomingBulletsUnderEventEight)
{
    game.eventKind = 8;
    const BYTE kinds[] = {Homing, Homing, Homing, Homing, Straight};
    for (BYTE kind : kinds)
        EXPECT_EQ(Spawn().kind, kind);
    EXPECT_EQ(game.homingCount, 4u);
    game.bullets[1].x = 20737;  // one leaves the field
    StepBullets();
    EXPECT_EQ(game.homingCount, 3u);
    EXPECT_EQ(Spawn().kind, Homing);
}

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
        // A seed whose next number starts an event (under 12288), the rampage.
        for (game.randomSeed = 1; Ahead(1)[0] >= 12288 || Ahead(1)[0] % 11 != 8; ++game.randomSeed) {
        }
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
