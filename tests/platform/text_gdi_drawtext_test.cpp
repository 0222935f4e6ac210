// DrawTextA: where the alignment flags put the line, clipping to the
// rectangle, '&' prefixes and their underline, line breaks and the height
// returned. Each case is checked against TextOutA at the expected place.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "platform/text_gdi_fixture.h"
#include "text/glyphs.h"

using gdi_test::DibSurface;
using text_gdi_test::Extent;
using text_gdi_test::GameFont;
using text_gdi_test::SelectedFont;
using text_gdi_test::Snapshot;

namespace {

constexpr int kWidth = 200, kHeight = 100;
constexpr uint32_t kMarker = 0x00123456;

// Two same-sized surfaces with the same font and colours: DrawTextA goes
// into `drawn`, the expected output into `expected`.
struct Pair {
    DibSurface drawn{kWidth, -kHeight, 32};
    DibSurface expected{kWidth, -kHeight, 32};
    SelectedFont drawnFont;
    SelectedFont expectedFont;

    explicit Pair(int height, int mode = TRANSPARENT)
        : drawnFont(drawn.dc(), GameFont(height)), expectedFont(expected.dc(), GameFont(height))
    {
        for (const DibSurface* surface : {&drawn, &expected}) {
            SetTextColor(surface->dc(), RGB(255, 255, 0));
            SetBkColor(surface->dc(), RGB(0, 0, 255));
            SetBkMode(surface->dc(), mode);
        }
        clear();
    }
    void clear()
    {
        for (const DibSurface* surface : {&drawn, &expected})
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x)
                    surface->pixel(x, y) = kMarker;
    }
    int ascent() { return TextAscent(GdiFontFace(GdiLookupFont(GetCurrentObject(drawn.dc(), OBJ_FONT)))); }
    bool same() { return Snapshot(drawn, kWidth, kHeight) == Snapshot(expected, kWidth, kHeight); }
};

// Horizontal and vertical placement, with odd-sized rectangles so the
// halves round: DT_CENTER at (left + right - width) / 2, DT_RIGHT ending
// at the right edge, DT_VCENTER at top + (bottom - top) / 2 - height / 2
// and DT_BOTTOM ending at the bottom edge, these two only on single lines.
// The height returned reaches from the top to the bottom of the text.
TEST(TextGdiDrawText, AlignmentFlagsPlaceTheLine)
{
    for (int height : {14, 15, 16, 20}) {
        Pair pair(height);
        const char text[] = "絶妙 12!";
        const int width = Extent(pair.drawn.dc(), text).cx;
        ASSERT_GT(width, 0);
        for (const RECT& bounds : {RECT{20, 10, 180, 90}, RECT{21, 7, 178, 88}, RECT{-5, -3, 170, 60}}) {
            struct Case {
                UINT format;
                int x, y;
            } cases[] = {
                {DT_LEFT | DT_TOP, bounds.left, bounds.top},
                {DT_CENTER, (bounds.left + bounds.right - width) / 2, bounds.top},
                {DT_RIGHT, bounds.right - width, bounds.top},
                {DT_VCENTER, bounds.left, bounds.top},
                {DT_BOTTOM | DT_CENTER, (bounds.left + bounds.right - width) / 2, bounds.top},
                {DT_SINGLELINE | DT_VCENTER, bounds.left,
                 bounds.top + (bounds.bottom - bounds.top) / 2 - height / 2},
                {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, bounds.right - width, bounds.bottom - height},
                {DT_SINGLELINE | DT_VCENTER | DT_CENTER, (bounds.left + bounds.right - width) / 2,
                 bounds.top + (bounds.bottom - bounds.top) / 2 - height / 2},
            };
            for (const Case& c : cases) {
                pair.clear();
                RECT rect = bounds;
                EXPECT_EQ(DrawTextA(pair.drawn.dc(), text, -1, &rect, c.format), c.y + height - bounds.top)
                    << height << " " << c.format;
                EXPECT_EQ(std::memcmp(&rect, &bounds, sizeof rect), 0) << "the rectangle is left as it was";
                ASSERT_TRUE(TextOutA(pair.expected.dc(), c.x, c.y, text, int(strlen(text))));
                EXPECT_TRUE(pair.same()) << height << " format " << c.format << " rect " << bounds.left << ","
                                         << bounds.top;
            }
        }
    }
}

// Output, opaque background included, stays inside the rectangle: it is
// what unclipped output leaves inside it.
TEST(TextGdiDrawText, OutputIsClippedToTheRectangle)
{
    Pair pair(20, OPAQUE);
    const RECT bounds = {30, 12, 75, 27};
    const char text[] = "Score 絶妙 0123";
    RECT rect = bounds;
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), text, -1, &rect, DT_SINGLELINE | DT_VCENTER | DT_CENTER),
              9 + 20 - 12);
    const int width = Extent(pair.drawn.dc(), text).cx;
    const int x = (bounds.left + bounds.right - width) / 2, y = 9;  // 12 + 15 / 2 - 20 / 2
    ASSERT_TRUE(TextOutA(pair.expected.dc(), x, y, text, int(strlen(text))));
    int ink = 0;
    for (int row = 0; row < kHeight; ++row) {
        for (int column = 0; column < kWidth; ++column) {
            const bool inside =
                column >= bounds.left && column < bounds.right && row >= bounds.top && row < bounds.bottom;
            const uint32_t drawn = pair.drawn.pixel(column, row);
            ASSERT_EQ(drawn, inside ? pair.expected.pixel(column, row) : kMarker) << column << "," << row;
            ink += drawn == 0xFFFF00u;
        }
    }
    EXPECT_GT(ink, 20);
}

