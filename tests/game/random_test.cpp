#include <gtest/gtest.h>

#include "app/game_context.h"
#include "app/random.h"

TEST(NextRandom, FollowsTheLinearCongruentialSequenceFromSeedOne)
{
    game.randomSeed = 1;
    EXPECT_EQ(NextRandom(), 41);
    EXPECT_EQ(NextRandom(), 18467);
    EXPECT_EQ(NextRandom(), 6334);
    EXPECT_EQ(NextRandom(), 26500);
    EXPECT_EQ(NextRandom(), 19169);
    EXPECT_EQ(game.randomSeed, 1u * 214013u * 214013u * 214013u * 214013u * 214013u +
                                   2531011u * (1u + 214013u + 214013u * 214013u + 214013u * 214013u * 214013u +
                                               214013u * 214013u * 214013u * 214013u));
}

TEST(NextRandom, StaysWithinFifteenBitsAcrossTheSeedsWrap)
{
    game.randomSeed = 0xFFFFFFFFu;
    for (int i = 0; i < 100000; ++i) {
        int value = NextRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}
