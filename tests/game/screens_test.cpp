// The title, result and verdict screens pixel for pixel; the dialogs; the shutdown's privilege steps.
#include <math.h>
#include <string.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/dialogs.h"
#include "game_fixture.h"

namespace {
constexpr UINT kLine = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;

// `big` at 80 centred in the top half, then the '|'-separated `lines` from row 120, `spacing` apart.
void DrawScreen(ReferencePicture& reference, const char* big, const char* lines, LONG spacing, LONG height)
{
    reference.Draw(big, RECT{0, 0, 320, 120}, kLine | DT_VCENTER, 80);
    std::istringstream list(lines);
    LONG top = 120;
    for (std::string line; *lines && std::getline(list, line, '|'); top += spacing)
        reference.Draw(line.c_str(), RECT{0, top, 320, 240}, kLine, height);
}

// Queued among the commands: read the dialog now, show a time of -5 ms.
constexpr UINT kRead = WM_USER + 0x101, kMinusFive = WM_USER + 0x102;

DLGPROC inner;
std::vector<UINT> queued;
std::map<int, std::string> texts;  // by control id; 0 is the dialog's title
std::map<int, bool> enabled;

// Runs the game's procedure; queues the commands once the dialog is made, reads it on kRead.
INT_PTR CALLBACK Watch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    char text[256];
    for (int id = 0; message == kRead && id <= IDC_FULL_SCREEN; id = id == 0 ? 3000 : id + 1)
        if (HWND item = id == 0 ? dialog : GetDlgItem(dialog, id)) {
            GetWindowTextA(item, text, sizeof text);
            texts[id] = text;
            enabled[id] = IsWindowEnabled(item) != FALSE;
        }
    if (message == kMinusFive)
        ShowElapsed(dialog, IDC_DIB_TO_DC_TIME, static_cast<DWORD>(-5));
    if (message == kRead || message == kMinusFive)
        return TRUE;
    INT_PTR result = inner(dialog, message, wParam, lParam);
    for (size_t i = 0; message == WM_INITDIALOG && i < queued.size(); ++i)
        PostMessageA(dialog, queued[i] == kRead || queued[i] == kMinusFive ? queued[i] : WM_COMMAND, queued[i], 0);
    return result;
}
}  // namespace

using Screens = WindowTest;

TEST_F(Screens, TheTitleListsTheChangedSettingsAndTheResultTheRunsFigures)
{
    // Bullets, background, boost, interval, fixed event, event; lines. A fifth lies under the opaque prompt.
    const std::tuple<LONG, LONG, LONG, DWORD, LONG, LONG, const char*> cases[] = {
        {1, 2, 1, 16, 0, 0, ""},                                         // the start settings
        {1, 1, 1, 24, 0, 9, "簡易背景|まったりできる40フレーム/秒"},     // an event not fixed: no line
        {0, 2, 0, 16, 1, 3, "臆病者向け 30発|他のプロセスと協調する|"},  // a nameless event keeps its place
        {3, 2, 1, 12, 1, 10, "怒濤の 200発|なんとなく80フレーム/秒|上から来るぞ気をつけろ"},
        {2, 0, 0, 0, 1, 9, "大盛り 100発|背景省略|他のプロセスと協調する|勢い余って全速力|まったり"}};
    for (auto [bullets, background, boost, interval, fixed, event, lines] : cases) {
        game.bulletSetting = bullets;
        game.backgroundMode = background;
        game.boostPriority = boost;
        game.frameInterval = interval;
        game.fixedEvent = fixed;
        game.eventKind = event;
        game.screen = Verdict;
        ShowTitle();
        ReferencePicture reference;
        DrawScreen(reference, "避練", lines, 20, 14);
        const bool five = std::count(lines, lines + strlen(lines), '|') == 4;
        if (!five)
            reference.Draw("Enterで避練開始", RECT{0, 200, 320, 240}, kLine, 20);
        EXPECT_TRUE(reference.Differences(game.composeDc, 0, five ? 200 : 240) == 0 && game.screen == Title) << lines;
    }
    // The result over the last picture. Interval, steps, survival, score; the lines, the bottom at full speed.
    const std::tuple<DWORD, DWORD, DWORD, DWORD, const char*, const char*> figures[] = {
        {24, 514, 12345, 0, "生存時間 12.345秒|活動時間 12.336秒|弾数 63発", nullptr},
        {16, 771, 12336, 57, "生存時間 12.336秒|弾数 63発|絶妙度 57%", nullptr},
        {0, 4500, 7000, 0, "生存時間 7.000秒|活動時間 4.500秒|弾数 63発", "642.857fps"},
        {0, 0, 0, 0, "生存時間 0.000秒|弾数 63発", "計測不能"},
        {16, 0, 5, 1, "生存時間 0.005秒|活動時間 0.000秒|弾数 63発|絶妙度 1%", nullptr}};
    game.activeBullets = 63;
    for (auto [interval, frames, survival, score, lines, bottom] : figures) {
        PatBlt(game.composeDc, 0, 0, 320, 240, BLACKNESS);
        SetPixel(game.composeDc, 2, 2, RGB(0, 0, 255));
        game.frameInterval = interval;
        game.frameCount = frames;
        game.nearMissScore = score;
        ShowResult(survival);
        EXPECT_TRUE(game.screen == Result && game.running == 0 && GetPixel(game.composeDc, 2, 2) == RGB(0, 0, 255) &&
                    ReferencePicture::Count(game.composeDc, 0, 120) > 500)
            << "失格 over the last picture";
        ReferencePicture reference;
        DrawScreen(reference, "失格", lines, 24, 16);
        if (bottom)
            reference.Draw(bottom, RECT{0, 120, 320, 240}, kLine | DT_BOTTOM, 16);
        EXPECT_EQ(reference.Differences(game.composeDc, 0, 240), 0) << lines;
    }
}

