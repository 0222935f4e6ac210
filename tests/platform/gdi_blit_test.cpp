// Blits as platform/ does them: the centre-sample rule of StretchBlt,
// overlapping copies, and what is refused.
#include <gtest/gtest.h>
#include <windows.h>

#include "gdi/gdi_private.h"
#include "platform/text_gdi_fixture.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;
using text_gdi_test::Window;

namespace {

// The source offset destination offset d samples: its pixel's centre.
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
    DibSurface tagged(320, -240, 32), frame(320, 240, 8, 16);
    ASSERT_TRUE(tagged.valid() && frame.valid());
    tagged.paint(Tag);
    frame.paint([](int x, int y) { return (x * 5 + y * 3) % 16; });
    const int sizes[][2] = {{640, 480}, {1024, 768}, {1366, 768}, {1920, 1080}, {160, 120}, {333, 97}};
    for (const auto& size : sizes) {
        const int width = size[0], height = size[1];
        Window fromTagged(width, height, 0), fromFrame(width, height, 0);
        ASSERT_TRUE(StretchBlt(fromTagged.dc, 0, 0, width, height, tagged.dc(), 0, 0, 320, 240, SRCCOPY));
        ASSERT_TRUE(StretchBlt(fromFrame.dc, 0, 0, width, height, frame.dc(), 0, 0, 320, 240, SRCCOPY));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int sx = Sample(x, 320, width), sy = Sample(y, 240, height);
                ASSERT_EQ(fromTagged.at(x, y), Tag(sx, sy)) << width << "x" << height << " at " << x << "," << y;
                ASSERT_EQ(fromFrame.at(x, y), BaseColourPixel(frame.index(sx, sy))) << width << "x" << height;
            }
    }
}

// Past 8192 columns the row is done in passes; a negative width mirrors;
// a source rectangle reaching outside the bitmap leaves those pixels alone.
TEST(GdiBlit, WideMirroredAndPartlyOutsideStretches)
{
    DibSurface source(100, -2, 32);
    ASSERT_TRUE(source.valid());
    source.paint([](int x, int) { return x + 1; });
    Window wide(10000, 1, 0);
    ASSERT_TRUE(StretchBlt(wide.dc, 0, 0, 10000, 1, source.dc(), 0, 0, 100, 1, SRCCOPY));
    for (int x = 0; x < 10000; ++x)
        ASSERT_EQ(wide.at(x, 0), uint32_t(Sample(x, 100, 10000) + 1)) << x;

    // Destination (10,0)-(0,1) from source (0,0)-(10,1): reversed.
    ASSERT_TRUE(StretchBlt(wide.dc, 10, 0, -10, 1, source.dc(), 0, 0, 10, 1, SRCCOPY));
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(wide.at(x, 0), uint32_t(10 - x)) << x;
    // Source (90,0)-(110,1) doubled onto (0,0)-(40,1): the half past the
    // source's edge is left as it was.
    wide.resize(40, 1, 0xEEEEEE);
    ASSERT_TRUE(StretchBlt(wide.dc, 0, 0, 40, 1, source.dc(), 90, 0, 20, 1, SRCCOPY));
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(wide.at(x, 0), x < 20 ? uint32_t(91 + x / 2) : 0xEEEEEEu) << x;
}

// A surface copied onto itself reads every source pixel before it is
// overwritten, in whichever direction it moves.
TEST(GdiBlit, OverlappingCopiesWithinOneBitmap)
{
    for (int bits : {1, 8, 32}) {
        HDC monoDc = CreateCompatibleDC(nullptr);
        HBITMAP mono = CreateCompatibleBitmap(monoDc, 12, 10);
        SelectObject(monoDc, mono);
        DibSurface dib(12, 10, bits == 1 ? 32 : bits, bits == 8 ? 16 : 0);
        HDC target = bits == 1 ? monoDc : dib.dc();
        auto colourAt = [&](int x, int y) {
            return bits == 1 ? ((x + y) % 3 == 0 ? RGB(255, 255, 255) : RGB(0, 0, 0))
                             : gdi_test::BaseColourRef((x * 7 + y * 3) % 16);
        };
        for (int dx : {-3, 0, 3})
            for (int dy : {-2, 0, 2}) {
                for (int y = 0; y < 10; ++y)
                    for (int x = 0; x < 12; ++x)
                        SetPixel(target, x, y, colourAt(x, y));
                ASSERT_TRUE(BitBlt(target, 2 + dx, 2 + dy, 6, 5, target, 2, 2, SRCCOPY));
                for (int y = 0; y < 10; ++y)
                    for (int x = 0; x < 12; ++x) {
                        const bool moved = x >= 2 + dx && x < 8 + dx && y >= 2 + dy && y < 7 + dy;
                        ASSERT_EQ(GetPixel(target, x, y), moved ? colourAt(x - dx, y - dy) : colourAt(x, y))
                            << bits << " bpp, moved " << dx << "," << dy << " at " << x << "," << y;
                    }
            }
        SelectObject(monoDc, GdiStockBitmap());
        DeleteObject(mono);
        DeleteDC(monoDc);
    }
}

// Arguments this layer turns down: raster operations other than the three,
// DIB formats it does not make, absurd sizes, colour tables that are not
// there, pixels outside the bitmap.
TEST(GdiBlit, UnsupportedRequestsAreRefused)
{
    DibSurface frame(16, 16, 8, 16), picture(16, 16, 32);
    ASSERT_TRUE(frame.valid() && picture.valid());
    const DWORD srcAnd = 0x008800C6, patInvert = 0x005A0049, whiteness = 0x00FF0062;
    EXPECT_FALSE(BitBlt(picture.dc(), 0, 0, 4, 4, frame.dc(), 0, 0, srcAnd));
    EXPECT_FALSE(StretchBlt(picture.dc(), 0, 0, 8, 8, frame.dc(), 0, 0, 4, 4, patInvert));
    EXPECT_FALSE(PatBlt(picture.dc(), 0, 0, 4, 4, whiteness));
    EXPECT_FALSE(PatBlt(picture.dc(), 0, 0, 4, 4, SRCCOPY));
    EXPECT_FALSE(BitBlt(picture.dc(), 0, 0, 4, 4, frame.dc(), 0, 0, BLACKNESS)) << "a fill is PatBlt's";
    EXPECT_EQ(SetStretchBltMode(picture.dc(), 0), 0);
    EXPECT_EQ(SetStretchBltMode(picture.dc(), 5), 0);
    EXPECT_EQ(GetStretchBltMode(picture.dc()), BLACKONWHITE);
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
        EXPECT_TRUE(bitmap != nullptr || bits == nullptr) << "a refused DIB gives no bits";
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
