// Fonts as GDI realises them: cell heights from lfHeight, the stock font,
// fonts with no face, and fonts made and deleted by the thousand.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <malloc.h>

#include <cstring>

#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "platform/text_gdi_fixture.h"
#include "text/text_internal.h"

using text_gdi_test::Extent;
using text_gdi_test::GameFont;
using text_gdi_test::SelectedFont;

namespace {

// A positive lfHeight is the cell height, the extent's height even of
// empty text, in the fixed-pitch face the Mincho name gives. A negative
// one is the character (em) height: the face is sized so its em is that
// many pixels, and the cell is the taller for it. lfHeight 0 and the
// stock font (no face name) get the default 16-pixel cell.
TEST(TextGdiFonts, LfHeightGivesTheCellHeight)
{
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(Extent(dc, "Hi").cy, 16) << "the stock font";
    for (int height : {14, 16, 20, 80}) {
        SelectedFont font(dc, GameFont(height));
        ASSERT_TRUE(font.valid());
        EXPECT_EQ(Extent(dc, "絶妙!").cy, height);
        EXPECT_EQ(Extent(dc, "", 0).cy, height);
        EXPECT_EQ(Extent(dc, "絶妙").cx, 4 * Extent(dc, "!").cx) << height;
    }
    for (int em : {12, 16, 20, 64}) {
        SelectedFont font(dc, GameFont(-em));
        TextFace* face = GdiFontFace(GdiLookupFont(GetCurrentObject(dc, OBJ_FONT)));
        ASSERT_NE(face, nullptr);
        EXPECT_EQ(face->size->metrics.y_ppem, em) << "the face's own size";
        EXPECT_EQ(Extent(dc, "A").cy, TextCellHeight(face));
        EXPECT_GE(TextCellHeight(face), em);
        EXPECT_LE(TextCellHeight(face), em * 3 / 2);
    }
    {
        SelectedFont zero(dc, GameFont(0));
        EXPECT_EQ(Extent(dc, "Hi").cy, 16);
    }
    DeleteDC(dc);
}

// A font keeps a copy of its LOGFONTA, later changes unseen, and a face
// name filling the whole field is read no further.
TEST(TextGdiFonts, FontsKeepACopyOfTheirDescription)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTA description = GameFont(20);
    HFONT font = CreateFontIndirectA(&description);
    description.lfHeight = 99;
    std::memset(description.lfFaceName, 'x', LF_FACESIZE);
    HFONT unterminated = CreateFontIndirectA(&description);
    ASSERT_TRUE(font && unterminated);
    EXPECT_EQ(std::strlen(GdiLookupFont(unterminated)->description.lfFaceName), size_t(LF_FACESIZE - 1));
    HGDIOBJ stock = SelectObject(dc, font);
    EXPECT_EQ(Extent(dc, "A").cy, 20);
    SelectObject(dc, unterminated);
    EXPECT_EQ(Extent(dc, "A").cy, 99);
    SelectObject(dc, stock);
    DeleteObject(font);
    DeleteObject(unterminated);
    DeleteDC(dc);
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

// Ten thousand fonts, each realised by drawing with it, leave the count of
// live objects and the heap where they were.
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
