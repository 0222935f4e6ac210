// Blits as platform/ does them: the centre-sample rule of StretchBlt,
// format conversions that use the DCs' colours, overlapping copies, and
// what is refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "conformance/gdi_surfaces.h"
#include "gdi/gdi_private.h"
#include "user/window_pixels.h"

using gdi_test::BaseColour;
using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

namespace {

int Sample(int d, int sourceSize, int destSize)
{
    return int(((2 * int64_t(d) + 1) * sourceSize) / (2 * int64_t(destSize)));
}

uint32_t Tag(int x, int y)
{
    return (uint32_t(y) << 12) | uint32_t(x);
}

// Each destination pixel takes the source pixel at its centre: checked on
// the window sizes the game stretches to, from a 32-bit source whose every
// pixel is distinct, and the 8-bit path (palette lookup, repeated rows)
// gives the same picture as the 32-bit one.
TEST(GdiBlit, StretchTakesTheSourcePixelUnderEachCentre)
{
    DibSurface tagged(320, -240, 32);
    DibSurface frame(320, 240, 8, 16);
    DibSurface framed(320, -240, 32);
    ASSERT_TRUE(tagged.valid() && frame.valid() && framed.valid());
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            tagged.pixel(x, y) = Tag(x, y);
            frame.index(x, y) = BYTE((x * 5 + y * 3) % 16);
        }
    ASSERT_TRUE(BitBlt(framed.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));

    const int sizes[][2] = {{640, 480}, {1024, 768}, {1366, 768}, {1920, 1080}, {160, 120}, {333, 97}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        std::vector<uint32_t> pixels(size_t(width) * height), fromFrame(size_t(width) * height);
        WindowPixels target = {pixels.data(), width, height, false};
        WindowPixels frameTarget = {fromFrame.data(), width, height, false};
        HDC window = GdiCreateWindowDc(&target);
        HDC frameWindow = GdiCreateWindowDc(&frameTarget);
        ASSERT_TRUE(StretchBlt(window, 0, 0, width, height, tagged.dc(), 0, 0, 320, 240, SRCCOPY));
        ASSERT_TRUE(StretchBlt(frameWindow, 0, 0, width, height, frame.dc(), 0, 0, 320, 240, SRCCOPY));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int sx = Sample(x, 320, width), sy = Sample(y, 240, height);
                const size_t at = size_t(y) * width + x;
                ASSERT_EQ(pixels[at], Tag(sx, sy)) << width << "x" << height << " at " << x << "," << y;
                ASSERT_EQ(fromFrame[at], framed.pixel(sx, sy)) << width << "x" << height << " at " << x << "," << y;
            }
        GdiDestroyWindowDc(window);
        GdiDestroyWindowDc(frameWindow);
    }
}

// Past 8192 columns the row is done in passes; a negative width mirrors;
// a source rectangle reaching outside the bitmap leaves those pixels alone.
TEST(GdiBlit, WideMirroredAndPartlyOutsideStretches)
{
    DibSurface source(100, -2, 32);
    ASSERT_TRUE(source.valid());
    for (int x = 0; x < 100; ++x)
        source.pixel(x, 0) = source.pixel(x, 1) = Tag(x, 0) + 1;

    std::vector<uint32_t> wide(10000, 0xEEEEEE);
    WindowPixels target = {wide.data(), 10000, 1, false};
    HDC window = GdiCreateWindowDc(&target);
    ASSERT_TRUE(StretchBlt(window, 0, 0, 10000, 1, source.dc(), 0, 0, 100, 1, SRCCOPY));
    for (int x = 0; x < 10000; ++x)
        ASSERT_EQ(wide[x], Tag(Sample(x, 100, 10000), 0) + 1) << x;

    // Destination (10,0)-(0,1) from source (0,0)-(10,1): reversed.
    ASSERT_TRUE(StretchBlt(window, 10, 0, -10, 1, source.dc(), 0, 0, 10, 1, SRCCOPY));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(wide[x], Tag(9 - x, 0) + 1) << x;
    // Source (90,0)-(110,1) doubled onto (0,0)-(40,1): the half past the
    // source's edge is left as it was.
    std::fill(wide.begin(), wide.end(), 0xEEEEEE);
    ASSERT_TRUE(StretchBlt(window, 0, 0, 40, 1, source.dc(), 90, 0, 20, 1, SRCCOPY));
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(wide[x], x < 20 ? Tag(90 + x / 2, 0) + 1 : 0xEEEEEEu) << x;
    GdiDestroyWindowDc(window);
}

