// The benchmarks' answer to whether a bullet in the hit zone ends the run:
// linked into each program ahead of the game's library, so a run being
// measured lasts as long as the measurement (see game/hit_switch.h).
#include "game/hit_switch.h"

#include "bench_support.h"

bool benchCraftCanBeHit = false;

bool CraftCanBeHit()
{
    return benchCraftCanBeHit;
}
