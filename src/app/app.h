// Process start-up, the main window and the frame loop.
#pragma once

#include <windows.h>

// The program: start-up, the frame loop, and the process's end.
[[noreturn]] void AppMain();
// Registers the main window's class; its atom, 0 on failure.
ATOM InitApplication();
// Creates and shows the main window; null on failure.
HWND CreateMainWindow();
// Puts GameContext into its start state: the processor test, the seed,
// the stored texts and the start values of every setting.
void InitGameState();
// Restores the command words and the verdict messages in place, once.
void RestoreTextTables();
// One pass of the frame loop: takes one message, or runs the game step when
// it is due, or waits for a message. FALSE when WM_QUIT was taken; its
// exit code is then stored in `exitCode`.
BOOL FrameLoopPass(UINT* exitCode);
// Runs passes until WM_QUIT and returns its exit code.
UINT RunFrameLoop();
// The window procedure of the main window.
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
