// Pixel format conversion for blits between 1, 8 and 32 bpp surfaces.
#include "gdi/gdi_private.h"

#include <algorithm>
#include <cstring>

namespace {

uint32_t EntryRgb(const GdiSurface& surface, int index)
{
    return index < surface.colourCount ? GdiQuadToRgb(surface.colours[index]) : 0;
}

bool SameTables(const GdiSurface& a, const GdiSurface& b)
{
    return a.colourCount == b.colourCount &&
           std::memcmp(a.colours, b.colours, sizeof(RGBQUAD) * size_t(a.colourCount)) == 0;
}

// The source's background colour as the source itself holds it (its
// nearest table entry for 8 bpp), which pixels are compared against.
uint32_t SourceBackRgb(const GdiDc* sourceDc, const GdiSurface& source)
{
    const uint32_t rgb = GdiColourRefToRgb(sourceDc->state.backColour);
    if (source.bitsPerPixel == 32)
        return rgb;
    return EntryRgb(source, int(GdiNearestIndex(source.colours, source.colourCount, rgb)));
}

}  // namespace

void GdiBuildConversion(GdiConversion* conversion, const GdiDc* destDc, const GdiSurface& dest, const GdiDc* sourceDc,
                        const GdiSurface& source)
{
    conversion->identity = false;
    conversion->destColours = dest.colours;
    conversion->destCount = dest.colourCount;
    conversion->backRgb = SourceBackRgb(sourceDc, source);
    conversion->cacheIn = 0xFFFFFFFF;
    conversion->cacheOut = 0;

    if (source.bitsPerPixel == 1) {
        if (dest.bitsPerPixel == 1) {
            conversion->identity = true;
            conversion->lut[0] = 0;
            conversion->lut[1] = 1;
        } else {
            conversion->lut[0] = GdiColourToPixel(dest, destDc->state.textColour);
            conversion->lut[1] = GdiColourToPixel(dest, destDc->state.backColour);
        }
        return;
    }
    if (source.bitsPerPixel == 8) {
        if (dest.bitsPerPixel == 8 && SameTables(source, dest)) {
            conversion->identity = true;
            for (uint32_t i = 0; i < 256; ++i)
                conversion->lut[i] = i;
            return;
        }
        if (dest.bitsPerPixel == 32) {
            // Indices past the table's end read as black.
            const int count = std::min(source.colourCount, 256);
            for (int i = 0; i < count; ++i)
                conversion->lut[i] = GdiQuadToRgb(source.colours[i]);
            std::fill(conversion->lut + count, conversion->lut + 256, 0u);
            return;
        }
        for (int i = 0; i < 256; ++i) {
            const uint32_t rgb = EntryRgb(source, i);
            if (dest.bitsPerPixel == 32)
                conversion->lut[i] = rgb;
            else if (dest.bitsPerPixel == 8)
                conversion->lut[i] = conversion->Nearest(rgb);
            else
                conversion->lut[i] = rgb == conversion->backRgb ? 1 : 0;
        }
        return;
    }
    conversion->identity = dest.bitsPerPixel == 32;
}
