#include "game_fixture.h"

#include <vector>

#include "screen_text.h"
#include "screens/screens.h"

class TitleScreen : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        game.boostPriority = 1;  // the start settings
        OpenMainWindow();
        DrainMessages();
    }

    // The title must hold, pixel for pixel, the name, `lines` one under
    // another from row 120, and the prompt, as the rule draws them.
    void ExpectTitle(const std::vector<const char*>& lines)
    {
        const UINT line = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
        ReferencePicture reference;
        reference.Draw("避練", RECT{0, 0, 320, 120}, line | DT_VCENTER, 80);
        for (size_t i = 0; i < lines.size(); ++i)
            reference.Draw(lines[i], RECT{0, 120 + 20 * static_cast<LONG>(i), 320, 240}, line, 14);
        // A fifth line lies under the prompt, which is drawn over it opaque.
        const int bottom = lines.size() < 5 ? 240 : 200;
        if (lines.size() < 5)
            reference.Draw("Enterで避練開始", RECT{0, 200, 320, 240}, line, 20);
        EXPECT_EQ(reference.Differences(game.composeDc, 0, bottom), 0) << lines.size() << " lines";
        EXPECT_EQ(game.screen, Title);
        EXPECT_EQ(game.running, 0);
    }
};

TEST_F(TitleScreen, ChangedSettingsTakeOneLineEachFromTheTop)
{
    ExpectTitle({});  // the start settings: no setting line
    EXPECT_EQ(PlatformReadWindowPixel(game.mainWindow, 0, 0), RGB(0, 0, 0)) << "shown in the window";
    const struct {
        LONG bullets, background, boost;
        DWORD interval;
        LONG fixed, event;
        std::vector<const char*> lines;
    } cases[] = {
        {1, 1, 1, 24, 0, 9, {"簡易背景", "まったりできる40フレーム/秒"}},  // an event not fixed: no line
        {0, 2, 0, 16, 1, 3, {"臆病者向け 30発", "他のプロセスと協調する", ""}},  // a nameless event keeps its place
        {3, 2, 1, 12, 1, 10, {"怒濤の 200発", "なんとなく80フレーム/秒", "上から来るぞ気をつけろ"}},
        {2, 0, 0, 0, 1, 9, {"大盛り 100発", "背景省略", "他のプロセスと協調する", "勢い余って全速力", "まったり"}},
    };
    for (const auto& c : cases) {
        game.bulletSetting = c.bullets;
        game.backgroundMode = c.background;
        game.boostPriority = c.boost;
        game.frameInterval = c.interval;
        game.fixedEvent = c.fixed;
        game.eventKind = c.event;
        ShowTitle();
        ExpectTitle(c.lines);
    }
}

TEST_F(TitleScreen, RedrawingManyTimesUsesUpNoFonts)
{
    int live = PlatformLiveGdiObjects();
    for (int i = 0; i < 200; ++i)
        ShowTitle();
    EXPECT_EQ(PlatformLiveGdiObjects(), live);
}
