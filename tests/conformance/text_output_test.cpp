// TextOutA, GetTextExtentPoint32A and the DC's text colours and mode, as
// any Windows font behaves: opaque output fills the text's extent with the
// background colour, transparent output leaves it, and glyphs are solid.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "conformance/text_surfaces.h"

using text_test::TextSurface;

namespace {

const char kText[] = "Hello, World 0123";
constexpr uint32_t kMarker = 0x00123456;
constexpr uint32_t kRed = 0x00FF0000, kBlue = 0x000000FF;

TEST(TextOutput, OpaqueFillsTheExtentAndTransparentLeavesIt)
{
    const int left = 7, top = 5;
    TextSurface opaque(240, 40, kMarker), transparent(240, 40, kMarker);
    ASSERT_TRUE(opaque.valid() && transparent.valid());
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32A(opaque.dc(), kText, int(strlen(kText)), &extent));
    ASSERT_GT(extent.cx, 0);
    ASSERT_GT(extent.cy, 0);
    ASSERT_LT(left + extent.cx, opaque.width());
    ASSERT_LT(top + extent.cy, opaque.height());

    for (const TextSurface* surface : {&opaque, &transparent}) {
        EXPECT_EQ(SetTextColor(surface->dc(), RGB(255, 0, 0)), RGB(0, 0, 0)) << "black by default";
        EXPECT_EQ(SetBkColor(surface->dc(), RGB(0, 0, 255)), RGB(255, 255, 255)) << "white by default";
    }
    EXPECT_EQ(SetBkMode(transparent.dc(), TRANSPARENT), OPAQUE) << "opaque by default";
    ASSERT_TRUE(TextOutA(opaque.dc(), left, top, kText, int(strlen(kText))));
    ASSERT_TRUE(TextOutA(transparent.dc(), left, top, kText, int(strlen(kText))));

    int ink = 0;
    for (int y = 0; y < opaque.height(); ++y) {
        for (int x = 0; x < opaque.width(); ++x) {
            const bool inside = x >= left && x < left + extent.cx && y >= top && y < top + extent.cy;
            const uint32_t o = opaque.at(x, y), t = transparent.at(x, y);
            if (!inside) {
                ASSERT_EQ(o, kMarker) << x << "," << y;
                ASSERT_EQ(t, kMarker) << x << "," << y;
                continue;
            }
            ASSERT_TRUE(o == kRed || o == kBlue) << x << "," << y << ": " << std::hex << o;
            ASSERT_TRUE(t == kRed || t == kMarker) << x << "," << y << ": " << std::hex << t;
            ASSERT_EQ(o == kRed, t == kRed) << "the same glyph pixels at " << x << "," << y;
            ink += o == kRed;
        }
    }
    EXPECT_GT(ink, 50);
    const RECT fill = opaque.box(kBlue);
    EXPECT_EQ(fill.left, left);
    EXPECT_EQ(fill.top, top);
    EXPECT_EQ(fill.right, left + extent.cx);
    EXPECT_EQ(fill.bottom, top + extent.cy);
}

// An 8 bpp DIB section takes the nearest colours of its table, for the
// text and the background alike.
TEST(TextOutput, PalettedSurfacesTakeTheNearestColours)
{
    gdi_test::DibSurface frame(160, 30, 8, 16);
    ASSERT_TRUE(frame.valid());
    HFONT font = text_test::MakeFont(16);
    HGDIOBJ previous = SelectObject(frame.dc(), font);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 160; ++x)
            frame.index(x, y) = 7;
    SetTextColor(frame.dc(), RGB(250, 8, 0));  // nearest: 9, red
    SetBkColor(frame.dc(), RGB(0, 0, 140));    // nearest: 4, navy
    ASSERT_TRUE(TextOutA(frame.dc(), 2, 2, kText, int(strlen(kText))));
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32A(frame.dc(), kText, int(strlen(kText)), &extent));
    frame.sync();
    int ink = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 160; ++x) {
            const bool inside = x >= 2 && x < 2 + extent.cx && y >= 2 && y < 2 + extent.cy;
            const BYTE index = frame.index(x, y);
            if (inside) {
                ASSERT_TRUE(index == 9 || index == 4) << x << "," << y << ": " << int(index);
            } else {
                ASSERT_EQ(index, 7) << x << "," << y;
            }
            ink += index == 9;
        }
    }
    EXPECT_GT(ink, 30);
    SelectObject(frame.dc(), previous);
    DeleteObject(font);
}

// Counts are bytes; text reaching off the surface is clipped to it.
TEST(TextOutput, ByteCountsAndClipping)
{
    TextSurface counted(120, 30, kMarker), whole(120, 30, kMarker);
    ASSERT_TRUE(counted.valid() && whole.valid());
    ASSERT_TRUE(TextOutA(counted.dc(), 1, 1, "Hello", 2));
    ASSERT_TRUE(TextOutA(whole.dc(), 1, 1, "He", 2));
    EXPECT_TRUE(counted.sameAs(whole));
    SIZE two, five;
    ASSERT_TRUE(GetTextExtentPoint32A(counted.dc(), "Hello", 2, &two));
    ASSERT_TRUE(GetTextExtentPoint32A(counted.dc(), "Hello", 5, &five));
    EXPECT_LT(two.cx, five.cx);
    EXPECT_EQ(two.cy, five.cy);

    // Drawn partly off the top-left corner: what lands is the rest of
    // the same output drawn inside.
    TextSurface offset(120, 30, kMarker), inside(120, 30, kMarker);
    ASSERT_TRUE(offset.valid() && inside.valid());
    ASSERT_TRUE(TextOutA(offset.dc(), -6, -4, "Hello", 5));
    ASSERT_TRUE(TextOutA(inside.dc(), 10, 10, "Hello", 5));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(offset.at(x, y), inside.at(x + 16, y + 14)) << x << "," << y;
    ASSERT_TRUE(TextOutA(offset.dc(), 100, 20, "Hello", 5)) << "off the right and bottom edges";
}

TEST(TextOutput, BadArgumentsFail)
{
    TextSurface surface(40, 20, kMarker);
    ASSERT_TRUE(surface.valid());
    SIZE size = {3, 3};
    EXPECT_FALSE(TextOutA(surface.dc(), 0, 0, "A", -1));
    EXPECT_FALSE(GetTextExtentPoint32A(surface.dc(), "A", -1, &size));
    EXPECT_EQ(SetBkMode(surface.dc(), 0), 0);
    EXPECT_EQ(SetBkMode(surface.dc(), 3), 0);
    EXPECT_EQ(SetBkMode(surface.dc(), TRANSPARENT), OPAQUE) << "refused modes change nothing";
    EXPECT_TRUE(TextOutA(surface.dc(), 0, 0, "A", 0));
    EXPECT_EQ(surface.box(kMarker).right - surface.box(kMarker).left, 40) << "nothing drawn";
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(surface.at(x, y), kMarker);

    HDC gone = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(gone));
    EXPECT_FALSE(TextOutA(gone, 0, 0, "A", 1));
    EXPECT_FALSE(GetTextExtentPoint32A(gone, "A", 1, &size));
    EXPECT_EQ(SetTextColor(gone, 0), CLR_INVALID);
    EXPECT_EQ(SetBkColor(gone, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(gone, OPAQUE), 0);
}

}  // namespace
