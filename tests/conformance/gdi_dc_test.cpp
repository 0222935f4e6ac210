// Memory DCs: selection, SaveDC/RestoreDC, compatible bitmaps, bad handles.
#include <gtest/gtest.h>
#include <windows.h>

#include "conformance/gdi_surfaces.h"
#include "conformance/text_surfaces.h"

using gdi_test::DibSurface;
using gdi_test::MakeDib;
using text_test::MakeFont;

namespace {

// The game's surfaces: SaveDC right after creation, objects selected, and
// RestoreDC(-1) at the end puts the initial bitmap and font back.
TEST(GdiDc, RestoreDcPutsBackTheSelectedBitmapAndFont)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT);
    ASSERT_TRUE(stockBitmap && stockFont);
    HBITMAP first = MakeDib(16, 16, 8, 16), second = MakeDib(16, 16, 32);
    HFONT firstFont = MakeFont(16), secondFont = MakeFont(24);
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
    for (HGDIOBJ object : {HGDIOBJ(first), HGDIOBJ(second), HGDIOBJ(firstFont), HGDIOBJ(secondFont)})
        EXPECT_TRUE(DeleteObject(object));
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_TRUE(DeleteDC(dc));
}

// Positive levels are absolute; RestoreDC drops the levels above the one
// it restores; levels that do not exist fail. The stretch mode, text and
// background colours and background mode come back with the level.
TEST(GdiDc, RestoreDcToAnAbsoluteLevel)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(SaveDC(dc), 1);
    SetStretchBltMode(dc, COLORONCOLOR);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, TRANSPARENT);
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
    EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
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
// Blits from monochrome take the destination DC's text colour for 0 bits
// and background colour for 1 bits; blits to it give 1 exactly where the
// source has the source DC's background colour.
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

    // With the default colours (black text, white background) and others.
    DibSurface colour(8, -2, 32), frame(8, 1, 8, 16);
    ASSERT_TRUE(colour.valid() && frame.valid());
    colour.fill(0x123456);
    ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 8, 1, drawing, 0, 0, SRCCOPY));
    EXPECT_TRUE(colour.holds([](int x, int y) { return y ? 0x123456 : x == 1 ? 0xFFFFFF : 0; }));
    for (HDC dc : {colour.dc(), frame.dc()}) {
        SetTextColor(dc, RGB(255, 0, 0));
        SetBkColor(dc, RGB(0, 0, 250));
    }
    ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 8, 1, drawing, 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(frame.dc(), 0, 0, 8, 1, drawing, 0, 0, SRCCOPY));
    EXPECT_TRUE(colour.holds([](int x, int y) { return y ? 0x123456 : x == 1 ? 0x0000FA : 0xFF0000; }));
    EXPECT_TRUE(frame.holds([](int x, int) { return x == 1 ? 12 : 9; })) << "the nearest entries: blue and red";

    // To monochrome: the source's background colour becomes 1, any other 0;
    // from 8 bpp the background is matched through the table (blue, 12).
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    colour.paint([](int x, int) { return x == 0 || x == 3 ? 0x0000FA : x == 1 ? 0x0000FF : 0xFFFFFF; });
    ASSERT_TRUE(BitBlt(drawing, 0, 1, 4, 1, colour.dc(), 0, 0, SRCCOPY));
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(GetPixel(drawing, x, 1), x == 0 || x == 3 ? white : black) << x;
    ASSERT_TRUE(BitBlt(drawing, 0, 1, 8, 1, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(drawing, 0, 1), black);
    EXPECT_EQ(GetPixel(drawing, 1, 1), white);
    SelectObject(drawing, stockBitmap);

    // Holding an 8-bit DIB section: the new bitmap keeps its colour table.
    HBITMAP frameBitmap = MakeDib(8, 8, 8, 16);
    SelectObject(memory, frameBitmap);
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

    for (HBITMAP bitmap : {mono, frameBitmap, paletted, picture, trueColour})
        EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(memory));
    EXPECT_TRUE(DeleteDC(drawing));
}

// Null and deleted handles fail without harm; stock objects survive
// DeleteObject.
TEST(GdiDc, BadHandlesFailAndStockObjectsStay)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MakeFont(12);
    ASSERT_TRUE(dc && font);

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
