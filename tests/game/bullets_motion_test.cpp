#include "bullets_fixture.h"

using BulletMotion = BulletTest;

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
    // From rest it overshoots the craft's line and swings back.
    game.activeBullets = 0;
    Bullet& b = Add(Homing, 20, 100);
    LONG farthest = 0;
    for (int step = 0; step < 300; ++step) {
        StepBullets();
        farthest = std::max(farthest, static_cast<LONG>(b.x >> 6));
    }
    EXPECT_GT(farthest, 150);
    EXPECT_LT(static_cast<LONG>(b.x >> 6), farthest - 50);
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
