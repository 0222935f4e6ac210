// The frame and compose surfaces, made when the window is created and
// freed when it is destroyed, and their presentation in the window.
#pragma once

#include <windows.h>

constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;
constexpr int kFrameBytes = kPictureWidth * kPictureHeight;

// WM_CREATE: builds every surface and draws the first picture. Returns
// FALSE when a surface could not be made (the window is then not created).
BOOL CreateSurfaces(HWND window);
// WM_DESTROY: frees the surfaces and ends the frame loop.
void DestroySurfaces();
// WM_PAINT: repaints from the picture of record.
void PaintWindow(HWND window);
// Clears the frame image to black (MMX stores where available).
void ClearFrameBuffer();
// Shows a 320 x 240 picture from `source` in the current screen mode.
void PresentImage(HDC source);
// 0, 1 or 2 sets the screen mode; -1 changes nothing.
void ApplyScreenMode(int mode);
// The screen-size dialog (template 105): its result is a mode for
// ApplyScreenMode, -1 when cancelled.
INT_PTR CALLBACK ScreenSizeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
