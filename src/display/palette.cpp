#include "display/palette.h"

namespace {
// Indices 0..7 are the half-bright colours (bit 0 red, bit 1 green, bit 2
// blue at 128), 8..15 the same at full brightness; 7 becomes light grey
// and 8 dark grey.
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
}  // namespace

const RGBQUAD basePalette[16] = {
    PaletteEntry(0),  PaletteEntry(1),  PaletteEntry(2),  PaletteEntry(3),  PaletteEntry(4),  PaletteEntry(5),
    PaletteEntry(6),  PaletteEntry(7),  PaletteEntry(8),  PaletteEntry(9),  PaletteEntry(10), PaletteEntry(11),
    PaletteEntry(12), PaletteEntry(13), PaletteEntry(14), PaletteEntry(15),
};
