// Helpers for the platform GDI and text tests: the game's font description,
// a font selected into a DC for a test's span, and a window's client
// pixels with a window DC drawing into them.
#pragma once

#include <cstring>
#include <vector>

#include "conformance/gdi_surfaces.h"
#include "win32_private.h"
#include "user/window_pixels.h"

namespace text_gdi_test {

// The fixed-pitch Japanese face the game asks for.
const char kMincho[] = "ＭＳ 明朝";

// A description like the game's: Shift-JIS "ＭＳ 明朝", draft quality.
inline LOGFONTA GameFont(int height, const char* face = kMincho)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfOutPrecision = OUT_DEVICE_PRECIS;
    description.lfQuality = DRAFT_QUALITY;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return description;
}

// Creates a font and selects it into `dc`; puts the old font back and
// deletes this one at the end.
class SelectedFont {
public:
    SelectedFont(HDC dc, const LOGFONTA& description)
        : dc_(dc), font_(CreateFontIndirectA(&description)), previous_(SelectObject(dc_, font_))
    {
    }
    ~SelectedFont()
    {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;
    bool valid() const { return font_ != nullptr && previous_ != nullptr; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

inline SIZE Extent(HDC dc, const char* text, int count = -1)
{
    SIZE size = {-1, -1};
    GetTextExtentPoint32A(dc, text, count < 0 ? int(std::strlen(text)) : count, &size);
    return size;
}

// Stands in for USER: a client area of `fill` pixels, reallocated on
// resize, and the window DC drawing into it.
struct Window {
    std::vector<uint32_t> pixels;
    WindowPixels target = {nullptr, 0, 0, false};
    HDC dc;

    Window(int width, int height, uint32_t fill) : dc(GdiCreateWindowDc(&target)) { resize(width, height, fill); }
    ~Window() { GdiDestroyWindowDc(dc); }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    void resize(int width, int height, uint32_t fill)
    {
        pixels.assign(size_t(width) * size_t(height), fill);
        target = WindowPixels{width ? pixels.data() : nullptr, width, height, false};
    }
    uint32_t at(int x, int y) const { return pixels[size_t(y) * size_t(target.width) + size_t(x)]; }
};

}  // namespace text_gdi_test
