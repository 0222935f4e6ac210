// GDI object lifetimes: the live count, deferred deletion, handle checks
// and the font descriptions kept for the text functions.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <cstring>
#include <vector>

#include "conformance/gdi_surfaces.h"
#include "gdi/gdi_private.h"
#include "user/window_pixels.h"

namespace {

HBITMAP MakeDib(int width, int height, int bitCount)
{
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[16];
    } info;
    std::memset(&info, 0, sizeof info);
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = WORD(bitCount);
    info.header.biClrUsed = bitCount == 8 ? 16 : 0;
    for (int i = 0; i < 16; ++i)
        info.colours[i] = gdi_test::BaseColour(i);
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, nullptr, nullptr, 0);
}

LOGFONTA Description(int height, const char* face)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfCharSet = SHIFTJIS_CHARSET;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return description;
}

// Thousands of objects made and deleted leave the count where it was;
// stock objects are never counted.
TEST(GdiObjects, CreatingAndDeletingLeavesTheLiveCountUnchanged)
{
    const int before = PlatformLiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(PlatformLiveGdiObjects(), before + 1);
    HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);

    const LOGFONTA description = Description(16, "");
    for (int i = 0; i < 10000; ++i) {
        HFONT font = CreateFontIndirectA(&description);
        ASSERT_NE(font, nullptr);
        if (i % 100 == 0) {
            ASSERT_EQ(SelectObject(dc, font), stockFont);
            ASSERT_EQ(SelectObject(dc, stockFont), font);
        }
        ASSERT_TRUE(DeleteObject(font));
    }
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 1);

    for (int i = 0; i < 1000; ++i) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP frame = MakeDib(320, 240, 8);
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
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 1);

    uint32_t pixels[4] = {};
    WindowPixels target = {pixels, 2, 2, false};
    HDC window = GdiCreateWindowDc(&target);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2);
    GdiDestroyWindowDc(window);

    EXPECT_TRUE(DeleteObject(stockFont));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
}

// As in Wine, DeleteObject on an object still selected into a DC succeeds
// but only marks it; it goes when the DC lets go of it.
TEST(GdiObjects, DeletingASelectedObjectWaitsForItsRelease)
{
    const int before = PlatformLiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT);
    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    const LOGFONTA description = Description(20, "face");
    HFONT font = CreateFontIndirectA(&description);
    ASSERT_EQ(SelectObject(dc, font), stockFont);

    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2) << "still selected, still alive";
    ASSERT_NE(GdiDcFontDescription(dc), nullptr);
    EXPECT_EQ(GdiDcFontDescription(dc)->lfHeight, 20);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, font), nullptr) << "a deleted font goes into no other DC";
    EXPECT_EQ(SelectObject(dc, stockFont), font);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2) << "the font is gone, `other` came";
    EXPECT_FALSE(DeleteObject(font));

    // A bitmap marked while selected is still drawn on, and goes with the DC.
    HBITMAP bitmap = MakeDib(4, 4, 32);
    ASSERT_EQ(SelectObject(dc, bitmap), stockBitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_EQ(SetPixel(dc, 1, 1, RGB(9, 8, 7)), RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(9, 8, 7));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 3);
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 1);
    EXPECT_EQ(SelectObject(other, bitmap), nullptr);

    // Released by RestoreDC, the same way.
    ASSERT_EQ(SaveDC(other), 1);
    HBITMAP second = MakeDib(4, 4, 8);
    ASSERT_EQ(SelectObject(other, second), stockBitmap);
    EXPECT_TRUE(DeleteObject(second));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2);
    ASSERT_TRUE(RestoreDC(other, -1));
    EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), stockBitmap);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 1);
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
}

// Handles of the wrong kind, pointers that were never handles and handles
// already deleted are refused without touching memory they point at.
TEST(GdiObjects, WrongKindBogusAndDeletedHandlesAreRefused)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const LOGFONTA description = Description(12, "");
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

    // Memory that merely looks like an object.
    GdiDc fake{};
    fake.magic = kGdiMagic;
    fake.kind = GdiKind::Dc;
    HDC bogus = reinterpret_cast<HDC>(static_cast<GdiObject*>(&fake));
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_FALSE(PatBlt(bogus, 0, 0, 1, 1, BLACKNESS));
    EXPECT_EQ(SelectObject(bogus, font), nullptr);
    EXPECT_FALSE(DeleteDC(bogus));
    EXPECT_EQ(SetStretchBltMode(bogus, COLORONCOLOR), 0);

    // A saved state names objects deleted before RestoreDC: they stay out,
    // even when new objects are made at the same addresses.
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
    bool reused = false;
    for (int i = 0; i < 16 && !reused; ++i) {
        newcomers.push_back(MakeDib(8, 8, 32));
        newcomers.push_back(CreateFontIndirectA(&description));
        reused = newcomers[newcomers.size() - 1] == font || newcomers[newcomers.size() - 2] == bitmap;
    }
    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), replacement);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), replacementFont);

    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(replacement));
    EXPECT_TRUE(DeleteObject(replacementFont));
    for (HGDIOBJ newcomer : newcomers)
        EXPECT_TRUE(DeleteObject(newcomer));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), nullptr);
}

// A font holds a copy of its LOGFONTA, read back by the text functions
// through the font or the DC it is selected into.
TEST(GdiObjects, FontsKeepACopyOfTheirDescription)
{
    LOGFONTA description = Description(16, "ＭＳ 明朝");
    description.lfOutPrecision = OUT_DEVICE_PRECIS;
    description.lfQuality = DRAFT_QUALITY;
    HFONT font = CreateFontIndirectA(&description);
    ASSERT_NE(font, nullptr);
    description.lfHeight = 99;  // the font does not see later changes

    const LOGFONTA* kept = GdiFontDescription(font);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->lfHeight, 16);
    EXPECT_EQ(kept->lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(kept->lfOutPrecision, OUT_DEVICE_PRECIS);
    EXPECT_EQ(kept->lfQuality, DRAFT_QUALITY);
    EXPECT_STREQ(kept->lfFaceName, "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9") << "Shift-JIS bytes";

    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(GdiDcFontDescription(dc), nullptr);
    EXPECT_STREQ(GdiDcFontDescription(dc)->lfFaceName, "") << "the stock font names no face";
    SelectObject(dc, font);
    EXPECT_EQ(GdiDcFontDescription(dc), kept);

    // A face name filling the whole field is cut to keep its terminator.
    LOGFONTA longName = Description(10, "");
    std::memset(longName.lfFaceName, 'x', LF_FACESIZE);
    HFONT longFont = CreateFontIndirectA(&longName);
    EXPECT_EQ(std::strlen(GdiFontDescription(longFont)->lfFaceName), size_t(LF_FACESIZE - 1));

    EXPECT_EQ(GdiFontDescription(nullptr), nullptr);
    EXPECT_EQ(GdiFontDescription(reinterpret_cast<HFONT>(dc)), nullptr);
    EXPECT_EQ(GdiDcFontDescription(reinterpret_cast<HDC>(font)), nullptr);

    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_TRUE(DeleteObject(longFont));
    EXPECT_EQ(GdiFontDescription(font), nullptr);
}

}  // namespace
