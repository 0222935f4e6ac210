// Helpers for the GDI conformance tests: DIB sections in memory DCs whose
// pixels the tests read and write directly. Windows API only.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>

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

// A memory DC holding a DIB section. Negative heights are top-down.
class DibSurface {
public:
    DibSurface(int width, int height, int bitCount, int colourCount = 0, const RGBQUAD* colours = nullptr)
        : width_(width), height_(height < 0 ? -height : height), bitCount_(bitCount), topDown_(height < 0)
    {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[256];
        } info;
        std::memset(&info, 0, sizeof info);
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = width;
        info.header.biHeight = height;
        info.header.biPlanes = 1;
        info.header.biBitCount = WORD(bitCount);
        info.header.biCompression = BI_RGB;
        info.header.biClrUsed = DWORD(colourCount);
        for (int i = 0; i < colourCount; ++i)
            info.colours[i] = colours != nullptr ? colours[i] : BaseColour(i);
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc_, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_, nullptr, 0);
        previous_ = SelectObject(dc_, bitmap_);
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
    HBITMAP bitmap() const { return bitmap_; }
    BYTE* bits() const { return static_cast<BYTE*>(bits_); }
    bool valid() const { return dc_ != nullptr && bitmap_ != nullptr && bits_ != nullptr && previous_ != nullptr; }

    // Bytes per memory row: DWORD-aligned.
    int stride() const { return ((width_ * bitCount_ + 31) / 32) * 4; }
    // The memory row holding device row y.
    BYTE* row(int y) const { return bits() + size_t(topDown_ ? y : height_ - 1 - y) * size_t(stride()); }

    // Pixels at device coordinates. Reading first runs any drawing Windows
    // may have batched: a GDI call that returns a value flushes the batch.
    BYTE& index(int x, int y) const { return row(y)[x]; }
    uint32_t& pixel(int x, int y) const { return reinterpret_cast<uint32_t*>(row(y))[x]; }
    void sync() const { GetPixel(dc_, 0, 0); }

private:
    int width_;
    int height_;
    int bitCount_;
    bool topDown_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    void* bits_ = nullptr;
};

}  // namespace gdi_test
