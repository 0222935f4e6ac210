// Helpers for the text conformance tests: a font that any system draws
// without smoothing, and pixel boxes read back from DIB sections.
// Windows API only.
#pragma once

#include <windows.h>

#include <cstring>

#include "conformance/gdi_surfaces.h"

namespace text_test {

// NONANTIALIASED_QUALITY: Windows draws solid glyphs for it whatever the
// system's font smoothing. (The other systems draw solid glyphs always.)
constexpr BYTE kSolidQuality = 3;
constexpr BYTE kAnyCharset = 1;  // DEFAULT_CHARSET

inline HFONT MakeFont(int height)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfCharSet = kAnyCharset;
    description.lfQuality = kSolidQuality;
    return CreateFontIndirectA(&description);
}

// A top-down 32 bpp DIB section with its own font, every pixel `fill`.
class TextSurface : public gdi_test::DibSurface {
public:
    TextSurface(int width, int height, uint32_t fill, int fontHeight = 16)
        : DibSurface(width, -height, 32), font_(MakeFont(fontHeight)), previousFont_(SelectObject(dc(), font_))
    {
        this->fill(fill);
    }
    ~TextSurface()
    {
        SelectObject(dc(), previousFont_);
        DeleteObject(font_);
    }

    bool valid() const { return DibSurface::valid() && font_ != nullptr && previousFont_ != nullptr; }
    // Runs any drawing Windows batched, then reads the pixel.
    uint32_t at(int x, int y) const
    {
        sync();
        return pixel(x, y);
    }
    // The smallest box holding every pixel of the value; empty (right <=
    // left) when there is none.
    RECT box(uint32_t value) const
    {
        sync();
        RECT found = {width(), height(), 0, 0};
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (pixel(x, y) == value) {
                    found.left = x < found.left ? x : found.left;
                    found.top = y < found.top ? y : found.top;
                    found.right = x + 1 > found.right ? x + 1 : found.right;
                    found.bottom = y + 1 > found.bottom ? y + 1 : found.bottom;
                }
        return found;
    }
    // Whether every pixel outside `area` is `value`.
    ::testing::AssertionResult onlyInside(const RECT& area, uint32_t value) const
    {
        return holds([&](int x, int y) {
            const bool in = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
            return in ? pixel(x, y) & 0xFFFFFF : value;
        });
    }
    ::testing::AssertionResult sameAs(const TextSurface& other) const
    {
        other.sync();
        return holds([&](int x, int y) { return other.pixel(x, y) & 0xFFFFFF; });
    }

private:
    HFONT font_;
    HGDIOBJ previousFont_;
};

}  // namespace text_test
