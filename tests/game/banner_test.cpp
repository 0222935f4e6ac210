#include <algorithm>

#include "display/display.h"
#include "game/game.h"
#include "game_fixture.h"

class Banner : public WindowTest {
protected:
    // Fills the frame's top 16 lines (buffer rows 224..239) with one index.
    void PaintFrameTop(BYTE index) { memset(game.frameBuffer + 224 * 320, index, 16 * 320); }

    // Columns of the composed top lines that differ from black.
    std::pair<int, int> InkSpan()
    {
        int left = 320, right = -1;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 320; ++x)
                if (GetPixel(game.composeDc, x, y) != RGB(0, 0, 0)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return {left, right};
    }
};

TEST_F(Banner, TheEventsLabelIsRightAligned)
{
    PaintFrameTop(0);
    const int labelOf[12] = {0,         PreciseLabel, HomingLabel,        HomingLabel,  HomingLabel,    HomingLabel,
                             FastLabel, SlowLabel,    BoostedHomingLabel, RampageLabel, FromAboveLabel, RampageLabel};
    EXPECT_FALSE(ComposeTopStrip()) << "no event, no banner: nothing to compose";
    for (LONG event = 1; event <= 11; ++event) {
        SCOPED_TRACE(event);
        game.eventKind = event;
        ASSERT_TRUE(ComposeTopStrip());
        LONG width = game.bannerLabels[labelOf[event]].width;
        auto [left, right] = InkSpan();
        EXPECT_GE(left, 320 - width);
        EXPECT_LT(left, 320 - width + 16) << "its first character starts at its left";
        EXPECT_LT(right, 320);
    }
}

TEST_F(Banner, TheNearMissBannerShowsItsMarks)
{
    PaintFrameTop(0);
    const LONG word = game.bannerLabels[NearMissLabel].width;
    for (LONG marks = 1; marks <= 10; ++marks) {
        SCOPED_TRACE(marks);
        game.nearMissMarks = static_cast<DWORD>(marks);
        game.nearMissBannerTimer = 100;
        ASSERT_TRUE(ComposeTopStrip());
        EXPECT_EQ(game.nearMissBannerTimer, 99);
        auto [left, right] = InkSpan();
        EXPECT_LT(left, 16);
        EXPECT_GE(right, word + (marks - 1) * game.markWidth) << "the last mark shows";
        EXPECT_LT(right, word + marks * game.markWidth) << "and no more";
    }
}

TEST_F(Banner, LabelsAreOredOverTheFrame)
{
    PaintFrameTop(12);
    const COLORREF frame = GetPixel(game.frameDc, 0, 0);
    SetPixel(game.composeDc, 5, 16, RGB(1, 2, 3));
    game.eventKind = 6;
    game.nearMissMarks = 3;
    game.nearMissBannerTimer = 1;
    ASSERT_TRUE(ComposeTopStrip());
    EXPECT_EQ(game.nearMissBannerTimer, 0);
    int kept = 0;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 320; ++x) {
            COLORREF p = GetPixel(game.composeDc, x, y);
            ASSERT_EQ(p & frame, frame) << x << "," << y << ": the frame shows through";
            kept += p == frame;
        }
    }
    EXPECT_GT(kept, 320 * 16 / 2);
    EXPECT_LT(kept, 320 * 16) << "some ink";
    EXPECT_EQ(GetPixel(game.composeDc, 5, 16), RGB(1, 2, 3)) << "only the top 16 lines are made";
}
