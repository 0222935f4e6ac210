// The window's surfaces, painting and screen modes, and one step's picture.
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game_fixture.h"

using Display = WindowTest;

TEST_F(Display, TheFrameImageIsBottomUpInTheSixteenColoursAndShownOnlyWhileARunIsPlayed)
{
    EXPECT_EQ(std::count(game.frameBuffer, game.frameBuffer + kFrameBytes, 0), kFrameBytes) << "made black";
    // The clear: whole 32-byte rounds, then 8-byte stores after them or alone, and nothing outside.
    for (size_t bytes : {76800, 76800 + 24, 8, 0}) {
        std::vector<BYTE> block(bytes + 16, 0xAB);
        MmxClear(block.data() + 8, bytes);
        EXPECT_TRUE(block[7] == 0xAB && block[8 + bytes] == 0xAB &&
                    std::count(block.begin(), block.end(), 0) == long(bytes))
            << bytes;
    }
    // Half brightness (bit 0 red, 1 green, 2 blue), full from 9; 7 light, 8 dark grey. Byte 0 is bottom left.
    const COLORREF palette[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                                  0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (int i = 0; i < 16; ++i) {
        game.frameBuffer[i] = game.frameBuffer[76480 + 319 - i] = static_cast<BYTE>(i);
        EXPECT_TRUE(GetPixel(game.frameDc, i, 239) == palette[i] && GetPixel(game.frameDc, 319 - i, 0) == palette[i])
            << "index " << i;
    }
    // A repaint shows the frame while a run is played, else the compose picture; only what is invalid.
    SetPixel(game.composeDc, 10, 10, RGB(0, 0, 255));
    SetPixel(game.composeDc, 100, 100, RGB(0, 0, 255));
    game.frameBuffer[(239 - 10) * 320 + 10] = 10;  // green in the frame image
    const int cases[][3] = {{0, 0, RGB(0, 0, 255)}, {1, 0, RGB(0, 255, 0)}, {1, 12345, RGB(0, 0, 255)}};
    for (const auto& c : cases) {
        game.running = c[0];
        game.pauseStart = c[1];
        const RECT part = {0, 0, 50, 50};
        InvalidateRect(game.mainWindow, &part, FALSE);
        DrainMessages();
        EXPECT_TRUE(PlatformReadWindowPixel(game.mainWindow, 10, 10) == COLORREF(c[2]) &&
                    PlatformReadWindowPixel(game.mainWindow, 100, 100) == 0)
            << c[0] << " " << c[1];
    }
}

using Surfaces = GameTest;

TEST_F(Surfaces, AWindowIsRefusedWithoutItsSurfacesAndFreesThemWhenDestroyed)
{
    const int before = PlatformLiveGdiObjects();
    PlatformSetGdiQuota(before + 4);  // room for the window DC and a few more
    ASSERT_NE(InitApplication(), 0);
    EXPECT_TRUE(CreateMainWindow() == nullptr && PlatformLiveGdiObjects() == before && game.frameBuffer == nullptr)
        << "the half-made surfaces are freed";
    PlatformSetGdiQuota(10000);
    ASSERT_NE(game.mainWindow = CreateMainWindow(), nullptr);
    game.running = 1;
    DestroyWindow(game.mainWindow);
    DrainMessages();
    EXPECT_TRUE(PlatformLiveGdiObjects() == before && game.running == 0 && quitCode == 0) << "and the loop ends";
}

TEST_F(Display, EachModeSetsTheSizeStyleAndCornerAndTheScreenSizeDialogChoosesOne)
{
    // Mode, screen size, then the client size and the strip's height (the standard mode leaves it).
    const int cases[][6] = {{1, 1024, 768, 640, 480, 32}, {2, 1024, 768, 1024, 768, 51},   {0, 1024, 768, 320, 240, 51},
                            {2, 800, 600, 800, 600, 40},  {2, 1920, 1080, 1920, 1080, 72}, {1, 800, 600, 640, 480, 32}};
    for (const auto& c : cases) {
        PlatformSetScreenSize(c[1], c[2]);
        ApplyScreenMode(c[0]);
        RECT window, client;
        GetWindowRect(game.mainWindow, &window);
        GetClientRect(game.mainWindow, &client);
        const LONG framed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        EXPECT_TRUE(game.screenMode == c[0] && client.right == c[3] && client.bottom == c[4] &&
                    game.stripHeight == c[5] && window.left == 0 && window.top == 0 &&
                    (c[0] != 2 || window.right == c[1]) &&
                    (GetWindowLongA(game.mainWindow, GWL_STYLE) & framed) == (c[0] == 2 ? 0 : framed))
            << c[0] << c[1];
    }
    // F12 on the title runs the screen-size dialog; the keys queued first answer it.
    auto press = [](UINT key, bool alt) {  // with Alt held around it when `alt`
        const UINT keys[] = {VK_MENU, key, key, VK_MENU};
        for (int i = alt ? 0 : 1; i < (alt ? 4 : 3); ++i)
            PlatformInjectKey(game.mainWindow, keys[i], i < 2, FALSE, nullptr);
    };
    RECT before, after, client;
    GetWindowRect(game.mainWindow, &before);
    press('V', true);
    press(VK_ESCAPE, false);
    Send(WM_KEYDOWN, VK_F12);
    GetWindowRect(game.mainWindow, &after);
    EXPECT_TRUE(game.screenMode == 1 && after.left == before.left && after.top == before.top &&
                IsWindowEnabled(game.mainWindow))
        << "Esc: nothing, and the owner is given back";
    // "640x480(&V)", "全画面(&F)", "標準サイズ(&N)"; with no mnemonic the current mode stays checked.
    for (auto [mnemonic, mode] : {std::pair<UINT, LONG>{'V', 1}, {0, 1}, {'F', 2}, {0, 2}, {'N', 0}}) {
        if (mnemonic)
            press(mnemonic, true);
        press(VK_RETURN, false);
        Send(WM_KEYDOWN, VK_F12);
        GetClientRect(game.mainWindow, &client);
        EXPECT_TRUE(game.screenMode == mode && client.right == (mode == 0 ? 320 : mode == 1 ? 640 : 800)) << mnemonic;
    }
}

class FrameStep : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        game.backgroundMode = 0;
        StartRun();
        game.bulletQuota = 0;  // no bullets: the craft and stars alone
    }
    // The strip's lines against `text` drawn at height 16 with `format`.
    static int StripDifferences(const char* text, UINT format)
    {
        ReferencePicture reference;
        reference.Draw(text, RECT{0, 0, 320, 16}, format | DT_SINGLELINE, 16);
        return reference.Differences(game.composeDc, 0, 16);
    }
};

