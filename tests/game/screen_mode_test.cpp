#include "game_fixture.h"

#include "display/display.h"

using ScreenMode = WindowTest;

TEST_F(ScreenMode, EachModeSetsClientSizeStyleAndCornerAndNoModeChangesNothing)
{
    const LONG framed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT made, window, client;
    GetWindowRect(game.mainWindow, &made);
    for (int mode : {-1, 3, -7})
        ApplyScreenMode(mode);
    GetWindowRect(game.mainWindow, &window);
    GetClientRect(game.mainWindow, &client);
    EXPECT_EQ(game.screenMode, 0);
    EXPECT_TRUE(window.left == made.left && window.top == made.top) << "where it was made";
    EXPECT_TRUE(client.right == 320 && client.bottom == 240);
    EXPECT_EQ(GetWindowLongA(game.mainWindow, GWL_STYLE) & framed, framed);

    const struct {
        int mode, screenWidth, screenHeight;
        LONG clientWidth, clientHeight, strip;
    } cases[] = {
        {1, 1024, 768, 640, 480, 32},     {2, 1024, 768, 1024, 768, 51}, {2, 800, 600, 800, 600, 40},
        {2, 1920, 1080, 1920, 1080, 72},  {0, 1024, 768, 320, 240, 72},  // the stretched sizes stay
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " on " << c.screenWidth << " x " << c.screenHeight);
        PlatformSetScreenSize(c.screenWidth, c.screenHeight);
        ApplyScreenMode(c.mode);
        GetWindowRect(game.mainWindow, &window);
        GetClientRect(game.mainWindow, &client);
        EXPECT_EQ(game.screenMode, c.mode);
        EXPECT_TRUE(client.right == c.clientWidth && client.bottom == c.clientHeight);
        EXPECT_TRUE(window.left == 0 && window.top == 0) << "at the screen's corner";
        EXPECT_EQ(GetWindowLongA(game.mainWindow, GWL_STYLE) & framed, c.mode == 2 ? 0 : framed);
        EXPECT_EQ(game.stripHeight, c.strip);
        EXPECT_TRUE(c.mode != 2 || (window.right == c.screenWidth && game.outputHeight == c.screenHeight))
            << "no border in full screen";
        EXPECT_TRUE(c.mode == 0 || GetStretchBltMode(game.windowDc) == COLORONCOLOR);
    }
}

TEST_F(ScreenMode, StretchedPictureRepeatsPixelsWithoutBlending)
{
    ApplyScreenMode(1);
    DrainMessages();
    game.running = 1;
    game.frameBuffer[(239 - 3) * 320 + 7] = 12;  // blue at (7, 3)
    PresentImage(game.frameDc);
    DrainMessages();
    for (int y = 6; y <= 7; ++y)
        for (int x = 14; x <= 15; ++x)
            EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, x, y), RGB(0, 0, 255)) << x << "," << y;
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 16, 6), RGB(0, 0, 0));
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 13, 6), RGB(0, 0, 0));
}
