// The life of a run: start, pause and resume, and its end.
#pragma once

#include <windows.h>

// Puts every per-run field in its start state and switches the game on.
void StartRun();
// Non-zero pauses the run, 0 resumes it; acts only while Playing.
void SetPaused(DWORD pause);
// Switches the game off and shows the next screen.
void EndRun(HWND window);
// Empties the bullet pool and sets the first quota from the setting.
void ResetBulletPool();
