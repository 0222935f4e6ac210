// The command words typed on the title screen.
#pragma once

#include <windows.h>

// Follows one typed character (a WM_CHAR code); a completed word runs its
// action and the title is drawn again. Acts only on the title screen.
void HandleTypedChar(HWND window, UINT c);
// Runs the action of word `index` (0..20), then redraws the title.
void RunCommand(HWND window, DWORD index);
