// Memory DCs: selection, SaveDC/RestoreDC, compatible bitmaps, bad handles.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "conformance/gdi_surfaces.h"

using gdi_test::BaseColour;
using gdi_test::DibSurface;

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
    info.header.biCompression = BI_RGB;
    info.header.biClrUsed = bitCount == 8 ? 16 : 0;
    for (int i = 0; i < 16; ++i)
        info.colours[i] = BaseColour(i);
    void* bits = nullptr;
    return CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
}

HFONT MakeFont(int height)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfOutPrecision = OUT_DEVICE_PRECIS;
    description.lfQuality = DRAFT_QUALITY;
    return CreateFontIndirectA(&description);
}

// The game's surfaces: SaveDC right after creation, objects selected, and
// RestoreDC(-1) at the end puts the initial bitmap and font back.
TEST(GdiDc, RestoreDcPutsBackTheSelectedBitmapAndFont)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT);
    ASSERT_NE(stockBitmap, nullptr);
    ASSERT_NE(stockFont, nullptr);
    HBITMAP first = MakeDib(16, 16, 8);
    HBITMAP second = MakeDib(16, 16, 32);
    HFONT firstFont = MakeFont(16);
    HFONT secondFont = MakeFont(24);
    ASSERT_TRUE(first && second && firstFont && secondFont);

    EXPECT_EQ(SaveDC(dc), 1);
    EXPECT_EQ(SelectObject(dc, first), stockBitmap);
    EXPECT_EQ(SelectObject(dc, firstFont), stockFont);
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_EQ(SelectObject(dc, second), first);
    EXPECT_EQ(SelectObject(dc, secondFont), firstFont);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), second);

    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), first);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), firstFont);

    // `second` left the DC, so another DC may take it.
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, second), stockBitmap);
    EXPECT_EQ(SelectObject(other, stockBitmap), second);

    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), stockBitmap);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), stockFont);
    EXPECT_FALSE(RestoreDC(dc, -1)) << "nothing is saved any more";

    // Nothing holds `first` now: it goes into another DC and is deleted.
    EXPECT_EQ(SelectObject(other, first), stockBitmap);
    EXPECT_EQ(SelectObject(other, stockBitmap), first);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(second));
    EXPECT_TRUE(DeleteObject(firstFont));
    EXPECT_TRUE(DeleteObject(secondFont));
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_TRUE(DeleteDC(dc));
}

// Positive levels are absolute; RestoreDC drops the levels above the one
// it restores; levels that do not exist fail.
TEST(GdiDc, RestoreDcToAnAbsoluteLevel)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(SaveDC(dc), 1);
    SetStretchBltMode(dc, COLORONCOLOR);
    EXPECT_EQ(SaveDC(dc), 2);
    SetStretchBltMode(dc, WHITEONBLACK);
    EXPECT_EQ(SaveDC(dc), 3);
    SetStretchBltMode(dc, HALFTONE);

    EXPECT_FALSE(RestoreDC(dc, 4));
    EXPECT_FALSE(RestoreDC(dc, 0));
    EXPECT_FALSE(RestoreDC(dc, -4));
    EXPECT_EQ(GetStretchBltMode(dc), HALFTONE) << "failed restores change nothing";

    ASSERT_TRUE(RestoreDC(dc, 2));
    EXPECT_EQ(GetStretchBltMode(dc), COLORONCOLOR);
    EXPECT_FALSE(RestoreDC(dc, 2)) << "level 2 is gone";
    EXPECT_EQ(SaveDC(dc), 2);
    ASSERT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_TRUE(DeleteDC(dc));
}

// A bitmap is selected into one DC at a time; deleting that DC lets it go
// without deleting it.
TEST(GdiDc, BitmapLivesInOneDcAtATime)
{
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = MakeDib(8, 8, 32);
    ASSERT_TRUE(first && second && bitmap);
    HGDIOBJ stockBitmap = GetCurrentObject(second, OBJ_BITMAP);

    ASSERT_EQ(SelectObject(first, bitmap), stockBitmap);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr);
    EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), stockBitmap);
    EXPECT_EQ(SelectObject(first, bitmap), bitmap) << "selecting it again where it is changes nothing";

    ASSERT_EQ(SetPixel(first, 3, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    ASSERT_TRUE(DeleteDC(first));
    ASSERT_EQ(SelectObject(second, bitmap), stockBitmap);
    EXPECT_EQ(GetPixel(second, 3, 3), RGB(1, 2, 3)) << "the bitmap kept its pixels";

    EXPECT_EQ(SelectObject(second, stockBitmap), bitmap);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(second));
}

