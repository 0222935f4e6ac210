#include "game/bullet_tables.h"

LONG slopeTable[64];

void BuildSlopeTable()
{
    for (int k = 0; k < 64; ++k) {
        const Velocity& v = velocityTable[BaseSpeed][k];
        LONG slope = v.dy == 0 ? 65536 : v.dx * 1024 / v.dy;
        slopeTable[k] = slope < 0 ? -slope : slope;
    }
}
