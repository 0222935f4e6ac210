// TextOutA and its DC state: the same solid glyph pixels on every kind of
// surface, opaque and transparent backgrounds, clipping, byte counts and
// no allocation once warm.
#include <gtest/gtest.h>
#include <windows.h>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/text_gdi_fixture.h"
#include "user/window_pixels.h"

using gdi_test::DibSurface;
using text_gdi_test::Extent;
using text_gdi_test::GameFont;
using text_gdi_test::SelectedFont;

namespace {

const char kText[] = "絶妙 Score 0123 ｽｺｱ";
constexpr uint32_t kMarker = 0x00123456;

// Which pixels of a DC's surface have the colour, by GetPixel.
std::vector<bool> Mask(HDC dc, int width, int height, COLORREF colour)
{
    std::vector<bool> mask;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.push_back(GetPixel(dc, x, y) == colour);
    return mask;
}

int Count(const std::vector<bool>& mask)
{
    int n = 0;
    for (bool b : mask)
        n += b;
    return n;
}

void Fill(const DibSurface& surface, int width, int height, uint32_t value)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            surface.pixel(x, y) = value;
}

// Opaque output fills exactly the text's extent with the background colour
// before the glyphs; transparent output leaves the background alone. The
// glyph pixels are the same either way, and no pixel takes any colour but
// the text's, the background's or the one it had.
TEST(TextGdiOutput, OpaqueFillsTheExtentTransparentLeavesTheBackground)
{
    const int width = 200, height = 40, left = 5, top = 3;
    DibSurface opaque(width, -height, 32), transparent(width, -height, 32);
    ASSERT_TRUE(opaque.valid() && transparent.valid());
    SelectedFont font1(opaque.dc(), GameFont(20)), font2(transparent.dc(), GameFont(20));
    const SIZE extent = Extent(opaque.dc(), kText);
    ASSERT_EQ(extent.cy, 20);
    ASSERT_LT(left + extent.cx, width);

    for (const DibSurface* surface : {&opaque, &transparent}) {
        Fill(*surface, width, height, kMarker);
        EXPECT_EQ(SetTextColor(surface->dc(), RGB(255, 0, 0)), RGB(0, 0, 0));
        EXPECT_EQ(SetBkColor(surface->dc(), RGB(0, 0, 255)), RGB(255, 255, 255));
    }
    EXPECT_EQ(SetBkMode(transparent.dc(), TRANSPARENT), OPAQUE) << "opaque by default";
    ASSERT_TRUE(TextOutA(opaque.dc(), left, top, kText, int(strlen(kText))));
    ASSERT_TRUE(TextOutA(transparent.dc(), left, top, kText, int(strlen(kText))));

    int ink = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool inside = x >= left && x < left + extent.cx && y >= top && y < top + extent.cy;
            const uint32_t o = opaque.pixel(x, y), t = transparent.pixel(x, y);
            if (!inside) {
                ASSERT_EQ(o, kMarker) << x << "," << y;
                ASSERT_EQ(t, kMarker) << x << "," << y;
                continue;
            }
            ASSERT_TRUE(o == 0xFF0000u || o == 0x0000FFu) << x << "," << y << ": " << std::hex << o;
            ASSERT_TRUE(t == 0xFF0000u || t == kMarker) << x << "," << y << ": " << std::hex << t;
            ASSERT_EQ(o == 0xFF0000u, t == 0xFF0000u) << x << "," << y;
            ink += o == 0xFF0000u;
        }
    }
    EXPECT_GT(ink, 200);
}

