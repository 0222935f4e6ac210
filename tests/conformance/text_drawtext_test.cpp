// DrawTextA on one line (DT_SINGLELINE, as the game draws all its text),
// as any Windows font behaves: where the alignment
// flags put the text (seen through the opaque background, which covers
// exactly the text's extent), clipping to the rectangle, '&' prefixes and
// the height returned.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "conformance/text_surfaces.h"

using text_test::TextSurface;

namespace {

constexpr uint32_t kMarker = 0x00123456;
constexpr uint32_t kInk = 0x00FFFF00, kBack = 0x000000FF;

struct Placed {
    int returned;
    RECT fill;  // the box of background pixels
    RECT ink;   // the box of text pixels
};

Placed Draw(TextSurface& surface, const char* text, RECT rect, UINT format)
{
    surface.fill(kMarker);
    SetTextColor(surface.dc(), RGB(255, 255, 0));
    SetBkColor(surface.dc(), RGB(0, 0, 255));
    const int returned = DrawTextA(surface.dc(), text, -1, &rect, format);
    return Placed{returned, surface.box(kBack), surface.box(kInk)};
}

SIZE Extent(HDC dc, const char* text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, int(strlen(text)), &size);
    return size;
}

TEST(TextDrawText, AlignmentFlagsPlaceTheLineInTheRectangle)
{
    TextSurface surface(300, 120, kMarker, 20);
    ASSERT_TRUE(surface.valid());
    const char text[] = "Centre 123";
    const SIZE extent = Extent(surface.dc(), text);
    ASSERT_GT(extent.cx, 20);
    const RECT rect = {21, 11, 270, 108};

    // Left and top by default; the background covers the extent.
    Placed placed = Draw(surface, text, rect, DT_SINGLELINE);
    EXPECT_EQ(placed.returned, extent.cy);
    EXPECT_EQ(placed.fill.left, rect.left);
    EXPECT_EQ(placed.fill.top, rect.top);
    EXPECT_EQ(placed.fill.right - placed.fill.left, extent.cx);
    EXPECT_EQ(placed.fill.bottom - placed.fill.top, extent.cy);

    placed = Draw(surface, text, rect, DT_SINGLELINE | DT_CENTER);
    EXPECT_NEAR(placed.fill.left, (rect.left + rect.right - extent.cx) / 2, 1);
    EXPECT_EQ(placed.fill.right - placed.fill.left, extent.cx);
    EXPECT_GE(placed.ink.left, placed.fill.left - 1);
    EXPECT_LE(placed.ink.right, placed.fill.right + 1);
    EXPECT_NEAR(placed.ink.left - rect.left, rect.right - placed.ink.right,
                2 + (extent.cx - (placed.ink.right - placed.ink.left)))
        << "the ink sits in the middle, as far as the glyphs' side bearings allow";

    placed = Draw(surface, text, rect, DT_SINGLELINE | DT_RIGHT);
    EXPECT_EQ(placed.fill.right, rect.right);
    EXPECT_LE(placed.ink.right, rect.right);

    placed = Draw(surface, text, rect, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(placed.fill.bottom, rect.bottom);
    EXPECT_EQ(placed.returned, rect.bottom - rect.top) << "the offset of the text's bottom";

    placed = Draw(surface, text, rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    EXPECT_NEAR(placed.fill.top, (rect.top + rect.bottom - extent.cy) / 2, 1);
    EXPECT_EQ(placed.fill.bottom - placed.fill.top, extent.cy);
    EXPECT_EQ(placed.returned, placed.fill.bottom - rect.top);
}

TEST(TextDrawText, OutputStaysInsideTheRectangle)
{
    TextSurface surface(200, 60, kMarker, 20);
    ASSERT_TRUE(surface.valid());
    const RECT rect = {30, 12, 70, 26};
    Placed placed = Draw(surface, "A long line that does not fit", rect, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(placed.fill.left, rect.left);
    EXPECT_EQ(placed.fill.top, rect.top);
    EXPECT_EQ(placed.fill.right, rect.right);
    EXPECT_EQ(placed.fill.bottom, rect.bottom);
    EXPECT_TRUE(surface.onlyInside(rect, kMarker));
}

// '&' is not drawn and underlines the next character; "&&" draws one '&',
// as DT_NOPREFIX draws "&" itself.
TEST(TextDrawText, PrefixesUnderlineTheNextCharacter)
{
    TextSurface prefixed(200, 40, kMarker, 20), plain(200, 40, kMarker, 20);
    ASSERT_TRUE(prefixed.valid() && plain.valid());
    for (const TextSurface* surface : {&prefixed, &plain})
        SetBkMode(surface->dc(), TRANSPARENT);
    const RECT rect = {4, 4, 196, 36};

    // Centred, so the line is measured as drawn.
    Draw(prefixed, "A&&B", rect, DT_SINGLELINE | DT_CENTER);
    Draw(plain, "A&B", rect, DT_SINGLELINE | DT_CENTER | DT_NOPREFIX);
    EXPECT_TRUE(prefixed.sameAs(plain));
    EXPECT_GT(plain.box(kInk).right, 0);

    // "&Wide" is "Wide" with one more row of ink under the 'W', below the
    // rest of the text's ink.
    Placed marked = Draw(prefixed, "&Wide", rect, DT_SINGLELINE | DT_CENTER);
    Placed unmarked = Draw(plain, "Wide", rect, DT_SINGLELINE | DT_CENTER);
    int changedRow = -1, changed = 0;
    for (int y = 0; y < prefixed.height(); ++y) {
        for (int x = 0; x < prefixed.width(); ++x) {
            if (prefixed.at(x, y) == plain.at(x, y))
                continue;
            ASSERT_EQ(prefixed.at(x, y), kInk) << x << "," << y;
            ASSERT_TRUE(changedRow < 0 || changedRow == y) << "one row only: " << y;
            changedRow = y;
            ++changed;
        }
    }
    const int wide = Extent(plain.dc(), "W").cx;
    EXPECT_GE(changed, wide / 2);
    EXPECT_LE(changed, wide);
    EXPECT_GE(changedRow, unmarked.ink.bottom - 1);
    EXPECT_EQ(marked.returned, unmarked.returned);
}

TEST(TextDrawText, CountsAndHeights)
{
    TextSurface surface(100, 40, kMarker, 20), whole(100, 40, kMarker, 20);
    ASSERT_TRUE(surface.valid() && whole.valid());
    RECT rect = {0, 0, 100, 40};
    const int height = Extent(surface.dc(), "A").cy;
    EXPECT_EQ(DrawTextA(surface.dc(), "Hello", 0, &rect, DT_SINGLELINE), 0);
    EXPECT_TRUE(surface.onlyInside(RECT{0, 0, 0, 0}, kMarker)) << "a zero count draws nothing";
    EXPECT_EQ(DrawTextA(surface.dc(), "", -1, &rect, DT_SINGLELINE), height) << "empty text: one line's height";
    EXPECT_EQ(DrawTextA(surface.dc(), "Hello", 3, &rect, DT_SINGLELINE), height);
    DrawTextA(whole.dc(), "Hel", -1, &rect, DT_SINGLELINE);
    EXPECT_TRUE(surface.sameAs(whole));
}

}  // namespace
