// The craft: steered by the keys and the joystick, it leans as it turns,
// moves a pixel a step within the frame and is drawn over the bullets.
#include <windows.h>

#include <mmsystem.h>

#include "core/game_context.h"
#include "display/picture.h"
#include "game/game.h"

namespace {
// Joystick positions are 0..65535 per axis; the middle half is the centre.
constexpr UINT kLowSide = 0x4000;
constexpr UINT kHighSide = 0xC000;

LONG Deflection(UINT position)
{
    return position < kLowSide ? -1 : position > kHighSide ? 1 : 0;
}

bool Held(int key)
{
    return (GetKeyState(key) & 0x8000) != 0;
}

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

void JoystickMoved(DWORD id, LPARAM position)
{
    // With several devices attached only the captured one steers.
    if (id != game.joystickId)
        return;
    // Up on the stick is a small y, and up is positive in the game.
    game.joyY = -Deflection(HIWORD(position));
    game.joyX = Deflection(LOWORD(position));
}

void PollInput()
{
    game.keyDown = Held(VK_DOWN) ? -1 : 0;
    game.keyUp = Held(VK_UP) ? 1 : 0;
    game.keyLeft = Held(VK_LEFT) ? -1 : 0;
    game.keyRight = Held(VK_RIGHT) ? 1 : 0;
    if (game.joystickId == kNoJoystick)
        return;
    JOYINFO info;
    if (joyGetPos(game.joystickId, &info) != JOYERR_NOERROR)
        return;
    // Up on the stick is up for the craft, as in the movement messages.
    game.joyY = -Deflection(info.wYpos);
    game.joyX = Deflection(info.wXpos);
}

void CaptureJoysticks(HWND window)
{
    game.joystickId = kNoJoystick;
    UINT devices = joyGetNumDevs();
    for (UINT id = 0; id < devices; ++id) {
        JOYINFO info;
        if (joyGetPos(id, &info) != JOYERR_NOERROR)
            continue;
        game.joystickId = id;
        JOYCAPSA caps = {};
        joyGetDevCapsA(id, &caps, sizeof caps);
        joySetCapture(window, id, caps.wPeriodMin, FALSE);
    }
}

void ReleaseJoystick()
{
    if (game.joystickId != kNoJoystick)
        joyReleaseCapture(game.joystickId);
}
