// GDI as the game draws: DCs and their saved levels, the 8-bit frame and
// its colour table, BitBlt and StretchBlt between the formats, PatBlt.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <functional>
#include <map>

#include "conformance/surfaces.h"
#include "conformance/test_window.h"

using surfaces::BaseColour;
using surfaces::BasePixel;
using surfaces::Dib;
using surfaces::MakeDib;
using surfaces::MakeFont;

namespace {

// The game's surfaces: SaveDC right after creation, objects selected,
// RestoreDC(-1) at the end. A bitmap lives in one DC at a time; colours,
// modes and objects come back with their level; a level that does not
// exist fails and changes nothing.
TEST(GdiDc, SavedLevelsBringBackObjectsAndState)
{
    HDC dc = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
    HBITMAP first = MakeDib(16, 16, 8, 16), second = MakeDib(16, 16, 32);
    HFONT firstFont = MakeFont(16), secondFont = MakeFont(24);
    ASSERT_TRUE(dc && other && first && second && firstFont && secondFont);
    EXPECT_EQ(SaveDC(dc), 1);
    const HGDIOBJ stockBitmap = SelectObject(dc, first), stockFont = SelectObject(dc, firstFont);
    ASSERT_TRUE(stockBitmap && stockFont);
    const int defaultMode = SetStretchBltMode(dc, COLORONCOLOR);
    EXPECT_NE(defaultMode, 0);
    SetTextColor(dc, RGB(1, 2, 3));
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_EQ(SelectObject(dc, second), first);
    EXPECT_EQ(SelectObject(dc, secondFont), firstFont);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 2) << "OPAQUE by default";
    SetTextColor(dc, RGB(4, 5, 6));
    EXPECT_EQ(SaveDC(dc), 3);
    SetTextColor(dc, RGB(7, 8, 9));
    EXPECT_EQ(SelectObject(other, second), nullptr) << "a bitmap lives in one DC at a time";
    for (int missing : {4, 0, -4})
        EXPECT_FALSE(RestoreDC(dc, missing)) << missing;
    EXPECT_EQ(SetTextColor(dc, RGB(7, 8, 9)), RGB(7, 8, 9)) << "failed restores change nothing";

    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), RGB(4, 5, 6)) << "level 3";
    ASSERT_TRUE(RestoreDC(dc, 2));
    EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), RGB(1, 2, 3));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 2);
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), COLORONCOLOR);
    EXPECT_EQ(SelectObject(dc, firstFont), firstFont);
    EXPECT_NE(SelectObject(other, second), nullptr) << "`second` left the DC";
    EXPECT_FALSE(RestoreDC(dc, 2)) << "level 2 is gone";
    ASSERT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(SetStretchBltMode(dc, COLORONCOLOR), defaultMode);
    EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), 2);
    EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));
    EXPECT_EQ(SelectObject(dc, stockBitmap), stockBitmap);
    EXPECT_EQ(SelectObject(dc, stockFont), stockFont);
    EXPECT_FALSE(RestoreDC(dc, -1)) << "nothing is saved any more";
    EXPECT_EQ(SelectObject(other, first), second) << "nothing holds `first` now";
    EXPECT_TRUE(DeleteDC(other) && DeleteDC(dc));
    for (HGDIOBJ object : {HGDIOBJ(first), HGDIOBJ(second), HGDIOBJ(firstFont), HGDIOBJ(secondFont)})
        EXPECT_TRUE(DeleteObject(object));
    EXPECT_FALSE(DeleteObject(first) || DeleteDC(dc)) << "already deleted";
    EXPECT_FALSE(SaveDC(nullptr) || BitBlt(nullptr, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
}

// The game's compose bitmap: compatible with the window's DC, the 8-bit
// frame copied into it and back exactly.
TEST(GdiDc, TheWindowsCompatibleBitmapHoldsTheFrameExactly)
{
    HWND window = MakeWindow(kFramed, 200, 100);
    ASSERT_NE(window, nullptr);
    HDC windowDc = GetDC(window);
    HBITMAP compose = CreateCompatibleBitmap(windowDc, 32, 4);
    HDC composeDc = CreateCompatibleDC(windowDc);
    ASSERT_TRUE(windowDc && compose && composeDc);
    HGDIOBJ stockBitmap = SelectObject(composeDc, compose);
    auto indexAt = [](int x, int y) { return (x + 5 * y) % 16; };
    Dib frame(32, 4, 8, 16), picture(32, -4, 32), back(32, 4, 8, 16);
    ASSERT_TRUE(frame.valid() && picture.valid() && back.valid());
    frame.paint(indexAt);
    ASSERT_TRUE(BitBlt(composeDc, 0, 0, 32, 4, frame.dc(), 0, 0, SRCCOPY));
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 32, 4, composeDc, 0, 0, SRCCOPY));
    EXPECT_TRUE(picture.holds([&](int x, int y) { return BasePixel(indexAt(x, y)); }));
    ASSERT_TRUE(BitBlt(back.dc(), 0, 0, 32, 4, composeDc, 0, 0, SRCCOPY));
    EXPECT_TRUE(back.holds(indexAt)) << "each colour finds its own entry again";
    SelectObject(composeDc, stockBitmap);
    EXPECT_TRUE(DeleteObject(compose) && DeleteDC(composeDc));
    CloseAndDrain(window);
    EXPECT_FALSE(IsWindow(window));
}

