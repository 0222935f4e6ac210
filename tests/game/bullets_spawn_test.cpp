#include <set>

#include "bullets_fixture.h"

class Spawning : public BulletTest {
protected:
    // Spawns into the next slot and counts it, as the director does.
    Bullet& Spawn()
    {
        SpawnBullet(game.bullets[game.activeBullets]);
        return game.bullets[game.activeBullets++];
    }
};

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

TEST_F(Spawning, FromAboveAFallOfZeroNeverMoves)
{
    game.eventKind = 10;
    // Speed +1 rises out of the field at once; speed 0 stays on the top
    // edge, out of sight, for good.
    SeedWhere(3, [](const std::vector<int>& r) { return r[2] >> 12 == 2 && r[2] % 96 == 0; });
    Spawn();
    SeedWhere(3, [](const std::vector<int>& r) { return r[2] >> 12 == 5 && r[2] % 96 == 1; });
    Bullet stuck = Spawn();
    for (int step = 0; step < 100; ++step)
        StepBullets();
    ASSERT_EQ(game.activeBullets, 1u);
    EXPECT_EQ(game.bullets[0].x, stuck.x);
    EXPECT_EQ(game.bullets[0].y, 15616u);
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
