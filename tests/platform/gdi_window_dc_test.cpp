// Window DCs: drawing into a window's client pixels through the
// WindowPixels contract with USER.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include "platform/text_gdi_fixture.h"

using gdi_test::BaseColourPixel;
using gdi_test::DibSurface;
using text_gdi_test::Window;

namespace {

uint32_t FramePixel(int x, int y)
{
    return BaseColourPixel((x / 3 + y * 7) % 16);
}

// The game's present path: the frame copied 1:1, then, after USER grows
// the client under the DC, stretched; every draw marks the pixels dirty,
// reading and drawing outside do not. A minimised window (no pixels)
// takes drawing harmlessly.
TEST(GdiWindowDc, BlitsLandInTheClientPixelsAndMarkThemDirty)
{
    Window client(320, 240, 0xABCDEF);
    DibSurface frame(320, 240, 8, 16);
    ASSERT_TRUE(client.dc && frame.valid());
    frame.paint([](int x, int y) { return (x / 3 + y * 7) % 16; });
    EXPECT_EQ(GetPixel(client.dc, 5, 5), RGB(0xAB, 0xCD, 0xEF));
    EXPECT_FALSE(client.target.dirty) << "reading draws nothing";
    EXPECT_TRUE(BitBlt(client.dc, 320, 0, 10, 10, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(client.target.dirty) << "entirely outside the client";

    ASSERT_TRUE(BitBlt(client.dc, 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(client.target.dirty);
    EXPECT_EQ(client.at(319, 239), FramePixel(319, 239));

    client.resize(640, 480, 0xABCDEF);
    ASSERT_TRUE(StretchBlt(client.dc, 0, 0, 640, 480, frame.dc(), 0, 0, 320, 240, SRCCOPY));
    EXPECT_TRUE(client.target.dirty);
    EXPECT_EQ(client.at(639, 479), FramePixel(319, 239)) << "the whole of the new size";

    client.target.dirty = false;
    ASSERT_TRUE(PatBlt(client.dc, 0, 0, 2, 2, BLACKNESS));
    EXPECT_TRUE(client.target.dirty);
    EXPECT_EQ(client.at(1, 1), 0u);
    EXPECT_EQ(client.at(2, 1), FramePixel(1, 0)) << "around it nothing changes";
    client.target.dirty = false;
    EXPECT_EQ(SetPixel(client.dc, 3, 4, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(client.at(3, 4), 0x00010203u);
    EXPECT_TRUE(client.target.dirty);

    client.resize(0, 0, 0);
    EXPECT_TRUE(BitBlt(client.dc, 0, 0, 320, 240, frame.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(StretchBlt(client.dc, 0, 0, 640, 480, frame.dc(), 0, 0, 320, 240, SRCCOPY));
    EXPECT_TRUE(PatBlt(client.dc, 0, 0, 10, 10, BLACKNESS));
    EXPECT_EQ(GetPixel(client.dc, 0, 0), CLR_INVALID);
    EXPECT_FALSE(client.target.dirty);
    EXPECT_TRUE(BitBlt(frame.dc(), 0, 0, 320, 240, client.dc, 0, 0, SRCCOPY)) << "nothing to read either";
}

// What a window DC refuses, and what is made from it: display-format
// bitmaps and memory DCs; the window as a source.
TEST(GdiWindowDc, TakesNoBitmapAndMakesDisplayFormatBitmaps)
{
    const int before = PlatformLiveGdiObjects();
    HDC window;
    {
        Window client(16, 8, 0);
        window = client.dc;
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
        ASSERT_TRUE(BitBlt(window, 0, 0, 16, 8, memory, 0, 0, SRCCOPY));
        EXPECT_EQ(client.at(2, 3), 0x00123456u);

        client.pixels[5 * 16 + 7] = 0x00FEDCBA;
        DibSurface copy(16, 8, 32);
        ASSERT_TRUE(BitBlt(copy.dc(), 0, 0, 16, 8, window, 0, 0, SRCCOPY));
        EXPECT_EQ(copy.pixel(7, 5) & 0xFFFFFF, 0x00FEDCBAu);

        // The screen (a null DC) gives the same format.
        HBITMAP screen = CreateCompatibleBitmap(nullptr, 4, 4);
        ASSERT_NE(screen, nullptr);
        SelectObject(memory, screen);
        EXPECT_EQ(SetPixel(memory, 0, 0, RGB(7, 8, 9)), RGB(7, 8, 9));
        SelectObject(memory, stockBitmap);
        DeleteObject(screen);
        DeleteObject(compose);
        DeleteDC(memory);
    }
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
    EXPECT_FALSE(BitBlt(window, 0, 0, 1, 1, window, 0, 0, SRCCOPY)) << "the handle died with the window";
}

}  // namespace
