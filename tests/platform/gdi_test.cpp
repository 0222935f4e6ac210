// GDI's blit row loops on every instruction set, the centre sample, object lifetimes, the quota.
#include <gtest/gtest.h>
#include <platform_seams.h>

#include <functional>

#include "gdi/gdi_private.h"
#include "platform/gdi_fixture.h"

namespace {
// Every start, width and clip: 8-bit via the table, doubled 8 and 32-bit, 32-bit OR-ed on.
TEST(GdiBlit, EveryRowPathFollowsThePlainRule)
{
    constexpr uint32_t kUntouched = 0xEEEEEE;
    Dib frame(96, 1, 8, 16), wide(96, 1, 32), label(96, 1, 32);
    frame.paint([](int x, int) { return x == 20 ? 16 : x == 31 ? 200 : x == 66 ? 255 : (x * 7 + 3) % 16; });
    wide.paint([](int x, int) { return 0x010000 * x + 7; });
    label.paint([](int x, int) { return x % 3 == 0 ? 0xFFFFFF : 0x100001 * x; });
    // Indices past the table's 16 entries read as black.
    const auto fromFrame = [&](int x) { return frame.index(x, 0) < 16 ? BasePixel(frame.index(x, 0)) : 0; };
    const struct {
        HDC source;
        int scale;
        DWORD rop;
        std::function<uint32_t(int)> value;  // of source column x
    } cases[] = {
        {frame.dc(), 1, SRCCOPY, fromFrame},
        {frame.dc(), 2, SRCCOPY, fromFrame},
        {wide.dc(), 2, SRCCOPY, [&](int x) { return wide.pixel(x, 0); }},
        {label.dc(), 1, SRCPAINT, [&](int x) { return kUntouched | label.pixel(x, 0); }},
    };
    Window target(200, 1, kUntouched);
    for (GdiRowPath path : {GdiRowPath::Scalar, GdiRowPath::Ssse3, GdiRowPath::Avx2}) {
        if (!GdiChooseRowPath(path))
            continue;
        for (const auto& c : cases)
            for (int x = -41; x < 100; x += 3)
                for (int width : {1, 8, 15, 16, 17, 31, 33, 40, 80}) {
                    std::fill(target.pixels.begin(), target.pixels.end(), kUntouched);
                    ASSERT_TRUE(StretchBlt(target.dc, x, 0, c.scale * width, 1, c.source, 3, 0, width, 1, c.rop));
                    for (int dx = 0; dx < 200; ++dx) {
                        const int d = dx - x;
                        const uint32_t want = d >= 0 && d < c.scale * width ? c.value(3 + d / c.scale) : kUntouched;
                        ASSERT_EQ(target.at(dx, 0), want) << &c - cases << " on path " << int(path) << ", x " << x
                                                          << " width " << width << " at " << dx;
                    }
                }
    }
    GdiChooseRowPath(GdiRowPath::Avx2);
}

// On the game's window sizes, from 32-bit and 8-bit sources alike.
TEST(GdiBlit, StretchTakesTheSourcePixelUnderEachCentre)
{
    auto tag = [](int x, int y) { return uint32_t(y) << 12 | uint32_t(x); };
    auto sample = [](int d, int sourceSize, int destSize) { return (2 * d + 1) * sourceSize / (2 * destSize); };
    Dib tagged(320, -240, 32), frame(320, 240, 8, 16);
    tagged.paint(tag);
    frame.paint([](int x, int y) { return (x * 5 + y * 3) % 16; });
    for (const SIZE size : {SIZE{640, 480}, SIZE{1024, 768}, SIZE{1366, 768}, SIZE{1920, 1080}, SIZE{333, 97}}) {
        Window fromTagged(size.cx, size.cy, 0), fromFrame(size.cx, size.cy, 0);
        ASSERT_TRUE(StretchBlt(fromTagged.dc, 0, 0, size.cx, size.cy, tagged.dc(), 0, 0, 320, 240, SRCCOPY));
        ASSERT_TRUE(StretchBlt(fromFrame.dc, 0, 0, size.cx, size.cy, frame.dc(), 0, 0, 320, 240, SRCCOPY));
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x) {
                const int sx = sample(x, 320, size.cx), sy = sample(y, 240, size.cy);
                ASSERT_EQ(fromTagged.at(x, y), tag(sx, sy)) << size.cx << "x" << size.cy << " at " << x << "," << y;
                ASSERT_EQ(fromFrame.at(x, y), BasePixel(frame.index(sx, sy))) << size.cx << "x" << size.cy;
            }
    }
}

