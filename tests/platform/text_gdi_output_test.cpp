// TextOutA as platform/ draws it: the same solid glyph pixels on every kind
// of surface, clipping on both drawing paths, byte counts that cut a
// two-byte character, and no allocation once warm.
#include <gtest/gtest.h>
#include <windows.h>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/text_gdi_fixture.h"

using gdi_test::DibSurface;
using text_gdi_test::Extent;
using text_gdi_test::GameFont;
using text_gdi_test::SelectedFont;

namespace {

const char kText[] = "絶妙 Score 0123 ｽｺｱ";
const int kLength = int(sizeof kText - 1);

// The glyph pixels are the same on every surface a DC can draw on: 32 and
// 8 bpp DIB sections top-down (drawn into directly) or bottom-up (drawn as
// runs), a monochrome bitmap and a window. Colours go to the nearest the
// surface holds; opaque output fills exactly the rest of the text's cell.
TEST(TextGdiOutput, EverySurfaceGetsTheSameGlyphPixels)
{
    const int width = 180, height = 30;
    DibSurface reference(width, -height, 32);
    ASSERT_TRUE(reference.valid());
    SelectedFont referenceFont(reference.dc(), GameFont(16));
    reference.fill(0xFFFFFF);
    ASSERT_TRUE(TextOutA(reference.dc(), 3, 4, kText, kLength));
    const SIZE extent = Extent(reference.dc(), kText);
    auto glyph = [&](int x, int y) { return reference.pixel(x, y) == 0; };
    EXPECT_TRUE(reference.holds([&](int x, int y) { return glyph(x, y) ? 0 : 0xFFFFFF; })) << "solid glyphs";
    int ink = 0;

    DibSurface bottomUp32(width, height, 32), topDown8(width, -height, 8, 16), bottomUp8(width, height, 8, 16);
    ASSERT_TRUE(bottomUp32.valid() && topDown8.valid() && bottomUp8.valid());
    HDC monoDc = CreateCompatibleDC(nullptr);
    HBITMAP mono = CreateCompatibleBitmap(monoDc, width, height);
    HGDIOBJ stockBitmap = SelectObject(monoDc, mono);
    text_gdi_test::Window window(width, height, 0);
    const COLORREF white = RGB(255, 255, 255), red = RGB(255, 0, 0), navy = RGB(0, 0, 128);
    const struct {
        const char* name;
        HDC dc;
        COLORREF text, back, drawnText, drawnBack;
    } cases[] = {
        {"32 bpp bottom-up", bottomUp32.dc(), RGB(1, 2, 3), RGB(4, 5, 6), RGB(1, 2, 3), RGB(4, 5, 6)},
        {"8 bpp top-down", topDown8.dc(), RGB(250, 10, 0), RGB(0, 0, 140), red, navy},
        {"8 bpp bottom-up", bottomUp8.dc(), RGB(250, 10, 0), RGB(0, 0, 140), red, navy},
        {"monochrome", monoDc, RGB(230, 230, 230), RGB(40, 0, 0), white, RGB(0, 0, 0)},
        {"window", window.dc, RGB(1, 2, 3), RGB(4, 5, 6), RGB(1, 2, 3), RGB(4, 5, 6)},
    };
    for (const auto& c : cases) {
        SelectedFont font(c.dc, GameFont(16));
        PatBlt(c.dc, 0, 0, width, height, BLACKNESS);
        const COLORREF cleared = GetPixel(c.dc, 0, 0);
        SetTextColor(c.dc, c.text);
        SetBkColor(c.dc, c.back);
        ASSERT_TRUE(TextOutA(c.dc, 3, 4, kText, kLength)) << c.name;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const bool cell = x >= 3 && x < 3 + extent.cx && y >= 4 && y < 4 + extent.cy;
                ASSERT_EQ(GetPixel(c.dc, x, y), glyph(x, y) ? c.drawnText : cell ? c.drawnBack : cleared)
                    << c.name << " at " << x << "," << y;
                ink += glyph(x, y);
            }
    }
    EXPECT_GT(ink, 5 * 100);
    EXPECT_TRUE(window.target.dirty);
    SelectObject(monoDc, stockBitmap);
    DeleteObject(mono);
    DeleteDC(monoDc);
}

