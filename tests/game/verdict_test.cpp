#include "game_fixture.h"

#include <set>
#include <utility>
#include <string.h>

#include "screen_text.h"
#include "screens/screens.h"

namespace {
LONG Width(HDC dc, const char* text, LONG height)
{
    LOGFONTA description = fontTemplate;
    description.lfHeight = height;
    HFONT font = CreateFontIndirectA(&description);
    HGDIOBJ kept = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    SelectObject(dc, kept);
    DeleteObject(font);
    return size.cx;
}
}  // namespace

class VerdictScreen : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        RestoreTextTablesOnce();
    }
};

TEST_F(VerdictScreen, TheRowIsChosenByStepsTimesSixteen)
{
    EXPECT_EQ(FindRank(0).threshold, 0u);
    EXPECT_EQ(FindRank(31).threshold, 0u);
    EXPECT_EQ(FindRank(32).threshold, 500u);
    EXPECT_EQ(FindRank(15000).threshold, 240000u);
    EXPECT_EQ(FindRank(0xFFFFFFFFu).threshold, FindRank(0x0FFFFFFFu).threshold)
        << "the product is taken modulo 2^32";
    EXPECT_EQ(&FindRank(5500), &rankTable[33]) << "88 seconds";
    DWORD previous = 0xFFFFFFFFu;
    for (const RankEntry& row : rankTable) {
        EXPECT_LT(row.threshold, previous);
        previous = row.threshold;
    }
    EXPECT_EQ(rankTable[kRankEntries - 1].threshold, 0u);
}

TEST_F(VerdictScreen, EveryMessageFitsWhereItIsDrawn)
{
    // The headline's bytes fill 320 pixels, at most 80 high.
    for (auto [length, height] : {std::pair<size_t, LONG>{4, 80}, {8, 80}, {9, 71}, {18, 35}})
        EXPECT_EQ(BigLineHeight(length), height) << length;
    std::set<int> used;
    HDC dc = game.composeDc;
    for (const RankEntry& row : rankTable) {
        for (BYTE index : {row.first, row.second, row.bigLine, row.bottomLine})
            if (index) {
                ASSERT_LT(index, kMessageSlots);
                ASSERT_NE(messageTable[index], nullptr);
                used.insert(index);
            }
        if (row.bigLine) {
            const char* big = messageTable[row.bigLine];
            EXPECT_LE(Width(dc, big, BigLineHeight(strlen(big))), 320) << row.threshold;
        }
        LONG topLeft = 4;
        if (row.first)
            topLeft += Width(dc, messageTable[row.first], 16);
        if (row.second)
            topLeft += Width(dc, messageTable[row.second], 16);
        EXPECT_LE(topLeft, 320) << row.threshold;
        if (row.bottomLine) {
            EXPECT_LE(Width(dc, messageTable[row.bottomLine], 16), 312) << row.threshold;
        }
    }
    EXPECT_EQ(used.size(), 117u) << "every message but 96 and 118, which no row shows";
}

TEST_F(VerdictScreen, TheFourTextsStandInTheirPlaces)
{
    game.frameCount = 15000;  // four minutes: the first row
    ShowVerdict();
    EXPECT_EQ(game.screen, Verdict);
    const RankEntry& row = rankTable[0];
    const char* big = messageTable[row.bigLine];
    ReferencePicture reference;
    reference.Draw(big, RECT{0, 20, 320, 200}, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
                   BigLineHeight(strlen(big)));
    reference.Draw(messageTable[row.bottomLine], RECT{0, 200, 312, 240}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE,
                   16);
    LONG w = Width(game.composeDc, messageTable[row.first], 16);
    reference.Draw(messageTable[row.first], RECT{4, 8, 320, 240}, DT_SINGLELINE, 16);
    reference.Draw(messageTable[row.second], RECT{4 + w, 8, 320, 240}, DT_SINGLELINE, 16);
    EXPECT_EQ(reference.Differences(game.composeDc, 0, 240), 0);

    // The 88-second row has no top-left line: that corner stays black.
    game.frameCount = 5500;
    ShowVerdict();
    EXPECT_EQ(ReferencePicture::InkRows(game.composeDc, 0, 24), 0);
}