// The glyph pixels are the same on every surface a DC can draw on: 32 and
// 8 bpp DIB sections top-down or bottom-up, a monochrome bitmap and a
// window. Colours go to the nearest the surface holds; a window is marked
// for presenting.
TEST(TextGdiOutput, EverySurfaceGetsTheSameGlyphPixels)
{
    const int width = 180, height = 30;
    DibSurface reference(width, -height, 32);
    ASSERT_TRUE(reference.valid());
    SelectedFont referenceFont(reference.dc(), GameFont(16));
    Fill(reference, width, height, 0x00FFFFFF);
    SetTextColor(reference.dc(), RGB(0, 0, 0));
    ASSERT_TRUE(TextOutA(reference.dc(), 3, 4, kText, int(strlen(kText))));
    const std::vector<bool> glyphs = Mask(reference.dc(), width, height, RGB(0, 0, 0));
    const std::vector<bool> cell = [&] {
        const SIZE extent = Extent(reference.dc(), kText);
        std::vector<bool> mask;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                mask.push_back(x >= 3 && x < 3 + extent.cx && y >= 4 && y < 4 + extent.cy);
        return mask;
    }();
    ASSERT_GT(Count(glyphs), 100);

    // Opaque output on a black surface: the glyphs in the text colour, the
    // rest of the cell in the background colour.
    auto check = [&](HDC dc, COLORREF text, COLORREF back, COLORREF drawnText, COLORREF drawnBack, const char* what) {
        SelectedFont font(dc, GameFont(16));
        PatBlt(dc, 0, 0, width, height, BLACKNESS);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
        ASSERT_TRUE(TextOutA(dc, 3, 4, kText, int(strlen(kText)))) << what;
        EXPECT_EQ(Mask(dc, width, height, drawnText), glyphs) << what;
        std::vector<bool> background = Mask(dc, width, height, drawnBack);
        for (size_t i = 0; i < glyphs.size(); ++i)
            ASSERT_EQ(background[i], cell[i] && !glyphs[i]) << what << " " << i;
    };

    DibSurface bottomUp32(width, height, 32);
    DibSurface topDown8(width, -height, 8, 16), bottomUp8(width, height, 8, 16);
    ASSERT_TRUE(bottomUp32.valid() && topDown8.valid() && bottomUp8.valid());
    check(bottomUp32.dc(), RGB(1, 2, 3), RGB(4, 5, 6), RGB(1, 2, 3), RGB(4, 5, 6), "32 bpp bottom-up");
    const COLORREF red = gdi_test::BaseColourRef(9), navy = gdi_test::BaseColourRef(4);
    ASSERT_EQ(red, RGB(255, 0, 0));
    ASSERT_EQ(navy, RGB(0, 0, 128));
    check(topDown8.dc(), RGB(250, 10, 0), RGB(0, 0, 140), red, navy, "8 bpp top-down");
    check(bottomUp8.dc(), RGB(250, 10, 0), RGB(0, 0, 140), red, navy, "8 bpp bottom-up");

    // Two colours only: the glyphs alone (transparent), then the cell
    // around them (opaque), each in black on white.
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, width, height);
    HGDIOBJ previous = SelectObject(monoDc, mono);
    ASSERT_NE(previous, nullptr);
    {
        SelectedFont font(monoDc, GameFont(16));
        PatBlt(monoDc, 0, 0, width, height, WHITENESS);
        SetTextColor(monoDc, RGB(20, 20, 20));
        SetBkMode(monoDc, TRANSPARENT);
        ASSERT_TRUE(TextOutA(monoDc, 3, 4, kText, int(strlen(kText))));
        EXPECT_EQ(Mask(monoDc, width, height, RGB(0, 0, 0)), glyphs);
        PatBlt(monoDc, 0, 0, width, height, WHITENESS);
        SetTextColor(monoDc, RGB(230, 230, 230));
        SetBkColor(monoDc, RGB(40, 0, 0));
        SetBkMode(monoDc, OPAQUE);
        ASSERT_TRUE(TextOutA(monoDc, 3, 4, kText, int(strlen(kText))));
        std::vector<bool> background = Mask(monoDc, width, height, RGB(0, 0, 0));
        for (size_t i = 0; i < glyphs.size(); ++i)
            ASSERT_EQ(background[i], cell[i] && !glyphs[i]) << i;
    }
    SelectObject(monoDc, previous);
    DeleteObject(mono);
    DeleteDC(monoDc);

    std::vector<uint32_t> client(size_t(width) * height, kMarker);
    WindowPixels target = {client.data(), width, height, false};
    HDC window = GdiCreateWindowDc(&target);
    SetBkMode(window, TRANSPARENT);
    {
        SelectedFont font(window, GameFont(16));
        ASSERT_TRUE(TextOutA(window, 3, 4, kText, int(strlen(kText))));
    }
    EXPECT_TRUE(target.dirty);
    for (size_t i = 0; i < glyphs.size(); ++i)
        ASSERT_EQ(client[i], glyphs[i] ? 0u : kMarker) << i;
    GdiDestroyWindowDc(window);
}

