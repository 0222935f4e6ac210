// The verdict screen: a headline, a remark and a two-piece title chosen
// by how many steps the craft survived.
#include <string.h>

#include "core/game_context.h"
#include "core/system_text.h"
#include "display/display.h"
#include "screens/screens.h"

namespace {
// A run of messages for the table: checked and complemented at compile
// time; more messages than the slots can hold does not compile.
#define STORED_MESSAGE_RUN(name, run)                                           \
    static_assert(CountMessages(run) <= static_cast<size_t>(kMessageSlots - 1), \
                  "the verdict table holds at most 119 messages");              \
    static_assert(HoldsNoFF(run), "a stored text may not hold the byte 0xFF");  \
    StoredText<sizeof(run)> name = Complemented(run)

// The messages, one after another, closed by an empty string. The comments
// give each message's number (its slot) and where it is shown. The
// top-left line is two pieces read together ("伝説の" + "新人"); the big
// line is the headline; the bottom line is a short remark.
STORED_MESSAGE_RUN(messages,
                   // 1..34: first pieces of the top-left line, from the top of the table
                   "避練の頂点\0"    // 1
                   "伝説の弾避け\0"  // 2
                   "超人\0"          // 3
                   "鉄人\0"          // 4
                   "達人中の達人\0"  // 5
                   "無敵の人\0"      // 6
                   "弾幕の主\0"      // 7
                   "伝説の\0"        // 8: "伝説の弾避け師範", "伝説の新人"
                   "真の\0"          // 9
                   "弾避けの達人\0"  // 10
                   "避練上級者\0"    // 11
                   "見切りの名手\0"  // 12
                   "努力家\0"        // 13
                   "上級者候補\0"    // 14
                   "腕自慢\0"        // 15
                   "中の上\0"        // 16
                   "なかなかの者\0"  // 17
                   "中級者の鑑\0"    // 18
                   "中級者\0"        // 19
                   "期待の星\0"      // 20
                   "平均以上\0"      // 21
                   "普通の人\0"      // 22
                   "一般人\0"        // 23
                   "そこそこの人\0"  // 24
                   "弾避け師範\0"    // 25: also a second piece after 8 and 9
                   "見習い\0"        // 26
                   "駆け出し\0"      // 27
                   "入門者\0"        // 28
                   "初心者\0"        // 29
                   "へなちょこ\0"    // 30
                   "ひよこ\0"        // 31
                   "たまご\0"        // 32
                   "赤ちゃん\0"      // 33
                   "ネタ枠\0"        // 34
                   // 35..76: the big lines, grandest first
                   "避練神\0"          // 35
                   "弾幕仙人\0"        // 36
                   "弾避けの鬼\0"      // 37
                   "鉄壁\0"            // 38
                   "難攻不落\0"        // 39
                   "無我の境地\0"      // 40
                   "明鏡止水\0"        // 41
                   "紙一重の美学\0"    // 42
                   "不死身\0"          // 43
                   "百戦錬磨\0"        // 44
                   "神業\0"            // 45
                   "達人\0"            // 46
                   "名人芸\0"          // 47
                   "見切り上手\0"      // 48
                   "お見事\0"          // 49
                   "上級者\0"          // 50
                   "手練れ\0"          // 51
                   "腕利き\0"          // 52
                   "一人前\0"          // 53
                   "なかなかの腕前\0"  // 54
                   "中級者\0"          // 55
                   "そこそこ\0"        // 56
                   "まずまず\0"        // 57
                   "人並み\0"          // 58
                   "一分の壁突破\0"    // 59
                   "安定感あり\0"      // 60
                   "あと少しで一分\0"  // 61
                   "発展途上\0"        // 62
                   "修行中\0"          // 63
                   "駆け出し\0"        // 64
                   "見習い\0"          // 65
                   "入門者\0"          // 66
                   "初心者\0"          // 67
                   "ど素人\0"          // 68
                   "へっぽこ\0"        // 69
                   "よちよち\0"        // 70
                   "ひよっこ\0"        // 71
                   "十秒の壁\0"        // 72
                   "たまご\0"          // 73
                   "いい的\0"          // 74
                   "即死\0"            // 75
                   "瞬殺\0"            // 76
                   // 77..80: second pieces
                   "と認定\0"        // 77
                   "からやり直し\0"  // 78
                   "…たぶん\0"       // 79
                   "の称号を授与\0"  // 80
                   // 81..88: bottom-right remarks
                   "精進あるのみ\0"    // 81
                   "焦らずいこう\0"    // 82
                   "伸びしろあり\0"    // 83
                   "恐れ入りました\0"  // 84
                   "いい調子\0"        // 85
                   "参りました\0"      // 86
                   "拍手喝采\0"        // 87
                   "百秒の攻防\0"      // 88
                   // 89..119: the little jokes of the odd rows
                   "発展途上人\0"          // 89: first piece at 53 s
                   "油断大敵\0"            // 90: big line of the breather at 215 s
                   "ある意味\0"            // 91: half a second: "ある意味" ...
                   "大物\0"                // 92: ... "大物"; also "大物" + "新人"
                   "壁の手前\0"            // 93: the 35-second wall
                   "三十五秒の壁\0"        // 94
                   "壁は厚い\0"            // 95
                   "(欠番)\0"              // 96: shown by no row
                   "新人\0"                // 97
                   "壁を越えた\0"          // 98
                   "三十秒の壁\0"          // 99
                   "大吉\0"                // 100: the fortune slip rows (113)
                   "もう一息\0"            // 101
                   "計測結果\0"            // 102: the stopwatch rows
                   "ぴったり十五秒\0"      // 103
                   "十四秒台\0"            // 104
                   "中吉\0"                // 105
                   "可もなく不可もなく\0"  // 106
                   "判定保留\0"            // 107: luck or skill?
                   "まぐれか\0"            // 108
                   "実力か\0"              // 109
                   "あと一歩の人\0"        // 110
                   "出オチ\0"              // 111
                   "また引いてね\0"        // 112
                   "おみくじ\0"            // 113
                   "あと三秒\0"            // 114: 27 s, three short of the wall
                   "末広がり\0"            // 115: 88 s, a lucky number
                   "縁起がいいね\0"        // 116
                   "惜しい!\0"             // 117
                   "隠しメッセージ発見\0"  // 118: shown by no row
                   "まばたき厳禁\0"        // 119: 1.8 s
);
}  // namespace

