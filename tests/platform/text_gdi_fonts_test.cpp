// Fonts as GDI realises them: cell heights from lfHeight, the widths of
// the fixed-pitch face, the stock font, and fonts made and deleted by the
// thousand without leaking.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <malloc.h>

#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "platform/text_gdi_fixture.h"
#include "text/text_internal.h"

using text_gdi_test::Extent;
using text_gdi_test::GameFont;
using text_gdi_test::SelectedFont;

namespace {

// A positive lfHeight is the cell height, whatever the size: the extent's
// height, and the height DrawTextA reports for a line at the top.
TEST(TextGdiFonts, PositiveHeightsAreCellHeights)
{
    HDC dc = CreateCompatibleDC(nullptr);
    for (int height : {14, 16, 20, 80}) {
        SelectedFont font(dc, GameFont(height));
        ASSERT_TRUE(font.valid());
        EXPECT_EQ(Extent(dc, "絶妙!").cy, height);
        EXPECT_EQ(Extent(dc, "", 0).cy, height) << "empty text still has the cell's height";
        RECT rect = {0, 0, 400, 400};
        EXPECT_EQ(DrawTextA(dc, "A", -1, &rect, DT_SINGLELINE | DT_NOPREFIX), height);
    }
    DeleteDC(dc);
}

// In the fixed-pitch Mincho face a two-byte character is exactly two
// one-byte characters wide, and every one-byte character is as wide.
TEST(TextGdiFonts, FixedPitchTwoByteCharactersAreTwoCellsWide)
{
    HDC dc = CreateCompatibleDC(nullptr);
    for (int height : {14, 16, 20, 80}) {
        SelectedFont font(dc, GameFont(height));
        ASSERT_TRUE(font.valid());
        const int pair = Extent(dc, "絶妙").cx;
        const int half = Extent(dc, "絶妙!").cx - pair;
        EXPECT_GT(half, height / 4) << height;
        EXPECT_EQ(pair, 4 * half) << height;
        EXPECT_EQ(Extent(dc, "W").cx, half);
        EXPECT_EQ(Extent(dc, "i").cx, half);
        EXPECT_EQ(Extent(dc, "ｽｺｱ").cx, 3 * half) << "half-width katakana are one-byte";
    }
    DeleteDC(dc);
}

// A negative lfHeight is the character (em) height: the face is sized so
// its em is that many pixels, and the cell is the taller for it.
TEST(TextGdiFonts, NegativeHeightsAreCharacterHeights)
{
    HDC dc = CreateCompatibleDC(nullptr);
    for (int em : {12, 16, 20, 64}) {
        const LOGFONTA description = GameFont(-em);
        HFONT font = CreateFontIndirectA(&description);
        HGDIOBJ previous = SelectObject(dc, font);
        TextFace* face = GdiFontFace(GdiLookupFont(font));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->size->metrics.y_ppem, em) << "the face's own size";
        EXPECT_EQ(Extent(dc, "A").cy, TextCellHeight(face));
        EXPECT_GE(TextCellHeight(face), em);
        EXPECT_LE(TextCellHeight(face), em * 3 / 2);
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    DeleteDC(dc);
}

// lfHeight 0 and the stock font (no face name) both get the default
// 16-pixel cell, and the stock font draws.
TEST(TextGdiFonts, ZeroHeightAndTheStockFontUseTheDefaultCell)
{
    gdi_test::DibSurface surface(64, -24, 32);
    ASSERT_TRUE(surface.valid());
    EXPECT_EQ(Extent(surface.dc(), "Hi").cy, 16);
    EXPECT_GT(Extent(surface.dc(), "Hi").cx, 0);
    ASSERT_TRUE(TextOutA(surface.dc(), 0, 0, "Hi", 2));
    int ink = 0;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 64; ++x)
            ink += surface.pixel(x, y) == 0;
    EXPECT_GT(ink, 10);

    SelectedFont zero(surface.dc(), GameFont(0));
    ASSERT_TRUE(zero.valid());
    EXPECT_EQ(Extent(surface.dc(), "Hi").cy, 16);
}

// A font nothing can be loaded for measures and draws nothing, and says so.
TEST(TextGdiFonts, AFontWithNoFaceFails)
{
    HDC dc = CreateCompatibleDC(nullptr);
    SelectedFont huge(dc, GameFont(5000));
    ASSERT_TRUE(huge.valid());
    SIZE size = {7, 7};
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "A", 1, &size));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "A", 1));
    DeleteDC(dc);
}

// Ten thousand fonts, each realised by measuring and drawing with it,
// leave the count of live objects and the heap where they were.
TEST(TextGdiFonts, FontsMadeAndDeletedByTheThousandLeaveNothingBehind)
{
    gdi_test::DibSurface surface(32, 32, 8, 16);
    ASSERT_TRUE(surface.valid());
    const int before = PlatformLiveGdiObjects();
    const int heights[] = {14, 16, 20, 80, -16, 0};
    auto cycle = [&](int i) {
        const LOGFONTA description = GameFont(heights[i % 6], i % 2 ? text_gdi_test::kMincho : "");
        HFONT font = CreateFontIndirectA(&description);
        HGDIOBJ previous = SelectObject(surface.dc(), font);
        TextOutA(surface.dc(), 0, 0, "絶A", 3);
        SelectObject(surface.dc(), previous);
        return DeleteObject(font);
    };
    for (int i = 0; i < 100; ++i)
        ASSERT_TRUE(cycle(i));  // every face opened and its glyphs cached

    const size_t heapBefore = mallinfo2().uordblks;
    for (int i = 0; i < 10000; ++i)
        ASSERT_TRUE(cycle(i));
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
    EXPECT_LT(mallinfo2().uordblks, heapBefore + 4096);
}

}  // namespace
