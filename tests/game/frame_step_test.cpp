#include "game_fixture.h"

#include "display/display.h"
#include "game/game.h"
#include "screens/screens.h"

class FrameStep : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        game.backgroundMode = 0;
        StartRun();
        game.bulletQuota = 0;  // no bullets: the craft and stars alone
    }

    BYTE At(int x, int row) { return game.frameBuffer[row * 320 + x]; }
};

TEST_F(FrameStep, TheCraftIsDrawnUpwardFromItsRowAndClampedToTheField)
{
    GameStep();
    EXPECT_EQ(game.frameCount, 1u);
    EXPECT_EQ(At(152 + 1, 44 + 2), 15) << "row 2 of the level craft";
    EXPECT_EQ(At(152 + 8, 44 + 14), 7);
    EXPECT_EQ(At(152, 44), 0);

    game.playerX = 0;
    game.playerY = 223;
    game.keyLeft = -1;
    game.keyUp = 1;
    GameStep();
    GameStep();
    EXPECT_EQ(game.playerX, 0);
    EXPECT_EQ(game.playerY, 224);
    game.keyUp = 0;
    game.keyDown = -1;
    game.playerY = 0;
    GameStep();
    EXPECT_EQ(game.playerY, 0);
}

TEST_F(FrameStep, TheJoystickOverridesTheKeysAxisByAxis)
{
    game.keyLeft = -1;
    game.joyX = 1;
    game.keyUp = 1;
    GameStep();
    EXPECT_EQ(game.playerX, 153);
    EXPECT_EQ(game.playerY, 45) << "no vertical joystick: the keys act";
    game.joyX = 0;
    game.keyRight = 1;  // left and right together cancel
    GameStep();
    EXPECT_EQ(game.playerX, 153);
}

TEST_F(FrameStep, HoldingALeanAndLettingGo)
{
    game.keyLeft = -1;
    const DWORD holding[] = {1, 1, 1, 1, 1, 1, 0, 0};
    for (DWORD pose : holding) {
        GameStep();
        EXPECT_EQ(game.pose, pose) << "hold " << game.poseHold;
    }
    game.keyLeft = 0;
    const DWORD releasing[] = {1, 1, 1, 1, 1, 2};
    for (DWORD pose : releasing) {
        GameStep();
        EXPECT_EQ(game.pose, pose);
    }
    // A lean with the counter at 5 goes hard whatever the input.
    game.pose = 3;
    game.poseHold = 5;
    game.keyLeft = -1;
    GameStep();
    EXPECT_EQ(game.pose, 4u);
}

TEST_F(FrameStep, FifteenExplosionFramesThenTheRunEnds)
{
    game.hitPhase = 1;
    game.hitTime = game.startTime + 1;
    unsigned presents = PlatformPresentCount(game.mainWindow);
    for (int frame = 1; frame <= 15; ++frame) {
        GameStep();
        DrainMessages();
        ASSERT_EQ(game.running, 1);
        if (frame == 6) {
            // Frame 6 shows explosion picture 3, whose row 9 is "9119FB5B8BB19...".
            EXPECT_EQ(At(152 + 6, 44 + 9), 5);
            EXPECT_EQ(At(152 + 8, 44 + 9), 8);
        }
    }
    EXPECT_EQ(game.hitPhase, 16u);
    EXPECT_EQ(game.frameCount, 0u) << "the explosion does not count";
    EXPECT_EQ(PlatformPresentCount(game.mainWindow) - presents, 15u);
    GameStep();
    EXPECT_EQ(game.running, 0) << "the next step ends the run";
}

TEST_F(FrameStep, LayersScrollOnTheirScheduleAndWrap)
{
    game.backgroundMode = 1;  // only the near layer shows, all three move
    game.scrollPhase = 0;
    for (auto& layer : game.starLayers)
        layer.scrollOffset = 0;
    for (int step = 0; step < 12; ++step)
        GameStep();
    EXPECT_EQ(game.scrollPhase, 0u);
    EXPECT_EQ(game.starLayers[NearStars].scrollOffset, 236);
    EXPECT_EQ(game.starLayers[MiddleStars].scrollOffset, 238);
    EXPECT_EQ(game.starLayers[FarStars].scrollOffset, 239);

    // A star whose base row plus offset is 240 lands on row 0.
    StarLayer& near = game.starLayers[NearStars];
    near.x[0] = 10;
    near.y[0] = 4;
    near.colour[0] = 13;
    game.scrollPhase = 3;  // the near layer moves this step: 236 -> 235
    near.scrollOffset = 237;
    game.starLayers[FarStars].x[0] = 20;
    game.starLayers[FarStars].colour[0] = 11;
    GameStep();
    EXPECT_EQ(At(10, 0), 13);
    for (int row = 0; row < 240; ++row)
        ASSERT_NE(At(20, row), 11) << "the far layer is not plotted in mode 1";

    game.backgroundMode = 0;
    DWORD phase = game.scrollPhase;
    GameStep();
    EXPECT_EQ(game.scrollPhase, phase) << "no background, no scrolling";
}

TEST_F(FrameStep, AComposedStripComesFromTheComposePicture)
{
    SetPixel(game.composeDc, 3, 3, RGB(255, 255, 0));
    SetPixel(game.composeDc, 3, 20, RGB(255, 255, 0));
    game.frameBuffer[(239 - 3) * 320 + 3] = 12;
    game.frameBuffer[(239 - 20) * 320 + 3] = 12;
    PresentImage(game.frameDc, game.composeDc);
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 3, 3), RGB(255, 255, 0));
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 3, 20), RGB(0, 0, 255));

    ApplyScreenMode(2);  // 1024 x 768: the strip is 51 lines
    DrainMessages();     // the resize's repaint comes first
    PresentImage(game.frameDc, game.composeDc);
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 10, 10), RGB(255, 255, 0));
    // Frame row 20 lies 4 rows below the strip: 13 lines of 717 below line 51.
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 11, 64), RGB(0, 0, 255));
}
