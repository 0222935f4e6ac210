// TextOutA, GetTextExtentPoint32A and DrawTextA on one line (DT_SINGLELINE,
// as the game draws all its text), as any Windows font behaves: opaque
// output fills the text's extent with the background colour, glyphs are
// solid, and the alignment flags place that extent in the rectangle.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "conformance/surfaces.h"

using surfaces::Dib;
using surfaces::Str;

namespace {

const char kText[] = "Hello, World 0123";
constexpr uint32_t kMarker = 0x123456, kInk = 0xFFFF00, kBack = 0x0000FF;
constexpr int kOpaque = 2;  // OPAQUE, the default background mode

SIZE Extent(HDC dc, const char* text, int count = -1)
{
    SIZE size = {-1, -1};
    GetTextExtentPoint32A(dc, text, count < 0 ? int(strlen(text)) : count, &size);
    return size;
}

// Yellow ink on blue, over the marker colour.
void Prepare(const Dib& surface, int mode = kOpaque)
{
    surface.fill(kMarker);
    SetTextColor(surface.dc(), RGB(255, 255, 0));
    SetBkColor(surface.dc(), RGB(0, 0, 255));
    SetBkMode(surface.dc(), mode);
}

// Opaque and transparent output put the same glyph pixels inside the
// extent; opaque fills the rest of it. An 8 bpp frame takes the nearest
// colours of its table for both.
TEST(TextOutput, OpaqueFillsTheExtentAndTransparentLeavesIt)
{
    Dib opaque(240, -40, 32, 0, nullptr, 16), transparent(240, -40, 32, 0, nullptr, 16),
        frame(240, 40, 8, 16, nullptr, 16);
    ASSERT_TRUE(opaque.valid() && transparent.valid() && frame.valid());
    EXPECT_EQ(SetTextColor(opaque.dc(), RGB(255, 0, 0)), RGB(0, 0, 0)) << "black by default";
    EXPECT_EQ(SetBkColor(opaque.dc(), RGB(0, 0, 255)), RGB(255, 255, 255)) << "white by default";
    EXPECT_EQ(SetBkMode(transparent.dc(), TRANSPARENT), kOpaque) << "opaque by default";
    Prepare(opaque);
    Prepare(transparent, TRANSPARENT);
    frame.fill(7);
    SetTextColor(frame.dc(), RGB(250, 250, 8));  // nearest: 11, yellow
    SetBkColor(frame.dc(), RGB(0, 0, 140));      // nearest: 4, navy
    const SIZE extent = Extent(opaque.dc(), kText);
    ASSERT_TRUE(extent.cx > 20 && extent.cy > 0 && 7 + extent.cx < 240 && 5 + extent.cy < 40);
    for (const Dib* surface : {&opaque, &transparent, &frame})
        ASSERT_TRUE(TextOutA(surface->dc(), 7, 5, kText, int(strlen(kText))));

    const RECT cell = {7, 5, 7 + extent.cx, 5 + extent.cy};
    EXPECT_EQ(Str(opaque.box(kBack)), Str(cell)) << "the background fills the extent";
    int ink = 0;
    EXPECT_TRUE(transparent.holds([&](int x, int y) {
        const bool inside = x >= cell.left && x < cell.right && y >= cell.top && y < cell.bottom;
        const bool glyph = opaque.at(x, y) == kInk;
        ink += glyph;
        EXPECT_TRUE(glyph || opaque.at(x, y) == (inside ? kBack : kMarker)) << x << "," << y;
        EXPECT_EQ(frame.at(x, y), glyph ? 11u : inside ? 4u : 7u) << x << "," << y;
        return glyph ? kInk : kMarker;
    }));
    EXPECT_GT(ink, 50);
}

// Counts are bytes; text reaching off the surface is clipped to it; bad
// counts and DCs fail, a zero count draws nothing.
TEST(TextOutput, CountsClippingAndBadArguments)
{
    Dib counted(120, -30, 32, 0, nullptr, 16), whole(120, -30, 32, 0, nullptr, 16);
    ASSERT_TRUE(counted.valid() && whole.valid());
    Prepare(counted);
    Prepare(whole);
    ASSERT_TRUE(TextOutA(counted.dc(), 1, 1, "Hello", 2));
    ASSERT_TRUE(TextOutA(whole.dc(), 1, 1, "He", 2));
    EXPECT_TRUE(counted.holds([&](int x, int y) { return whole.at(x, y); }));
    EXPECT_LT(Extent(counted.dc(), "Hello", 2).cx, Extent(counted.dc(), "Hello", 5).cx);
    EXPECT_EQ(Extent(counted.dc(), "Hello", 2).cy, Extent(counted.dc(), "Hello", 5).cy);

    // Off the top-left corner: what lands is the rest of the output.
    Prepare(counted);
    Prepare(whole);
    ASSERT_TRUE(TextOutA(counted.dc(), -6, -4, "Hello", 5));
    ASSERT_TRUE(TextOutA(whole.dc(), 10, 10, "Hello", 5));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(counted.at(x, y), whole.at(x + 16, y + 14)) << x << "," << y;
    EXPECT_TRUE(TextOutA(counted.dc(), 100, 20, "Hello", 5)) << "off the right and bottom edges";

    Prepare(counted);
    SIZE size = {3, 3};
    EXPECT_FALSE(TextOutA(counted.dc(), 0, 0, "A", -1));
    EXPECT_FALSE(GetTextExtentPoint32A(counted.dc(), "A", -1, &size));
    EXPECT_TRUE(TextOutA(counted.dc(), 0, 0, "A", 0));
    EXPECT_TRUE(counted.holds([](int, int) { return kMarker; })) << "nothing drawn";
    HDC gone = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(DeleteDC(gone));
    for (HDC bad : {gone, static_cast<HDC>(nullptr)}) {
        EXPECT_FALSE(TextOutA(bad, 0, 0, "A", 1));
        EXPECT_FALSE(GetTextExtentPoint32A(bad, "A", 1, &size));
        EXPECT_EQ(SetBkMode(bad, TRANSPARENT), 0);
    }
}

// Seen through the opaque background, which covers the text's extent:
// left and top by default, centred, at the right or bottom edge, clipped
// to the rectangle. The height returned reaches from the rectangle's top
// to the text's bottom.
TEST(TextDrawText, AlignmentFlagsPlaceTheLineInTheRectangle)
{
    Dib surface(300, -120, 32, 0, nullptr, 20);
    ASSERT_TRUE(surface.valid());
    const char text[] = "Centre 123";
    const SIZE extent = Extent(surface.dc(), text);
    const RECT rect = {21, 11, 270, 108};
    const int centre = (rect.left + rect.right - extent.cx) / 2, middle = (rect.top + rect.bottom - extent.cy) / 2;
    const struct {
        UINT format;
        int left, top, returned;
        int slack;  // rounding Windows versions differ in
    } cases[] = {
        {0, rect.left, rect.top, extent.cy, 0},
        {DT_CENTER, centre, rect.top, extent.cy, 1},
        {DT_RIGHT, rect.right - extent.cx, rect.top, extent.cy, 0},
        {DT_BOTTOM, rect.left, rect.bottom - extent.cy, rect.bottom - rect.top, 0},
        {DT_VCENTER | DT_CENTER, centre, middle, -1, 1},
    };
    for (const auto& c : cases) {
        Prepare(surface);
        RECT drawn = rect;
        const int returned = DrawTextA(surface.dc(), text, -1, &drawn, DT_SINGLELINE | c.format);
        const RECT fill = surface.box(kBack);
        EXPECT_NEAR(fill.left, c.left, c.slack) << c.format;
        EXPECT_NEAR(fill.top, c.top, c.slack) << c.format;
        EXPECT_EQ(fill.right - fill.left, extent.cx) << c.format;
        EXPECT_EQ(fill.bottom - fill.top, extent.cy) << c.format;
        EXPECT_EQ(returned, c.returned < 0 ? fill.bottom - rect.top : c.returned) << c.format;
        EXPECT_EQ(Str(drawn), Str(rect)) << "the rectangle is left as it was";
    }

    const RECT narrow = {30, 12, 70, 26};
    Prepare(surface);
    RECT drawn = narrow;
    DrawTextA(surface.dc(), "A long line that does not fit", -1, &drawn, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(Str(surface.box(kBack)), Str(narrow));
    EXPECT_TRUE(surface.holds([&](int x, int y) {
        return x >= narrow.left && x < narrow.right && y >= narrow.top && y < narrow.bottom ? surface.at(x, y)
                                                                                            : kMarker;
    }));

    Dib whole(300, -120, 32, 0, nullptr, 20);
    Prepare(surface);
    Prepare(whole);
    drawn = rect;
    EXPECT_EQ(DrawTextA(surface.dc(), "Hello", 0, &drawn, DT_SINGLELINE), 0);
    EXPECT_EQ(DrawTextA(surface.dc(), "", -1, &drawn, DT_SINGLELINE), extent.cy) << "empty: one line's height";
    EXPECT_TRUE(surface.holds([](int, int) { return kMarker; })) << "neither draws";
    EXPECT_EQ(DrawTextA(surface.dc(), "Hello", 3, &drawn, DT_SINGLELINE), extent.cy);
    DrawTextA(whole.dc(), "Hel", -1, &drawn, DT_SINGLELINE);
    EXPECT_TRUE(surface.holds([&](int x, int y) { return whole.at(x, y); })) << "the count is in bytes";
}

// '&' is not drawn and underlines the next character with one row of ink
// below the rest; "&&" draws one '&', as DT_NOPREFIX draws "&" itself.
TEST(TextDrawText, PrefixesUnderlineTheNextCharacter)
{
    Dib prefixed(200, -40, 32, 0, nullptr, 20), plain(200, -40, 32, 0, nullptr, 20);
    ASSERT_TRUE(prefixed.valid() && plain.valid());
    auto draw = [](const Dib& surface, const char* text, UINT format) {
        Prepare(surface, TRANSPARENT);
        RECT rect = {4, 4, 196, 36};
        return DrawTextA(surface.dc(), text, -1, &rect, DT_SINGLELINE | DT_CENTER | format);
    };
    draw(prefixed, "A&&B", 0);
    draw(plain, "A&B", DT_NOPREFIX);
    EXPECT_TRUE(prefixed.holds([&](int x, int y) { return plain.at(x, y); }));
    EXPECT_GT(plain.box(kInk).right, 0);

    EXPECT_EQ(draw(prefixed, "&Wide", 0), draw(plain, "Wide", 0));
    const int inkBottom = plain.box(kInk).bottom, wide = Extent(plain.dc(), "W").cx;
    int changedRow = -1, changed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) {
            if (prefixed.at(x, y) == plain.at(x, y))
                continue;
            ASSERT_EQ(prefixed.at(x, y), kInk) << x << "," << y;
            ASSERT_TRUE(changedRow < 0 || changedRow == y) << "one row only: " << y;
            changedRow = y;
            ++changed;
        }
    EXPECT_GE(changed, wide / 2);
    EXPECT_LE(changed, wide);
    EXPECT_GE(changedRow, inkBottom - 1);
}

}  // namespace
