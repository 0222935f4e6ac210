// Arbitrary characters against the command words, and random messages on every screen.
#include <string.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace {
// frameInterval, backgroundMode, bulletSetting, boostPriority, fixedEvent, eventKind after a word; K: kept.
using Settings = std::array<LONG, 6>;
constexpr LONG K = -99;
const std::pair<const char*, Settings> kWords[] = {
    {"reiaou", {16, 2, 1, 1, 0, K}}, {"fa12", {12, K, K, K, K, K}}, {"ta16", {16, K, K, K, K, K}},
    {"wa24", {24, K, K, K, K, K}},   {"xaoe0", {0, K, K, K, K, K}}, {"ba0", {K, 0, K, K, K, K}},
    {"da1", {K, 1, K, K, K, K}},     {"ga2", {K, 2, K, K, K, K}},   {"se30", {K, K, 0, K, K, K}},
    {"lo100", {K, K, 2, K, K, K}},   {"ma200", {K, K, 3, K, K, K}}, {"hi100", {0, 2, 2, K, K, K}},
    {"zo200", {0, 2, 3, K, K, K}},   {"poo1", {K, K, K, 1, K, K}},  {"noo0", {K, K, K, 0, K, K}},
    {"ju9", {K, K, K, K, 1, 9}},     {"ye10", {K, K, K, K, 1, 10}}, {"vei", {K, K, K, K, K, K}},
    {"caea", {K, K, K, K, K, K}},    {"quie", {K, K, K, K, K, K}},  {"kaoe", {K, K, K, K, K, K}}};

Settings Current()
{
    return {LONG(game.frameInterval), game.backgroundMode, game.bulletSetting,
            game.boostPriority,       game.fixedEvent,     game.eventKind};
}
}  // namespace

using Commands = WindowTest;

TEST_F(Commands, ArbitraryCharactersNeverBreakTheMatcher)
{
    PlatformRecordShutdown(TRUE, FALSE);
    std::vector<UINT> history;
    std::set<DWORD> completed;
    auto type = [&](UINT c) {
        SCOPED_TRACE(testing::Message() << "character " << c << " after " << history.size());
        const bool counted = game.screen == Title && c != 0;
        if (counted)
            history.push_back(c);
        // The word the typing now ends with (at most one fits) acts, nothing else.
        const char* completes = nullptr;
        Settings expected = Current();
        for (const auto& [w, sets] : kWords) {
            const size_t n = strlen(w);
            if (!counted || history.size() < n || !std::equal(w, w + n, history.end() - n))
                continue;
            completes = w;
            for (size_t i = 0; i < expected.size(); ++i)
                expected[i] = sets[i] != K ? sets[i] : expected[i];
        }
        const Screen screen = game.screen;
        const DWORD index = game.commandIndex, matched = game.commandMatched;
        const unsigned presents = PlatformPresentCount(game.mainWindow);
        const int shutdowns = PlatformShutdownRequests();
        // An Esc queued first closes a dialog a word opens; the rest is looked at.
        PlatformInjectKey(game.mainWindow, VK_ESCAPE, TRUE, FALSE, nullptr);
        HandleTypedChar(game.mainWindow, c);
        bool closeRequested = false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            closeRequested = closeRequested || msg.message == WM_CLOSE;
        const DWORD n = game.commandMatched;
        ASSERT_LT(game.commandIndex, static_cast<DWORD>(kCommandWordCount));
        const char* word = commands[game.commandIndex].word;
        ASSERT_TRUE(n <= strlen(word) && n <= history.size()) << "matched past the end";
        EXPECT_TRUE(counted || (game.commandIndex == index && n == matched));
        ASSERT_TRUE(std::equal(word, word + n, history.end() - n)) << "the last n typed are the word's first n";
        ASSERT_EQ(PlatformPresentCount(game.mainWindow) != presents, completes != nullptr) << "acts when completed";
        ASSERT_TRUE(!completes || (strcmp(word, completes) == 0 && n == strlen(word)));
        if (completes)
            completed.insert(game.commandIndex);
        EXPECT_TRUE(Current() == expected && game.screen == screen) << "typing never changes the screen";
        const bool quits = completes && (strcmp(word, "quie") == 0 || strcmp(word, "kaoe") == 0);
        EXPECT_TRUE(closeRequested == quits &&
                    PlatformShutdownRequests() - shutdowns == (quits && strcmp(word, "kaoe") == 0 ? 1 : 0));
    };

    std::string letters;
    for (const auto& w : kWords)
        letters += w.first;
    for (UINT c = 0x20; c < 0x7F; ++c)
        type(c);
    std::mt19937 random(20240607);
    auto below = [&](UINT n) { return static_cast<UINT>(random() % n); };
    auto letter = [&] { return static_cast<UINT>(letters[below(static_cast<UINT>(letters.size()))]); };
    for (int i = 0; i < 20000 && !HasFatalFailure(); ++i) {
        const UINT kind = below(100), range = below(41);
        const UINT odd[] = {0x20 + below(0x5F), 0, 0x100 + below(0xFF00), 0x80 + below(0x80)};  // the odd ones
        if (kind < 40) {
            type(letter());
        } else if (kind < 52) {
            for (const char* p = kWords[below(kCommandWordCount)].first; *p && !HasFatalFailure(); ++p)
                type(static_cast<unsigned char>(*p));
        } else if (kind < 93) {
            type(odd[(range >= 15) + (range >= 23) + (range >= 33)]);  // printable, NUL, above 255, high half
        } else {
            game.screen = static_cast<Screen>(1 + below(3));
            for (int j = 0; j < 3; ++j)
                type(letter());
            game.screen = Title;
        }
    }
    EXPECT_EQ(completed.size(), size_t(kCommandWordCount)) << "every word was completed";
}

