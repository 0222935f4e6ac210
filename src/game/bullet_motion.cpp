// How each kind of bullet moves, and the bullets' pictures.
#include <string.h>

#include "core/game_context.h"
#include "display/picture.h"
#include "game/game.h"

namespace {
// Sign-extended and added modulo 2^32: a step below 0 wraps, and the next
// field test removes the bullet.
void MoveBy(Bullet& bullet, LONG dx, LONG dy)
{
    bullet.x += static_cast<DWORD>(dx);
    bullet.y += static_cast<DWORD>(dy);
}

void MoveAlong(Bullet& bullet, int tier)
{
    const Velocity& v = velocityTable[tier][bullet.direction & 63];
    MoveBy(bullet, v.dx, v.dy);
}

// One unit toward the craft's line, up to 96 either way.
signed char Accelerate(signed char velocity, bool towardPlus)
{
    if (towardPlus)
        return velocity < 96 ? static_cast<signed char>(velocity + 1) : velocity;
    return velocity > -96 ? static_cast<signed char>(velocity - 1) : velocity;
}

// Counts a re-aim period; true when it has run out, and the counter then
// restarts at a random 0..7.
bool PeriodRunsOut(Bullet& bullet)
{
    bullet.param2 = static_cast<signed char>(bullet.param2 + 1);
    if (bullet.param2 != bullet.param1)
        return false;
    bullet.param2 = static_cast<signed char>(NextRandom() & 7);
    return true;
}

// Turns one step toward the craft, or gives up when it lies more than a
// quarter turn away.
void Seek(Bullet& bullet)
{
    int aim = AimAtCraft(bullet, 3);
    int direction = bullet.direction;
    if (aim == direction)
        return;
    int diff = (aim - direction) & 63;
    if (diff <= 16)
        bullet.direction = static_cast<BYTE>((direction + 1) & 63);
    else if (diff >= 48)
        bullet.direction = static_cast<BYTE>((direction - 1) & 63);
    else
        bullet.kind = Straight;
}

// Five pictures of rows of 2, 4, 4 and 2 pixels, lowest row first; the
// corners of the 4 x 4 box stay untouched.
const BYTE bulletSprites[5][12] = {
    {9, 1, 9, 11, 11, 1, 9, 15, 11, 9, 9, 9},        // Straight, Drift
    {10, 2, 10, 11, 11, 2, 10, 15, 11, 10, 10, 10},  // Slow
    {9, 1, 9, 13, 13, 1, 9, 15, 13, 9, 9, 9},        // Seeking
    {12, 4, 12, 14, 14, 4, 12, 15, 14, 12, 12, 12},  // Fast
    {14, 4, 14, 15, 14, 4, 14, 15, 15, 14, 14, 14},  // Homing
};

// The picture of each kind; kinds past Drift are never made and take the
// first.
constexpr BYTE kPictureOfKind[6] = {
    0,  // Straight
    4,  // Homing
    3,  // Fast
    1,  // Slow
    2,  // Seeking
    0,  // Drift
};

const BYTE* PictureOf(BYTE kind)
{
    return bulletSprites[kind < 6 ? kPictureOfKind[kind] : 0];
}

// The picture drawn where it lies wholly inside the frame: no pixel needs
// a test.
void DrawWhole(const BYTE* pixel, LONG left, LONG row)
{
    BYTE* out = game.frameBuffer + row * kPictureWidth + left;
    memcpy(out + 1, pixel, 2);
    memcpy(out + kPictureWidth, pixel + 2, 4);
    memcpy(out + 2 * kPictureWidth, pixel + 6, 4);
    memcpy(out + 3 * kPictureWidth + 1, pixel + 10, 2);
}
}  // namespace

void MoveBullet(Bullet& bullet)
{
    switch (bullet.kind) {
    case Homing: {
        LONG pixelX = static_cast<LONG>(bullet.x >> 6);
        LONG pixelY = static_cast<LONG>(bullet.y >> 6);
        bullet.param1 = Accelerate(bullet.param1, pixelX - 4 < game.playerX + 6);
        bullet.param2 = Accelerate(bullet.param2, pixelY - 4 < game.playerY + 6);
        MoveBy(bullet, bullet.param1, bullet.param2);
        break;
    }
    case Fast:
        MoveAlong(bullet, FastSpeed);
        break;
    case Slow:
        // Slow bullets keep their heading; the period only restarts.
        if (bullet.param1 != 0)
            PeriodRunsOut(bullet);
        MoveAlong(bullet, SlowSpeed);
        break;
    case Seeking:
        if (PeriodRunsOut(bullet))
            Seek(bullet);
        MoveAlong(bullet, BaseSpeed);
        break;
    case Drift:
        MoveBy(bullet, bullet.param1, bullet.param2);
        break;
    default:
        MoveAlong(bullet, BaseSpeed);
        break;
    }
}

void DrawBullet(BYTE kind, LONG pixelX, LONG pixelY)
{
    static const signed char rowStart[4] = {1, 0, 0, 1};
    static const signed char rowLength[4] = {2, 4, 4, 2};
    const BYTE* pixel = PictureOf(kind);
    LONG left = pixelX - 4;
    LONG row = pixelY - 4;
    // Only pictures across an edge of the frame are clipped pixel by pixel.
    if (static_cast<DWORD>(left) <= kPictureWidth - 4 && static_cast<DWORD>(row) <= kPictureHeight - 4) {
        DrawWhole(pixel, left, row);
        return;
    }
    for (int r = 0; r < 4; ++r, ++row) {
        bool rowInside = row >= 0 && row < kPictureHeight;
        for (int i = 0; i < rowLength[r]; ++i, ++pixel) {
            LONG column = left + rowStart[r] + i;
            if (rowInside && column >= 0 && column < kPictureWidth)
                game.frameBuffer[row * kPictureWidth + column] = *pixel;
        }
    }
}
