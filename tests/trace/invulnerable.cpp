// The trace build's answer to whether a bullet in the hit zone ends the
// run. Linked ahead of the game's library, it takes the place of the
// game's own definition (which always answers yes); see game/hit_switch.h.
#include "game/hit_switch.h"

#include "trace_harness.h"

bool traceInvulnerable = false;

bool CraftCanBeHit()
{
    return !traceInvulnerable;
}
