// Window DCs: drawing into a window's client pixels through the
// WindowPixels contract with USER.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <vector>

#include "conformance/gdi_surfaces.h"
#include "user/window_pixels.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;

namespace {

// Stands in for USER: owns the block and reallocates it on resize.
struct ClientArea {
    std::vector<uint32_t> block;
    WindowPixels target = {nullptr, 0, 0, false};

    void resize(int width, int height, uint32_t fill)
    {
        block.assign(size_t(width) * size_t(height), fill);
        target.pixels = block.data();
        target.width = width;
        target.height = height;
    }
    uint32_t at(int x, int y) const { return block[size_t(y) * size_t(target.width) + size_t(x)]; }
};

void FillFrame(DibSurface& frame)
{
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            frame.index(x, y) = BYTE((x / 3 + y * 7) % 16);
}

uint32_t FramePixel(int x, int y)
{
    return BaseColourPixel((x / 3 + y * 7) % 16);
}

// The game's present path: the frame copied 1:1, then, after the client
// grows to 640 x 480, stretched; every draw marks the pixels dirty.
TEST(GdiWindowDc, BlitsLandInTheClientPixelsAndMarkThemDirty)
{
    ClientArea client;
    client.resize(320, 240, 0x00ABCDEF);
    HDC window = GdiCreateWindowDc(&client.target);
    ASSERT_NE(window, nullptr);
    DibSurface frame(320, 240, 8, 16);
    ASSERT_TRUE(frame.valid());
    FillFrame(frame);

    EXPECT_EQ(GetPixel(window, 5, 5), RGB(0xAB, 0xCD, 0xEF));
    EXPECT_FALSE(client.target.dirty) << "reading draws nothing";

    ASSERT_TRUE(BitBlt(window, 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(client.target.dirty);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            ASSERT_EQ(client.at(x, y), FramePixel(x, y)) << x << "," << y;

    // Entirely outside the client: nothing drawn, nothing dirty.
    client.target.dirty = false;
    EXPECT_TRUE(BitBlt(window, 320, 0, 10, 10, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(client.target.dirty);

    // USER resizes the block under the DC.
    client.resize(640, 480, 0x00ABCDEF);
    EXPECT_EQ(SetStretchBltMode(window, COLORONCOLOR), BLACKONWHITE);
    ASSERT_TRUE(StretchBlt(window, 0, 0, 640, 480, frame.dc(), 0, 0, 320, 240, SRCCOPY));
    EXPECT_TRUE(client.target.dirty);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            ASSERT_EQ(client.at(x, y), FramePixel(x / 2, y / 2)) << x << "," << y;

    // The top strip from another source, the rest of the frame below it.
    DibSurface strip(320, -16, 32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 320; ++x)
            strip.pixel(x, y) = 0x00FFFFFF;
    ASSERT_TRUE(StretchBlt(window, 0, 0, 640, 32, strip.dc(), 0, 0, 320, 16, SRCCOPY));
    ASSERT_TRUE(StretchBlt(window, 0, 32, 640, 448, frame.dc(), 0, 16, 320, 224, SRCCOPY));
    EXPECT_EQ(client.at(639, 31), 0x00FFFFFFu);
    EXPECT_EQ(client.at(0, 32), FramePixel(0, 16));
    EXPECT_EQ(client.at(639, 479), FramePixel(319, 239));

    client.target.dirty = false;
    ASSERT_TRUE(PatBlt(window, 0, 0, 2, 2, BLACKNESS));
    EXPECT_TRUE(client.target.dirty);
    EXPECT_EQ(client.at(1, 1), 0u);
    EXPECT_EQ(client.at(2, 1), 0x00FFFFFFu) << "the strip around it stays";

    client.target.dirty = false;
    EXPECT_EQ(SetPixel(window, 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(client.at(3, 4), 0x00010203u);
    EXPECT_TRUE(client.target.dirty);

    GdiDestroyWindowDc(window);
}

// A minimised window has no pixels: drawing succeeds and does nothing.
TEST(GdiWindowDc, AnEmptyClientAreaTakesDrawingHarmlessly)
{
    ClientArea client;
    HDC window = GdiCreateWindowDc(&client.target);
    DibSurface frame(320, 240, 8, 16);
    ASSERT_TRUE(window && frame.valid());
    EXPECT_TRUE(BitBlt(window, 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(window, 0, 0, 640, 480, frame.dc(), 0, 0, 320, 240, SRCCOPY));
    EXPECT_TRUE(PatBlt(window, 0, 0, 10, 10, WHITENESS));
    EXPECT_EQ(GetPixel(window, 0, 0), CLR_INVALID);
    EXPECT_FALSE(client.target.dirty);
    EXPECT_TRUE(BitBlt(frame.dc(), 0, 0, 320, 240, window, 0, 0, SRCCOPY)) << "nothing to read either";
    GdiDestroyWindowDc(window);
}

// What a window DC refuses, and what is made from it: display-format
// bitmaps and memory DCs.
TEST(GdiWindowDc, TakesNoBitmapAndMakesDisplayFormatBitmaps)
{
    const int before = PlatformLiveGdiObjects();
    ClientArea client;
    client.resize(16, 8, 0);
    HDC window = GdiCreateWindowDc(&client.target);
    ASSERT_NE(window, nullptr);

    HBITMAP compose = CreateCompatibleBitmap(window, 16, 8);
    ASSERT_NE(compose, nullptr);
    EXPECT_EQ(SelectObject(window, compose), nullptr) << "a window DC takes no bitmap";
    EXPECT_FALSE(DeleteDC(window)) << "the window owns its DC";
    EXPECT_EQ(SaveDC(window), 1);
    EXPECT_TRUE(RestoreDC(window, -1));

    HDC memory = CreateCompatibleDC(window);
    ASSERT_NE(memory, nullptr);
    HGDIOBJ stockBitmap = SelectObject(memory, compose);
    ASSERT_NE(stockBitmap, nullptr);
    EXPECT_EQ(SetPixel(memory, 2, 3, RGB(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(SetPixel(memory, 3, 3, RGB(0x10, 0x20, 0x30)), RGB(0x10, 0x20, 0x30));
    ASSERT_TRUE(BitBlt(window, 0, 0, 16, 8, memory, 0, 0, SRCCOPY));
    EXPECT_EQ(client.at(2, 3), 0x00123456u);

    // SRCPAINT onto the window ORs the colour bits.
    ASSERT_TRUE(BitBlt(window, 2, 3, 1, 1, memory, 3, 3, SRCPAINT));
    EXPECT_EQ(client.at(2, 3), 0x00123456u | 0x00102030u);

    // The window as a source.
    {
        client.block[5 * 16 + 7] = 0x00FEDCBA;
        DibSurface copy(16, 8, 32);
        ASSERT_TRUE(BitBlt(copy.dc(), 0, 0, 16, 8, window, 0, 0, SRCCOPY));
        EXPECT_EQ(copy.pixel(7, 5) & 0xFFFFFF, 0x00FEDCBAu);
    }

    // The screen (a null DC) gives the same format.
    HBITMAP screen = CreateCompatibleBitmap(nullptr, 4, 4);
    ASSERT_NE(screen, nullptr);
    SelectObject(memory, screen);
    EXPECT_EQ(SetPixel(memory, 0, 0, RGB(7, 8, 9)), RGB(7, 8, 9));

    SelectObject(memory, stockBitmap);
    DeleteObject(screen);
    DeleteObject(compose);
    DeleteDC(memory);
    GdiDestroyWindowDc(window);
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
    EXPECT_FALSE(BitBlt(window, 0, 0, 1, 1, window, 0, 0, SRCCOPY)) << "the handle died with the window";
}

}  // namespace
