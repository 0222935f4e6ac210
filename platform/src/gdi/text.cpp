// Text output: the DC's text and background colours and background mode,
// TextOutA, GetTextExtentPoint32A, and the clipped output and underline
// USER's DrawTextA is built on. Glyphs come from the glyph engine, drawn
// solid in the text colour with no anti-aliasing.
#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "text/glyphs.h"

#include <algorithm>
#include <cstring>

namespace {

// A rectangle in device coordinates, [left, right) x [top, bottom); wide
// enough that text far off the surface cannot overflow it.
struct Area {
    int64_t left, top, right, bottom;

    bool Empty() const { return left >= right || top >= bottom; }
    Area Intersect(const Area& other) const
    {
        return Area{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                    std::min(bottom, other.bottom)};
    }
};

// Where output may land: the surface, and the clip rectangle if any.
Area DrawableArea(const GdiSurface& surface, const RECT* clip)
{
    Area area{0, 0, surface.width, surface.height};
    if (clip != nullptr)
        area = area.Intersect(Area{clip->left, clip->top, clip->right, clip->bottom});
    return area;
}

// Fills `area`, which lies inside the surface or is empty.
void FillArea(const GdiSurface& surface, const Area& area, uint32_t pixel)
{
    if (area.Empty())
        return;
    for (int64_t y = area.top; y < area.bottom; ++y) {
        uint8_t* row = surface.origin + ptrdiff_t(y) * surface.pitch;
        if (surface.bitsPerPixel == 32) {
            std::fill(reinterpret_cast<uint32_t*>(row) + area.left, reinterpret_cast<uint32_t*>(row) + area.right,
                      pixel);
        } else if (surface.bitsPerPixel == 8) {
            std::memset(row + area.left, int(pixel), size_t(area.right - area.left));
        } else {
            for (int64_t x = area.left; x < area.right; ++x)
                GdiWritePixel(surface, int(x), int(y), pixel);
        }
    }
}

// Runs of glyph pixels reported relative to the drawable area's corner.
struct SpanTarget {
    const GdiSurface* surface;
    int left;
    int top;
    uint32_t pixel;
};

void WriteSpan(void* context, int y, int x0, int x1)
{
    const auto* target = static_cast<const SpanTarget*>(context);
    Area span{target->left + int64_t(x0), target->top + int64_t(y), target->left + int64_t(x1),
              target->top + int64_t(y) + 1};
    FillArea(*target->surface, span, target->pixel);
}

// The glyphs of the text with the cell's top-left at (x, y), limited to
// `area` (inside the surface). Top-down 32 and 8 bpp rows are drawn into
// directly; other layouts take the glyphs as runs.
void DrawGlyphs(const GdiSurface& surface, const Area& area, TextFace* face, const char* text, size_t length, int64_t x,
                int64_t y, uint32_t pixel)
{
    if (area.Empty())
        return;
    const int width = int(area.right - area.left), height = int(area.bottom - area.top);
    // The engine takes int positions: text starting far outside the area
    // draws nothing there, whatever its exact position.
    const int64_t far = int64_t(1) << 30;
    const int localX = int(std::clamp<int64_t>(x - area.left, -far, far));
    const int localY = int(std::clamp<int64_t>(y - area.top, -far, far));
    uint8_t* corner = surface.origin + ptrdiff_t(area.top) * surface.pitch;
    if (surface.pitch > 0 && surface.bitsPerPixel == 32) {
        TextDraw32(face, text, length, localX, localY, pixel, reinterpret_cast<uint32_t*>(corner) + area.left, width,
                   height, int(surface.pitch / 4));
    } else if (surface.pitch > 0 && surface.bitsPerPixel == 8) {
        TextDraw8(face, text, length, localX, localY, uint8_t(pixel), corner + area.left, width, height,
                  int(surface.pitch));
    } else {
        SpanTarget target{&surface, int(area.left), int(area.top), pixel};
        TextDrawSpans(face, text, length, localX, localY, width, height, WriteSpan, &target);
    }
}

TextFace* DcFace(GdiDc* dc)
{
    return GdiFontFace(dc->state.font);
}

}  // namespace

COLORREF WINAPI SetTextColor(HDC handle, COLORREF colour)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return CLR_INVALID;
    const COLORREF previous = dc->state.textColour;
    dc->state.textColour = colour;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC handle, COLORREF colour)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return CLR_INVALID;
    const COLORREF previous = dc->state.backColour;
    dc->state.backColour = colour;
    return previous;
}

int WINAPI SetBkMode(HDC handle, int mode)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE))
        return 0;
    const int previous = dc->state.backMode;
    dc->state.backMode = mode;
    return previous;
}

BOOL WINAPI GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, LPSIZE size)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || count < 0 || size == nullptr || (text == nullptr && count > 0))
        return FALSE;
    TextFace* face = DcFace(dc);
    if (face == nullptr)
        return FALSE;
    size->cx = count > 0 ? TextMeasure(face, text, size_t(count)) : 0;
    size->cy = TextCellHeight(face);
    return TRUE;
}

BOOL GdiTextOutClipped(HDC handle, int x, int y, const RECT* clip, LPCSTR text, int count)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || count < 0 || (text == nullptr && count > 0))
        return FALSE;
    TextFace* face = DcFace(dc);
    if (face == nullptr)
        return FALSE;
    GdiSurface surface;
    if (count == 0 || !GdiDcSurface(dc, &surface))
        return TRUE;
    const Area area = DrawableArea(surface, clip);
    if (area.Empty())
        return TRUE;

    const size_t length = size_t(count);
    if (dc->state.backMode == OPAQUE) {
        const Area cell{x, y, x + int64_t(TextMeasure(face, text, length)), y + int64_t(TextCellHeight(face))};
        FillArea(surface, area.Intersect(cell), GdiColourToPixel(surface, dc->state.backColour));
    }
    DrawGlyphs(surface, area, face, text, length, x, y, GdiColourToPixel(surface, dc->state.textColour));
    GdiDcDrawn(dc);
    return TRUE;
}

// The reference point is the top-left of the first character cell
// (TA_TOP | TA_LEFT).
BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int count)
{
    return GdiTextOutClipped(handle, x, y, nullptr, text, count);
}

BOOL GdiTextUnderline(HDC handle, int x0, int x1, int cellTop, const RECT* clip)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return FALSE;
    TextFace* face = DcFace(dc);
    if (face == nullptr)
        return FALSE;
    GdiSurface surface;
    if (!GdiDcSurface(dc, &surface))
        return TRUE;
    const int64_t row = int64_t(cellTop) + TextAscent(face) + 1;
    const Area line = DrawableArea(surface, clip).Intersect(Area{x0, row, x1, row + 1});
    if (line.Empty())
        return TRUE;
    FillArea(surface, line, GdiColourToPixel(surface, dc->state.textColour));
    GdiDcDrawn(dc);
    return TRUE;
}