// A memory DC's compatible bitmap has the format of the bitmap it holds:
// monochrome at first, a DIB section like the one selected otherwise.
TEST(GdiDc, CompatibleBitmapsFollowTheSelectedBitmap)
{
    HDC memory = CreateCompatibleDC(nullptr);
    HDC drawing = CreateCompatibleDC(nullptr);
    ASSERT_TRUE(memory && drawing);
    HGDIOBJ stockBitmap = GetCurrentObject(drawing, OBJ_BITMAP);

    HBITMAP mono = CreateCompatibleBitmap(memory, 8, 2);
    ASSERT_NE(mono, nullptr);
    SelectObject(drawing, mono);
    EXPECT_EQ(SetPixel(drawing, 1, 0, RGB(250, 250, 250)), RGB(255, 255, 255));
    EXPECT_EQ(SetPixel(drawing, 2, 0, RGB(10, 10, 10)), RGB(0, 0, 0));

    // Monochrome to colour: 1 bits take the background colour (white),
    // 0 bits the text colour (black), both defaults of a new DC.
    DibSurface colour(8, -2, 32);
    ASSERT_TRUE(colour.valid());
    for (int x = 0; x < 8; ++x)
        colour.pixel(x, 0) = colour.pixel(x, 1) = 0x00123456;
    ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 8, 1, drawing, 0, 0, SRCCOPY));
    colour.sync();
    EXPECT_EQ(colour.pixel(1, 0) & 0xFFFFFF, 0x00FFFFFFu);
    EXPECT_EQ(colour.pixel(2, 0) & 0xFFFFFF, 0u);
    EXPECT_EQ(colour.pixel(1, 1) & 0xFFFFFF, 0x00123456u);

    // Colour to monochrome: pixels of the source DC's background colour
    // (white) become 1, every other colour 0.
    colour.pixel(0, 1) = 0x00FFFFFF;
    colour.pixel(1, 1) = 0x00FF0000;
    colour.pixel(2, 1) = 0x00FEFEFE;
    colour.pixel(3, 1) = 0x00FFFFFF;
    ASSERT_TRUE(BitBlt(drawing, 0, 1, 4, 1, colour.dc(), 0, 1, SRCCOPY));
    EXPECT_EQ(GetPixel(drawing, 0, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(drawing, 1, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(drawing, 2, 1), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(drawing, 3, 1), RGB(255, 255, 255));
    SelectObject(drawing, stockBitmap);

    // Holding an 8-bit DIB section: the new bitmap keeps its colour table.
    HBITMAP frame = MakeDib(8, 8, 8);
    SelectObject(memory, frame);
    HBITMAP paletted = CreateCompatibleBitmap(memory, 4, 4);
    ASSERT_NE(paletted, nullptr);
    SelectObject(drawing, paletted);
    EXPECT_EQ(SetPixel(drawing, 0, 0, RGB(250, 5, 5)), RGB(255, 0, 0));
    EXPECT_EQ(SetPixel(drawing, 1, 0, RGB(190, 190, 195)), RGB(192, 192, 192));
    SelectObject(drawing, stockBitmap);

    // Holding a 32-bit DIB section: true colour.
    HBITMAP picture = MakeDib(8, 8, 32);
    SelectObject(memory, picture);
    HBITMAP trueColour = CreateCompatibleBitmap(memory, 4, 4);
    ASSERT_NE(trueColour, nullptr);
    SelectObject(drawing, trueColour);
    EXPECT_EQ(SetPixel(drawing, 3, 3, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(GetPixel(drawing, 3, 3), RGB(1, 2, 3));
    SelectObject(drawing, stockBitmap);
    SelectObject(memory, stockBitmap);

    for (HBITMAP bitmap : {mono, frame, paletted, picture, trueColour})
        EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteDC(drawing));
}

// Null and deleted handles fail without harm; stock objects survive
// DeleteObject.
TEST(GdiDc, BadHandlesFailAndStockObjectsStay)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HFONT font = MakeFont(12);
    ASSERT_NE(font, nullptr);

    EXPECT_FALSE(DeleteDC(nullptr));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(SelectObject(nullptr, font), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(GetCurrentObject(nullptr, OBJ_BITMAP), nullptr);
    EXPECT_EQ(SaveDC(nullptr), 0);
    EXPECT_FALSE(RestoreDC(nullptr, -1));
    EXPECT_EQ(GetPixel(nullptr, 0, 0), CLR_INVALID);
    EXPECT_FALSE(PatBlt(nullptr, 0, 0, 1, 1, BLACKNESS));
    EXPECT_FALSE(BitBlt(nullptr, 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(dc, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_FALSE(StretchBlt(dc, 0, 0, 2, 2, nullptr, 0, 0, 1, 1, SRCCOPY));
    EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
    RGBQUAD colours[2] = {};
    EXPECT_EQ(SetDIBColorTable(dc, 0, 2, colours), 0u) << "the initial bitmap has no DIB colour table";

    EXPECT_TRUE(DeleteObject(font));
    EXPECT_FALSE(DeleteObject(font)) << "already deleted";

    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT);
    EXPECT_TRUE(DeleteObject(stockBitmap));
    EXPECT_TRUE(DeleteObject(stockFont));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), stockBitmap);
    EXPECT_NE(GetPixel(dc, 0, 0), CLR_INVALID) << "the stock bitmap is still there";

    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc)) << "already deleted";
}

}  // namespace
