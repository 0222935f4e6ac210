// Helpers for the GDI tests: DIB sections in memory DCs whose pixels the
// tests read and write directly. Windows API only.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>

namespace gdi_test {

// The game's 16-colour table: i = 0..7 has red/green/blue 128 by bits 0/1/2
// of i, i + 8 the same with 255; 7 is light grey and 8 dark grey.
inline RGBQUAD BaseColour(int index)
{
    const BYTE level = index < 8 ? 128 : 255;
    RGBQUAD quad = {BYTE(index & 4 ? level : 0), BYTE(index & 2 ? level : 0), BYTE(index & 1 ? level : 0), 0};
    if (index == 7)
        quad = RGBQUAD{192, 192, 192, 0};
    if (index == 8)
        quad = RGBQUAD{128, 128, 128, 0};
    return quad;
}

inline COLORREF BaseColourRef(int index)
{
    const RGBQUAD quad = BaseColour(index);
    return RGB(quad.rgbRed, quad.rgbGreen, quad.rgbBlue);
}

// 0x00RRGGBB, as a 32-bit DIB stores the colour.
inline uint32_t BaseColourPixel(int index)
{
    const RGBQUAD quad = BaseColour(index);
    return (uint32_t(quad.rgbRed) << 16) | (uint32_t(quad.rgbGreen) << 8) | quad.rgbBlue;
}

// A DIB section; 8 bpp ones get `colourCount` entries of `colours` (the
// base colours when null). Negative heights are top-down.
inline HBITMAP MakeDib(int width, int height, int bitCount, int colourCount = 0, const RGBQUAD* colours = nullptr,
                       void** bits = nullptr)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bitCount), BI_RGB, 0, 0, 0,
                                   DWORD(colourCount), 0};
    for (int i = 0; i < colourCount; ++i)
        info.colours[i] = colours != nullptr ? colours[i] : BaseColour(i);
    void* ignored = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, bits ? bits : &ignored,
                            nullptr, 0);
}

// A memory DC holding a DIB section (8 or 32 bpp).
class DibSurface {
public:
    DibSurface(int width, int height, int bitCount, int colourCount = 0, const RGBQUAD* colours = nullptr)
        : width_(width), height_(height < 0 ? -height : height), bitCount_(bitCount), topDown_(height < 0),
          dc_(CreateCompatibleDC(nullptr)), bitmap_(MakeDib(width, height, bitCount, colourCount, colours, &bits_)),
          previous_(SelectObject(dc_, bitmap_))
    {
    }
    ~DibSurface()
    {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }
    BYTE* bits() const { return static_cast<BYTE*>(bits_); }
    bool valid() const { return dc_ != nullptr && bitmap_ != nullptr && bits_ != nullptr && previous_ != nullptr; }

    // The memory row holding device row y; rows are DWORD-aligned.
    BYTE* row(int y) const
    {
        const size_t stride = size_t(((width_ * bitCount_ + 31) / 32) * 4);
        return bits() + size_t(topDown_ ? y : height_ - 1 - y) * stride;
    }

    // Pixels at device coordinates. Reading first runs any drawing Windows
    // may have batched: a GDI call that does not return a BOOL (SaveDC)
    // flushes the batch.
    BYTE& index(int x, int y) const { return row(y)[x]; }
    uint32_t& pixel(int x, int y) const { return reinterpret_cast<uint32_t*>(row(y))[x]; }
    void sync() const { RestoreDC(dc_, SaveDC(dc_)); }

    // Sets every index (8 bpp) or pixel (32 bpp) to value(x, y).
    template <typename Value>
    void paint(Value value) const
    {
        sync();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                if (bitCount_ == 8)
                    index(x, y) = BYTE(value(x, y));
                else
                    pixel(x, y) = uint32_t(value(x, y));
            }
    }
    void fill(uint32_t value) const
    {
        paint([=](int, int) { return value; });
    }

    // Whether every index, or pixel's colour bits, is expected(x, y).
    template <typename Value>
    ::testing::AssertionResult holds(Value expected) const
    {
        sync();
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const uint32_t got = bitCount_ == 8 ? index(x, y) : pixel(x, y) & 0xFFFFFF;
                const uint32_t want = uint32_t(expected(x, y));
                if (got != want)
                    return ::testing::AssertionFailure() << std::hex << got << " instead of " << want << std::dec
                                                         << " at " << x << "," << y;
            }
        return ::testing::AssertionSuccess();
    }

private:
    int width_;
    int height_;
    int bitCount_;
    bool topDown_;
    void* bits_ = nullptr;  // set by MakeDib, so declared before bitmap_
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

}  // namespace gdi_test
