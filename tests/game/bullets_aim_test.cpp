#include <set>

#include "app/app.h"
#include "bullets_fixture.h"

using Aiming = BulletTest;

TEST(BulletTables, VelocitiesAndSlopes)
{
    // k = 0..16 of each tier; the other quarters turn it by 90 degrees.
    const LONG quarter[3][17][2] = {
        {{64, 0}, {63, 6}, {62, 12}, {61, 18}, {59, 24}, {56, 30}, {53, 35}, {49, 40}, {45, 45},
         {40, 49}, {35, 53}, {30, 56}, {24, 59}, {18, 61}, {12, 62}, {6, 63}, {0, 64}},
        {{80, 0}, {79, 7}, {78, 15}, {76, 23}, {73, 30}, {70, 37}, {66, 44}, {61, 50}, {56, 56},
         {50, 61}, {44, 66}, {37, 70}, {30, 73}, {23, 76}, {15, 78}, {7, 79}, {0, 80}},
        {{48, 0}, {47, 4}, {47, 9}, {45, 13}, {44, 18}, {42, 22}, {39, 26}, {37, 30}, {33, 33},
         {30, 37}, {26, 39}, {22, 42}, {18, 44}, {13, 45}, {9, 47}, {4, 47}, {0, 48}},
    };
    for (int tier = 0; tier < 3; ++tier) {
        for (int k = 0; k < 64; ++k) {
            const LONG* q = quarter[tier][k % 16];
            const LONG turned[4][2] = {{q[0], q[1]}, {-q[1], q[0]}, {-q[0], -q[1]}, {q[1], -q[0]}};
            EXPECT_EQ(velocityTable[tier][k].dx, turned[k / 16][0]) << tier << " " << k;
            EXPECT_EQ(velocityTable[tier][k].dy, turned[k / 16][1]) << tier << " " << k;
        }
        EXPECT_EQ(velocityTable[tier][16].dy, quarter[tier][16][1]);
    }
    // The slope table is built at start-up (in a child: start-up runs once).
    EXPECT_EXIT(
        {
            InitGameState();
            bool ok = slopeTable[0] == 65536 && slopeTable[8] == 1024 && slopeTable[15] == 97 && slopeTable[16] == 0;
            for (int k = 1; k < 32; ++k)
                ok = ok && slopeTable[32 - k] == slopeTable[k] && slopeTable[32 + k] == slopeTable[k];
            std::exit(ok ? 0 : 3);
        },
        ::testing::ExitedWithCode(0), "");
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
