#include "game_fixture.h"

#include "display/font_template.h"
#include "display/palette.h"
#include "display/surfaces.h"

namespace {
COLORREF Colour(const RGBQUAD& q)
{
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}
}  // namespace

TEST(BasePalette, FollowsTheHalfAndFullBrightnessRuleWithTwoGreys)
{
    const COLORREF expected[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
    };
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(Colour(basePalette[i]), expected[i]) << "index " << i;
        EXPECT_EQ(basePalette[i].rgbReserved, 0);
    }
}

TEST(FontTemplate, DescribesTheMinchoFaceInShiftJis)
{
    EXPECT_EQ(fontTemplate.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(fontTemplate.lfOutPrecision, OUT_DEVICE_PRECIS);
    EXPECT_EQ(fontTemplate.lfQuality, DRAFT_QUALITY);
    EXPECT_STREQ(fontTemplate.lfFaceName, "\x82\x6c\x82\x72\x20\x96\xbe\x92\xa9");  // ＭＳ 明朝
}

using Surfaces = GameTest;

TEST_F(Surfaces, FrameImageIsBottomUpWithThePaletteInItsDc)
{
    OpenMainWindow();
    ASSERT_NE(game.frameBuffer, nullptr);
    EXPECT_EQ(fontTemplate.lfHeight, 20) << "the title made its prompt font last";
    for (int i = 0; i < kFrameBytes; ++i)
        ASSERT_EQ(game.frameBuffer[i], 0) << "the new frame image is black";

    // Device (0, 0), the top-left on screen, is byte 76,480; byte 0 is the
    // bottom-left pixel.
    game.frameBuffer[76480] = 15;
    game.frameBuffer[0] = 9;
    game.frameBuffer[239 * 320 + 319] = 7;
    EXPECT_EQ(GetPixel(game.frameDc, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(game.frameDc, 0, 239), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(game.frameDc, 319, 0), RGB(192, 192, 192));
    game.frameBuffer[100 * 320 + 50] = 8;
    EXPECT_EQ(GetPixel(game.frameDc, 50, 139), RGB(128, 128, 128));
}

TEST_F(Surfaces, PaintCopiesTheComposePictureUnlessARunIsBeingPlayed)
{
    OpenMainWindow();
    DrainMessages();
    SetPixel(game.composeDc, 10, 10, RGB(0, 0, 255));
    game.frameBuffer[(239 - 10) * 320 + 10] = 10;  // green in the frame image

    InvalidateRect(game.mainWindow, nullptr, FALSE);
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 10, 10), RGB(0, 0, 255)) << "title: compose picture";

    game.running = 1;
    InvalidateRect(game.mainWindow, nullptr, FALSE);
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 10, 10), RGB(0, 255, 0)) << "playing: frame image";

    game.pauseStart = 12345;
    InvalidateRect(game.mainWindow, nullptr, FALSE);
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 10, 10), RGB(0, 0, 255)) << "paused: compose picture";
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