// The game's frame: 320 x 240, 8 bpp, bottom-up, zeroed, rows of 320
// bytes; copied onto a top-down 32 bpp DIB through its colour table, which
// SetDIBColorTable changes for the next copy.
TEST(GdiBlit, TheFrameIsBottomUpAndShownThroughItsColourTable)
{
    Dib frame(320, 240, 8, 16), picture(320, -240, 32);
    ASSERT_TRUE(frame.valid() && picture.valid());
    for (int i = 0; i < 320 * 240; ++i)
        ASSERT_EQ(frame.bits()[i], 0) << "a new DIB section is zeroed, at byte " << i;
    frame.bits()[239 * 320] = 9;  // device (0, 0): the first byte of the last row
    frame.bits()[0] = 12;         // the bottom-left pixel
    frame.bits()[(239 - 10) * 320 + 5] = 14;
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    picture.sync();
    const uint32_t* pixels = reinterpret_cast<const uint32_t*>(picture.bits());  // row y is memory row y
    EXPECT_EQ(pixels[0] & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels[239 * 320] & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(pixels[10 * 320 + 5] & 0xFFFFFF, 0x00FFFFu);
    EXPECT_EQ(pixels[1] & 0xFFFFFF, 0u);

    RGBQUAD changed[16];
    for (int i = 0; i < 16; ++i)
        changed[i] = BaseColour(i);
    changed[9] = RGBQUAD{0x00, 0x80, 0xFF, 0};  // orange for red
    EXPECT_EQ(SetDIBColorTable(frame.dc(), 0, 16, changed), 16u);
    ASSERT_TRUE(BitBlt(picture.dc(), 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(picture.at(0, 0), 0xFF8000u);
    EXPECT_EQ(picture.at(5, 10), 0x00FFFFu);
    EXPECT_EQ(frame.index(0, 0), 9) << "the indices themselves are untouched";
    EXPECT_EQ(SetDIBColorTable(picture.dc(), 0, 16, changed), 0u) << "a 32-bit DIB has no table";
}

bool In(int x, int y, int left, int top, int width, int height)
{
    return x >= left && y >= top && x < left + width && y < top + height;
}

// Each blit the game makes, onto a DIB whose rows differ: 8 bits
// to 32 through the table, stretched by two or by one; 32 bits to 8 by the
// nearest entry; between two tables by colour; SRCPAINT OR-ing pixel
// values (indices between frames), also over repeated source rows; and
// only the part inside both bitmaps.
TEST(GdiBlit, EachModeGivesItsPixels)
{
    RGBQUAD reversed[16];
    for (int i = 0; i < 16; ++i)
        reversed[i] = BaseColour(15 - i);
    Dib frame(16, 8, 8, 16), mirrored(16, 8, 8, 16, reversed), picture(20, -8, 32);
    ASSERT_TRUE(frame.valid() && mirrored.valid() && picture.valid());
    auto index = [](int x, int y) { return (x + 3 * y) % 16; };
    frame.paint(index);
    mirrored.paint(index);
    // After the base colours: near red, near light grey, near black, dark grey.
    const uint32_t nearby[] = {0xF00A0A, 0xBEBEC8, 0x000001, 0x808080};
    const int nearest[] = {9, 7, 0, 8};
    auto colour = [&](int x, int y) { return x >= 16 ? nearby[x - 16] : BasePixel(index(x, y)); };
    picture.paint(colour);
    auto old = [](int bits, int x, int y) { return bits == 8 ? 2u * (y & 1) : 0x020000u * (y & 1) + 0x101u * x; };
    const struct {
        const char* name;
        int bits;
        std::function<BOOL(HDC)> blit;
        std::function<uint32_t(int, int)> want;  // where the blit lands
    } cases[] = {
        {"8 to 32", 32, [&](HDC d) { return BitBlt(d, 2, 1, 16, 8, frame.dc(), 0, 0, SRCCOPY); },
         [&](int x, int y) { return In(x, y, 2, 1, 16, 8) ? BasePixel(index(x - 2, y - 1)) : old(32, x, y); }},
        {"8 to 32 doubled", 32, [&](HDC d) { return StretchBlt(d, 0, 0, 32, 16, frame.dc(), 0, 0, 16, 8, SRCCOPY); },
         [&](int x, int y) { return In(x, y, 0, 0, 32, 16) ? BasePixel(index(x / 2, y / 2)) : old(32, x, y); }},
        {"8 to 32 same size", 32, [&](HDC d) { return StretchBlt(d, 4, 2, 10, 5, frame.dc(), 3, 1, 10, 5, SRCCOPY); },
         [&](int x, int y) { return In(x, y, 4, 2, 10, 5) ? BasePixel(index(x - 1, y - 1)) : old(32, x, y); }},
        {"32 to 8", 8, [&](HDC d) { return BitBlt(d, 0, 0, 20, 8, picture.dc(), 0, 0, SRCCOPY); },
         [&](int x, int y) {
             return In(x, y, 0, 0, 20, 8) ? (x >= 16 ? nearest[x - 16] : index(x, y)) : old(8, x, y);
         }},
        {"8 to 8, other table", 8, [&](HDC d) { return BitBlt(d, 0, 0, 16, 8, mirrored.dc(), 0, 0, SRCCOPY); },
         [&](int x, int y) { return In(x, y, 0, 0, 16, 8) ? 15 - index(x, y) : old(8, x, y); }},
        {"32 OR 32", 32, [&](HDC d) { return BitBlt(d, 3, 2, 20, 8, picture.dc(), 0, 0, SRCPAINT); },
         [&](int x, int y) { return old(32, x, y) | (In(x, y, 3, 2, 20, 8) ? colour(x - 3, y - 2) : 0); }},
        {"8 OR 8", 8, [&](HDC d) { return BitBlt(d, 0, 0, 16, 8, frame.dc(), 0, 0, SRCPAINT); },
         [&](int x, int y) { return old(8, x, y) | (In(x, y, 0, 0, 16, 8) ? index(x, y) : 0); }},
        {"8 OR 32 doubled", 32, [&](HDC d) { return StretchBlt(d, 0, 0, 16, 16, frame.dc(), 0, 0, 16, 8, SRCPAINT); },
         [&](int x, int y) { return old(32, x, y) | (In(x, y, 0, 0, 16, 16) ? BasePixel(index(x, y / 2)) : 0); }},
        {"partly outside the source", 32, [&](HDC d) { return BitBlt(d, 3, 3, 8, 8, picture.dc(), -2, -2, SRCCOPY); },
         [&](int x, int y) { return In(x, y, 5, 5, 6, 6) ? colour(x - 5, y - 5) : old(32, x, y); }},
        {"far outside", 32,
         [&](HDC d) { return BitBlt(d, -100000, -100000, 200000, 200000, picture.dc(), -50000, 7, SRCCOPY); },
         [&](int x, int y) { return old(32, x, y); }},
    };
    for (const auto& c : cases) {
        Dib dest(c.bits == 8 ? 39 : 40, 20, c.bits, c.bits == 8 ? 16 : 0);  // 8 bpp rows padded to 40
        ASSERT_TRUE(dest.valid());
        dest.paint([&](int x, int y) { return old(c.bits, x, y); });
        SetStretchBltMode(dest.dc(), COLORONCOLOR);
        ASSERT_TRUE(c.blit(dest.dc())) << c.name;
        EXPECT_TRUE(dest.holds(c.want)) << c.name;
    }
}

// Full screen on a 1024-column display: every pixel is exactly one source
// pixel under it (no blend), the columns advance one at a time, and each
// is shown 3 or 4 times.
TEST(GdiBlit, WideningTo1024ColumnsPicksWholeSourcePixels)
{
    Dib source(320, -2, 32), dest(1024, -4, 32);
    ASSERT_TRUE(source.valid() && dest.valid());
    std::map<uint32_t, int> columnOf;  // colours far apart: a blend of two matches neither
    source.paint([](int x, int) { return (uint32_t(x) * 0x9E3779B1u >> 8) & 0xFFFFFF; });
    for (int x = 0; x < 320; ++x)
        columnOf[source.pixel(x, 0)] = x;
    ASSERT_EQ(columnOf.size(), 320u);
    SetStretchBltMode(dest.dc(), COLORONCOLOR);
    ASSERT_TRUE(StretchBlt(dest.dc(), 0, 0, 1024, 4, source.dc(), 0, 0, 320, 2, SRCCOPY));
    for (int y = 0; y < 4; ++y) {
        int previous = -1, run = 0;
        for (int x = 0; x < 1024; ++x) {
            const auto found = columnOf.find(dest.at(x, y));
            ASSERT_NE(found, columnOf.end()) << "pixel " << x << " is not a source colour";
            EXPECT_LT(std::abs(found->second + 0.5 - (x + 0.5) * 320.0 / 1024.0), 1.0) << x;
            if (found->second == previous) {
                ++run;
                continue;
            }
            ASSERT_EQ(found->second, previous + 1) << "column skipped at " << x;
            EXPECT_TRUE(previous < 0 || run == 3 || run == 4) << "column " << previous << " shown " << run << " times";
            previous = found->second;
            run = 1;
        }
        EXPECT_EQ(previous, 319);
    }
}

// The screens' black fill: inside the bitmap only, index 0 on the frame.
TEST(GdiBlit, PatBltFillsBlackInsideTheBitmap)
{
    Dib picture(8, -8, 32), frame(320, 240, 8, 16);
    ASSERT_TRUE(picture.valid() && frame.valid());
    picture.fill(0x345678);
    frame.fill(5);
    ASSERT_TRUE(PatBlt(picture.dc(), 1, 1, 3, 2, BLACKNESS));
    ASSERT_TRUE(PatBlt(picture.dc(), 6, -5, 100, 7, BLACKNESS)) << "partly outside";
    ASSERT_TRUE(PatBlt(frame.dc(), 0, 0, 320, 240, BLACKNESS));
    EXPECT_TRUE(
        picture.holds([](int x, int y) { return In(x, y, 1, 1, 3, 2) || In(x, y, 6, 0, 2, 2) ? 0 : 0x345678; }));
    EXPECT_TRUE(frame.holds([](int, int) { return 0; }));
}

}  // namespace
