// DrawTextA on one line: where the alignment flags put it, clipping to
// the rectangle, '&' prefixes and their underline, and the height
// returned. Each case is checked against TextOutA at the expected place.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "platform/text_gdi_fixture.h"
#include "text/glyphs.h"

using gdi_test::DibSurface;
using text_gdi_test::Extent;
using text_gdi_test::GameFont;
using text_gdi_test::SelectedFont;

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
        for (HDC dc : {drawn.dc(), expected.dc()}) {
            SetTextColor(dc, RGB(255, 255, 0));
            SetBkColor(dc, RGB(0, 0, 255));
            SetBkMode(dc, mode);
        }
        clear();
    }
    void clear()
    {
        drawn.fill(kMarker);
        expected.fill(kMarker);
    }
    // The expected output drawn by TextOutA, kept inside `clip`.
    void expect(int x, int y, const char* text, const RECT& clip = {0, 0, kWidth, kHeight})
    {
        ASSERT_TRUE(TextOutA(expected.dc(), x, y, text, int(strlen(text))));
        expected.paint([&](int column, int row) {
            const bool inside = column >= clip.left && column < clip.right && row >= clip.top && row < clip.bottom;
            return inside ? expected.pixel(column, row) : kMarker;
        });
    }
    ::testing::AssertionResult same() { return drawn.holds([&](int x, int y) { return expected.pixel(x, y); }); }
};

// Horizontal and vertical placement, with odd-sized rectangles so the
// halves round: DT_CENTER at (left + right - width) / 2, DT_RIGHT ending
// at the right edge, DT_VCENTER at top + (bottom - top) / 2 - height / 2
// and DT_BOTTOM ending at the bottom edge.
// Output, opaque background included, is clipped to the rectangle. The
// height returned reaches from the top to the bottom of the text; the
// rectangle is left as it was.
TEST(TextGdiDrawText, AlignmentFlagsPlaceTheLineAndClipToTheRectangle)
{
    for (int height : {14, 15, 16, 20}) {
        Pair pair(height, OPAQUE);
        const char text[] = "絶妙 12!";
        const int width = Extent(pair.drawn.dc(), text).cx;
        ASSERT_GT(width, 0);
        for (const RECT& bounds :
             {RECT{20, 10, 180, 90}, RECT{21, 7, 178, 88}, RECT{-5, -3, 170, 60}, RECT{30, 12, 75, 27}}) {
            const int left = bounds.left, top = bounds.top, centre = (bounds.left + bounds.right - width) / 2;
            const int right = bounds.right - width, middle = top + (bounds.bottom - top) / 2 - height / 2;
            const struct {
                UINT format;
                int x, y;
            } cases[] = {
                {DT_SINGLELINE | DT_LEFT | DT_TOP, left, top},
                {DT_SINGLELINE | DT_CENTER, centre, top},
                {DT_SINGLELINE | DT_RIGHT, right, top},
                {DT_SINGLELINE | DT_VCENTER, left, middle},
                {DT_SINGLELINE | DT_BOTTOM | DT_RIGHT, right, bounds.bottom - height},
                {DT_SINGLELINE | DT_VCENTER | DT_CENTER, centre, middle},
            };
            for (const auto& c : cases) {
                pair.clear();
                RECT rect = bounds;
                EXPECT_EQ(DrawTextA(pair.drawn.dc(), text, -1, &rect, c.format), c.y + height - top)
                    << height << " " << c.format;
                EXPECT_EQ(std::memcmp(&rect, &bounds, sizeof rect), 0) << "the rectangle is left as it was";
                pair.expect(c.x, c.y, text, bounds);
                EXPECT_TRUE(pair.same()) << height << " format " << c.format << " rect " << left << "," << top;
            }
        }
    }
}

// '&' marks the next character, drawn underlined one row below the
// baseline from its left edge to one pixel short of its right edge; "&&"
// draws '&', a last '&' draws itself, only the first mark is underlined,
// and DT_NOPREFIX draws every '&'. Placement measures the text as drawn.
TEST(TextGdiDrawText, PrefixesMarkTheNextCharacter)
{
    Pair pair(20);
    const int ascent = TextAscent(GdiFontFace(GdiLookupFont(GetCurrentObject(pair.drawn.dc(), OBJ_FONT))));
    ASSERT_GT(ascent, 10);
    const RECT bounds = {10, 20, 190, 80};
    const struct {
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
        {"版&絶妙", DT_VCENTER | DT_CENTER, "版絶妙", "版", "絶"},
    };
    for (const auto& c : cases) {
        pair.clear();
        RECT rect = bounds;
        const int height = DrawTextA(pair.drawn.dc(), c.text, int(strlen(c.text)), &rect, DT_SINGLELINE | c.format);
        const int width = Extent(pair.expected.dc(), c.shown).cx;
        const int x = c.format & DT_CENTER ? (bounds.left + bounds.right - width) / 2
                      : c.format & DT_RIGHT ? bounds.right - width
                                            : bounds.left;
        const int y = c.format & DT_VCENTER ? 20 + 30 - 10 : 20;
        EXPECT_EQ(height, y + 20 - bounds.top) << c.text;
        pair.expect(x, y, c.shown);
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

// Counts: any negative one reads to the NUL; empty NUL-terminated text
// returns the line height without drawing; line breaks are drawn as
// characters on the one line. Bad arguments, and text without
// DT_SINGLELINE, draw nothing and return 0; a text height of 0 is
// returned as 1.
TEST(TextGdiDrawText, CountsSingleLinesAndBadArguments)
{
    Pair pair(20);
    RECT rect = {0, 0, kWidth, kHeight};
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -2, &rect, DT_SINGLELINE), 20);
    pair.expect(0, 0, "Hello");
    EXPECT_TRUE(pair.same());
    pair.clear();
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "A\nB", -1, &rect, DT_SINGLELINE), 20);
    pair.expect(0, 0, "A\nB");
    EXPECT_TRUE(pair.same());

    pair.clear();
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "", -1, &rect, DT_SINGLELINE), 20);
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -1, &rect, DT_CENTER), 0) << "not a single line";
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), nullptr, -1, &rect, DT_SINGLELINE), 0);
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -1, nullptr, DT_SINGLELINE), 0);
    EXPECT_EQ(DrawTextA(nullptr, "Hello", -1, &rect, DT_SINGLELINE), 0);
    EXPECT_TRUE(pair.same()) << "nothing drawn";
    RECT flat = {0, 10, kWidth, 10};
    EXPECT_EQ(DrawTextA(pair.drawn.dc(), "Hello", -1, &flat, DT_SINGLELINE | DT_BOTTOM), 1);
}

}  // namespace
