// Bullets and the director without a window: a guarded frame, the craft at (100, 50), no director.
#include <math.h>

#include <algorithm>
#include <set>
#include <string>

#include "game_fixture.h"

class Bullets : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        frame.Install();
        game.playerX = 100;
        game.playerY = 50;
        game.now = 200000;
        game.nextQuotaTime = game.nextEventTime = game.now + 0x40000000;  // far off
    }
    void TearDown() override
    {
        EXPECT_TRUE(frame.Intact()) << "a write outside the frame image";
        frame.Remove();
        GameTest::TearDown();
    }
    static Bullet& Add(BYTE kind, LONG x, LONG y, BYTE direction = 0, signed char p1 = 0, signed char p2 = 0)
    {
        Bullet& b = game.bullets[game.activeBullets++];
        return b = Bullet{static_cast<DWORD>(x) << 6, static_cast<DWORD>(y) << 6, 0, kind, direction, p1, p2};
    }
    // The seed after `n` numbers drawn from `seed`; the `n`th number to come.
    static DWORD After(DWORD seed, int n) { return n == 0 ? seed : After(seed * 214013u + 2531011u, n - 1); }
    static int Ahead(int n) { return (After(game.randomSeed, n) >> 16) & 0x7FFF; }
    static void StepAt(DWORD now)
    {
        game.now = now;
        StepBullets();
    }
    GuardedFrame frame;
};

TEST_F(Bullets, EachKindMovesAtItsSpeedInEveryDirection)
{
    // Direction d is d x 5.625 degrees anticlockwise from the right; a step is R cos, R sin in 1/64 pixel.
    for (auto [kind, radius] : {std::pair<BYTE, double>{Straight, 64}, {Seeking, 64}, {Fast, 80}, {Slow, 48}})
        for (int d = 0; d < 64; ++d) {
            Bullet b{100000, 100000, 0, kind, static_cast<BYTE>(d), 50, 0};
            MoveBullet(b);
            EXPECT_TRUE(LONG(b.x - 100000) == LONG(radius * cos(d * M_PI / 32)) &&
                        LONG(b.y - 100000) == LONG(radius * sin(d * M_PI / 32)) && b.direction == d)
                << "kind " << int{kind} << ", direction " << d;
        }
}

TEST_F(Bullets, AimingAtTheCraftAndTheSteeringKindsTurnTowardIt)
{
    game.playerX = 400;
    game.playerY = 200;  // far out, so every offset is a field position
    // Offsets to the craft's centre and the direction (level, far ones stop at the first candidate).
    const int exact[][3] = {{0, 0, 16},      {106, 56, 6},   {100, 100, 7}, {-100, 100, 23}, {-100, -100, 41},
                            {100, -100, 57}, {50, 10, 3},    {10, 50, 15},  {100, 0, 0},     {0, -5, 48},
                            {-7, 0, 32},     {100, -28, 62}, {-330, 2, 24}, {330, -2, 56}};
    for (const auto& c : exact) {
        const Bullet b{static_cast<DWORD>(406 - c[0]) << 6, static_cast<DWORD>(206 - c[1]) << 6, 0, 0, 0, 0, 0};
        game.randomSeed = 1;
        EXPECT_TRUE(AimAtCraft(b, 0) == c[2] && game.randomSeed == 1) << c[0] << ", " << c[1] << ": no number drawn";
        // A spread of 5 takes one number r and turns by r mod 5 - 1.
        for (DWORD seed = 1; seed <= 200; ++seed) {
            game.randomSeed = seed;
            const int turn = Ahead(1) % 5 - 1;
            ASSERT_TRUE(AimAtCraft(b, 5) == ((c[2] + turn) & 63) && game.randomSeed == After(seed, 1))
                << c[0] << ", " << c[1];
        }
    }
    // Seeking: where its new aim lies ahead of its heading; the turn, the kind after.
    const int turns[][3] = {{0, 0, Seeking}, {16, 1, Seeking}, {17, 0, Straight}, {47, 0, Straight}, {48, -1, Seeking}};
    for (const auto& c : turns)
        for (DWORD seed = 1; seed <= 40; ++seed) {
            game.activeBullets = 0;
            game.randomSeed = seed;
            Bullet& b = Add(Seeking, 40, 150, 0, 12, 11);  // the counter reaches 12 now
            const int restart = Ahead(1) & 7;
            NextRandom();  // the counter restarts first, then it aims
            const int heading = (AimAtCraft(b, 3) - c[0]) & 63, direction = (heading + c[1]) & 63;
            game.randomSeed = seed;
            b.direction = static_cast<BYTE>(heading);
            StepBullets();
            ASSERT_TRUE(b.kind == c[2] && b.direction == direction && b.param2 == restart) << "restarts at 0..7";
            ASSERT_EQ(b.x, (40u << 6) + velocityTable[0][direction].dx);
        }
    game.activeBullets = 0;  // a slow bullet's period restarts, with no turn
    const Bullet& slow = Add(Slow, 40, 150, 40, 16, 15);
    StepBullets();
    EXPECT_TRUE(slow.direction == 40 && slow.param2 >= 0 && slow.param2 <= 7);
    // Homing, the craft at (100, 50): the lines are X - 4 = 106 and Y - 4 = 56.
    game.playerX = 100;
    game.playerY = 50;
    const int homing[][6] = {{50, 10, 95, 96, 96, 96},       {50, 10, 100, -96, 100, -95},
                             {200, 150, -95, -96, -96, -96}, {200, 150, -100, 96, -100, 95},
                             {110, 60, 0, 0, -1, -1},        {109, 59, 0, 0, 1, 1}};
    for (const auto& c : homing) {
        game.activeBullets = 0;
        const Bullet& b = Add(Homing, c[0], c[1], 0, static_cast<signed char>(c[2]), static_cast<signed char>(c[3]));
        StepBullets();
        EXPECT_TRUE(b.param1 == c[4] && b.param2 == c[5] && b.x == (static_cast<DWORD>(c[0]) << 6) + c[4])
            << c[0] << "," << c[1];
    }
}

