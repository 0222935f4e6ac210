#include "game_fixture.h"

#include "screen_text.h"
#include "screens/screens.h"

class ResultScreen : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        PatBlt(game.composeDc, 0, 0, 320, 240, BLACKNESS);
        game.activeBullets = 63;
    }

    static constexpr UINT kLine = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
    static constexpr UINT kBottom = DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX;

    // The line must stand at `top` exactly as the rule draws it.
    void ExpectLine(const char* text, int top, UINT format = kLine)
    {
        ReferencePicture reference;
        reference.Draw(text, RECT{0, top, 320, 240}, format, 16);
        int from = format == kBottom ? 220 : top;
        EXPECT_EQ(reference.Differences(game.composeDc, from, from + 20), 0) << text << " at " << top;
    }
};

TEST_F(ResultScreen, TheActiveTimeLineAppearsOnlyWhenItDiffers)
{
    game.frameInterval = 16;
    game.frameCount = 771;  // 12,336 ms of paced steps
    ShowResult(12345);
    EXPECT_EQ(game.screen, Result);
    EXPECT_EQ(game.running, 0);
    EXPECT_GT(ReferencePicture::InkRows(game.composeDc, 0, 120), 40) << "失格";
    ExpectLine("生存時間 12.345秒", 120);
    ExpectLine("活動時間 12.336秒", 144);
    ExpectLine("弾数 63発", 168);
    EXPECT_EQ(ReferencePicture::InkRows(game.composeDc, 192, 240), 0) << "nothing on the bottom edge";

    PatBlt(game.composeDc, 0, 0, 320, 240, BLACKNESS);
    game.nearMissScore = 57;
    ShowResult(12336);
    ExpectLine("生存時間 12.336秒", 120);
    ExpectLine("弾数 63発", 144);
    ExpectLine("絶妙度 57%", 168);
}

TEST_F(ResultScreen, FullSpeedShowsTheMeasuredRateOnTheBottomEdge)
{
    game.frameInterval = 0;
    game.frameCount = 4500;
    ShowResult(7000);
    ExpectLine("生存時間 7.000秒", 120);
    ExpectLine("活動時間 4.500秒", 144);
    ExpectLine("642.857fps", 168, kBottom);

    PatBlt(game.composeDc, 0, 0, 320, 240, BLACKNESS);
    game.frameCount = 0;
    ShowResult(0);
    ExpectLine("生存時間 0.000秒", 120);
    ExpectLine("計測不能", 144, kBottom);

    PatBlt(game.composeDc, 0, 0, 320, 240, BLACKNESS);
    game.frameInterval = 16;
    game.frameCount = 0;
    ShowResult(5);
    ExpectLine("生存時間 0.005秒", 120);
}

TEST_F(ResultScreen, TheFiguresStandOverTheLastFrame)
{
    SetPixel(game.composeDc, 2, 2, RGB(0, 0, 255));
    game.frameInterval = 16;
    ShowResult(1000);
    EXPECT_EQ(GetPixel(game.composeDc, 2, 2), RGB(0, 0, 255));
    DrainMessages();
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 2, 2), RGB(0, 0, 255));
}