TEST_F(Screens, TheVerdictChangesAtItsTimesAndItsTextsStandInTheirPlaces)
{
    // The survival times, in seconds of 16 ms steps, at which the verdict changes.
    std::istringstream times(
        "0.5 1.5 1.8 2 4 6 8 10 11 12 13 14 15 16 18 19 20 22 23 24 25 27 28 30 33 35 40 43 46 50 "
        "53 56 60 63 66 72 77 80 84 88 92 95 98 100 103 105 110 115 120 125 130 135 140 145 150 "
        "155 160 165 170 175 180 185 190 195 200 205 210 215 220 225 228 230 240");
    double time = 0;
    for (DWORD steps = 1; steps <= 15100; ++steps)
        EXPECT_TRUE(&FindRank(steps) == &FindRank(steps - 1) ||
                    (times >> time && steps == (lround(time * 1000) + 15) / 16))
            << steps;
    EXPECT_FALSE(times >> time) << "no change at " << time << " s";
    // The headline's bytes fill 320 pixels at most 80 high.
    for (auto [length, height] : {std::pair<size_t, LONG>{4, 80}, {8, 80}, {9, 71}, {18, 35}})
        EXPECT_EQ(BigLineHeight(length), height) << length;
    // Four minutes: the headline, the remark right-aligned to 312, the title's two pieces.
    game.frameCount = 15000;
    ShowVerdict();
    ReferencePicture reference;
    reference.Draw("避練神", RECT{0, 20, 320, 200}, kLine | DT_VCENTER, 80);
    reference.Draw("参りました", RECT{0, 200, 312, 240}, DT_RIGHT | DT_VCENTER | DT_SINGLELINE, 16);
    reference.Draw("避練の頂点と認定", RECT{4, 8, 320, 240}, DT_SINGLELINE, 16);
    EXPECT_TRUE(reference.Differences(game.composeDc, 0, 240) == 0 && game.screen == Verdict);
    game.frameCount = 5500;  // 88 seconds: no top-left line, that corner stays black
    ShowVerdict();
    EXPECT_EQ(ReferencePicture::Count(game.composeDc, 0, 24), 0);
}

class Dialogs : public WindowTest {
protected:
    static INT_PTR Run(int id, DLGPROC procedure, std::vector<UINT> commands, LPARAM param = 0)
    {
        texts.clear();
        enabled.clear();
        inner = procedure;
        queued = commands;
        return RunDialog(id, game.mainWindow, Watch, param);
    }
};