// Monochrome to colour uses the destination DC's text (0) and background
// (1) colours; colour to monochrome compares with the source DC's
// background colour. (SetTextColor and SetBkColor belong to the text
// functions; the DC state is set directly here.)
TEST(GdiBlit, MonochromeConversionsUseTheDcColours)
{
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, 8, 1);
    SelectObject(monoDc, mono);
    SetPixel(monoDc, 1, 0, RGB(255, 255, 255));
    SetPixel(monoDc, 2, 0, RGB(255, 255, 255));

    DibSurface picture(8, 1, 32);
    DibSurface frame(8, 1, 8, 16);
    ASSERT_TRUE(picture.valid() && frame.valid());
    for (HDC dc : {picture.dc(), frame.dc()}) {
        GdiLookupDc(dc)->state.textColour = RGB(255, 0, 0);
        GdiLookupDc(dc)->state.backColour = RGB(0, 0, 250);
    }
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 8, 1, monoDc, 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(frame.dc(), 0, 0, 8, 1, monoDc, 0, 0, SRCCOPY));
    EXPECT_EQ(picture.pixel(0, 0), 0x00FF0000u);
    EXPECT_EQ(picture.pixel(1, 0), 0x000000FAu);
    EXPECT_EQ(frame.index(0, 0), 9) << "red";
    EXPECT_EQ(frame.index(2, 0), 12) << "the nearest entry to the background: blue";

    // Back to monochrome: pixels equal to the source's background are 1.
    picture.pixel(3, 0) = 0x000000FA;
    picture.pixel(4, 0) = 0x000000FF;
    GdiLookupDc(picture.dc())->state.backColour = RGB(0, 0, 250);
    ASSERT_TRUE(BitBlt(monoDc, 0, 0, 8, 1, picture.dc(), 0, 0, SRCCOPY));
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    EXPECT_EQ(GetPixel(monoDc, 0, 0), black);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), white);
    EXPECT_EQ(GetPixel(monoDc, 3, 0), white);
    EXPECT_EQ(GetPixel(monoDc, 4, 0), black);
    // From 8 bits the background is matched through the table: blue's
    // entry (12) is the one that becomes 1.
    ASSERT_TRUE(BitBlt(monoDc, 0, 0, 8, 1, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(monoDc, 0, 0), black);
    EXPECT_EQ(GetPixel(monoDc, 1, 0), white);

    SelectObject(monoDc, GdiStockBitmap());
    DeleteObject(mono);
    DeleteDC(monoDc);
}

// Between colour formats: nearest table entries, tables that differ, and
// SRCPAINT applied after the conversion.
TEST(GdiBlit, ColourTablesMatchByNearestColour)
{
    DibSurface picture(4, 1, 32);
    DibSurface frame(4, 1, 8, 16);
    ASSERT_TRUE(picture.valid() && frame.valid());
    picture.pixel(0, 0) = 0x00F00A0A;  // near red (9)
    picture.pixel(1, 0) = 0x00BEBEC8;  // near light grey (7)
    picture.pixel(2, 0) = 0x00808080;  // exactly dark grey (8)
    picture.pixel(3, 0) = 0x00000001;  // near black (0)
    ASSERT_TRUE(BitBlt(frame.dc(), 0, 0, 4, 1, picture.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(frame.index(0, 0), 9);
    EXPECT_EQ(frame.index(1, 0), 7);
    EXPECT_EQ(frame.index(2, 0), 8);
    EXPECT_EQ(frame.index(3, 0), 0);

    // A table in reverse order: index i lands as 15 - i.
    RGBQUAD reversed[16];
    for (int i = 0; i < 16; ++i)
        reversed[i] = BaseColour(15 - i);
    DibSurface other(16, 1, 8, 16, reversed);
    DibSurface source(16, 1, 8, 16);
    for (int i = 0; i < 16; ++i)
        source.index(i, 0) = BYTE(i);
    ASSERT_TRUE(BitBlt(other.dc(), 0, 0, 16, 1, source.dc(), 0, 0, SRCCOPY));
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(other.index(i, 0), 15 - i) << i;

    // 8 -> 32 with SRCPAINT: the table colour ORed into the pixel, also
    // where a stretch repeats a source row over differing rows.
    DibSurface dest(16, 2, 32);
    for (int i = 0; i < 16; ++i) {
        dest.pixel(i, 0) = 0x00000101;
        dest.pixel(i, 1) = 0x00020000;
    }
    ASSERT_TRUE(StretchBlt(dest.dc(), 0, 0, 16, 2, source.dc(), 0, 0, 16, 1, SRCPAINT));
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(dest.pixel(i, 0), BaseColourPixel(i) | 0x00000101u) << i;
        EXPECT_EQ(dest.pixel(i, 1), BaseColourPixel(i) | 0x00020000u) << i;
    }
}

// A surface copied onto itself reads every source pixel before it is
// overwritten, in whichever direction it moves.
TEST(GdiBlit, OverlappingCopiesWithinOneBitmap)
{
    for (int bits : {1, 8, 32}) {
        for (int dx : {-3, 0, 3}) {
            for (int dy : {-2, 0, 2}) {
                HDC dc = CreateCompatibleDC(nullptr);
                HBITMAP bitmap = bits == 1 ? CreateCompatibleBitmap(dc, 12, 10) : nullptr;
                DibSurface dib(12, 10, bits == 1 ? 32 : bits, bits == 8 ? 16 : 0);
                HDC target = bits == 1 ? dc : dib.dc();
                if (bits == 1)
                    SelectObject(dc, bitmap);
                auto colourAt = [&](int x, int y) {
                    const int v = (x * 7 + y * 3) % 16;
                    return bits == 1 ? ((x + y) % 3 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0)) : gdi_test::BaseColourRef(v);
                };
                for (int y = 0; y < 10; ++y)
                    for (int x = 0; x < 12; ++x)
                        SetPixel(target, x, y, colourAt(x, y));
                ASSERT_TRUE(BitBlt(target, 2 + dx, 2 + dy, 6, 5, target, 2, 2, SRCCOPY));
                for (int y = 0; y < 10; ++y)
                    for (int x = 0; x < 12; ++x) {
                        const bool moved = x >= 2 + dx && x < 8 + dx && y >= 2 + dy && y < 7 + dy;
                        const COLORREF expected = moved ? colourAt(x - dx, y - dy) : colourAt(x, y);
                        ASSERT_EQ(GetPixel(target, x, y), expected)
                            << bits << " bpp, moved " << dx << "," << dy << " at " << x << "," << y;
                    }
                if (bits == 1) {
                    SelectObject(dc, GdiStockBitmap());
                    DeleteObject(bitmap);
                }
                DeleteDC(dc);
            }
        }
    }
}