// Text running off any edge draws exactly the part inside, on both drawing
// paths (direct rows and runs), and far-off positions draw nothing.
TEST(TextGdiOutput, TextIsClippedToTheSurface)
{
    const int width = 48, height = 12, bigWidth = 400, bigHeight = 100, dx = 150, dy = 40;
    DibSurface big(bigWidth, -bigHeight, 32);
    ASSERT_TRUE(big.valid());
    SelectedFont bigFont(big.dc(), GameFont(20));
    const int positions[][2] = {{-13, -7}, {30, 2}, {-40, 5}, {10, -15}};
    int ink = 0;
    for (int bits : {32, 8}) {
        for (int topDown : {1, 0}) {
            DibSurface small(width, topDown ? -height : height, bits, 16);
            ASSERT_TRUE(small.valid());
            SelectedFont smallFont(small.dc(), GameFont(20));
            for (HDC dc : {small.dc(), big.dc()}) {
                SetTextColor(dc, RGB(255, 255, 255));
                SetBkColor(dc, RGB(255, 0, 0));
            }
            for (const auto& at : positions) {
                PatBlt(small.dc(), 0, 0, width, height, BLACKNESS);
                PatBlt(big.dc(), 0, 0, bigWidth, bigHeight, BLACKNESS);
                ASSERT_TRUE(TextOutA(small.dc(), at[0], at[1], kText, int(strlen(kText))));
                ASSERT_TRUE(TextOutA(big.dc(), at[0] + dx, at[1] + dy, kText, int(strlen(kText))));
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        ASSERT_EQ(GetPixel(small.dc(), x, y), GetPixel(big.dc(), x + dx, y + dy))
                            << bits << " bpp " << (topDown ? "top-down" : "bottom-up") << " at " << at[0] << ","
                            << at[1] << ": " << x << "," << y;
                ink += Count(Mask(small.dc(), width, height, RGB(255, 255, 255)));
            }
            PatBlt(small.dc(), 0, 0, width, height, BLACKNESS);
            for (int x : {INT_MIN, INT_MAX, INT_MIN / 2})
                for (int y : {INT_MIN, INT_MAX, 0})
                    EXPECT_TRUE(TextOutA(small.dc(), x, y, kText, int(strlen(kText))));
            EXPECT_EQ(Count(Mask(small.dc(), width, height, RGB(0, 0, 0))), width * height);
        }
    }
    EXPECT_GT(ink, 4 * 100);
}

