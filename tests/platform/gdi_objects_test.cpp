// GDI object lifetimes: the live count, deferred deletion and handle checks.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <vector>

#include "gdi/gdi_private.h"
#include "platform/text_gdi_fixture.h"

using gdi_test::MakeDib;
using text_gdi_test::GameFont;

namespace {

// Objects made and deleted leave the count where it was; stock objects are
// never counted, and the quota caps the rest. As in Wine, DeleteObject on an object still selected into
// a DC succeeds but only marks it: it goes when the DC lets go of it, by
// selection, RestoreDC or DeleteDC, and meanwhile goes into no other DC.
TEST(GdiObjects, TheLiveCountFollowsCreationAndDeferredDeletion)
{
    const int before = PlatformLiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(PlatformLiveGdiObjects(), before + 1);
    HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    for (int i = 0; i < 100; ++i) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP frame = MakeDib(320, 240, 8, 16);
        ASSERT_TRUE(memory && frame);
        ASSERT_EQ(SelectObject(memory, frame), stockBitmap);
        HBITMAP compatible = CreateCompatibleBitmap(memory, 32, 32);
        ASSERT_NE(compatible, nullptr);
        ASSERT_EQ(PlatformLiveGdiObjects(), before + 4);
        ASSERT_EQ(SaveDC(memory), 1);
        ASSERT_EQ(SelectObject(memory, compatible), frame);
        ASSERT_TRUE(RestoreDC(memory, -1));
        ASSERT_TRUE(DeleteObject(compatible));
        ASSERT_TRUE(DeleteDC(memory));  // lets go of `frame` without deleting it
        ASSERT_EQ(PlatformLiveGdiObjects(), before + 2);
        ASSERT_TRUE(DeleteObject(frame));
    }
    text_gdi_test::Window window(2, 2, 0);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2) << "window DCs count";

    // With the quota spent, every kind of object fails to be made.
    const LOGFONTA description = GameFont(20);
    PlatformSetGdiQuota(before + 2);
    EXPECT_EQ(CreateCompatibleDC(nullptr), nullptr);
    EXPECT_EQ(MakeDib(4, 4, 32), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 4, 4), nullptr);
    EXPECT_EQ(CreateFontIndirectA(&description), nullptr);
    EXPECT_EQ(GdiCreateWindowDc(&window.target), nullptr);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2);
    PlatformSetGdiQuota(10000);  // Windows' default

    HFONT font = CreateFontIndirectA(&description);
    ASSERT_EQ(SelectObject(dc, font), stockFont);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 3) << "still selected, still alive";
    EXPECT_EQ(text_gdi_test::Extent(dc, "A").cy, 20) << "and still in use";
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, font), nullptr) << "a deleted font goes into no other DC";
    EXPECT_EQ(SelectObject(dc, stockFont), font);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 3) << "the font is gone, `other` came";
    EXPECT_FALSE(DeleteObject(font));

    // A bitmap marked while selected is still drawn on, and goes with the DC.
    HBITMAP bitmap = MakeDib(4, 4, 32);
    ASSERT_EQ(SelectObject(dc, bitmap), stockBitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(9, 8, 7));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 4);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);

    // Released by RestoreDC, the same way.
    ASSERT_EQ(SaveDC(other), 1);
    HBITMAP second = MakeDib(4, 4, 8, 16);
    ASSERT_EQ(SelectObject(other, second), stockBitmap);
    EXPECT_TRUE(DeleteObject(second));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 3);
    ASSERT_TRUE(RestoreDC(other, -1));
    EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), stockBitmap);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2);
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_TRUE(DeleteObject(stockFont));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 1);
}

// Handles of the wrong kind and pointers that were never handles are
// refused without touching memory they point at; a saved state naming
// objects deleted since, even with new objects at the same addresses,
// leaves them out.
TEST(GdiObjects, WrongKindBogusAndDeletedHandlesAreRefused)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const LOGFONTA description = GameFont(12, "");
    HFONT font = CreateFontIndirectA(&description);
    HBITMAP bitmap = MakeDib(8, 8, 32);
    ASSERT_TRUE(dc && font && bitmap);

    EXPECT_EQ(SelectObject(dc, dc), nullptr);
    EXPECT_FALSE(DeleteObject(dc)) << "DCs go with DeleteDC";
    EXPECT_FALSE(DeleteDC(reinterpret_cast<HDC>(font)));
    EXPECT_FALSE(BitBlt(reinterpret_cast<HDC>(bitmap), 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(SaveDC(reinterpret_cast<HDC>(font)), 0);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(bitmap)), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(reinterpret_cast<HDC>(font), 4, 4), nullptr);

    GdiDc fake{};  // memory that merely looks like an object
    fake.magic = kGdiMagic;
    fake.kind = GdiKind::Dc;
    HDC bogus = reinterpret_cast<HDC>(static_cast<GdiObject*>(&fake));
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_FALSE(PatBlt(bogus, 0, 0, 1, 1, BLACKNESS));
    EXPECT_EQ(SelectObject(bogus, font), nullptr);
    EXPECT_FALSE(DeleteDC(bogus));
    EXPECT_EQ(SetStretchBltMode(bogus, COLORONCOLOR), 0);

    ASSERT_EQ(SelectObject(dc, bitmap), GetCurrentObject(dc, OBJ_BITMAP));
    ASSERT_NE(SelectObject(dc, font), nullptr);
    ASSERT_EQ(SaveDC(dc), 1);
    HBITMAP replacement = MakeDib(8, 8, 32);
    HFONT replacementFont = CreateFontIndirectA(&description);
    ASSERT_EQ(SelectObject(dc, replacement), bitmap);
    ASSERT_EQ(SelectObject(dc, replacementFont), font);
    ASSERT_TRUE(DeleteObject(bitmap));
    ASSERT_TRUE(DeleteObject(font));
    std::vector<HGDIOBJ> newcomers;
    for (int i = 0; i < 16; ++i) {
        newcomers.push_back(MakeDib(8, 8, 32));
        newcomers.push_back(CreateFontIndirectA(&description));
    }
    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), replacement);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), replacementFont);

    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(replacement));
    EXPECT_TRUE(DeleteObject(replacementFont));
    for (HGDIOBJ newcomer : newcomers)
        EXPECT_TRUE(DeleteObject(newcomer));
}

}  // namespace
