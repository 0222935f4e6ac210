// Keyboard and joystick input: the direction state and the action input.
#pragma once

#include <windows.h>

// The screen's action (Enter, Space, a joystick button).
void ActionButton();
// Reads the direction state from the keyboard and the joystick.
void PollInput();
// Finds and captures every joystick that answers; run at window creation.
void CaptureJoysticks(HWND window);
// Releases the captured joystick; run at window destruction.
void ReleaseJoystick();
// A movement message of joystick `id`: x in the low word, y in the high.
void JoystickMoved(DWORD id, LPARAM position);