// Text running off any edge draws exactly the part inside, on both drawing
// paths, leaving the padding at the end of 8 bpp rows alone; far-off
// positions draw nothing.
TEST(TextGdiOutput, TextIsClippedToTheSurface)
{
    const int width = 45, height = 12, dx = 150, dy = 40;
    DibSurface big(400, -100, 32);
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
            for (int y = 0; y < height && bits == 8; ++y)
                for (int x = width; x < 48; ++x)
                    small.index(x, y) = 0x5A;  // 8 bpp rows are 48 bytes
            for (const auto& at : positions) {
                PatBlt(small.dc(), 0, 0, width, height, BLACKNESS);
                PatBlt(big.dc(), 0, 0, 400, 100, BLACKNESS);
                ASSERT_TRUE(TextOutA(small.dc(), at[0], at[1], kText, kLength));
                ASSERT_TRUE(TextOutA(big.dc(), at[0] + dx, at[1] + dy, kText, kLength));
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < (bits == 8 ? 48 : width); ++x) {
                        if (x >= width) {
                            ASSERT_EQ(small.index(x, y), 0x5A) << "padding of row " << y;
                            continue;
                        }
                        ink += GetPixel(small.dc(), x, y) == RGB(255, 255, 255);
                        ASSERT_EQ(GetPixel(small.dc(), x, y), GetPixel(big.dc(), x + dx, y + dy))
                            << bits << " bpp " << (topDown ? "top-down" : "bottom-up") << " at " << at[0] << ","
                            << at[1] << ": " << x << "," << y;
                    }
            }
            PatBlt(small.dc(), 0, 0, width, height, BLACKNESS);
            for (int x : {INT_MIN, INT_MAX, INT_MIN / 2, -1000, width})
                for (int y : {INT_MIN, INT_MAX, 0, -100, height})
                    EXPECT_TRUE(TextOutA(small.dc(), x, y, kText, kLength));
            EXPECT_TRUE(small.holds([](int, int) { return 0; })) << "far off, nothing lands";
        }
    }
    EXPECT_GT(ink, 4 * 100);
}

// Counts are bytes: one that cuts a two-byte character drops its lead byte
// and reads no further, even when the trail byte would be unreadable; a
// lead byte before NUL is dropped too. Null texts and sizes fail.
TEST(TextGdiOutput, ByteCountsAndBadArguments)
{
    DibSurface cut(64, -24, 32), whole(64, -24, 32);
    ASSERT_TRUE(cut.valid() && whole.valid());
    SelectedFont cutFont(cut.dc(), GameFont(20)), wholeFont(whole.dc(), GameFont(20));
    const long page = sysconf(_SC_PAGESIZE);
    void* map = mmap(nullptr, size_t(2 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(map, MAP_FAILED);
    ASSERT_EQ(mprotect(static_cast<char*>(map) + page, size_t(page), PROT_NONE), 0);
    char* edge = static_cast<char*>(map) + page - 3;
    std::memcpy(edge, "絶妙", 3);  // the lead byte of 妙 is the last readable byte
    ASSERT_TRUE(TextOutA(cut.dc(), 0, 0, edge, 3));
    ASSERT_TRUE(TextOutA(whole.dc(), 0, 0, "絶", 2));
    EXPECT_TRUE(cut.holds([&](int x, int y) { return whole.pixel(x, y); }));
    EXPECT_EQ(Extent(cut.dc(), edge, 3).cx, Extent(cut.dc(), "絶").cx);
    munmap(map, size_t(2 * page));
    EXPECT_EQ(Extent(cut.dc(), "絶\x96\0", 4).cx, Extent(cut.dc(), "絶").cx + Extent(cut.dc(), "\0", 1).cx);

    SIZE size = {5, 5};
    EXPECT_FALSE(TextOutA(cut.dc(), 0, 0, nullptr, 1));
    EXPECT_FALSE(GetTextExtentPoint32A(cut.dc(), nullptr, 1, &size));
    EXPECT_FALSE(GetTextExtentPoint32A(cut.dc(), "A", 1, nullptr));
    EXPECT_EQ(size.cx, 5);
    EXPECT_TRUE(TextOutA(cut.dc(), 0, 0, nullptr, 0));
    EXPECT_TRUE(cut.holds([&](int x, int y) { return whole.pixel(x, y); })) << "nothing drawn";
}

size_t newCalls;

}  // namespace

// Counts C++ allocations. Weak, so that another test program's counting
// operator new may take over.
__attribute__((weak)) void* operator new(size_t size)
{
    ++newCalls;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
__attribute__((weak)) void operator delete(void* p) noexcept
{
    std::free(p);
}
__attribute__((weak)) void operator delete(void* p, size_t) noexcept
{
    std::free(p);
}

namespace {

// Once the glyphs are cached, text output, measuring and DrawTextA take no
// memory, on either drawing path and in either face.
TEST(TextGdiOutput, DrawingTheSameTextAgainTakesNoMemory)
{
    DibSurface frame(320, 240, 8, 16), compose(320, -240, 32);
    ASSERT_TRUE(frame.valid() && compose.valid());
    SelectedFont frameFont(frame.dc(), GameFont(16)), composeFont(compose.dc(), GameFont(80, "ＭＳ Ｐゴシック"));
    SetBkMode(frame.dc(), TRANSPARENT);
    RECT rect = {0, 100, 320, 200};
    auto draw = [&] {
        TextOutA(compose.dc(), 320 - Extent(compose.dc(), "絶妙").cx, 0, "絶妙", 4);
        TextOutA(frame.dc(), 5, 5, kText, kLength);
        DrawTextA(frame.dc(), "SCORE 0012345", -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        DrawTextA(compose.dc(), "&Pause", -1, &rect, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    };
    draw();
    const size_t calls = newCalls;
    const struct mallinfo2 before = mallinfo2();
    for (int i = 0; i < 1000; ++i)
        draw();
    const struct mallinfo2 after = mallinfo2();
    EXPECT_EQ(newCalls, calls);
    EXPECT_EQ(after.uordblks, before.uordblks);
    EXPECT_EQ(after.hblkhd, before.hblkhd);
}

}  // namespace
