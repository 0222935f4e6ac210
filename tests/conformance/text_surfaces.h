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

inline HFONT MakeFont(int height)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = kSolidQuality;
    return CreateFontIndirectA(&description);
}

// A 32 bpp DIB section with its own font, every pixel set to `fill`.
class TextSurface {
public:
    TextSurface(int width, int height, uint32_t fill, int fontHeight = 16)
        : surface_(width, -height, 32), width_(width), height_(height), font_(MakeFont(fontHeight))
    {
        previousFont_ = SelectObject(surface_.dc(), font_);
        clear(fill);
    }
    ~TextSurface()
    {
        SelectObject(surface_.dc(), previousFont_);
        DeleteObject(font_);
    }
    TextSurface(const TextSurface&) = delete;
    TextSurface& operator=(const TextSurface&) = delete;

    bool valid() const { return surface_.valid() && font_ != nullptr && previousFont_ != nullptr; }
    HDC dc() const { return surface_.dc(); }
    int width() const { return width_; }
    int height() const { return height_; }

    void clear(uint32_t fill)
    {
        surface_.sync();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                surface_.pixel(x, y) = fill;
    }
    // Runs any drawing Windows batched, then reads the pixel.
    uint32_t at(int x, int y) const
    {
        surface_.sync();
        return surface_.pixel(x, y);
    }
    // The smallest box holding every pixel of the value; empty (right <=
    // left) when there is none.
    RECT box(uint32_t value) const
    {
        surface_.sync();
        RECT found = {width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (surface_.pixel(x, y) == value) {
                    found.left = x < found.left ? x : found.left;
                    found.top = y < found.top ? y : found.top;
                    found.right = x + 1 > found.right ? x + 1 : found.right;
                    found.bottom = y + 1 > found.bottom ? y + 1 : found.bottom;
                }
        return found;
    }
    bool sameAs(const TextSurface& other) const
    {
        surface_.sync();
        other.surface_.sync();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (surface_.pixel(x, y) != other.surface_.pixel(x, y))
                    return false;
        return true;
    }

private:
    gdi_test::DibSurface surface_;
    int width_;
    int height_;
    HFONT font_;
    HGDIOBJ previousFont_;
};

}  // namespace text_test
