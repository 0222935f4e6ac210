// Aiming at the craft: the octant from the signs and sizes of the offset,
// then the direction in it whose slope best matches the offset's.
#include "core/game_context.h"
#include "game/game.h"

LONG slopeTable[64];

void BuildSlopeTable()
{
    for (int k = 0; k < 64; ++k) {
        const Velocity& v = velocityTable[BaseSpeed][k];
        LONG slope = v.dy == 0 ? 65536 : v.dx * 1024 / v.dy;
        slopeTable[k] = slope < 0 ? -slope : slope;
    }
}

namespace {
// Either a finished direction (fixed = true) or the first direction of
// the octant to search.
int Octant(LONG dx, LONG dy, bool* fixed)
{
    *fixed = true;
    if (dx >= 0 && dy >= 0) {
        if (dx == 0)
            return 16;
        if (dy == 0)
            return 0;
        *fixed = false;
        return dx >= dy ? 0 : 8;
    }
    if (dx >= 0) {         // dy < 0
        *fixed = dx == 0;  // straight down
        return dx >= -dy ? 56 : 48;
    }
    if (dy > 0) {  // dx < 0
        *fixed = false;
        return dx >= -dy ? 16 : 24;
    }
    if (dx >= dy) {  // dx < 0, dy <= 0, so dy < 0 here
        *fixed = false;
        return 40;
    }
    *fixed = dy == 0;  // straight left
    return 32;
}

// Walks up from `base` while the slope keeps getting closer, and answers
// one step past the last improvement: the search overshoots by design, and
// a base whose first candidate cannot improve (dy 0 there, or an offset
// nearly level and far) is answered as it is.
int MatchSlope(int base, LONG dx, LONG dy)
{
    long long b = static_cast<long long>(dx) * 1024 / dy;
    if (b < 0)
        b = -b;
    long long best = 65536;
    int n = 0;
    for (int i = 0; i < 7; ++i) {
        int k = base + i;
        long long h = 65535;
        if (velocityTable[BaseSpeed][k].dy != 0) {
            h = slopeTable[k] - b;
            if (h < 0)
                h = -h;
        }
        if (h >= best)
            break;
        best = h;
        ++n;
    }
    return base + n;
}
}  // namespace

int AimAtCraft(const Bullet& bullet, int spread)
{
    // Pixel positions compared as signed numbers: the craft may sit on the
    // lowest rows, and the offset may point either way.
    LONG pixelX = static_cast<LONG>(bullet.x >> 6);
    LONG pixelY = static_cast<LONG>(bullet.y >> 6);
    LONG dx = game.playerX + 6 - pixelX;
    LONG dy = game.playerY + 6 - pixelY;

    bool fixed;
    int direction = Octant(dx, dy, &fixed);
    if (!fixed)
        direction = MatchSlope(direction, dx, dy);
    if (spread == 0)
        return direction;
    int r = NextRandom();
    return (direction + r % spread + 1 - spread / 2) & 63;
}
