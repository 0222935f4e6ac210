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
constexpr int kOpaque = 2;  // OPAQUE

TEST(TextOutput, OpaqueFillsTheExtentAndTransparentLeavesIt)
{
    const int left = 7, top = 5;
    TextSurface opaque(240, 40, kMarker), transparent(240, 40, kMarker);
    ASSERT_TRUE(opaque.valid() && transparent.valid());
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32A(opaque.dc(), kText, int(strlen(kText)), &extent));
    ASSERT_TRUE(extent.cx > 0 && extent.cy > 0 && left + extent.cx < opaque.width() && top + extent.cy < opaque.height());

    for (const TextSurface* surface : {&opaque, &transparent}) {
        EXPECT_EQ(SetTextColor(surface->dc(), RGB(255, 0, 0)), RGB(0, 0, 0)) << "black by default";
        EXPECT_EQ(SetBkColor(surface->dc(), RGB(0, 0, 255)), RGB(255, 255, 255)) << "white by default";
    }
    EXPECT_EQ(SetBkMode(transparent.dc(), TRANSPARENT), kOpaque) << "opaque by default";
    ASSERT_TRUE(TextOutA(opaque.dc(), left, top, kText, int(strlen(kText))));
    ASSERT_TRUE(TextOutA(transparent.dc(), left, top, kText, int(strlen(kText))));

    const RECT cell = {left, top, left + extent.cx, top + extent.cy};
    EXPECT_TRUE(opaque.onlyInside(cell, kMarker));
    EXPECT_TRUE(transparent.onlyInside(cell, kMarker));
    int ink = 0;
    for (int y = top; y < cell.bottom; ++y) {
        for (int x = left; x < cell.right; ++x) {
            const uint32_t o = opaque.at(x, y), t = transparent.at(x, y);
            ASSERT_TRUE(o == kRed || o == kBlue) << x << "," << y << ": " << std::hex << o;
            ASSERT_TRUE(t == kRed || t == kMarker) << x << "," << y << ": " << std::hex << t;
            ASSERT_EQ(o == kRed, t == kRed) << "the same glyph pixels at " << x << "," << y;
            ink += o == kRed;
        }
    }
    EXPECT_GT(ink, 50);
    const RECT fill = opaque.box(kBlue);
    EXPECT_TRUE(std::memcmp(&fill, &cell, sizeof fill) == 0) << "the background fills the extent";
}

// An 8 bpp DIB section takes the nearest colours of its table, for the
// text and the background alike.
TEST(TextOutput, PalettedSurfacesTakeTheNearestColours)
{
    gdi_test::DibSurface frame(160, 30, 8, 16);
    ASSERT_TRUE(frame.valid());
    HFONT font = text_test::MakeFont(16);
    HGDIOBJ previous = SelectObject(frame.dc(), font);
    frame.fill(7);
    SetTextColor(frame.dc(), RGB(250, 8, 0));  // nearest: 9, red
    SetBkColor(frame.dc(), RGB(0, 0, 140));    // nearest: 4, navy
    ASSERT_TRUE(TextOutA(frame.dc(), 2, 2, kText, int(strlen(kText))));
    SIZE extent;
    ASSERT_TRUE(GetTextExtentPoint32A(frame.dc(), kText, int(strlen(kText)), &extent));
    int ink = 0;
    EXPECT_TRUE(frame.holds([&](int x, int y) {
        const BYTE index = frame.index(x, y);
        ink += index == 9;
        const bool inside = x >= 2 && x < 2 + extent.cx && y >= 2 && y < 2 + extent.cy;
        return inside && (index == 9 || index == 4) ? index : 7;
    }));
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
    EXPECT_TRUE(TextOutA(surface.dc(), 0, 0, "A", 0));
    EXPECT_TRUE(surface.onlyInside(RECT{0, 0, 0, 0}, kMarker)) << "nothing drawn";

    HDC gone = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(gone));
    for (HDC bad : {gone, static_cast<HDC>(nullptr)}) {
        EXPECT_FALSE(TextOutA(bad, 0, 0, "A", 1));
        EXPECT_FALSE(GetTextExtentPoint32A(bad, "A", 1, &size));
        EXPECT_EQ(SetBkMode(bad, TRANSPARENT), 0);
    }
}

}  // namespace