// Window DCs count and take no bitmap; an object deleted while selected goes with its DC's hold.
TEST(GdiObjects, TheLiveCountFollowsCreationTheQuotaAndDeferredDeletion)
{
    const int before = PlatformLiveGdiObjects();
    HDC dc = CreateCompatibleDC(nullptr), other = CreateCompatibleDC(nullptr);
    const HGDIOBJ stockFont = GetCurrentObject(dc, OBJ_FONT), stockBitmap = GetCurrentObject(dc, OBJ_BITMAP);
    HBITMAP bitmap = surfaces::MakeDib(4, 4, 32), second = surfaces::MakeDib(4, 4, 8, 16);
    {
        Window window(2, 2, 0);
        EXPECT_EQ(PlatformLiveGdiObjects(), before + 5) << "window DCs count";
        EXPECT_TRUE(!SelectObject(window.dc, bitmap) && !DeleteDC(window.dc));
        window.resize(0, 0, 0);  // minimised: no pixels to draw on or read
        EXPECT_TRUE(StretchBlt(window.dc, 0, 0, 64, 48, dc, 0, 0, 1, 1, SRCCOPY) && !window.target.dirty &&
                    GetPixel(window.dc, 0, 0) == CLR_INVALID);
        const LOGFONTA description = GameFont(20);
        PlatformSetGdiQuota(before + 5);
        EXPECT_TRUE(!CreateCompatibleDC(nullptr) && !surfaces::MakeDib(4, 4, 32) && !CreateCompatibleBitmap(dc, 4, 4) &&
                    !CreateFontIndirectA(&description) && !GdiCreateWindowDc(&window.target));
        PlatformSetGdiQuota(before + 6);
        HFONT font = CreateFontIndirectA(&description);
        ASSERT_NE(font, nullptr) << "one more fits the quota exactly";
        PlatformSetGdiQuota(10000);  // Windows' default
        ASSERT_EQ(SelectObject(dc, font), stockFont);
        EXPECT_TRUE(DeleteObject(font) && Extent(dc, "A").cy == 20) << "deleted, still in use";
        EXPECT_EQ(SelectObject(other, font), nullptr) << "a deleted font goes into no other DC";
        EXPECT_EQ(PlatformLiveGdiObjects(), before + 6);
        EXPECT_TRUE(SelectObject(dc, stockFont) == font && !DeleteObject(font)) << "gone when the DC let go";
    }
    ASSERT_EQ(SelectObject(dc, bitmap), stockBitmap);
    EXPECT_TRUE(DeleteObject(bitmap) && SetPixel(dc, 1, 1, RGB(9, 8, 7)) == RGB(9, 8, 7));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(9, 8, 7));
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 2) << "the bitmap went with its DC";
    ASSERT_TRUE(SaveDC(other) == 1 && SelectObject(other, second) == stockBitmap && DeleteObject(second));
    ASSERT_TRUE(RestoreDC(other, -1));
    EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), stockBitmap);
    EXPECT_EQ(PlatformLiveGdiObjects(), before + 1) << "and this one with the restore";
    EXPECT_TRUE(DeleteDC(other));
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
}

// A saved state leaves out objects deleted since, even with new ones at their addresses.
TEST(GdiObjects, WrongKindBogusAndDeletedHandlesAreRefused)
{
    HDC dc = CreateCompatibleDC(nullptr);
    const LOGFONTA description = GameFont(12, "");
    HFONT font = CreateFontIndirectA(&description);
    HBITMAP bitmap = surfaces::MakeDib(8, 8, 32);
    ASSERT_TRUE(dc && font && bitmap);
    EXPECT_FALSE(SelectObject(dc, dc) || DeleteObject(dc) || DeleteDC(reinterpret_cast<HDC>(font)) ||
                 BitBlt(reinterpret_cast<HDC>(bitmap), 0, 0, 1, 1, dc, 0, 0, SRCCOPY));
    GdiDc fake{};
    fake.magic = kGdiMagic;
    fake.kind = GdiKind::Dc;
    HDC bogus = reinterpret_cast<HDC>(static_cast<GdiObject*>(&fake));
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_FALSE(PatBlt(bogus, 0, 0, 1, 1, BLACKNESS) || SelectObject(bogus, font) || DeleteDC(bogus));

    const HGDIOBJ stockBitmap = SelectObject(dc, bitmap), stockFont = SelectObject(dc, font);
    ASSERT_EQ(SaveDC(dc), 1);
    HBITMAP replacement = surfaces::MakeDib(8, 8, 32);
    ASSERT_TRUE(SelectObject(dc, replacement) == bitmap && SelectObject(dc, stockFont) == font);
    ASSERT_TRUE(DeleteObject(bitmap) && DeleteObject(font));
    std::vector<HGDIOBJ> newcomers;
    for (int i = 0; i < 16; ++i) {
        newcomers.push_back(surfaces::MakeDib(8, 8, 32));
        newcomers.push_back(CreateFontIndirectA(&description));
    }
    ASSERT_TRUE(RestoreDC(dc, -1));
    EXPECT_TRUE(GetCurrentObject(dc, OBJ_BITMAP) == replacement && GetCurrentObject(dc, OBJ_FONT) == stockFont);
    SelectObject(dc, stockBitmap);
    EXPECT_TRUE(DeleteDC(dc) && DeleteObject(replacement));
    for (HGDIOBJ newcomer : newcomers)
        EXPECT_TRUE(DeleteObject(newcomer));
}

}  // namespace
