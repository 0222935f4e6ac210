#include "game_fixture.h"

#include "display/surfaces.h"

namespace {
struct Geometry {
    RECT window;
    RECT client;
    LONG style;
};

Geometry Measure()
{
    Geometry g;
    GetWindowRect(game.mainWindow, &g.window);
    GetClientRect(game.mainWindow, &g.client);
    g.style = GetWindowLongA(game.mainWindow, GWL_STYLE);
    return g;
}
}  // namespace

using ScreenMode = GameTest;

TEST_F(ScreenMode, WindowStartsWithAFramed320By240ClientArea)
{
    OpenMainWindow();
    Geometry g = Measure();
    EXPECT_EQ(g.client.right, 320);
    EXPECT_EQ(g.client.bottom, 240);
    EXPECT_EQ(g.style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
}

TEST_F(ScreenMode, EachModeSetsClientSizeStyleAndCorner)
{
    OpenMainWindow();
    ApplyScreenMode(1);
    Geometry g = Measure();
    EXPECT_EQ(game.screenMode, 1);
    EXPECT_EQ(g.client.right, 640);
    EXPECT_EQ(g.client.bottom, 480);
    EXPECT_EQ(g.window.left, 0);
    EXPECT_EQ(g.window.top, 0);
    EXPECT_EQ(game.stripHeight, 32);
    EXPECT_EQ(GetStretchBltMode(game.windowDc), COLORONCOLOR);

    ApplyScreenMode(2);
    g = Measure();
    EXPECT_EQ(g.client.right, 1024);
    EXPECT_EQ(g.client.bottom, 768);
    EXPECT_EQ(g.window.left, 0);
    EXPECT_EQ(g.window.top, 0);
    EXPECT_EQ(g.window.right, 1024) << "no border in full screen";
    EXPECT_EQ(g.style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX), 0);
    EXPECT_EQ(game.stripHeight, 51);

    // Back to standard: framed again at the corner; the stretched sizes stay.
    ApplyScreenMode(0);
    g = Measure();
    EXPECT_EQ(g.client.right, 320);
    EXPECT_EQ(g.client.bottom, 240);
    EXPECT_EQ(g.window.left, 0);
    EXPECT_EQ(g.window.top, 0);
    EXPECT_NE(g.style & WS_CAPTION, 0);
    EXPECT_EQ(game.outputWidth, 1024);
    EXPECT_EQ(game.stripHeight, 51);
}

TEST_F(ScreenMode, StripHeightFollowsTheScreenHeight)
{
    OpenMainWindow();
    const struct {
        int width, height, strip;
    } screens[] = {{1024, 768, 51}, {800, 600, 40}, {640, 480, 32}, {1920, 1080, 72}};
    for (const auto& s : screens) {
        PlatformSetScreenSize(s.width, s.height);
        ApplyScreenMode(2);
        EXPECT_EQ(game.stripHeight, s.strip) << s.height;
        EXPECT_EQ(game.outputWidth, s.width);
        EXPECT_EQ(game.outputHeight, s.height);
    }
}

TEST_F(ScreenMode, NoChangeLeavesTheWindowWhereItIs)
{
    OpenMainWindow();
    Geometry before = Measure();
    ApplyScreenMode(-1);
    ApplyScreenMode(3);
    ApplyScreenMode(-7);
    Geometry after = Measure();
    EXPECT_EQ(game.screenMode, 0);
    EXPECT_EQ(after.window.left, before.window.left);
    EXPECT_EQ(after.window.top, before.window.top);
    EXPECT_EQ(after.client.right, 320);
}

TEST_F(ScreenMode, StretchedPictureRepeatsPixelsWithoutBlending)
{
    OpenMainWindow();
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