const char* messageTable[kMessageSlots];

void BuildMessageTable(char* run, const char** slots, int slotCount)
{
    slots[0] = nullptr;
    int slot = 1;
    while (*run != 0 && slot < slotCount) {
        slots[slot++] = run;
        run += ComplementText(run);
    }
    while (slot < slotCount)
        slots[slot++] = nullptr;
}

void RestoreVerdictMessages()
{
    BuildMessageTable(messages.bytes, messageTable, kMessageSlots);
}

// Thresholds read as milliseconds of play at the standard 16 ms step:
// frameCount x 16. The first row whose threshold is reached applies.
const RankEntry rankTable[kRankEntries] = {
    {240000, 1, 77, 35, 86},  {230000, 2, 77, 35, 86},    {228000, 2, 77, 36, 86},    {225000, 3, 77, 37, 86},
    {220000, 4, 77, 37, 86},  {215000, 13, 80, 90, 81},   {210000, 4, 77, 38, 86},    {205000, 4, 77, 39, 86},
    {200000, 5, 77, 40, 84},  {195000, 6, 77, 40, 84},    {190000, 6, 77, 41, 84},    {185000, 7, 77, 42, 84},
    {180000, 8, 25, 42, 87},  {175000, 9, 25, 43, 86},    {170000, 10, 77, 44, 84},   {165000, 11, 77, 45, 84},
    {160000, 11, 77, 46, 84}, {155000, 12, 80, 47, 84},   {150000, 12, 80, 48, 81},   {145000, 12, 80, 49, 81},
    {140000, 13, 80, 49, 81}, {135000, 113, 0, 100, 112}, {130000, 113, 0, 105, 112}, {125000, 14, 80, 50, 81},
    {120000, 20, 80, 50, 81}, {115000, 113, 0, 50, 112},  {110000, 15, 80, 51, 81},   {105000, 16, 80, 52, 84},
    {103000, 17, 80, 53, 84}, {100000, 13, 80, 54, 88},   {98000, 22, 80, 54, 88},    {95000, 18, 80, 54, 88},
    {92000, 19, 80, 54, 88},  {88000, 0, 0, 115, 116},    {84000, 20, 77, 55, 85},    {80000, 21, 80, 56, 81},
    {77000, 22, 80, 57, 81},  {72000, 22, 80, 58, 81},    {66000, 23, 80, 60, 81},    {63000, 24, 80, 60, 81},
    {60000, 23, 80, 59, 81},  {56000, 25, 80, 61, 81},    {53000, 89, 77, 62, 81},    {50000, 26, 77, 63, 83},
    {46000, 27, 79, 64, 82},  {43000, 20, 80, 101, 81},   {40000, 8, 97, 98, 95},     {35000, 92, 97, 94, 95},
    {33000, 92, 97, 93, 95},  {30000, 13, 77, 99, 81},    {28000, 110, 77, 99, 81},   {27000, 117, 0, 114, 0},
    {25000, 28, 77, 65, 81},  {24000, 28, 77, 66, 81},    {23000, 29, 77, 67, 81},    {22000, 29, 77, 68, 81},
    {20000, 108, 0, 107, 0},  {19000, 109, 0, 107, 0},    {18000, 108, 109, 107, 0},  {16000, 0, 0, 106, 0},
    {15000, 102, 0, 103, 0},  {14000, 102, 0, 104, 0},    {13000, 30, 77, 69, 81},    {12000, 30, 77, 70, 81},
    {11000, 31, 77, 71, 81},  {10000, 31, 77, 72, 81},    {8000, 32, 77, 73, 81},     {6000, 32, 77, 74, 81},
    {4000, 34, 77, 111, 81},  {2000, 33, 78, 75, 81},     {1800, 0, 0, 119, 0},       {1500, 33, 78, 76, 81},
    {500, 91, 0, 92, 0},      {0, 33, 78, 76, 81},
};

namespace {
constexpr UINT kBigFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBottomFormat = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

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
    SetTextColor(dc, kTextColour);
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