// Counts are bytes: one that cuts a two-byte character drops its lead byte
// and reads no further. Bad counts, texts and handles fail like Windows.
TEST(TextGdiOutput, ByteCountsAndBadArguments)
{
    DibSurface cut(64, -24, 32), whole(64, -24, 32);
    ASSERT_TRUE(cut.valid() && whole.valid());
    SelectedFont cutFont(cut.dc(), GameFont(20)), wholeFont(whole.dc(), GameFont(20));
    ASSERT_TRUE(TextOutA(cut.dc(), 0, 0, "絶妙", 3));
    ASSERT_TRUE(TextOutA(whole.dc(), 0, 0, "絶", 2));
    EXPECT_EQ(text_gdi_test::Snapshot(cut, 64, 24), text_gdi_test::Snapshot(whole, 64, 24));
    EXPECT_EQ(Extent(cut.dc(), "絶妙", 3).cx, Extent(cut.dc(), "絶", 2).cx);

    // The lead byte is the last readable byte.
    const long page = sysconf(_SC_PAGESIZE);
    void* map = mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(map, MAP_FAILED);
    ASSERT_EQ(mprotect(static_cast<char*>(map) + page, size_t(page), PROT_NONE), 0);
    char* edge = static_cast<char*>(map) + page - 2;
    std::memcpy(edge, "A\x90", 2);  // 'A' and the lead byte of 絶
    EXPECT_TRUE(TextOutA(cut.dc(), 0, 0, edge, 2));
    EXPECT_EQ(Extent(cut.dc(), edge, 2).cx, Extent(cut.dc(), "A").cx);
    munmap(map, size_t(2 * page));

    const std::vector<uint32_t> before = text_gdi_test::Snapshot(cut, 64, 24);
    SIZE size = {5, 5};
    EXPECT_FALSE(TextOutA(cut.dc(), 0, 0, "A", -1));
    EXPECT_FALSE(GetTextExtentPoint32A(cut.dc(), "A", -1, &size));
    EXPECT_FALSE(TextOutA(cut.dc(), 0, 0, nullptr, 1));
    EXPECT_FALSE(GetTextExtentPoint32A(cut.dc(), nullptr, 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(cut.dc(), "A", 1, nullptr));
    EXPECT_EQ(size.cx, 5);
    EXPECT_TRUE(TextOutA(cut.dc(), 0, 0, "A", 0)) << "nothing to draw, not even the background";
    EXPECT_TRUE(TextOutA(cut.dc(), 0, 0, nullptr, 0));
    EXPECT_EQ(text_gdi_test::Snapshot(cut, 64, 24), before);

    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    for (HDC bad : {gone, static_cast<HDC>(nullptr), reinterpret_cast<HDC>(&size)}) {
        EXPECT_FALSE(TextOutA(bad, 0, 0, "A", 1));
        EXPECT_FALSE(GetTextExtentPoint32A(bad, "A", 1, &size));
        EXPECT_EQ(SetTextColor(bad, 0), CLR_INVALID);
        EXPECT_EQ(SetBkColor(bad, 0), CLR_INVALID);
        EXPECT_EQ(SetBkMode(bad, OPAQUE), 0);
    }
}

// The colours and mode return what they replace, refuse unknown modes and
// come back with RestoreDC.
TEST(TextGdiOutput, ColoursAndModeAreDcState)
{
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, 0), 0);
    EXPECT_EQ(SetBkMode(dc, 3), 0);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT) << "refused modes change nothing";
    ASSERT_EQ(SaveDC(dc), 1);
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkColor(dc, RGB(4, 5, 6));
    SetBkMode(dc, TRANSPARENT);
    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_EQ(SetTextColor(dc, 0), RGB(0, 0, 0));
    EXPECT_EQ(SetBkColor(dc, 0), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, OPAQUE), OPAQUE);
    DeleteDC(dc);
}

// Once the glyphs are cached, text output, measuring and DrawTextA take
// no memory, on either drawing path.
TEST(TextGdiOutput, DrawingTheSameTextAgainTakesNoMemory)
{
    DibSurface frame(320, 240, 8, 16), compose(320, -240, 32);
    ASSERT_TRUE(frame.valid() && compose.valid());
    SelectedFont frameFont(frame.dc(), GameFont(16)), composeFont(compose.dc(), GameFont(80));
    SetBkMode(frame.dc(), TRANSPARENT);
    RECT rect = {0, 100, 320, 200};
    auto draw = [&] {
        SIZE size;
        GetTextExtentPoint32A(compose.dc(), "絶妙", 4, &size);
        TextOutA(compose.dc(), 320 - size.cx, 0, "絶妙", 4);
        TextOutA(frame.dc(), 5, 5, kText, int(strlen(kText)));
        DrawTextA(frame.dc(), "SCORE 0012345", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        DrawTextA(compose.dc(), "&Pause", -1, &rect, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    };
    draw();
    const struct mallinfo2 before = mallinfo2();
    for (int i = 0; i < 1000; ++i)
        draw();
    const struct mallinfo2 after = mallinfo2();
    EXPECT_EQ(after.uordblks, before.uordblks);
    EXPECT_EQ(after.hblkhd, before.hblkhd);
}

}  // namespace
