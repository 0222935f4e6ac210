// BitBlt and PatBlt, and the black fill behind BLACKNESS.
#include "gdi/gdi_private.h"

#include <algorithm>
#include <cstring>

namespace {

// Negative sizes count back from x/y, as Windows takes them.
void Normalise(int& x, int& width)
{
    if (width < 0) {
        x += width;
        width = -width;
    }
}

}  // namespace

// BLACKNESS sets every bit of a pixel to 0, as on a Windows DIB: index 0
// on 8 bpp, black on 1 and 32 bpp.
bool GdiFillBlack(const GdiSurface& surface, int x, int y, int width, int height)
{
    Normalise(x, width);
    Normalise(y, height);
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = int(std::min<int64_t>(int64_t(x) + width, surface.width));
    const int bottom = int(std::min<int64_t>(int64_t(y) + height, surface.height));
    if (left >= right || top >= bottom)
        return false;
    for (int row = top; row < bottom; ++row) {
        uint8_t* line = surface.origin + ptrdiff_t(row) * surface.pitch;
        if (surface.bitsPerPixel != 1) {
            const int bytes = surface.bitsPerPixel / 8;
            std::memset(line + ptrdiff_t(left) * bytes, 0, size_t(right - left) * size_t(bytes));
            continue;
        }
        for (int column = left; column < right; ++column)
            line[column >> 3] = uint8_t(line[column >> 3] & ~(0x80 >> (column & 7)));
    }
    return true;
}

// BLACKNESS only; other raster operations fail.
BOOL WINAPI PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || rop != BLACKNESS)
        return FALSE;
    GdiSurface surface;
    if (GdiDcSurface(dc, &surface) && GdiFillBlack(surface, x, y, width, height))
        GdiDcDrawn(dc);
    return TRUE;
}

// SRCCOPY and SRCPAINT; other raster operations fail.
BOOL WINAPI BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                   DWORD rop)
{
    GdiDc* dest = GdiLookupDc(destHandle);
    GdiDc* source = GdiLookupDc(sourceHandle);
    if (dest == nullptr || source == nullptr || (rop != SRCCOPY && rop != SRCPAINT))
        return FALSE;
    // Both rectangles move together, so a negative size mirrors nothing.
    if (width < 0) {
        x += width;
        sourceX += width;
        width = -width;
    }
    if (height < 0) {
        y += height;
        sourceY += height;
        height = -height;
    }
    GdiSurface destSurface, sourceSurface;
    if (!GdiDcSurface(dest, &destSurface) || !GdiDcSurface(source, &sourceSurface))
        return TRUE;
    if (GdiSampledBlit(dest, destSurface, x, y, width, height, source, sourceSurface, sourceX, sourceY, width, height,
                       rop))
        GdiDcDrawn(dest);
    return TRUE;
}
