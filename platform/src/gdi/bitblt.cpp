// BitBlt and PatBlt, and the fills behind BLACKNESS and WHITENESS.
#include "gdi/gdi_private.h"

#include <algorithm>
#include <cstring>

namespace {

bool isFill(DWORD rop)
{
    return rop == BLACKNESS || rop == WHITENESS;
}

bool isSourceCopy(DWORD rop)
{
    return rop == SRCCOPY || rop == SRCPAINT;
}

// Negative sizes count back from x/y, as Windows takes them.
void normalise(int& x, int& width)
{
    if (width < 0) {
        x += width;
        width = -width;
    }
}

}  // namespace

// BLACKNESS sets every bit of a pixel to 0 and WHITENESS to 1, as on a
// Windows DIB: index 0 or 255 on 8 bpp, black or white on 1 and 32 bpp.
bool GdiFillRect(const GdiSurface& surface, int x, int y, int width, int height, DWORD rop)
{
    normalise(x, width);
    normalise(y, height);
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = int(std::min<int64_t>(int64_t(x) + width, surface.width));
    const int bottom = int(std::min<int64_t>(int64_t(y) + height, surface.height));
    if (left >= right || top >= bottom)
        return false;
    const bool white = rop == WHITENESS;
    for (int row = top; row < bottom; ++row) {
        uint8_t* line = surface.origin + ptrdiff_t(row) * surface.pitch;
        if (surface.bitsPerPixel == 32 && !white) {
            std::memset(line + ptrdiff_t(left) * 4, 0, size_t(right - left) * 4);
        } else if (surface.bitsPerPixel == 32) {
            std::fill_n(reinterpret_cast<uint32_t*>(line) + left, right - left, 0x00FFFFFFu);
        } else if (surface.bitsPerPixel == 8) {
            std::memset(line + left, white ? 0xFF : 0, size_t(right - left));
        } else {
            for (int column = left; column < right; ++column) {
                const uint8_t mask = uint8_t(0x80 >> (column & 7));
                line[column >> 3] = white ? uint8_t(line[column >> 3] | mask) : uint8_t(line[column >> 3] & ~mask);
            }
        }
    }
    return true;
}

BOOL WINAPI PatBlt(HDC handle, int x, int y, int width, int height, DWORD rop)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || !isFill(rop))
        return FALSE;
    GdiSurface surface;
    if (GdiDcSurface(dc, &surface) && GdiFillRect(surface, x, y, width, height, rop))
        GdiDcDrawn(dc);
    return TRUE;
}

// SRCCOPY, SRCPAINT, BLACKNESS and WHITENESS; other raster operations fail.
BOOL WINAPI BitBlt(HDC destHandle, int x, int y, int width, int height, HDC sourceHandle, int sourceX, int sourceY,
                   DWORD rop)
{
    GdiDc* dest = GdiLookupDc(destHandle);
    if (dest == nullptr)
        return FALSE;
    if (isFill(rop))
        return PatBlt(destHandle, x, y, width, height, rop);
    GdiDc* source = GdiLookupDc(sourceHandle);
    if (source == nullptr || !isSourceCopy(rop))
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
