// DIB sections in memory DCs whose pixels the GDI and text tests read and
// write directly, and a font any system draws solid. Windows API only.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace surfaces {

// The game's 16 colours: red, green and blue by bits 0, 1 and 2 of the
// index, at 128 below 8 and 255 from 8; 7 is light grey, 8 dark grey.
inline RGBQUAD BaseColour(int i)
{
    const BYTE level = i == 7 ? 192 : i <= 8 ? 128 : 255;
    return i == 7 || i == 8 ? RGBQUAD{level, level, level, 0}
                            : RGBQUAD{BYTE(i & 4 ? level : 0), BYTE(i & 2 ? level : 0), BYTE(i & 1 ? level : 0), 0};
}

// 0x00RRGGBB, as a 32-bit DIB stores the colour.
inline uint32_t BasePixel(int index)
{
    const RGBQUAD quad = BaseColour(index);
    return (uint32_t(quad.rgbRed) << 16) | (uint32_t(quad.rgbGreen) << 8) | quad.rgbBlue;
}

// A DIB section, 8 bpp ones with `colourCount` entries of `colours` (the
// base colours when null). Negative heights are top-down.
inline HBITMAP MakeDib(int width, int height, int bitCount, int colourCount = 0, const RGBQUAD* colours = nullptr,
                       void** bits = nullptr)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bitCount), BI_RGB, 0, 0, 0,
                                   DWORD(colourCount),       0};
    for (int i = 0; i < colourCount; ++i)
        info.colours[i] = colours != nullptr ? colours[i] : BaseColour(i);
    void* ignored = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits ? bits : &ignored,
                            nullptr, 0);
}

// NONANTIALIASED_QUALITY: solid glyphs whatever the system's smoothing.
inline HFONT MakeFont(int height)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfCharSet = 1;  // DEFAULT_CHARSET
    description.lfQuality = 3;
    return CreateFontIndirectA(&description);
}

// A memory DC holding an 8 or 32 bpp DIB section, and a font of `font`
// pixels when asked.
class Dib {
public:
    Dib(int width, int height, int bitCount, int colourCount = 0, const RGBQUAD* colours = nullptr, int font = 0)
        : width_(width),
          height_(height < 0 ? -height : height),
          bitCount_(bitCount),
          topDown_(height < 0),
          dc_(CreateCompatibleDC(nullptr)),
          bitmap_(MakeDib(width, height, bitCount, colourCount, colours, &bits_)),
          previous_(SelectObject(dc_, bitmap_)),
          font_(font ? MakeFont(font) : nullptr),
          previousFont_(font_ ? SelectObject(dc_, font_) : nullptr)
    {}
    ~Dib()
    {
        if (font_)
            DeleteObject(SelectObject(dc_, previousFont_));
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    HDC dc() const { return dc_; }
    BYTE* bits() const { return static_cast<BYTE*>(bits_); }
    bool valid() const { return dc_ && bitmap_ && bits_ && previous_ && !font_ == !previousFont_; }
    // Runs any drawing Windows batched (SaveDC flushes the batch).
    void sync() const { RestoreDC(dc_, SaveDC(dc_)); }
    // Device row y in memory; rows are DWORD-aligned.
    BYTE* row(int y) const
    {
        return bits() + size_t(topDown_ ? y : height_ - 1 - y) * size_t(((width_ * bitCount_ + 31) / 32) * 4);
    }
    BYTE& index(int x, int y) const { return row(y)[x]; }
    uint32_t& pixel(int x, int y) const { return reinterpret_cast<uint32_t*>(row(y))[x]; }
    // The index (8 bpp) or colour (32 bpp) at (x, y).
    uint32_t at(int x, int y) const { return bitCount_ == 8 ? index(x, y) : pixel(x, y) & 0xFFFFFF; }

    template <typename Value>
    void paint(Value value) const
    {
        sync();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                bitCount_ == 8 ? void(index(x, y) = BYTE(value(x, y))) : void(pixel(x, y) = uint32_t(value(x, y)));
    }
    void fill(uint32_t value) const
    {
        paint([=](int, int) { return value; });
    }
    template <typename Value>
    ::testing::AssertionResult holds(Value expected) const
    {
        sync();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (at(x, y) != uint32_t(expected(x, y)))
                    return ::testing::AssertionFailure() << std::hex << at(x, y) << " for " << uint32_t(expected(x, y))
                                                         << std::dec << " at " << x << "," << y;
        return ::testing::AssertionSuccess();
    }
    // The smallest box holding every pixel of `value`; empty when none.
    RECT box(uint32_t value) const
    {
        sync();
        RECT found = {width_, height_, 0, 0};
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x)
                if (at(x, y) == value)
                    found = RECT{x < found.left ? x : found.left, y < found.top ? y : found.top,
                                 x >= found.right ? x + 1 : found.right, y >= found.bottom ? y + 1 : found.bottom};
        return found;
    }

private:
    int width_, height_, bitCount_;
    bool topDown_;
    void* bits_ = nullptr;  // set by MakeDib, so declared before bitmap_
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    HFONT font_;
    HGDIOBJ previousFont_;
};

// "left,top,right,bottom": rectangles compared with readable failures.
inline std::string Str(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

}  // namespace surfaces