// After each message and loop passes: `running` is 1 exactly in a run; cursor hidden and priority raised
// only while played; no GDI object lost on the title. Modal keys, Alt+F4 and a, e, i are left out.
using HostileWindowProc = WindowTest;

TEST_F(HostileWindowProc, RandomMessagesOnEveryScreenKeepTheStateConsistent)
{
    game.joystickId = 0;
    game.boostPriority = 1;  // the joystick messages of device 1 count
    const int normalNice = getpriority(PRIO_PROCESS, 0), shownCount = CursorCount();
    const int titleGdiObjects = PlatformLiveGdiObjects();
    std::string last;  // the last message, wParam, lParam and screen, for a failure report
    int visits[4] = {};
    auto send = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        last = std::to_string(message) + " " + std::to_string(wParam) + " " + std::to_string(lParam) + " on " +
               std::to_string(game.screen);
        MainWindowProc(game.mainWindow, message, wParam, lParam);
    };
    // The frame loop until it would wait (it never does), then the checks.
    auto check = [&](DWORD ms) {
        PlatformAdvanceClock(ms);
        SCOPED_TRACE("after " + last);
        UINT code = 0;
        MSG peek;
        for (int pass = 0; pass < 40; ++pass) {
            if (!PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE) && (game.running == 0 || game.pauseStart != 0))
                break;
            ASSERT_TRUE(FrameLoopPass(&code)) << "the loop was told to quit";
        }
        const bool playing = game.screen == Playing, played = playing && game.pauseStart == 0;
        ASSERT_TRUE(IsWindow(game.mainWindow) && game.running == (playing ? 1 : 0)) << "running 1 exactly in a run";
        ASSERT_TRUE(CursorCount() == (played ? shownCount - 1 : shownCount) &&
                    (PlatformCursorShown() != FALSE) == !played);
        ASSERT_TRUE(played || getpriority(PRIO_PROCESS, 0) == normalNice) << "the priority is normal outside play";
        ASSERT_TRUE(game.screen != Title || PlatformLiveGdiObjects() == titleGdiObjects) << "GDI objects lost";
        ++visits[game.screen];
    };

    std::mt19937 random(77031);
    auto below = [&](UINT n) { return static_cast<UINT>(random() % n); };
    const WPARAM keys[] = {VK_RETURN,  VK_RETURN, VK_RETURN,  VK_SPACE,   VK_ESCAPE,  VK_LEFT,    VK_UP,
                           VK_RIGHT,   VK_DOWN,   VK_NUMPAD2, VK_NUMPAD4, VK_NUMPAD6, VK_NUMPAD8, VK_SHIFT,
                           VK_CONTROL, 'A',       '0',        VK_F1,      VK_F5,      VK_TAB};
    const char typed[] = "fbdgsmxhpnzoltwjyuqkvcr0123456789!# ";
    // System keys that open nothing modal: Alt alone or with a letter, F10.
    const WPARAM systemKeys[] = {VK_MENU, 'X', VK_F10, VK_RETURN};
    const LPARAM repeat = 1 << 30, alt = 1 << 29;
    PlatformSetClock(3000000);
    for (int n = 0; n < 12000 && !HasFatalFailure(); ++n) {
        const UINT pick = below(100), odd = below(10);
        const UINT c = odd == 0 ? 0 : odd == 1 ? 0x100 + below(0xFF00) : typed[below(sizeof typed - 1)];
        const WPARAM key = systemKeys[below(4)];
        if (pick < 30)
            send(WM_KEYDOWN, keys[below(20)], (below(4) == 0 ? repeat : 0) | 1);
        else if (pick < 45)
            send(WM_KEYUP, keys[below(20)], 0xC0000001);
        else if (pick < 55)
            send(WM_CHAR, c, (below(6) == 0 ? repeat : 0) | 1);
        else if (pick < 60)
            send(below(2) ? WM_SYSKEYDOWN : WM_SYSKEYUP, key, (key == VK_F10 ? 0 : alt) | 1);
        else if (pick < 66)
            send(WM_ACTIVATE, below(2) ? WA_ACTIVE : WA_INACTIVE, 0);
        else if (pick < 76)
            send(below(4) ? MM_JOY1MOVE : MM_JOY2MOVE, 0, MAKELPARAM(below(0x10000), below(0x10000)));
        else if (pick < 82)
            send(below(4) ? MM_JOY1BUTTONDOWN : MM_JOY2BUTTONDOWN, JOY_BUTTON1, 0);
        else if (pick < 86)
            send(WM_COMMAND, below(3) ? 1 : below(5), 0);
        else if (pick < 91)
            InvalidateRect(game.mainWindow, nullptr, FALSE);
        else if (pick < 93)
            ShowWindow(game.mainWindow, SW_RESTORE);  // back after Esc minimised it
        else
            PlatformAdvanceClock(below(400));  // time alone: the run plays on, bullets come and hit
        check(below(40));
    }
    // Back to the title: the end-run command, a resume, or the next screen.
    for (int i = 0; i < 200 && game.screen != Title && !HasFatalFailure(); ++i) {
        const bool ending = game.screen == Playing && game.pauseStart == 0 && game.hitPhase == 0;
        send(ending ? WM_COMMAND : WM_KEYDOWN, ending ? 1 : VK_RETURN, 1);
        check(500);
    }
    EXPECT_EQ(game.screen, Title);
    for (int s = 0; s < 4; ++s)
        EXPECT_GT(visits[s], 50) << "screen " << s << " was hardly seen";
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);  // whatever happened
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
}
