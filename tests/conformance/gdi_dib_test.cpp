// DIB sections: memory layout, colour tables and BitBlt between formats.
#include <gtest/gtest.h>
#include <windows.h>

#include "conformance/gdi_surfaces.h"

using gdi_test::BaseColour;
using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

namespace {

// The game's frame: 320 x 240, 8 bpp, bottom-up, 16 colours, new ones
// zeroed; copied onto a top-down 32 bpp DIB, its memory rows come out in
// the opposite order.
TEST(GdiDib, DeviceRowsMapToMemoryRowsByTheHeightsSign)
{
    DibSurface frame(320, 240, 8, 16), picture(320, -240, 32);
    ASSERT_TRUE(frame.valid() && picture.valid());
    BYTE* bits = frame.bits();
    for (int i = 0; i < 320 * 240; ++i)
        ASSERT_EQ(bits[i], 0) << "a new DIB section is zeroed, at byte " << i;

    // Device (0, 0), the top-left corner, is the first byte of the last
    // memory row: (239 - 0) * 320 + 0 = 76,480. Rows are 320 bytes, no padding.
    bits[76480] = 9;
    bits[0] = 12;
    bits[320] = 10;
    bits[(239 - 10) * 320 + 5] = 14;
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    picture.sync();
    // Top-down: device row y is memory row y.
    const uint32_t* pixels = reinterpret_cast<const uint32_t*>(picture.bits());
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFF0000u) << "device (0, 0)";
    EXPECT_EQ(pixels[239 * 320] & 0xFFFFFF, 0x0000FFu) << "byte 0 is the bottom-left pixel";
    EXPECT_EQ(pixels[238 * 320] & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(pixels[10 * 320 + 5] & 0xFFFFFF, 0x00FFFFu);
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0u);
}

// BitBlt from the 8-bit frame to a 32-bit DIB goes through the frame's
// colour table, and SetDIBColorTable changes what the next copy shows.
TEST(GdiDib, EightBitToThirtyTwoBitFollowsTheColourTable)
{
    DibSurface frame(320, 240, 8, 16), picture(320, -240, 32);
    ASSERT_TRUE(frame.valid() && picture.valid());
    auto indexAt = [](int x, int y) { return (x + 3 * y) % 16; };
    frame.paint(indexAt);
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(picture.holds([&](int x, int y) { return BaseColourPixel(indexAt(x, y)); }));

    // Swap entries 1 and 9 (dark red, red) and paint index 4 orange.
    RGBQUAD changed[16];
    for (int i = 0; i < 16; ++i)
        changed[i] = BaseColour(i);
    changed[1] = BaseColour(9);
    changed[9] = BaseColour(1);
    changed[4] = RGBQUAD{0x00, 0x80, 0xFF, 0};
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 0, 16, changed), 16u);

    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    picture.sync();
    EXPECT_EQ(picture.pixel(1, 0) & 0xFFFFFF, 0x00FF0000u);
    EXPECT_EQ(picture.pixel(9, 0) & 0xFFFFFF, 0x00800000u);
    EXPECT_EQ(picture.pixel(4, 0) & 0xFFFFFF, 0x00FF8000u);
    EXPECT_EQ(picture.pixel(2, 0) & 0xFFFFFF, BaseColourPixel(2));
    EXPECT_EQ(frame.index(1, 0), 1) << "the indices themselves are untouched";

    // A 32-bit DIB has no colour table to set.
    EXPECT_EQ(SetDIBColorTable(picture.dc(), 0, 16, changed), 0u);
}

