#include "app/input.h"

#include <windows.h>

#include <mmsystem.h>

#include "app/game_context.h"
#include "game/run.h"
#include "screens/title.h"
#include "screens/verdict.h"

namespace {
// Positions are 0..65535 per axis; the middle half is the centre.
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
}  // namespace

void ActionButton()
{
    switch (game.screen) {
    case Title:
        StartRun();
        break;
    case Playing:
        SetPaused(game.pauseStart != 0 ? 0 : 1);
        break;
    case Result:
        ShowVerdict();
        break;
    case Verdict:
        ShowTitle();
        break;
    default:
        break;
    }
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