// Arguments this layer turns down: raster operations other than the four,
// DIB formats it does not make, absurd sizes, colour tables that are not
// there, pixels outside the bitmap.
TEST(GdiBlit, UnsupportedRequestsAreRefused)
{
    DibSurface frame(16, 16, 8, 16);
    DibSurface picture(16, 16, 32);
    ASSERT_TRUE(frame.valid() && picture.valid());
    const DWORD srcAnd = 0x008800C6, patInvert = 0x005A0049, patCopy = 0x00F00021;
    EXPECT_FALSE(BitBlt(picture.dc(), 0, 0, 4, 4, frame.dc(), 0, 0, srcAnd));
    EXPECT_FALSE(StretchBlt(picture.dc(), 0, 0, 8, 8, frame.dc(), 0, 0, 4, 4, patInvert));
    EXPECT_FALSE(PatBlt(picture.dc(), 0, 0, 4, 4, patCopy));
    EXPECT_FALSE(PatBlt(picture.dc(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(BitBlt(picture.dc(), 0, 0, 4, 4, nullptr, 0, 0, BLACKNESS)) << "fills need no source";
    EXPECT_EQ(SetStretchBltMode(picture.dc(), 0), 0);
    EXPECT_EQ(SetStretchBltMode(picture.dc(), 5), 0);
    EXPECT_EQ(GetStretchBltMode(picture.dc()), BLACKONWHITE);

    // SetPixel outside the bitmap fails as documented (-1).
    EXPECT_EQ(SetPixel(picture.dc(), 16, 0, RGB(1, 1, 1)), CLR_INVALID);
    EXPECT_EQ(SetPixel(picture.dc(), 0, -1, RGB(1, 1, 1)), CLR_INVALID);

    // The colour table has the 16 entries it was made with.
    RGBQUAD colours[256] = {};
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 0, 256, colours), 16u);
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 10, 10, colours), 6u);
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 16, 1, colours), 0u);
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 0, 4, nullptr), 0u);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biPlanes = 1;
    auto make = [&](int width, int height, int bitCount, UINT usage, HANDLE section) {
        info.header.biWidth = width;
        info.header.biHeight = height;
        info.header.biBitCount = WORD(bitCount);
        void* bits = &info;
        HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), usage, &bits, section, 0);
        if (bitmap == nullptr) {
            EXPECT_EQ(bits, nullptr);
        }
        return bitmap;
    };
    EXPECT_EQ(make(8, 8, 24, DIB_RGB_COLORS, nullptr), nullptr);
    EXPECT_EQ(make(8, 8, 1, DIB_RGB_COLORS, nullptr), nullptr);
    EXPECT_EQ(make(0, 8, 32, DIB_RGB_COLORS, nullptr), nullptr);
    EXPECT_EQ(make(8, 0, 32, DIB_RGB_COLORS, nullptr), nullptr);
    EXPECT_EQ(make(-8, 8, 32, DIB_RGB_COLORS, nullptr), nullptr);
    EXPECT_EQ(make(100000, 100000, 32, DIB_RGB_COLORS, nullptr), nullptr);
    EXPECT_EQ(make(8, 8, 32, 1 /* DIB_PAL_COLORS */, nullptr), nullptr);
    EXPECT_EQ(make(8, 8, 32, DIB_RGB_COLORS, &info), nullptr) << "no file mappings";
    info.header.biClrUsed = 2;
    HBITMAP small = make(3, 3, 8, DIB_RGB_COLORS, nullptr);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(GdiLookupBitmap(small)->stride, 4) << "rows are DWORD-aligned";
    DeleteObject(small);

    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 4), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 100000, 100000), nullptr);
    HBITMAP empty = CreateCompatibleBitmap(dc, 0, 0);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(GdiLookupBitmap(empty)->width, 1) << "zero size gives 1 x 1 monochrome";
    EXPECT_EQ(GdiLookupBitmap(empty)->bitsPerPixel, 1);
    DeleteObject(empty);
    DeleteDC(dc);
}

}  // namespace
