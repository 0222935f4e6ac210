#include "app/random.h"

#include "app/game_context.h"

int NextRandom()
{
    game.randomSeed = game.randomSeed * 214013u + 2531011u;
    return static_cast<int>((game.randomSeed >> 16) & 0x7FFF);
}