TEST_F(FrameStep, TheCraftMovesAPixelAStepWithinTheFrameLeaningAsItTurns)
{
    // From x, y with keys (left, right, up, down) and stick (x, y), 3 steps: the end. The stick wins per axis.
    const LONG moves[][10] = {{100, 100, 0, 1, 1, 0, 0, 0, 103, 103},  {1, 1, -1, 0, 0, -1, 0, 0, 0, 0},
                              {303, 223, 0, 1, 1, 0, 0, 0, 304, 224},  {100, 100, -1, 1, 0, 0, 0, 0, 100, 100},
                              {100, 100, -1, 0, 1, 0, 1, 0, 103, 103}, {100, 100, 0, 0, 1, 0, 0, -1, 100, 97}};
    for (const auto& m : moves) {
        LONG* fields[] = {&game.playerX, &game.playerY, &game.keyLeft, &game.keyRight,
                          &game.keyUp,   &game.keyDown, &game.joyX,    &game.joyY};
        for (int i = 0; i < 8; ++i)
            *fields[i] = m[i];
        for (int i = 0; i < 3; ++i)
            GameStep();
        EXPECT_TRUE(game.playerX == m[8] && game.playerY == m[9]) << m[0] << "," << m[1] << " to " << game.playerX;
    }
    EXPECT_EQ(game.frameCount, 18u);
    game.joyY = game.keyLeft = game.keyRight = 0;
    game.pose = 2;
    game.poseHold = 0;
    // Row 2 of each pose, hard left to hard right: a held turn leans at once, hard five steps later.
    const char* row2[5] = {"....F9.99..9.F..", "..F9...999..9.F.", ".F.9..9999..9.F.", ".F.9..999...97..",
                           "..F.9..99.9F...."};
    for (auto [dx, poses] :
         {std::pair<LONG, const char*>{-1, "11111100"}, {0, "11111222"}, {1, "33333344"}, {-1, "33333211"}}) {
        game.joyX = dx;
        for (const char* pose = poses; *pose; ++pose) {
            GameStep();
            const std::string drawn = Indices(game.playerX, game.playerY + 2, 16, 1);
            ASSERT_TRUE(game.pose == DWORD(*pose - '0') && drawn == row2[game.pose])
                << "input " << dx << ", hold " << game.poseHold << ": " << drawn;
        }
    }
}