TEST_F(Bullets, EachKindHasItsPictureClippedToTheFrame)
{
    // Rows of 2, 4, 4 and 2 pixels from (X - 4, Y - 4) up; the corners stay untouched.
    const char* pictures[6] = {".91.9BB19FB9.99.", ".E4.EFE4EFFE.EE.", ".C4.CEE4CFEC.CC.",
                               ".A2.ABB2AFBA.AA.", ".91.9DD19FD9.99.", ".91.9BB19FB9.99."};
    for (BYTE kind = 0; kind < 6; ++kind) {
        DrawBullet(kind, 20 + 10 * kind, 20);
        EXPECT_EQ(Indices(16 + 10 * kind, 16, 4, 4), pictures[kind]) << "kind " << int{kind};
    }
    // Over the bottom, left and right edges; the far corners draw nothing.
    memset(game.frameBuffer, 0, 76800);
    DrawBullet(Straight, 50, 3);
    DrawBullet(Straight, 2, 100);
    DrawBullet(Straight, 322, 150);
    DrawBullet(Fast, 324, 244);
    DrawBullet(Slow, 0, 0);
    EXPECT_EQ(Indices(46, 0, 4, 3) + Indices(0, 96, 2, 4) + Indices(318, 146, 2, 4), "9BB19FB9.99.1.B1B99..99B9F.9");
    EXPECT_EQ(std::count(game.frameBuffer, game.frameBuffer + 76800, 0), 76800 - 22);
}

TEST_F(Bullets, EachEventSpawnsItsKindOnAnEdgeAndNothingCarriesOver)
{
    // Event, live homing bullets; kind, param1 from first to last by step, numbers drawn.
    const int cases[][7] = {{0, 0, Straight, 0, 0, 1, 3},  {1, 0, Straight, 0, 0, 1, 2},  {2, 0, Seeking, 12, 12, 1, 3},
                            {3, 0, Seeking, 16, 16, 1, 3}, {4, 0, Seeking, 20, 20, 1, 3}, {5, 0, Seeking, 12, 19, 1, 4},
                            {6, 0, Fast, 0, 0, 1, 3},      {7, 0, Slow, 0, 48, 16, 4},    {8, 3, Homing, 0, 0, 1, 2},
                            {8, 4, Straight, 0, 0, 1, 3},  {9, 0, Straight, 0, 0, 1, 3}};
    // The first number picks the edge; a rampage heads from 0, 32, 48, 16 on (bottom, top, left, right).
    const int first[4] = {0, 32, 48, 16};
    std::set<int> directions[4];
    for (const auto& c : cases) {
        game.eventKind = c[0];
        std::set<int> param1;
        for (DWORD seed = 1; seed <= 1000; ++seed) {
            game.randomSeed = seed;
            game.homingCount = c[1];
            const int edge = Ahead(1) & 3;
            Bullet b{1, 2, 1, Drift, 40, 99, 55};  // a removed bullet's bytes
            SpawnBullet(b);
            const bool placed[4] = {b.y == 0 && b.x < kFieldRight, b.y == kFieldTop && b.x < kFieldRight,
                                    b.x == 0 && b.y < kFieldTop, b.x == kFieldRight && b.y < kFieldTop};
            ASSERT_TRUE(placed[edge]) << "edge " << edge << " at " << b.x << "," << b.y;
            ASSERT_TRUE(b.kind == c[2] && b.near == 0 && b.param2 == 0 && game.randomSeed == After(seed, c[6])) << c[0];
            ASSERT_EQ(game.homingCount, c[1] + (c[2] == Homing ? 1u : 0u));
            ASSERT_TRUE(c[0] != 1 || b.direction == AimAtCraft(b, 0)) << "aimed exactly";
            param1.insert(b.param1);
            if (c[0] == RampageEvent)
                directions[edge].insert((b.direction - first[edge]) & 63);
        }
        EXPECT_TRUE(*param1.begin() == c[3] && *param1.rbegin() == c[4] &&
                    int(param1.size()) == (c[4] - c[3]) / c[5] + 1)
            << "event " << c[0];
    }
    for (const auto& offsets : directions)
        EXPECT_TRUE(offsets.size() == 32 && *offsets.rbegin() == 31);
    // From above: on the top edge; the aimed kinds draw once more, the others fall at 1 - r3 mod 96.
    game.eventKind = FromAboveEvent;
    std::set<int> kinds;
    for (DWORD seed = 1; seed <= 300; ++seed) {
        game.randomSeed = seed;
        game.homingCount = 0;
        const int fall = 1 - Ahead(3) % 96;
        Bullet b{};
        SpawnBullet(b);
        kinds.insert(b.kind);
        ASSERT_TRUE(b.y == kFieldTop && b.x < kFieldRight && b.param1 == (b.kind == Seeking ? 12 : 0)) << seed;
        ASSERT_TRUE((b.kind != Drift && b.kind != Homing) || b.param2 == fall) << seed;
    }
    EXPECT_EQ(kinds, (std::set<int>{Straight, Homing, Seeking, Drift}));
}

