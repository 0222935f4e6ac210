// The picture the game draws: its size, the lines of the banner strip at
// its top, and its colours.
#pragma once

#include <windows.h>

constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;
constexpr int kFrameBytes = kPictureWidth * kPictureHeight;
// The top lines, where the banner strip's labels are laid during a run.
constexpr int kStripLines = 16;

// The fixed 16-colour table of the frame image. Indices 0..7 are the
// half-bright colours (bit 0 red, bit 1 green, bit 2 blue at 128), 8..15
// the same at full brightness; 7 becomes light grey and 8 dark grey.
constexpr RGBQUAD PaletteEntry(int index)
{
    if (index == 7)
        return RGBQUAD{192, 192, 192, 0};
    if (index == 8)
        return RGBQUAD{128, 128, 128, 0};
    BYTE level = index < 8 ? 128 : 255;
    return RGBQUAD{static_cast<BYTE>(index & 4 ? level : 0), static_cast<BYTE>(index & 2 ? level : 0),
                   static_cast<BYTE>(index & 1 ? level : 0), 0};
}

inline constexpr RGBQUAD basePalette[16] = {
    PaletteEntry(0),  PaletteEntry(1),  PaletteEntry(2),  PaletteEntry(3),  PaletteEntry(4),  PaletteEntry(5),
    PaletteEntry(6),  PaletteEntry(7),  PaletteEntry(8),  PaletteEntry(9),  PaletteEntry(10), PaletteEntry(11),
    PaletteEntry(12), PaletteEntry(13), PaletteEntry(14), PaletteEntry(15),
};

// Every text is drawn white, on black where it has a background.
constexpr COLORREF kTextColour = RGB(255, 255, 255);
constexpr COLORREF kTextBackground = RGB(0, 0, 0);
