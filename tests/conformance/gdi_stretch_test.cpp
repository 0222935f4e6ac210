// StretchBlt with COLORONCOLOR, and PatBlt BLACKNESS.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <map>

#include "conformance/gdi_surfaces.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

namespace {

// Mode 1 of the game: the 320 x 240 frame doubled to 640 x 480, every
// frame pixel a 2 x 2 block of exactly its colour. Equal sizes copy as
// BitBlt does.
TEST(GdiStretch, ColorOnColorDoublesEveryPixelExactlyAndEqualSizesCopy)
{
    DibSurface frame(320, 240, 8, 16), window(640, -480, 32);
    ASSERT_TRUE(frame.valid() && window.valid());
    auto indexAt = [](int x, int y) { return (x * 7 + y * 5) % 16; };
    frame.paint(indexAt);

    EXPECT_NE(SetStretchBltMode(window.dc(), COLORONCOLOR), 0);
    EXPECT_EQ(SetStretchBltMode(window.dc(), COLORONCOLOR), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(window.dc(), 0, 0, 640, 480, frame.dc(), 0, 0, 320, 240, SRCCOPY));
    EXPECT_TRUE(window.holds([&](int x, int y) { return BaseColourPixel(indexAt(x / 2, y / 2)); }));

    DibSurface dest(40, -20, 32);
    ASSERT_TRUE(dest.valid());
    SetStretchBltMode(dest.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dest.dc(), 4, 2, 20, 10, frame.dc(), 3, 1, 20, 10, SRCCOPY));
    EXPECT_TRUE(dest.holds([&](int x, int y) {
        return x >= 4 && x < 24 && y >= 2 && y < 12 ? BaseColourPixel(indexAt(x - 4 + 3, y - 2 + 1)) : 0;
    }));
}

// 320 columns to 1024: every destination pixel is exactly one source
// pixel (no blend of neighbours), the columns advance one at a time, and
// each source column is shown 3 or 4 times.
TEST(GdiStretch, WideningTo1024ColumnsPicksWholeSourcePixels)
{
    DibSurface source(320, -2, 32), dest(1024, -4, 32);
    ASSERT_TRUE(source.valid() && dest.valid());
    // Colours far apart, so a blend of two would match neither.
    std::map<uint32_t, int> columnOf;
    source.paint([](int x, int) { return (uint32_t(x) * 0x9E3779B1u >> 8) & 0xFFFFFF; });
    for (int x = 0; x < 320; ++x)
        columnOf[source.pixel(x, 0)] = x;
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
            EXPECT_LT(std::abs(column + 0.5 - (x + 0.5) * 320.0 / 1024.0), 1.0) << x;
            if (column == previous) {
                ++run;
                continue;
            }
            ASSERT_EQ(column, previous + 1) << "column skipped at " << x;
            EXPECT_TRUE(previous < 0 || run == 3 || run == 4) << "column " << previous << " shown " << run << " times";
            previous = column;
            run = 1;
        }
        EXPECT_EQ(previous, 319);
    }
}

// The screens' black fill: inside the bitmap only, index 0 on the frame.
TEST(GdiStretch, PatBltFillsBlackInsideTheBitmap)
{
    DibSurface picture(8, -8, 32), frame(320, 240, 8, 16);
    ASSERT_TRUE(picture.valid() && frame.valid());
    picture.fill(0x345678);
    ASSERT_TRUE(PatBlt(picture.dc(), 1, 1, 3, 2, BLACKNESS));
    ASSERT_TRUE(PatBlt(picture.dc(), 6, -5, 100, 7, BLACKNESS)) << "partly outside";
    EXPECT_TRUE(picture.holds([](int x, int y) {
        return (x >= 1 && x < 4 && y >= 1 && y < 3) || (x >= 6 && y < 2) ? 0 : 0x345678;
    }));
    frame.fill(5);
    ASSERT_TRUE(PatBlt(frame.dc(), 0, 0, 320, 240, BLACKNESS));
    EXPECT_TRUE(frame.holds([](int, int) { return 0; }));
}

}  // namespace
