// The contract between USER (windows) and GDI (drawing): a window's client
// area is a block of display-format pixels that GDI draws into through the
// window's DC and USER puts on screen.
#pragma once

#include "win32_private.h"

// Display format: one uint32_t per pixel, 0x00RRGGBB, rows top-down with
// no padding (stride = width).
struct WindowPixels {
    uint32_t* pixels;  // owned by USER; reallocated when the client resizes
    int width;         // client width in pixels
    int height;        // client height in pixels
    bool dirty;        // drawn to since it was last presented; set by GDI
};

// GDI: a DC that draws into the window's pixels. It reads `pixels`,
// `width` and `height` on every call, so USER may resize the block while
// the DC lives; it sets `dirty` whenever it draws. Deleted by USER when
// the window is destroyed (DeleteDC on it fails, as for a window DC).
HDC GdiCreateWindowDc(WindowPixels* target);
void GdiDestroyWindowDc(HDC dc);
