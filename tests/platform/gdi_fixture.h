// The game's font, a font selected for a scope, a client area with its window DC.
#pragma once

#include <cstring>
#include <vector>

#include "conformance/surfaces.h"
#include "user/window_pixels.h"
#include "win32_private.h"

using surfaces::BasePixel;
using surfaces::Dib;

const char kMincho[] = "ＭＳ 明朝";

// As the game describes its font: Shift-JIS, draft quality.
inline LOGFONTA GameFont(int height, const char* face = kMincho)
{
    LOGFONTA description = {};
    description.lfHeight = height;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfOutPrecision = OUT_DEVICE_PRECIS;
    description.lfQuality = DRAFT_QUALITY;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return description;
}

struct SelectedFont {
    HDC dc;
    HFONT font;
    HGDIOBJ previous;
    SelectedFont(HDC dc, const LOGFONTA& description)
        : dc(dc), font(CreateFontIndirectA(&description)), previous(SelectObject(dc, font))
    {}
    ~SelectedFont() { DeleteObject(SelectObject(dc, previous)); }
};

inline SIZE Extent(HDC dc, const char* text, int count = -1)
{
    SIZE size = {-1, -1};
    GetTextExtentPoint32A(dc, text, count < 0 ? int(std::strlen(text)) : count, &size);
    return size;
}

// A client area of `fill` pixels, reallocated on resize, and its window DC.
struct Window {
    std::vector<uint32_t> pixels;
    WindowPixels target = {nullptr, 0, 0, false};
    HDC dc;

    Window(int width, int height, uint32_t fill) : dc(GdiCreateWindowDc(&target)) { resize(width, height, fill); }
    ~Window() { GdiDestroyWindowDc(dc); }
    void resize(int width, int height, uint32_t fill)
    {
        pixels.assign(size_t(width) * size_t(height), fill);
        target = WindowPixels{width ? pixels.data() : nullptr, width, height, false};
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(target.width) + size_t(x)]; }
};
