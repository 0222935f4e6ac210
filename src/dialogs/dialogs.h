// The About, benchmark, quit and screen-size dialogs, and the shutdown
// request. Their templates are in resources/hiren.rc, numbered in
// resources/resource.h.
#pragma once

#include <windows.h>

#include "resources/resource.h"

// Runs one of the dialogs below modally, owned by `owner`: `id` is its
// template (IDD_...).
INT_PTR RunDialog(int id, HWND owner, DLGPROC procedure, LPARAM param);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK BenchmarkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Parameter 0 asks to quit; non-zero asks to quit and shut down.
INT_PTR CALLBACK QuitDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// F12: three radio buttons for the three modes. Its result is a mode for
// ApplyScreenMode, -1 when cancelled.
INT_PTR CALLBACK ScreenSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a benchmark's total under its button, e.g. "12ms".
void ShowElapsed(HWND dialog, int id, DWORD milliseconds);

// Asks the system to shut down, enabling the privilege first where the
// system has one; on success the program's own quit message follows.
void RequestShutdown();
