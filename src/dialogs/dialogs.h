// The About, benchmark and quit dialogs, and the shutdown request.
#pragma once

#include <windows.h>

// Dialog templates of the program's resources.
constexpr int kAboutDialog = 102;
constexpr int kBenchmarkDialog = 103;
constexpr int kQuitDialog = 104;

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BenchmarkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Parameter 0 asks to quit; non-zero asks to quit and shut down.
INT_PTR CALLBACK QuitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a benchmark's total under its button, e.g. "12ms".
void ShowElapsed(HWND dialog, int id, DWORD milliseconds);

// Runs one of the dialogs above modally, owned by `owner`.
INT_PTR RunDialog(int id, HWND owner, DLGPROC procedure, LPARAM param);

// Asks the system to shut down, enabling the privilege first where the
// system has one; on success the program's own quit message follows.
void RequestShutdown();
