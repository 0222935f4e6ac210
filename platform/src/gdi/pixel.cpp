// Pixel values and colours: colour-table matching.
#include "gdi/gdi_private.h"

uint32_t GdiNearestIndex(const RGBQUAD* colours, int count, uint32_t rgb)
{
    const int red = int((rgb >> 16) & 0xFF), green = int((rgb >> 8) & 0xFF), blue = int(rgb & 0xFF);
    uint32_t best = 0;
    int bestDistance = 0x7FFFFFFF;
    for (int i = 0; i < count; ++i) {
        const int dr = colours[i].rgbRed - red, dg = colours[i].rgbGreen - green, db = colours[i].rgbBlue - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            if (distance == 0)
                return uint32_t(i);
            best = uint32_t(i);
            bestDistance = distance;
        }
    }
    return best;
}

uint32_t GdiColourToPixel(const GdiSurface& surface, COLORREF colour)
{
    const uint32_t rgb = GdiColourRefToRgb(colour);
    if (surface.bitsPerPixel == 32)
        return rgb;
    return GdiNearestIndex(surface.colours, surface.colourCount, rgb);
}

COLORREF GdiPixelToColour(const GdiSurface& surface, uint32_t pixel)
{
    if (surface.bitsPerPixel == 32)
        return GdiRgbToColourRef(pixel & 0xFFFFFF);
    // Indices past the table's end read as black.
    if (pixel >= uint32_t(surface.colourCount))
        return RGB(0, 0, 0);
    return GdiRgbToColourRef(GdiQuadToRgb(surface.colours[pixel]));
}