TEST_F(FrameStep, StarLayersScrollFourTwoAndOneLinesInTwelveStepsAndTheExplosionHasFifteenFrames)
{
    game.backgroundMode = 1;  // only the near layer shows; all three move
    for (int step = 0; step < 12; ++step) {
        GameStep();
        EXPECT_EQ(game.starLayers[NearStars].scrollOffset, 239 - step / 3) << step;
    }
    EXPECT_TRUE(game.starLayers[MiddleStars].scrollOffset == 238 && game.starLayers[FarStars].scrollOffset == 239);
    // A star whose base row plus offset is 240 lands on row 0.
    StarLayer &near = game.starLayers[NearStars], &far = game.starLayers[FarStars];
    near.x[0] = 10;
    near.y[0] = 4;
    near.colour[0] = 13;
    near.scrollOffset = 237;
    far.x[0] = 20;
    far.y[0] = 100;
    far.colour[0] = 11;
    far.scrollOffset = 0;
    game.scrollPhase = 3;  // the near layer moves this step
    GameStep();
    EXPECT_TRUE(At(10, 0) == 13 && At(20, 100) == 0);
    for (auto [mode, shown] : {std::pair<LONG, BYTE>{2, 11}, {0, 0}}) {
        game.backgroundMode = mode;
        GameStep();
        EXPECT_EQ(At(20, 100), shown) << "the far layer shows only with all three";
    }
    EXPECT_EQ(game.scrollPhase, 5u) << "no background, no scrolling";
    // Then the hit: fifteen explosion frames, then the run ends.
    game.hitPhase = 1;
    const unsigned presents = PlatformPresentCount(game.mainWindow);
    for (int frame = 1; frame <= 15; ++frame) {
        GameStep();
        DrainMessages();
        ASSERT_EQ(game.running, 1);
        // The pictures swell and fade: 6 5 6 5 4 3 4 3 2 1 2 1 0 1 0.
        const BYTE* picture = craftSprites.bytes + 256 * ("656543432121010"[frame - 1] - '0');
        for (int row = 0; row < 16; ++row)
            EXPECT_EQ(memcmp(&game.frameBuffer[(44 + row) * 320 + 152], picture + 16 * row, 16), 0) << frame;
    }
    EXPECT_TRUE(game.frameCount == 15u && PlatformPresentCount(game.mainWindow) - presents == 15u);  // no step counted
    GameStep();
    EXPECT_TRUE(game.running == 0 && game.screen == Result) << "the next step ends the run";
}

TEST_F(FrameStep, TheEventsNameStandsRightAndTheNearMissBannerLeftOredOverTheFrame)
{
    memset(game.frameBuffer + 224 * 320, 0, 16 * 320);  // the frame's top lines
    EXPECT_FALSE(ComposeTopStrip()) << "no event, no banner: nothing to compose";
    const char* names[12] = {"",       "精密射撃開始", "誘導弾投下",     "誘導弾投下", "誘導弾投下",   "誘導弾投下",
                             "高速弾", "低速弾",       "加速誘導弾投下", "暴走",       "上から来るぞ", "暴走"};
    for (game.eventKind = 1; game.eventKind <= 11; ++game.eventKind) {
        ASSERT_TRUE(ComposeTopStrip());
        EXPECT_EQ(StripDifferences(names[game.eventKind], DT_RIGHT), 0) << names[game.eventKind];
    }
    game.eventKind = NoEvent;
    std::string banner = "絶妙";
    for (DWORD marks = 1; marks <= 10; ++marks) {
        game.nearMissMarks = marks;
        game.nearMissBannerTimer = 100;
        ASSERT_TRUE(ComposeTopStrip());
        EXPECT_TRUE(game.nearMissBannerTimer == 99 && StripDifferences((banner += "!").c_str(), 0) == 0) << banner;
    }
    // Labels are ORed over the frame, and the strip is shown over it.
    memset(game.frameBuffer + 224 * 320, 12, 16 * 320);  // blue top lines
    SetPixel(game.composeDc, 5, 16, RGB(1, 2, 3));
    game.eventKind = FastEvent;
    game.nearMissMarks = 3;
    game.nearMissBannerTimer = 1;
    ASSERT_TRUE(ComposeTopStrip());
    // White ink over the blue frame; the rest shows the frame through; only the top 16 lines are made.
    const int blue = ReferencePicture::Count(game.composeDc, 0, 16, RGB(0, 0, 255));
    EXPECT_TRUE(blue + ReferencePicture::Count(game.composeDc, 0, 16) == 320 * 16 && blue > 2560 && blue < 5120 &&
                GetPixel(game.composeDc, 5, 16) == RGB(1, 2, 3) && game.nearMissBannerTimer == 0);
    // Shown: the top 16 lines from the compose picture, the rest from the frame; 51 in full screen.
    SetPixel(game.composeDc, 3, 15, RGB(255, 255, 0));
    SetPixel(game.composeDc, 3, 16, RGB(255, 255, 0));
    game.frameBuffer[(239 - 16) * 320 + 3] = 10;
    for (int mode : {0, 2}) {
        ApplyScreenMode(mode);
        DrainMessages();  // the resize's repaint comes first
        PresentImage(game.frameDc, game.composeDc);
        DrainMessages();
        const int x = mode ? 10 : 3, strip = mode ? 51 : 16;
        EXPECT_TRUE(PlatformReadWindowPixel(game.mainWindow, x, strip - 1) == RGB(255, 255, 0) &&
                    PlatformReadWindowPixel(game.mainWindow, x, strip) == RGB(0, 255, 0))
            << mode;
    }
}
