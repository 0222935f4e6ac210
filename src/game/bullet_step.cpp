// The pass over the live bullets: leaving the field, near misses, the hit,
// then motion and drawing.
#include "core/game_context.h"
#include "game/game.h"

namespace {
// A bullet flagged near has left the near zone or the field. It scores
// only if others are still near: one for each of them.
void SettleNearMiss()
{
    --game.nearMissCount;
    if (game.nearMissCount == 0)
        return;
    game.nearMissScore += game.nearMissCount;
    if (game.nearMissBannerTimer == 0)
        game.nearMissMarks = 1;
    else if (game.nearMissMarks < 10)
        ++game.nearMissMarks;
    game.nearMissBannerTimer = 100;
}

bool OutsideField(const Bullet& bullet)
{
    // A coordinate that went below 0 wrapped to a huge value.
    return bullet.x > kFieldRight || bullet.y > kFieldTop;
}

// Removes the bullet in `slot` by moving the last live one into it.
// Returns false when the slot was the last live one.
bool RemoveBullet(DWORD slot)
{
    Bullet& bullet = game.bullets[slot];
    if (bullet.kind == Homing)
        --game.homingCount;
    if (bullet.near == 1)
        SettleNearMiss();
    --game.activeBullets;
    if (slot == game.activeBullets)
        return false;
    bullet = game.bullets[game.activeBullets];
    return true;
}

// The near zone surrounds the craft's picture; the hit zone is its core.
void TestAgainstCraft(Bullet& bullet, LONG pixelX, LONG pixelY)
{
    LONG left = game.playerX;
    LONG bottom = game.playerY;
    // Each range test as one unsigned comparison: below the range wraps
    // to a large value.
    bool inNearZone = static_cast<DWORD>(pixelX - left) <= 22 && static_cast<DWORD>(pixelY - (bottom - 2)) <= 19;
    if (!inNearZone) {
        if (bullet.near == 1) {
            bullet.near = 0;
            SettleNearMiss();
        }
        return;
    }
    if (bullet.near == 0) {
        bullet.near = 1;
        ++game.nearMissCount;
    }
    bool hit = left + 6 <= pixelX && pixelX <= left + 16 && bottom + 4 <= pixelY && pixelY <= bottom + 13;
    if (hit && !game.invulnerable) {
        game.hitTime = game.now;
        game.hitPhase = 1;
    }
}
}  // namespace

void StepBullets()
{
    for (DWORD i = 0; i < game.activeBullets;) {
        Bullet& bullet = game.bullets[i];
        if (OutsideField(bullet)) {
            if (!RemoveBullet(i))
                break;
            continue;  // the moved bullet is handled in this slot now
        }
        // Tests and picture use the position before this step's move.
        LONG pixelX = static_cast<LONG>(bullet.x >> 6);
        LONG pixelY = static_cast<LONG>(bullet.y >> 6);
        if (game.hitPhase == 0)
            TestAgainstCraft(bullet, pixelX, pixelY);
        BYTE kind = bullet.kind;
        MoveBullet(bullet);
        DrawBullet(kind, pixelX, pixelY);
        ++i;
    }
    RunDirector();
}
