// GDI internals shared by the files of gdi/ and by the text functions:
// object kinds, the handle table, device context state and the drawing
// surface a context stands for.
#pragma once

#include "win32_private.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct WindowPixels;

enum class GdiKind : uint32_t { Bitmap = 1, Font = 2, Dc = 3 };

// Common head of every object. Handles are pointers to these; a handle is
// only trusted once the table (GdiLookup) knows it.
struct GdiObject {
    uint32_t magic;  // kGdiMagic while alive
    GdiKind kind;
    bool stock;          // stock objects are never freed nor counted
    bool deletePending;  // DeleteObject came while selected; freed on release
    uint64_t serial;     // unique per object, so a reused address is told apart
};

constexpr uint32_t kGdiMagic = 0x47444930;  // "GDI0"

struct GdiDc;

// Bitmaps: monochrome device bitmaps (1 bpp, black/white), 32 bpp device
// bitmaps (0x00RRGGBB) and DIB sections of 8 bpp (colour table) or 32 bpp.
struct GdiBitmap : GdiObject {
    int width;
    int height;
    int bitsPerPixel;      // 1, 8 or 32
    int stride;            // bytes per memory row, DWORD-aligned
    bool topDown;          // memory row 0 is device row 0
    bool dibSection;       // made by CreateDIBSection (or as one by CreateCompatibleBitmap)
    uint8_t* bits;         // owned; stays put for the bitmap's life
    int colourCount;       // entries in use in `colours` (0 for 32 bpp)
    RGBQUAD colours[256];  // unused entries are black
    GdiDc* selectedIn;     // the one DC holding it (not tracked for the stock bitmap)
};

// Font objects: the description only; glyphs come from the text module,
// which may hang a cache of its own on the font (set both fields; freeCache
// runs when the font is freed).
struct GdiFont : GdiObject {
    LOGFONTA description;
    int selectCount;  // DCs holding it now
    void* cache;
    void (*freeCache)(void* cache);
};

// Everything a DC remembers; set to defaults by GdiInitialDcState, copied
// whole by SaveDC.
struct GdiDcState {
    GdiBitmap* bitmap;      // the stock bitmap until another is selected
    GdiFont* font;          // the stock font until another is selected
    uint64_t bitmapSerial;  // serials of the two, checked when a saved state returns
    uint64_t fontSerial;
    int stretchMode;      // BLACKONWHITE
    COLORREF textColour;  // black
    COLORREF backColour;  // white
    int backMode;         // OPAQUE (2)
};

struct GdiDc : GdiObject {
    WindowPixels* window;  // non-null for a window DC: draws into its pixels
    GdiDcState state;
    std::vector<GdiDcState> saved;  // SaveDC stack, level 1 first
};

// Where a DC draws: device row y starts at origin + y * pitch (pitch is
// negative for bottom-up DIBs). `id` is the same for two surfaces that
// share memory.
struct GdiSurface {
    uint8_t* origin;
    ptrdiff_t pitch;
    int width;
    int height;
    int bitsPerPixel;        // 1, 8 or 32
    const RGBQUAD* colours;  // colour table for 1 and 8 bpp, else null
    int colourCount;
    const void* id;
};

// Handle table (objects.cpp).
void GdiRegister(GdiObject* object);
// False once the process holds as many objects as its quota allows; every
// creation then fails, as it does on Windows when the GDI quota is spent.
bool GdiHasRoom();
void GdiUnregister(GdiObject* object);
GdiObject* GdiLookup(const void* handle);
GdiBitmap* GdiLookupBitmap(const void* handle);
GdiFont* GdiLookupFont(const void* handle);
GdiDc* GdiLookupDc(const void* handle);
GdiBitmap* GdiStockBitmap();
GdiFont* GdiStockFont();

// Freeing objects whose last user let go (objects.cpp).
void GdiFreeBitmap(GdiBitmap* bitmap);
void GdiFreeFont(GdiFont* font);

// DC helpers (dc.cpp).
void GdiInitialDcState(GdiDcState* state);
// The context's drawing surface now; false when it has nothing to draw on.
bool GdiDcSurface(const GdiDc* dc, GdiSurface* surface);
// Called after drawing on the DC's surface (marks a window dirty).
void GdiDcDrawn(GdiDc* dc);

// Bitmaps (bitmap.cpp). Contents start zeroed; null when too large.
GdiBitmap* GdiNewBitmap(int width, int height, int bitsPerPixel, bool topDown, bool dibSection);
void GdiBitmapSurface(const GdiBitmap* bitmap, GdiSurface* surface);

