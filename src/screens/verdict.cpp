// The verdict screen: a headline, a remark and a two-piece title chosen
// by how many steps the craft survived.
#include "screens/verdict.h"

#include <string.h>

#include "app/game_context.h"
#include "app/system_text.h"
#include "app/text_tables.h"
#include "display/font_template.h"
#include "display/surfaces.h"

// Thresholds read as milliseconds of play at the standard 16 ms step:
// frameCount x 16. The first row whose threshold is reached applies.
const RankEntry rankTable[kRankEntries] = {
    {240000, 1, 77, 35, 86},
    {230000, 2, 77, 35, 86},
    {228000, 2, 77, 36, 86},
    {225000, 3, 77, 37, 86},
    {220000, 4, 77, 37, 86},
    {215000, 13, 80, 90, 81},
    {210000, 4, 77, 38, 86},
    {205000, 4, 77, 39, 86},
    {200000, 5, 77, 40, 84},
    {195000, 6, 77, 40, 84},
    {190000, 6, 77, 41, 84},
    {185000, 7, 77, 42, 84},
    {180000, 8, 25, 42, 87},
    {175000, 9, 25, 43, 86},
    {170000, 10, 77, 44, 84},
    {165000, 11, 77, 45, 84},
    {160000, 11, 77, 46, 84},
    {155000, 12, 80, 47, 84},
    {150000, 12, 80, 48, 81},
    {145000, 12, 80, 49, 81},
    {140000, 13, 80, 49, 81},
    {135000, 113, 0, 100, 112},
    {130000, 113, 0, 105, 112},
    {125000, 14, 80, 50, 81},
    {120000, 20, 80, 50, 81},
    {115000, 113, 0, 50, 112},
    {110000, 15, 80, 51, 81},
    {105000, 16, 80, 52, 84},
    {103000, 17, 80, 53, 84},
    {100000, 13, 80, 54, 88},
    {98000, 22, 80, 54, 88},
    {95000, 18, 80, 54, 88},
    {92000, 19, 80, 54, 88},
    {88000, 0, 0, 115, 116},
    {84000, 20, 77, 55, 85},
    {80000, 21, 80, 56, 81},
    {77000, 22, 80, 57, 81},
    {72000, 22, 80, 58, 81},
    {66000, 23, 80, 60, 81},
    {63000, 24, 80, 60, 81},
    {60000, 23, 80, 59, 81},
    {56000, 25, 80, 61, 81},
    {53000, 89, 77, 62, 81},
    {50000, 26, 77, 63, 83},
    {46000, 27, 79, 64, 82},
    {43000, 20, 80, 101, 81},
    {40000, 8, 97, 98, 95},
    {35000, 92, 97, 94, 95},
    {33000, 92, 97, 93, 95},
    {30000, 13, 77, 99, 81},
    {28000, 110, 77, 99, 81},
    {27000, 117, 0, 114, 0},
    {25000, 28, 77, 65, 81},
    {24000, 28, 77, 66, 81},
    {23000, 29, 77, 67, 81},
    {22000, 29, 77, 68, 81},
    {20000, 108, 0, 107, 0},
    {19000, 109, 0, 107, 0},
    {18000, 108, 109, 107, 0},
    {16000, 0, 0, 106, 0},
    {15000, 102, 0, 103, 0},
    {14000, 102, 0, 104, 0},
    {13000, 30, 77, 69, 81},
    {12000, 30, 77, 70, 81},
    {11000, 31, 77, 71, 81},
    {10000, 31, 77, 72, 81},
    {8000, 32, 77, 73, 81},
    {6000, 32, 77, 74, 81},
    {4000, 34, 77, 111, 81},
    {2000, 33, 78, 75, 81},
    {1800, 0, 0, 119, 0},
    {1500, 33, 78, 76, 81},
    {500, 91, 0, 92, 0},
    {0, 33, 78, 76, 81},
};

namespace {
constexpr UINT kBigFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBottomFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

HFONT MakeFont(LONG height)
{
    fontTemplate.lfHeight = height;
    return CreateFontIndirectA(&fontTemplate);
}

// Indexes outside the table mean no text.
const char* Message(BYTE index)
{
    return index < kMessageSlots ? messageTable[index] : nullptr;
}
}  // namespace

const RankEntry& FindRank(DWORD frameCount)
{
    DWORD reached = frameCount * 16;
    int i = 0;
    while (i < kRankEntries - 1 && rankTable[i].threshold > reached)
        ++i;
    return rankTable[i];
}

LONG BigLineHeight(size_t length)
{
    if (length == 0)
        return 80;
    LONG height = static_cast<LONG>(640 / length);
    return height >= 80 ? 80 : height;
}

void ShowVerdict()
{
    const RankEntry& rank = FindRank(game.frameCount);
    const char* first = Message(rank.first);
    const char* second = Message(rank.second);
    const char* big = Message(rank.bigLine);
    const char* bottom = Message(rank.bottomLine);
    HDC dc = game.composeDc;
    PatBlt(dc, 0, 0, kPictureWidth, kPictureHeight, BLACKNESS);
    HFONT verdictFont = MakeFont(16);
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);

    // The headline is sized so its characters fill the 320-pixel width.
    HFONT bigFont = nullptr;
    HGDIOBJ keptFont;
    if (big) {
        int length = static_cast<int>(strlen(big));
        bigFont = MakeFont(BigLineHeight(length));
        keptFont = SelectObject(dc, bigFont);
        RECT box = {0, 20, kPictureWidth, 200};
        DrawTextA(dc, big, length, &box, kBigFormat);
        SelectObject(dc, verdictFont);
    } else {
        keptFont = SelectObject(dc, verdictFont);
    }
    if (bottom) {
        RECT box = {0, 200, 312, kPictureHeight};
        DrawTextA(dc, bottom, -1, &box, kBottomFormat);
    }
    LONG x = 4;
    if (first) {
        int length = static_cast<int>(strlen(first));
        SIZE size;
        GetTextExtentPoint32A(dc, first, length, &size);
        TextOutA(dc, 4, 8, first, length);
        x += size.cx;
    }
    if (second)
        TextOutA(dc, x, 8, second, static_cast<int>(strlen(second)));

    SelectObject(dc, keptFont);
    PresentImage(dc);
    if (bigFont)
        DeleteObject(bigFont);
    DeleteObject(verdictFont);
    game.screen = Verdict;
    game.running = 0;
}