// From 32 bits back to the frame, each colour becomes its table index, or
// the nearest entry's; between tables that differ, the entry of the same
// colour. SRCPAINT applies after the conversion, also where a stretch
// repeats a source row over rows that differ.
TEST(GdiDib, ColoursFindTheirNearestTableEntries)
{
    DibSurface picture(20, 2, 32), frame(20, 2, 8, 16);
    ASSERT_TRUE(picture.valid() && frame.valid());
    // Beyond the 16 colours: near red, near light grey, near black.
    const uint32_t nearby[] = {0xF00A0A, 0xBEBEC8, 0x000001, 0x808080};
    picture.paint([&](int x, int y) { return x >= 16 ? nearby[x - 16] : BaseColourPixel(y ? x : 15 - x); });
    ASSERT_TRUE(BitBlt(frame.dc(), 0, 0, 20, 2, picture.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(frame.holds([](int x, int y) {
        static const int nearest[] = {9, 7, 0, 8};
        return x >= 16 ? nearest[x - 16] : y ? x : 15 - x;
    }));

    RGBQUAD reversed[16];
    for (int i = 0; i < 16; ++i)
        reversed[i] = BaseColour(15 - i);
    DibSurface other(16, 1, 8, 16, reversed), source(16, 1, 8, 16);
    source.paint([](int x, int) { return x; });
    ASSERT_TRUE(BitBlt(other.dc(), 0, 0, 16, 1, source.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(other.holds([](int x, int) { return 15 - x; }));

    DibSurface dest(16, 2, 32);
    dest.paint([](int, int y) { return y ? 0x020000 : 0x000101; });
    ASSERT_TRUE(StretchBlt(dest.dc(), 0, 0, 16, 2, source.dc(), 0, 0, 16, 1, SRCPAINT));
    EXPECT_TRUE(dest.holds([](int x, int y) { return BaseColourPixel(x) | (y ? 0x020000 : 0x000101); }));
}

// SRCPAINT ORs the source into the destination's pixel values. The
// banner: a strip of white text on black ORed over the picture keeps the
// picture exactly where the strip is black.
TEST(GdiDib, SourcePaintOrsPixelValues)
{
    DibSurface frame(320, 16, 8, 16), compose(320, -16, 32), strip(64, -16, 32);
    ASSERT_TRUE(frame.valid() && compose.valid() && strip.valid());
    auto picture = [](int x, int y) { return BaseColourPixel((x / 7 + y) % 16); };
    auto text = [](int x, int y) { return (x ^ y) % 3 == 0 ? 0xFFFFFFu : (x ^ y) % 3 == 1 ? 0u : 0x010203u * x; };
    frame.paint([](int x, int y) { return (x / 7 + y) % 16; });
    strip.paint(text);
    ASSERT_TRUE(BitBlt(compose.dc(), 0, 0, 320, 16, frame.dc(), 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(compose.dc(), 320 - 40, 2, 40, 12, strip.dc(), 10, 1, SRCPAINT));
    EXPECT_TRUE(compose.holds([&](int x, int y) {
        return x >= 280 && y >= 2 && y < 14 ? picture(x, y) | text(x - 280 + 10, y - 1) : picture(x, y);
    }));

    // Between two frames with the same table the indices are ORed:
    // dark red (1) | dark grey (8) = red (9).
    DibSurface frameA(4, 1, 8, 16), frameB(4, 1, 8, 16);
    frameA.paint([](int x, int) { return x == 0 ? 1 : 3; });
    frameB.paint([](int x, int) { return x == 0 ? 8 : 0; });
    ASSERT_TRUE(BitBlt(frameA.dc(), 0, 0, 4, 1, frameB.dc(), 0, 0, SRCPAINT));
    EXPECT_TRUE(frameA.holds([](int x, int) { return x == 0 ? 9 : 3; }));
}

// Clipping: only the part of the rectangle inside both bitmaps is copied;
// rectangles reaching far outside are harmless.
TEST(GdiDib, BlitsClipToSourceAndDestination)
{
    DibSurface dest(10, -10, 32), source(4, -4, 32);
    ASSERT_TRUE(dest.valid() && source.valid());
    dest.fill(0x777777);
    source.paint([](int x, int y) { return 0x010000 * (y * 4 + x + 1); });

    // Source rectangle (-2,-2)-(6,6): only (0,0)-(4,4) of it exists.
    ASSERT_TRUE(BitBlt(dest.dc(), 3, 3, 8, 8, source.dc(), -2, -2, SRCCOPY));
    EXPECT_TRUE(dest.holds([](int x, int y) {
        const int sx = x - 3 - 2, sy = y - 3 - 2;
        return sx >= 0 && sy >= 0 && sx < 4 && sy < 4 ? 0x010000 * (sy * 4 + sx + 1) : 0x777777;
    }));

    EXPECT_TRUE(BitBlt(dest.dc(), -100000, -100000, 200000, 200000, source.dc(), -50000, 7, SRCCOPY));
    EXPECT_TRUE(BitBlt(dest.dc(), 20, 20, 5, 5, source.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dest.dc(), 0, 0, 5, 5, source.dc(), 100, 100, SRCCOPY));
    dest.sync();
    EXPECT_EQ(dest.pixel(9, 9) & 0xFFFFFF, 0x00777777u);
}

}  // namespace