// Pixel values (pixel.cpp).
// The surface's pixel value nearest to a COLORREF (an index for 1 and 8
// bpp: the first exact match, else the nearest entry; 0x00RRGGBB for 32).
uint32_t GdiColourToPixel(const GdiSurface& surface, COLORREF colour);
// The COLORREF of a pixel value of the surface.
COLORREF GdiPixelToColour(const GdiSurface& surface, uint32_t pixel);
// Nearest entry of a colour table to 0x00RRGGBB.
uint32_t GdiNearestIndex(const RGBQUAD* colours, int count, uint32_t rgb);
inline uint32_t GdiQuadToRgb(const RGBQUAD& quad)
{
    return (uint32_t(quad.rgbRed) << 16) | (uint32_t(quad.rgbGreen) << 8) | quad.rgbBlue;
}
inline COLORREF GdiRgbToColourRef(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}
inline uint32_t GdiColourRefToRgb(COLORREF colour)
{
    return (uint32_t(GetRValue(colour)) << 16) | (uint32_t(GetGValue(colour)) << 8) | GetBValue(colour);
}

// One pixel value of a surface; (x, y) must lie inside it.
inline uint32_t GdiReadPixel(const GdiSurface& surface, int x, int y)
{
    const uint8_t* row = surface.origin + ptrdiff_t(y) * surface.pitch;
    if (surface.bitsPerPixel == 1)
        return (row[x >> 3] >> (7 - (x & 7))) & 1;
    if (surface.bitsPerPixel == 8)
        return row[x];
    return reinterpret_cast<const uint32_t*>(row)[x];
}

inline void GdiWritePixel(const GdiSurface& surface, int x, int y, uint32_t pixel)
{
    uint8_t* row = surface.origin + ptrdiff_t(y) * surface.pitch;
    if (surface.bitsPerPixel == 1) {
        const uint8_t mask = uint8_t(0x80 >> (x & 7));
        row[x >> 3] = pixel ? uint8_t(row[x >> 3] | mask) : uint8_t(row[x >> 3] & ~mask);
    } else if (surface.bitsPerPixel == 8) {
        row[x] = uint8_t(pixel);
    } else {
        reinterpret_cast<uint32_t*>(row)[x] = pixel;
    }
}

// How a blit turns source pixel values into destination pixel values
// (convert.cpp). Monochrome sources take the destination DC's text colour
// for 0 and background colour for 1; colour sources going to monochrome
// give 1 where they match the source DC's background colour.
struct GdiConversion {
    uint32_t lut[256];           // for 1 and 8 bpp sources: value -> value
    bool identity;               // values carry over unchanged
    const RGBQUAD* destColours;  // 32 bpp to 8 bpp: nearest entry of these
    int destCount;
    uint32_t backRgb;  // 32 bpp to 1 bpp: the source's background
    uint32_t cacheIn;  // last 32 bpp value matched, and its entry
    uint32_t cacheOut;

    uint32_t Nearest(uint32_t pixel)
    {
        pixel &= 0xFFFFFF;
        if (pixel != cacheIn) {
            cacheIn = pixel;
            cacheOut = GdiNearestIndex(destColours, destCount, pixel);
        }
        return cacheOut;
    }
};
void GdiBuildConversion(GdiConversion* conversion, const GdiDc* destDc, const GdiSurface& dest, const GdiDc* sourceDc,
                        const GdiSurface& source);

// 8-bit pixels to 32-bit values through `lut` (convert_rows.cpp): `count`
// values from as many indices; or, doubled, each index gives two values,
// starting with the second of source[0]'s two when `startOdd`.
void GdiConvertRow8To32(uint32_t* dest, const uint8_t* source, int count, const uint32_t* lut);
void GdiConvertRow8To32Doubled(uint32_t* dest, const uint8_t* source, int count, bool startOdd, const uint32_t* lut);
// The instruction sets the 8-bit row loops may use; whether the processor
// offers one.
enum class GdiRowPath { Scalar, Ssse3, Avx2 };
bool GdiRowPathOffered(GdiRowPath path);
// The widest path the loops may take (the test seams narrow it).
void GdiLimitRowPath(GdiRowPath widest);
// `count` 32-bit values, each of source's twice, the first the second of
// source[0]'s two when `startOdd`.
void GdiDoubleRow32(uint32_t* dest, const uint32_t* source, int count, bool startOdd);
// dest[i] |= source[i] for `count` 32-bit values of rows that do not overlap.
void GdiOrRow32(uint32_t* dest, const uint32_t* source, int count);

// Fills a rectangle (in device coordinates, any size) with BLACKNESS: every
// bit of a pixel 0; returns whether anything was drawn (bitblt.cpp).
bool GdiFillBlack(const GdiSurface& surface, int x, int y, int width, int height);

// Copies source pixels to the destination, each destination pixel taking
// the source pixel at its sample centre; clipped to both surfaces. Widths
// and heights may be negative to mirror. `rop` is SRCCOPY or SRCPAINT.
// Returns whether anything was drawn (stretchblt.cpp).
bool GdiSampledBlit(GdiDc* destDc, const GdiSurface& dest, int x, int y, int width, int height, const GdiDc* sourceDc,
                    const GdiSurface& source, int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop);

// For the test seams (gdi_seams.cpp): the objects alive now (stock ones
// not counted), and how many may be.
int GdiLiveObjects();
void GdiSetQuota(int quota);
// Tests choose each row path in turn: false when the processor lacks it
// (the widest offered is then used).
bool GdiChooseRowPath(GdiRowPath path);
