// StretchBlt with COLORONCOLOR, and PatBlt.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstring>
#include <map>

#include "conformance/gdi_surfaces.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

namespace {

// Mode 1 of the game: the 320 x 240 frame doubled to 640 x 480. Every
// frame pixel becomes a 2 x 2 block of exactly its colour.
TEST(GdiStretch, ColorOnColorDoublesEveryPixelExactly)
{
    DibSurface frame(320, 240, 8, 16);
    DibSurface window(640, -480, 32);
    ASSERT_TRUE(frame.valid() && window.valid());
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            frame.index(x, y) = BYTE((x * 7 + y * 5) % 16);

    EXPECT_EQ(GetStretchBltMode(window.dc()), BLACKONWHITE);
    EXPECT_EQ(SetStretchBltMode(window.dc(), COLORONCOLOR), BLACKONWHITE);
    EXPECT_EQ(GetStretchBltMode(window.dc()), COLORONCOLOR);

    ASSERT_TRUE(StretchBlt(window.dc(), 0, 0, 640, 480, frame.dc(), 0, 0, 320, 240, SRCCOPY));
    window.sync();
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(window.pixel(x, y) & 0xFFFFFF, BaseColourPixel(((x / 2) * 7 + (y / 2) * 5) % 16))
                << x << "," << y;
}

// 320 columns to 1024: every destination pixel is exactly one source
// pixel (no blend of neighbours), the columns advance one at a time, and
// each source column is shown 3 or 4 times.
TEST(GdiStretch, WideningTo1024ColumnsPicksWholeSourcePixels)
{
    DibSurface source(320, -2, 32);
    DibSurface dest(1024, -4, 32);
    ASSERT_TRUE(source.valid() && dest.valid());
    // Colours far apart, so a blend of two would match neither.
    std::map<uint32_t, int> columnOf;
    for (int x = 0; x < 320; ++x) {
        const uint32_t colour = (uint32_t(x) * 0x9E3779B1u >> 8) & 0xFFFFFF;
        source.pixel(x, 0) = colour;
        source.pixel(x, 1) = colour;
        columnOf[colour] = x;
    }
    ASSERT_EQ(columnOf.size(), 320u);
    SetStretchBltMode(dest.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dest.dc(), 0, 0, 1024, 4, source.dc(), 0, 0, 320, 2, SRCCOPY));
    dest.sync();

    for (int y = 0; y < 4; ++y) {
        int previous = -1, run = 0;
        for (int x = 0; x < 1024; ++x) {
            const auto found = columnOf.find(dest.pixel(x, y) & 0xFFFFFF);
            ASSERT_NE(found, columnOf.end()) << "pixel " << x << " is not a source colour";
            const int column = found->second;
            // Within one source pixel of where x lies in the source.
            const double centre = (x + 0.5) * 320.0 / 1024.0;
            EXPECT_LT(std::abs(column + 0.5 - centre), 1.0) << x;
            if (column == previous) {
                ++run;
                continue;
            }
            ASSERT_EQ(column, previous + 1) << "column skipped at " << x;
            if (previous >= 0) {
                EXPECT_TRUE(run == 3 || run == 4) << "column " << previous << " shown " << run << " times";
            }
            previous = column;
            run = 1;
        }
        EXPECT_EQ(previous, 319);
    }
}

// Equal sizes make StretchBlt a BitBlt.
TEST(GdiStretch, EqualSizesCopyLikeBitBlt)
{
    DibSurface frame(32, 16, 8, 16);
    DibSurface dest(40, -20, 32);
    ASSERT_TRUE(frame.valid() && dest.valid());
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            frame.index(x, y) = BYTE((x + y) % 16);
    SetStretchBltMode(dest.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dest.dc(), 4, 2, 20, 10, frame.dc(), 3, 1, 20, 10, SRCCOPY));
    dest.sync();
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 4 && x < 24 && y >= 2 && y < 12;
            const uint32_t expected = inside ? BaseColourPixel((x - 4 + 3 + y - 2 + 1) % 16) : 0;
            ASSERT_EQ(dest.pixel(x, y) & 0xFFFFFF, expected) << x << "," << y;
        }
}

TEST(GdiStretch, PatBltFillsBlackOrWhiteInsideTheBitmap)
{
    DibSurface picture(8, -8, 32);
    ASSERT_TRUE(picture.valid());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            picture.pixel(x, y) = 0x00345678;

    ASSERT_TRUE(PatBlt(picture.dc(), 1, 1, 3, 2, BLACKNESS));
    picture.sync();
    EXPECT_EQ(picture.pixel(1, 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(picture.pixel(3, 2) & 0xFFFFFF, 0u);
    EXPECT_EQ(picture.pixel(4, 1) & 0xFFFFFF, 0x00345678u);
    EXPECT_EQ(picture.pixel(1, 3) & 0xFFFFFF, 0x00345678u);
    EXPECT_EQ(GetPixel(picture.dc(), 2, 2), RGB(0, 0, 0));

    // Partly outside: the inside part is filled, nothing else happens.
    ASSERT_TRUE(PatBlt(picture.dc(), 6, -5, 100, 7, WHITENESS));
    EXPECT_EQ(GetPixel(picture.dc(), 6, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(picture.dc(), 7, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(picture.dc(), 7, 2), RGB(0x34, 0x56, 0x78));
    EXPECT_EQ(GetPixel(picture.dc(), 5, 0), RGB(0x34, 0x56, 0x78));

    // The frame: BLACKNESS clears to index 0.
    DibSurface frame(320, 240, 8, 16);
    ASSERT_TRUE(frame.valid());
    std::memset(frame.bits(), 5, 320 * 240);
    ASSERT_TRUE(PatBlt(frame.dc(), 0, 0, 320, 240, BLACKNESS));
    frame.sync();
    for (int i = 0; i < 320 * 240; ++i)
        ASSERT_EQ(frame.bits()[i], 0) << i;
}

}  // namespace
