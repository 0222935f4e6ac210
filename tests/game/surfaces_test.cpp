#include "game_fixture.h"

#include "display/display.h"

using Surfaces = GameTest;

TEST_F(Surfaces, FrameImageIsBottomUpWithThePaletteInItsDc)
{
    OpenMainWindow();
    ASSERT_NE(game.frameBuffer, nullptr);
    for (int i = 0; i < kFrameBytes; ++i)
        ASSERT_EQ(game.frameBuffer[i], 0) << "the new frame image is black";

    // Half brightness (bit 0 red, bit 1 green, bit 2 blue), full brightness
    // from 9 on; 7 is light grey and 8 dark grey.
    const COLORREF palette[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    // Byte 0 is the bottom-left pixel, device (0, 239); device (0, 0), the
    // top-left on screen, is byte 76,480.
    for (int i = 0; i < 16; ++i) {
        game.frameBuffer[i] = static_cast<BYTE>(i);
        game.frameBuffer[76480 + 319 - i] = static_cast<BYTE>(i);
        EXPECT_EQ(GetPixel(game.frameDc, i, 239), palette[i]) << "index " << i;
        EXPECT_EQ(GetPixel(game.frameDc, 319 - i, 0), palette[i]) << "index " << i;
    }
    game.frameBuffer[100 * 320 + 50] = 8;
    EXPECT_EQ(GetPixel(game.frameDc, 50, 139), RGB(128, 128, 128));
}

TEST_F(Surfaces, PaintCopiesTheComposePictureUnlessARunIsBeingPlayed)
{
    OpenMainWindow();
    DrainMessages();
    SetPixel(game.composeDc, 10, 10, RGB(0, 0, 255));
    game.frameBuffer[(239 - 10) * 320 + 10] = 10;  // green in the frame image
    const struct {
        LONG running;
        DWORD pauseStart;
        COLORREF shown;
    } cases[] = {{0, 0, RGB(0, 0, 255)}, {1, 0, RGB(0, 255, 0)}, {1, 12345, RGB(0, 0, 255)}};
    for (const auto& c : cases) {
        game.running = c.running;
        game.pauseStart = c.pauseStart;
        InvalidateRect(game.mainWindow, nullptr, FALSE);
        DrainMessages();
        EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 10, 10), c.shown) << c.running << " " << c.pauseStart;
    }
}

TEST_F(Surfaces, StandardModeRepaintsOnlyTheInvalidRectangle)
{
    OpenMainWindow();
    DrainMessages();
    SetPixel(game.composeDc, 5, 5, RGB(255, 0, 0));
    SetPixel(game.composeDc, 100, 100, RGB(255, 0, 0));
    RECT part = {0, 0, 50, 50};
    InvalidateRect(game.mainWindow, &part, FALSE);
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 100, 100), RGB(0, 0, 0)) << "outside the invalid part";
}

TEST_F(Surfaces, DestructionFreesEverySurfaceAndEndsTheLoop)
{
    int before = PlatformLiveGdiObjects();
    OpenMainWindow();
    EXPECT_GT(PlatformLiveGdiObjects(), before);
    game.running = 1;
    DestroyWindow(game.mainWindow);
    EXPECT_EQ(PlatformLiveGdiObjects(), before);
    EXPECT_EQ(game.running, 0);
    DrainMessages();
    EXPECT_TRUE(quitSeen);
    EXPECT_EQ(quitCode, 0u);
}

TEST_F(Surfaces, AWindowWithoutItsSurfacesIsRefusedAndLeavesNothingBehind)
{
    int before = PlatformLiveGdiObjects();
    PlatformSetGdiQuota(before + 4);  // room for the window DC and a few more
    ASSERT_NE(InitApplication(), 0);
    EXPECT_EQ(CreateMainWindow(), nullptr);
    EXPECT_EQ(PlatformLiveGdiObjects(), before) << "the half-made surfaces are freed";
    EXPECT_EQ(game.frameBuffer, nullptr);
}