TEST_F(Bullets, LeavingTheFieldNearMissesAndTheHit)
{
    // Past the right edge (the last takes its slot), on the edges, stepping below 0 (wraps, kept), moving up.
    game.homingCount = 1;
    Add(Homing, 324, 10).x += 1;
    Add(Drift, 10, 244);
    Add(Drift, 324, 20);
    Add(Drift, 0, 0, 0, -1, 0);
    Add(Drift, 10, 10, 0, 0, 3);
    StepBullets();
    EXPECT_TRUE(game.activeBullets == 4 && game.homingCount == 0 && game.bullets[0].y == (10u << 6) + 3 &&
                At(10 - 3, 10 - 3) == 11 && game.bullets[1].y == 244u << 6 && game.bullets[2].x == 324u << 6 &&
                game.bullets[3].x == 0xFFFFFFFFu);
    // Craft, bullet, near, hit: at (100, 50) near X 100..122, Y 48..67, hit X 106..116, Y 54..63.
    const int probes[][6] = {
        {100, 50, 100, 48, 1, 0}, {100, 50, 122, 67, 1, 0}, {100, 50, 99, 50, 0, 0},  {100, 50, 123, 50, 0, 0},
        {100, 50, 100, 47, 0, 0}, {100, 50, 100, 68, 0, 0}, {100, 50, 106, 54, 1, 1}, {100, 50, 116, 63, 1, 1},
        {100, 50, 105, 54, 1, 0}, {100, 50, 117, 63, 1, 0}, {100, 50, 106, 53, 1, 0}, {100, 50, 116, 64, 1, 0},
        {0, 0, 2, 0, 1, 0},       {0, 0, 6, 4, 1, 1},       {0, 1, 23, 0, 0, 0},      {0, 1, 6, 5, 1, 1}};
    for (const auto& p : probes) {
        game.activeBullets = game.nearMissCount = game.hitPhase = game.hitTime = 0;
        game.playerX = p[0];
        game.playerY = p[1];
        Add(Drift, p[2], p[3]);
        StepBullets();
        EXPECT_TRUE(game.bullets[0].near == p[4] && game.nearMissCount == DWORD(p[4]) && game.hitPhase == DWORD(p[5]) &&
                    game.hitTime == (p[5] ? game.now : 0))
            << "bullet at " << p[2] << "," << p[3];
    }
    // Bullets leaving the near zone score for those still near.
    game.activeBullets = game.nearMissCount = game.hitPhase = 0;
    game.playerX = 100;
    game.playerY = 50;
    for (LONG x : {101, 102, 103, 104, 105})
        Add(Drift, x, 49);
    StepBullets();
    ASSERT_EQ(game.nearMissCount, 5u);
    // Slot, to, banner timer, marks; score, marks, timer. Marks restart with the banner down, stop at ten.
    const int leaving[][7] = {{0, 640, 0, 7, 4, 1, 100},    {1, 30000, 60, 1, 7, 2, 100}, {2, 640, 5, 9, 9, 10, 100},
                              {3, 640, 5, 10, 10, 10, 100}, {1, 640, 40, 10, 10, 10, 40}, {0, 6400, 0, 10, 10, 10, 0}};
    for (const auto& c : leaving) {
        game.bullets[c[0]].x = c[1];
        game.nearMissBannerTimer = c[2];
        game.nearMissMarks = c[3];
        StepBullets();
        EXPECT_TRUE(game.nearMissScore == DWORD(c[4]) && game.nearMissMarks == DWORD(c[5]) &&
                    game.nearMissBannerTimer == c[6])
            << c[0] << " to " << c[1];
    }
    EXPECT_EQ(game.nearMissCount, 1u);
}