TEST_F(Dialogs, AboutShowsTheVersionAndTheMmxLineAndQuitHasTwoWordings)
{
    for (LONG mmx : {1, 0}) {
        game.hasMmx = mmx;
        Run(IDD_ABOUT, AboutDialogProc, {kRead, mmx ? UINT(IDOK) : UINT(IDCANCEL)});
        EXPECT_TRUE(texts[0] == "避練のバージョン情報" && texts[IDC_VERSION_LINE] == "避練 Ver0.02β" &&
                    !texts[IDC_NOTICE_LINE].empty() && texts[IDC_MMX_LINE] == (mmx ? "MMX使用可能" : ""));
    }
    // Every button closes the quit box; the shutdown variant swaps letters.
    Run(IDD_QUIT, QuitDialogProc, {kRead, IDC_QUIT_BUTTON}, 0);
    EXPECT_TRUE(texts[IDC_QUIT_QUESTION] == "QUITしますか?" && texts[IDC_QUIT_BUTTON] == "QUIT");
    Run(IDD_QUIT, QuitDialogProc, {kRead, IDCANCEL}, 1);
    EXPECT_TRUE(texts[IDC_QUIT_QUESTION] == "QUTIしますか?" && texts[IDC_QUIT_BUTTON] == "QUTI");
    Run(IDD_QUIT, QuitDialogProc, {IDOK}, 1);
}

// The frozen clock does not move during a test: every total is 0 ms.
TEST_F(Dialogs, TheBenchmarkTimesEveryTestThatHasWhatItNeeds)
{
    const int times[] = {IDC_PLAIN_FILL_TIME, IDC_PLAIN_COPY_TIME, IDC_MMX_FILL_TIME,  IDC_MMX_COPY_TIME,
                         IDC_DIB_TO_DC_TIME,  IDC_DIB_TO_DDB_TIME, IDC_DDB_TO_DIB_TIME};
    // MMX, failed allocations; the buttons from IDC_PLAIN_FILL enabled, and those run even when disabled.
    const std::tuple<LONG, int, const char*, const char*> cases[] = {
        {1, 0, "1111", "1111111"}, {0, 0, "1100", "1100111"}, {1, 1, "0000", "0010111"}};
    for (auto [mmx, failedAllocations, enables, runs] : cases) {
        game.hasMmx = mmx;
        PlatformFailHeapAllocations(failedAllocations);
        Run(IDD_BENCHMARK, BenchmarkDialogProc, {3003, 3004, 3005, 3006, 3007, 3008, 3009, kRead, IDOK});
        for (int i = 0; i < 7; ++i)
            EXPECT_TRUE(texts[times[i]] == (runs[i] == '1' ? "0ms" : "") &&
                        (i >= 4 || enabled[3003 + i] == (enables[i] == '1')))
                << "MMX " << mmx << ", failed allocations " << failedAllocations << ": " << 3003 + i;
        EXPECT_EQ(game.benchBuffer, nullptr) << "freed when the dialog closed";
    }
    Run(IDD_BENCHMARK, BenchmarkDialogProc, {kMinusFive, kRead, IDOK});
    EXPECT_EQ(texts[IDC_DIB_TO_DC_TIME], "-5ms") << "a clock that went back shows as negative";
}

TEST_F(Dialogs, ThePrivilegeStepsRunInOrderAndCloseOnlyAnOpenedToken)
{
    // Answers to open, look up, adjust; the request's; the calls. A refused step ends it, none lets it on.
    const std::tuple<const char*, BOOL, const char*> cases[] = {
        {"yyy", TRUE, "OLAXC"}, {"yyy", FALSE, "OLAXC"}, {"n", TRUE, "O"},       {"yn", TRUE, "OLC"},
        {"yyn", TRUE, "OLAC"},  {"---", TRUE, "OLAX"},   {"---", FALSE, "OLAX"}, {"-yy", TRUE, "OLAX"}};
    for (auto [answers, granted, calls] : cases) {
        PlatformRecordShutdown(TRUE, granted);
        PlatformScriptTokens(answers);
        const int before = PlatformShutdownRequests();
        quitCode = -1;
        RequestShutdown();
        DrainMessages();
        const bool asked = strchr(calls, 'X') != nullptr;
        EXPECT_TRUE(strcmp(PlatformTokenLog(), calls) == 0 && PlatformShutdownRequests() == before + asked &&
                    PlatformLastShutdownFlags() == (asked ? UINT(EWX_SHUTDOWN) : 0u) &&
                    quitCode == (asked && granted ? 0 : -1))
            << answers << " " << granted;
    }
    PlatformScriptTokens(nullptr);
    PlatformRecordShutdown(TRUE, FALSE);
}
