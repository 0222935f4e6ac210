// Memory DCs: selection, SaveDC/RestoreDC, the window DC's compatible
// bitmap, bad handles.
#include <gtest/gtest.h>
#include <windows.h>

#include "conformance/drain.h"
#include "conformance/gdi_surfaces.h"
#include "conformance/text_surfaces.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;
using gdi_test::MakeDib;
using text_test::MakeFont;

namespace {

constexpr int kOpaque = 2;  // OPAQUE, the default background mode

// The game's surfaces: SaveDC right after creation, objects selected, and
// RestoreDC(-1) at the end puts the initial bitmap and font back. A
// bitmap lives in one DC at a time: another takes it once it has left.
TEST(GdiDc, RestoreDcPutsBackTheSelectedBitmapAndFont)
{
    HDC dc = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
    HBITMAP first = MakeDib(16, 16, 8, 16), second = MakeDib(16, 16, 32);
    HFONT firstFont = MakeFont(16), secondFont = MakeFont(24);
    ASSERT_TRUE(dc && other && first && second && firstFont && secondFont);

    EXPECT_EQ(SaveDC(dc), 1);
    HGDIOBJ stockBitmap = SelectObject(dc, first);
    HGDIOBJ stockFont = SelectObject(dc, firstFont);
    ASSERT_TRUE(stockBitmap && stockFont);
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_EQ(SelectObject(dc, second), first);
    EXPECT_EQ(SelectObject(dc, secondFont), firstFont);
    EXPECT_EQ(SelectObject(other, second), nullptr) << "a bitmap lives in one DC at a time";

    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(SelectObject(dc, first), first) << "selected again where it is, it changes nothing";
    EXPECT_EQ(SelectObject(dc, firstFont), firstFont);
    EXPECT_EQ(SelectObject(other, second), stockBitmap) << "`second` left the DC";
    EXPECT_EQ(SelectObject(other, stockBitmap), second);

    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(SelectObject(dc, stockBitmap), stockBitmap);
    EXPECT_EQ(SelectObject(dc, stockFont), stockFont);
    EXPECT_FALSE(RestoreDC(dc, -1)) << "nothing is saved any more";

    EXPECT_EQ(SelectObject(other, first), stockBitmap) << "nothing holds `first` now";
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
    const int defaultMode = SetStretchBltMode(dc, COLORONCOLOR);
    EXPECT_NE(defaultMode, 0);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, TRANSPARENT);
    EXPECT_EQ(SaveDC(dc), 2);
    SetTextColor(dc, RGB(7, 8, 9));
    EXPECT_EQ(SaveDC(dc), 3);
    SetTextColor(dc, RGB(9, 9, 9));

    EXPECT_FALSE(RestoreDC(dc, 4));
    EXPECT_FALSE(RestoreDC(dc, 0));
    EXPECT_FALSE(RestoreDC(dc, -4));
    EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), RGB(9, 9, 9)) << "failed restores change nothing";

    ASSERT_TRUE(RestoreDC(dc, 2));
    EXPECT_EQ(SetTextColor(dc, 0), RGB(1, 2, 3));
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), COLORONCOLOR);
    EXPECT_FALSE(RestoreDC(dc, 2)) << "level 2 is gone";
    EXPECT_EQ(SaveDC(dc), 2);
    ASSERT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), defaultMode);
    EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), kOpaque);
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_TRUE(DeleteDC(dc));
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// The game's compose bitmap: compatible with the window's DC, the 8-bit
// frame copied into it and back exactly, in both directions.
TEST(GdiDc, TheWindowsCompatibleBitmapHoldsTheFrameExactly)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = PlainProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "HirenConformanceCompose";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "HirenConformanceCompose", "", WS_CAPTION | WS_SYSMENU, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HDC windowDc = GetDC(window);
    HBITMAP compose = CreateCompatibleBitmap(windowDc, 32, 4);
    HDC composeDc = CreateCompatibleDC(windowDc);
    ASSERT_TRUE(windowDc && compose && composeDc);
    HGDIOBJ stockBitmap = SelectObject(composeDc, compose);

    auto indexAt = [](int x, int y) { return (x + 5 * y) % 16; };
    DibSurface frame(32, 4, 8, 16), picture(32, -4, 32), back(32, 4, 8, 16);
    ASSERT_TRUE(frame.valid() && picture.valid() && back.valid());
    frame.paint(indexAt);
    ASSERT_TRUE(BitBlt(composeDc, 0, 0, 32, 4, frame.dc(), 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 32, 4, composeDc, 0, 0, SRCCOPY));
    EXPECT_TRUE(picture.holds([&](int x, int y) { return BaseColourPixel(indexAt(x, y)); }));
    ASSERT_TRUE(BitBlt(back.dc(), 0, 0, 32, 4, composeDc, 0, 0, SRCCOPY));
    EXPECT_TRUE(back.holds(indexAt)) << "each colour finds its own entry again";

    SelectObject(composeDc, stockBitmap);
    EXPECT_TRUE(DeleteObject(compose));
    EXPECT_TRUE(DeleteDC(composeDc));
    PostMessageA(window, WM_CLOSE, 0, 0);
    Drain();
    EXPECT_FALSE(IsWindow(window));
}

// Null and deleted handles fail without harm.
TEST(GdiDc, BadHandlesFail)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = MakeFont(12);
    ASSERT_TRUE(dc && font);
    EXPECT_FALSE(DeleteDC(nullptr));
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_EQ(SelectObject(nullptr, font), nullptr);
    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(SaveDC(nullptr), 0);
    EXPECT_FALSE(RestoreDC(nullptr, -1));
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
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc)) << "already deleted";
}

}  // namespace
