// Bullets without a window: the frame image is a guarded buffer, the craft
// sits at (100, 50) and the director keeps still unless a test wakes it.
#pragma once

#include <string.h>

#include <vector>

#include "app/random.h"
#include "game/bullet_tables.h"
#include "game/bullets.h"
#include "game_fixture.h"
#include "trace_harness.h"

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
        Bullet& b = game.bullets[game.activeBullets++];
        b = Bullet{static_cast<DWORD>(x) << 6, static_cast<DWORD>(y) << 6, 0, kind, direction, p1, p2};
        return b;
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

    // Seeds the generator so that its next `n` numbers pass `wanted`.
    template <typename Wanted>
    static void SeedWhere(int n, Wanted wanted)
    {
        for (game.randomSeed = 1; !wanted(Ahead(n)); ++game.randomSeed) {
        }
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
        int n = 0;
        for (int i = 0; i < 320 * 240; ++i)
            n += game.frameBuffer[i] != 0;
        return n;
    }

    GuardedFrame frame;
};