TEST_F(Bullets, TheDirectorsQuotaGrowsEveryThreeSecondsAndEventsLastTenAndRestFive)
{
    auto fillTo = [](DWORD count) {  // with bullets standing far from the craft
        while (game.activeBullets < count)
            Add(Drift, 10, 200);
    };
    // Steps at t + ms, then the quota, its next growth and the live bullets: never past 299.
    const DWORD t = game.now;
    game.bulletQuota = 298;
    game.nextQuotaTime = t;
    fillTo(298);
    const DWORD steps[][4] = {{0, 298, 0, 298}, {1, 299, 3001, 298}, {2, 299, 3001, 299}, {5000, 299, 3001, 299}};
    for (const auto& s : steps) {
        StepAt(t + s[0]);
        EXPECT_TRUE(game.bulletQuota == s[1] && game.nextQuotaTime == t + s[2] && game.activeBullets == s[3]) << s[0];
    }
    // The director's own events hold the quota; a commanded one does not.
    game.bulletQuota = game.activeBullets = 100;
    game.eventKind = 3;
    StepAt(t + 9000);
    EXPECT_EQ(game.bulletQuota, 100u);
    game.fixedEvent = 1;
    StepAt(t + 9000);
    EXPECT_EQ(game.bulletQuota, 101u);
    // The rampage raises the quota by half, up to the pool, and gives it back.
    game.fixedEvent = 0;
    game.nextQuotaTime = game.now + 0x40000000;
    for (auto [before, raised] : {std::pair<DWORD, DWORD>{30, 45}, {101, 151}, {200, 300}, {201, 300}}) {
        game.activeBullets = 0;
        game.bulletQuota = before;
        fillTo(before);
        for (game.randomSeed = 1; Ahead(1) >= 12288 || Ahead(1) % 11 != 8; ++game.randomSeed) {
        }
        game.eventKind = NoEvent;
        game.nextEventTime = game.now;
        StepAt(game.now + 1);
        ASSERT_EQ(game.eventKind, RampageEvent);
        EXPECT_EQ(game.bulletQuota, raised) << before;
        fillTo(raised);
        StepAt(game.nextEventTime + 1);
        StepAt(game.now + 16);
        EXPECT_TRUE(game.eventKind == NoEvent && game.bulletQuota == before && game.activeBullets == raised) << before;
    }
    game.activeBullets = game.bulletQuota = 0;  // every step decides
    std::set<LONG> kinds;
    for (DWORD s = 1; s <= 300; ++s) {
        const DWORD seed = game.randomSeed = s * 2654435761u;  // first numbers spread over their range
        game.eventKind = NoEvent;
        game.nextEventTime = game.now;
        StepAt(game.now);
        ASSERT_EQ(game.randomSeed, seed) << "not at the due time itself";
        const bool starts = Ahead(1) < 32768 * 3 / 8;
        StepAt(game.now + 1);
        ASSERT_TRUE((game.eventKind != NoEvent) == starts && game.nextEventTime == game.now + (starts ? 10000 : 5000));
        if (starts) {
            kinds.insert(game.eventKind);
            StepAt(game.nextEventTime + 1);
            ASSERT_TRUE(game.eventKind == NoEvent && game.nextEventTime == game.now + 5000);
        }
    }
    EXPECT_TRUE(kinds.size() == 11 && *kinds.begin() == 1 && *kinds.rbegin() == 11) << "events 1..11";
    // A commanded event holds; a step that adds a bullet decides nothing else.
    game.fixedEvent = 1;
    game.eventKind = SlowEvent;
    game.nextEventTime = game.now - 50000;
    StepAt(game.now + 16);
    EXPECT_EQ(game.eventKind, SlowEvent);
    game.fixedEvent = 0;
    game.bulletQuota = 1;
    StepAt(game.now + 16);
    EXPECT_TRUE(game.activeBullets == 1 && game.eventKind == SlowEvent);
    StepAt(game.now + 16);
    EXPECT_EQ(game.eventKind, NoEvent) << "the first step that adds none ends the event";
}
