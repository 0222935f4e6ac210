#include "game/craft.h"

#include "app/game_context.h"
#include "display/surfaces.h"

namespace {
constexpr LONG kRightmost = kPictureWidth - 16;
constexpr LONG kTopmost = kPictureHeight - 16;

// Holding a direction leans the craft at once and, five steps later, hard;
// letting go eases back through the lean to level.
void Lean(bool pressing, DWORD hardPose)
{
    if (game.poseHold > 4)
        game.pose = hardPose;
    else if (pressing)
        ++game.poseHold;
    else if (game.poseHold != 0)
        --game.poseHold;
    else
        game.pose = 2;
}
}  // namespace

void UpdatePose(LONG dx)
{
    switch (game.pose) {
    case 0:
        if (dx >= 0) {
            game.poseHold = 4;
            game.pose = 1;
        }
        break;
    case 1:
        Lean(dx < 0, 0);
        break;
    case 2:
        game.pose = static_cast<DWORD>(2 + dx);
        break;
    case 3:
        Lean(dx > 0, 4);
        break;
    case 4:
        if (dx <= 0) {
            game.poseHold = 4;
            game.pose = 3;
        }
        break;
    default:
        game.pose = 2;  // never set elsewhere; level is the safe picture
        break;
    }
}

WORD MoveCraft()
{
    ++game.frameCount;
    // The joystick overrides the keys, axis by axis.
    LONG dx = game.joyX != 0 ? game.joyX : game.keyLeft + game.keyRight;
    LONG dy = game.joyY != 0 ? game.joyY : game.keyUp + game.keyDown;
    UpdatePose(dx);
    game.playerX += dx;
    game.playerY += dy;
    if (game.playerX < 0)
        game.playerX = 0;
    if (game.playerY < 0)
        game.playerY = 0;
    if (game.playerX > kRightmost)
        game.playerX = kRightmost;
    if (game.playerY > kTopmost)
        game.playerY = kTopmost;
    return spriteOffsets[game.pose + 16];
}

void DrawCraftSprite(WORD offset)
{
    const BYTE* picture = craftSprites.bytes + offset;
    BYTE* out = game.frameBuffer + game.playerY * kPictureWidth + game.playerX;
    for (int row = 0; row < 16; ++row, out += kPictureWidth, picture += 16)
        for (int column = 0; column < 16; ++column)
            if (picture[column] != 0)
                out[column] = picture[column];
}
