// The window's surfaces, made when it is created and freed when it is
// destroyed, the game's font, and how a picture reaches the window in each
// screen mode.
#pragma once

#include <windows.h>

#include "display/picture.h"

// The main window's frame in the windowed modes: move, minimise and close,
// no maximise.
constexpr DWORD kFramedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// WM_CREATE: the window's DC, the frame and compose surfaces, the banner
// DC and font. What could not be made stays null (SurfacesComplete tells);
// FALSE when not even the frame's description could be allocated.
BOOL CreateSurfaces(HWND window);
// Every surface is there, the banner strip's bitmap included.
bool SurfacesComplete();
// Puts back what the DCs held when they were saved, then deletes every
// surface; what was never made is skipped.
void FreeSurfaces();
// Clears the frame image to black (MMX stores where available).
void ClearFrameBuffer();

// The description every text of the game is made from, at height 80.
extern const LOGFONTA fontTemplate;
// The game's face at `height` pixels; the caller deletes it.
HFONT MakeFont(LONG height);

// The one rule for showing a 320 x 240 picture in `target`: as it is in the
// standard mode, stretched over the output size in the other two. With
// `topLines`, the top 16 lines come from it and the rest from `picture`.
// The standard mode copies only `area` (the whole picture when there are
// top lines); the stretched modes always copy all of it.
void PresentPicture(HDC target, HDC picture, HDC topLines, const RECT& area);
// Shows a whole picture in the window (see PresentPicture).
void PresentImage(HDC picture, HDC topLines = nullptr);
// WM_PAINT: repaints from the picture of record.
void PaintWindow(HWND window);
// 0, 1 or 2 sets the screen mode; -1 changes nothing.
void ApplyScreenMode(int mode);
