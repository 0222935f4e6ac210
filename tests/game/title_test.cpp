#include "game_fixture.h"

#include "display/font_template.h"
#include "screens/title.h"

class TitleScreen : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        game.frameInterval = 16;
        game.backgroundMode = 2;
        game.bulletSetting = 1;
        game.boostPriority = 1;
        OpenMainWindow();
        DrainMessages();
    }

    // Rows of the compose picture between top and bottom holding white ink.
    int InkRows(int top, int bottom)
    {
        int rows = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 320; ++x)
                if (GetPixel(game.composeDc, x, y) == RGB(255, 255, 255)) {
                    ++rows;
                    break;
                }
        return rows;
    }
};

TEST_F(TitleScreen, DefaultsShowOnlyTheNameAndThePrompt)
{
    EXPECT_EQ(game.screen, Title);
    EXPECT_GT(InkRows(0, 120), 40) << "the name, 80 pixels high";
    EXPECT_EQ(InkRows(120, 200), 0) << "no setting lines";
    EXPECT_GT(InkRows(200, 220), 8) << "the prompt";
    EXPECT_EQ(fontTemplate.lfHeight, 20) << "the prompt font was made last";
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 0, 0), RGB(0, 0, 0));
}

TEST_F(TitleScreen, ChangedSettingsTakeOneLineEachFromTheTop)
{
    game.backgroundMode = 1;
    game.frameInterval = 24;
    ShowTitle();
    EXPECT_GT(InkRows(120, 140), 5) << "簡易背景";
    EXPECT_GT(InkRows(140, 160), 5) << "まったりできる40フレーム/秒";
    EXPECT_EQ(InkRows(160, 200), 0);

    // A fixed event without a name keeps its place empty.
    game.backgroundMode = 2;
    game.frameInterval = 16;
    game.bulletSetting = 0;
    game.fixedEvent = 1;
    game.eventKind = 3;
    game.boostPriority = 0;
    ShowTitle();
    EXPECT_GT(InkRows(120, 140), 5);
    EXPECT_GT(InkRows(140, 160), 5);
    EXPECT_EQ(InkRows(160, 200), 0);
}

TEST_F(TitleScreen, FiveLinesReachThePromptsPlace)
{
    game.bulletSetting = 0;
    game.backgroundMode = 0;
    game.boostPriority = 0;
    game.frameInterval = 0;
    game.fixedEvent = 1;
    game.eventKind = 9;
    ShowTitle();
    for (int top = 120; top <= 180; top += 20)
        EXPECT_GT(InkRows(top, top + 14), 5) << "a line at " << top;
    EXPECT_GT(InkRows(200, 220), 8) << "the fifth line and the prompt over it";
}

TEST_F(TitleScreen, RedrawingManyTimesUsesUpNoFonts)
{
    int live = PlatformLiveGdiObjects();
    for (int i = 0; i < 200; ++i)
        ShowTitle();
    EXPECT_EQ(PlatformLiveGdiObjects(), live);
    EXPECT_EQ(game.running, 0);
}
