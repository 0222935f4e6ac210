// Alone in its file on purpose: see hit_switch.h.
#include "game/hit_switch.h"

bool CraftCanBeHit()
{
    return true;
}
