// DIB sections: memory layout, colour tables and BitBlt between formats.
#include <gtest/gtest.h>
#include <windows.h>

#include "conformance/gdi_surfaces.h"

using gdi_test::BaseColour;
using gdi_test::BaseColourPixel;
using gdi_test::BaseColourRef;
using gdi_test::DibSurface;

namespace {

// The game's frame: 320 x 240, 8 bpp, bottom-up, 16 colours.
TEST(GdiDib, BottomUpFrameMapsDeviceRowsToMemoryRowsFromTheBottom)
{
    DibSurface frame(320, 240, 8, 16);
    ASSERT_TRUE(frame.valid());
    BYTE* bits = frame.bits();
    for (int i = 0; i < 320 * 240; ++i)
        ASSERT_EQ(bits[i], 0) << "a new DIB section is zeroed, at byte " << i;

    // Device (0, 0), the top-left corner, is the first byte of the last
    // memory row: (239 - 0) * 320 + 0 = 76,480. Rows are 320 bytes, no padding.
    bits[76480] = 9;
    bits[0] = 12;
    bits[320] = 10;
    bits[(239 - 10) * 320 + 5] = 14;
    EXPECT_EQ(GetPixel(frame.dc(), 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(frame.dc(), 0, 239), RGB(0, 0, 255)) << "byte 0 is the bottom-left pixel";
    EXPECT_EQ(GetPixel(frame.dc(), 0, 238), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(frame.dc(), 5, 10), RGB(0, 255, 255));
    EXPECT_EQ(GetPixel(frame.dc(), 1, 0), RGB(0, 0, 0));

    // SetPixel writes the index of the colour, at the same address rule.
    EXPECT_EQ(SetPixel(frame.dc(), 319, 0, RGB(255, 255, 0)), RGB(255, 255, 0));
    frame.sync();
    EXPECT_EQ(bits[239 * 320 + 319], 11);
    EXPECT_EQ(SetPixel(frame.dc(), 7, 200, RGB(128, 128, 128)), RGB(128, 128, 128));
    frame.sync();
    EXPECT_EQ(bits[(239 - 200) * 320 + 7], 8);

    // Outside the bitmap there is no pixel.
    EXPECT_EQ(GetPixel(frame.dc(), 320, 0), CLR_INVALID);
    EXPECT_EQ(GetPixel(frame.dc(), 0, 240), CLR_INVALID);
    EXPECT_EQ(GetPixel(frame.dc(), -1, 5), CLR_INVALID);
}

TEST(GdiDib, TopDownDibStartsWithTheTopRow)
{
    DibSurface surface(4, -3, 32);
    ASSERT_TRUE(surface.valid());
    auto* pixels = reinterpret_cast<uint32_t*>(surface.bits());
    pixels[0] = 0x00123456;
    pixels[2 * 4 + 3] = 0x00ABCDEF;
    EXPECT_EQ(GetPixel(surface.dc(), 0, 0), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(GetPixel(surface.dc(), 3, 2), RGB(0xAB, 0xCD, 0xEF));
}

// BitBlt from the 8-bit frame to a 32-bit DIB goes through the frame's
// colour table, and SetDIBColorTable changes what the next copy shows.
TEST(GdiDib, EightBitToThirtyTwoBitFollowsTheColourTable)
{
    DibSurface frame(320, 240, 8, 16);
    DibSurface picture(320, -240, 32);
    ASSERT_TRUE(frame.valid());
    ASSERT_TRUE(picture.valid());
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            frame.index(x, y) = BYTE((x + 3 * y) % 16);

    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    picture.sync();
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFF, BaseColourPixel((x + 3 * y) % 16)) << x << "," << y;

    // Swap entries 1 and 9 (dark red, red) and paint index 4 orange.
    RGBQUAD changed[16];
    for (int i = 0; i < 16; ++i)
        changed[i] = BaseColour(i);
    changed[1] = BaseColour(9);
    changed[9] = BaseColour(1);
    changed[4] = RGBQUAD{0x00, 0x80, 0xFF, 0};
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 0, 16, changed), 16u);
    EXPECT_EQ(GetPixel(frame.dc(), 1, 0), RGB(255, 0, 0)) << "index 1 now reads as red";

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

// From 32 bits back to the frame, each colour becomes its table index.
TEST(GdiDib, ThirtyTwoBitToEightBitFindsTheTableEntries)
{
    DibSurface picture(16, 2, 32);
    DibSurface frame(16, 2, 8, 16);
    ASSERT_TRUE(picture.valid());
    ASSERT_TRUE(frame.valid());
    for (int x = 0; x < 16; ++x) {
        picture.pixel(x, 0) = BaseColourPixel(15 - x);
        picture.pixel(x, 1) = BaseColourPixel(x);
    }
    ASSERT_TRUE(BitBlt(frame.dc(), 0, 0, 16, 2, picture.dc(), 0, 0, SRCCOPY));
    frame.sync();
    for (int x = 0; x < 16; ++x) {
        EXPECT_EQ(frame.index(x, 0), 15 - x);
        EXPECT_EQ(frame.index(x, 1), x);
    }
}

// SRCPAINT ORs the converted source into the destination's pixel values.
TEST(GdiDib, SourcePaintOrsPixelValues)
{
    DibSurface dest(8, 8, 32);
    DibSurface source(8, 8, 32);
    ASSERT_TRUE(dest.valid());
    ASSERT_TRUE(source.valid());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            dest.pixel(x, y) = 0x00102030;
            source.pixel(x, y) = 0x00010203;
        }
    ASSERT_TRUE(BitBlt(dest.dc(), 2, 2, 4, 4, source.dc(), 0, 0, SRCPAINT));
    dest.sync();
    EXPECT_EQ(dest.pixel(2, 2) & 0xFFFFFF, 0x00112233u);
    EXPECT_EQ(dest.pixel(5, 5) & 0xFFFFFF, 0x00112233u);
    EXPECT_EQ(dest.pixel(1, 2) & 0xFFFFFF, 0x00102030u) << "outside the rectangle nothing changes";
    EXPECT_EQ(dest.pixel(6, 5) & 0xFFFFFF, 0x00102030u);