// '&' marks the next character, drawn underlined one row below the
// baseline from its left edge to one pixel short of its right edge; "&&"
// draws '&', a last '&' draws itself, only the first mark is underlined,
// and DT_NOPREFIX draws every '&'. Placement measures the text as drawn.
TEST(TextGdiDrawText, PrefixesMarkTheNextCharacter)
{
    Pair pair(20);
    const int ascent = pair.ascent();
    ASSERT_GT(ascent, 10);
    const RECT bounds = {10, 20, 190, 80};
    struct Case {
        const char* text;
        UINT format;
        const char* shown;
        const char* before;  // the text before the underlined character, or null
        const char* marked;  // the underlined character
    } cases[] = {
        {"&Save", 0, "Save", "", "S"},
        {"Sa&ve", DT_CENTER, "Save", "Sa", "v"},
        {"&A&B", DT_RIGHT, "AB", "", "A"},
        {"A&&B", 0, "A&B", nullptr, nullptr},
        {"&&", DT_CENTER, "&", nullptr, nullptr},
        {"AB&", 0, "AB&", nullptr, nullptr},
        {"&Save", DT_NOPREFIX, "&Save", nullptr, nullptr},
        {"版&絶妙", DT_SINGLELINE | DT_VCENTER | DT_CENTER, "版絶妙", "版", "絶"},
    };
    for (const Case& c : cases) {
        pair.clear();
        RECT rect = bounds;
        const int height = DrawTextA(pair.drawn.dc(), c.text, int(strlen(c.text)), &rect, c.format);
        const int width = Extent(pair.expected.dc(), c.shown).cx;
        const int x = c.format & DT_CENTER ? (bounds.left + bounds.right - width) / 2
                      : c.format & DT_RIGHT ? bounds.right - width
                                            : bounds.left;
        const int y = c.format & DT_VCENTER ? 20 + 30 - 10 : 20;
        EXPECT_EQ(height, y + 20 - bounds.top) << c.text;
        ASSERT_TRUE(TextOutA(pair.expected.dc(), x, y, c.shown, int(strlen(c.shown))));
        if (c.marked != nullptr) {
            const int from = x + Extent(pair.expected.dc(), c.before).cx;
            const int to = from + Extent(pair.expected.dc(), c.marked).cx - 1;
            ASSERT_GT(to - from, 3);
            for (int column = from; column < to; ++column)
                pair.expected.pixel(column, y + ascent + 1) = 0xFFFF00u;
        }
        EXPECT_TRUE(pair.same()) << c.text;
    }
}

// Without DT_SINGLELINE, CR, LF, CR LF and LF CR each end a line and
// DT_VCENTER and DT_BOTTOM do nothing; the line that reaches past the
// bottom is the last one drawn.
TEST(TextGdiDrawText, LineBreaksStartNewLinesUnlessSingleLine)
{
    Pair pair(16);
    const RECT bounds = {0, 0, kWidth, kHeight};
    RECT rect = bounds;
    const char text[] = "AB\r\nCD\n\rEF\nGH\rIJ";
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), text, -1, &rect, DT_VCENTER | DT_BOTTOM), 5 * 16);
    const char* lines[] = {"AB", "CD", "EF", "GH", "IJ"};
    for (int i = 0; i < 5; ++i)
        TextOutA(pair.expected.dc(), 0, 16 * i, lines[i], 2);
    EXPECT_TRUE(pair.same());

    pair.clear();
    rect = RECT{0, 0, kWidth, 40};
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), text, -1, &rect, 0), 3 * 16) << "the third line reaches past 40";
    for (int i = 0; i < 3; ++i)
        TextOutA(pair.expected.dc(), 0, 16 * i, lines[i], 2);
    for (int row = 40; row < kHeight; ++row)
        for (int column = 0; column < kWidth; ++column)
            pair.expected.pixel(column, row) = kMarker;
    EXPECT_TRUE(pair.same());

    pair.clear();
    rect = bounds;
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "A\nB", -1, &rect, DT_SINGLELINE), 16);
    int ink = 0;
    for (int row = 16; row < kHeight; ++row)
        for (int column = 0; column < kWidth; ++column)
            ink += pair.drawn.pixel(column, row) != kMarker;
    EXPECT_EQ(ink, 0) << "a single line stays on one line";
}

// Counts: -1 (or any negative) reads to the NUL, a byte count stops
// early, zero draws nothing and returns 0; empty NUL-terminated text
// returns the line height. Bad arguments return 0.
TEST(TextGdiDrawText, CountsAndBadArguments)
{
    Pair pair(20);
    RECT rect = {0, 0, kWidth, kHeight};
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", 2, &rect, 0), 20);
    TextOutA(pair.expected.dc(), 0, 0, "He", 2);
    EXPECT_TRUE(pair.same());
    pair.clear();
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -2, &rect, 0), 20);
    TextOutA(pair.expected.dc(), 0, 0, "Hello", 5);
    EXPECT_TRUE(pair.same());

    pair.clear();
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", 0, &rect, 0), 0);
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "", -1, &rect, 0), 20);
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), nullptr, -1, &rect, 0), 20);
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), nullptr, 3, &rect, 0), 0);
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(nullptr, "Hello", -1, &rect, 0), 0);
    EXPECT_TRUE(pair.same()) << "nothing drawn";

    RECT flat = {0, 10, kWidth, 10};
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -1, &flat, DT_SINGLELINE | DT_BOTTOM), 1)
        << "a height of 0 is returned as 1";
}

}  // namespace