    // Between two frames with the same table the indices are ORed:
    // dark red (1) | dark grey (8) = red (9).
    DibSurface frameA(4, 1, 8, 16);
    DibSurface frameB(4, 1, 8, 16);
    frameA.index(0, 0) = 1;
    frameB.index(0, 0) = 8;
    frameA.index(1, 0) = 3;
    frameB.index(1, 0) = 0;
    ASSERT_TRUE(BitBlt(frameA.dc(), 0, 0, 4, 1, frameB.dc(), 0, 0, SRCPAINT));
    frameA.sync();
    EXPECT_EQ(frameA.index(0, 0), 9);
    EXPECT_EQ(frameA.index(1, 0), 3);
}

// The banner: white-on-black text in a strip is ORed over the picture;
// white stays white and black leaves the picture exactly as it was.
TEST(GdiDib, WhiteOnBlackStripOredOverAPictureKeepsThePicture)
{
    DibSurface frame(320, 240, 8, 16);
    DibSurface compose(320, -240, 32);
    DibSurface strip(64, -16, 32);
    ASSERT_TRUE(frame.valid() && compose.valid() && strip.valid());
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            frame.index(x, y) = BYTE((x / 7 + y) % 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x)
            strip.pixel(x, y) = ((x ^ y) % 3 == 0) ? 0x00FFFFFF : 0;

    ASSERT_TRUE(BitBlt(compose.dc(), 0, 0, 320, 16, frame.dc(), 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(compose.dc(), 320 - 40, 0, 40, 16, strip.dc(), 10, 0, SRCPAINT));
    compose.sync();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 320; ++x) {
            const uint32_t picture = BaseColourPixel((x / 7 + y) % 16);
            uint32_t expected = picture;
            if (x >= 280 && ((x - 280 + 10) ^ y) % 3 == 0)
                expected = 0x00FFFFFF;
            ASSERT_EQ(compose.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }
}

// Clipping: only the part of the rectangle inside both bitmaps is copied;
// rectangles reaching far outside are harmless.
TEST(GdiDib, BlitsClipToSourceAndDestination)
{
    DibSurface dest(10, -10, 32);
    DibSurface source(4, -4, 32);
    ASSERT_TRUE(dest.valid() && source.valid());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            dest.pixel(x, y) = 0x00777777;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.pixel(x, y) = 0x00010000u * DWORD(y * 4 + x + 1);

    // Source rectangle (-2,-2)-(6,6): only (0,0)-(4,4) of it exists.
    ASSERT_TRUE(BitBlt(dest.dc(), 3, 3, 8, 8, source.dc(), -2, -2, SRCCOPY));
    dest.sync();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const int sx = x - 3 - 2, sy = y - 3 - 2;
            const bool copied = sx >= 0 && sy >= 0 && sx < 4 && sy < 4;
            const uint32_t expected = copied ? 0x00010000u * DWORD(sy * 4 + sx + 1) : 0x00777777u;
            ASSERT_EQ(dest.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }

    EXPECT_TRUE(BitBlt(dest.dc(), -100000, -100000, 200000, 200000, source.dc(), -50000, 7, SRCCOPY));
    EXPECT_TRUE(BitBlt(dest.dc(), 20, 20, 5, 5, source.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(dest.dc(), 0, 0, 5, 5, source.dc(), 100, 100, SRCCOPY));
    dest.sync();
    EXPECT_EQ(dest.pixel(9, 9) & 0xFFFFFF, 0x00777777u);
}

}  // namespace
