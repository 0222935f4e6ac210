// The window procedure under random sequences of every message it
// handles, on every screen, with the clock moving and the game stepping
// between messages as the frame loop runs it. After each message the
// program's state must hang together: a run is being played exactly while
// `running` is 1; the cursor is hidden only while a run is played and not
// paused; the priorities are normal whenever the game is not being played;
// and back on the title no GDI object has been lost.
//
// Left out: F12 and Alt+Space open modal loops of their own, Alt+F4 and
// the quit words close the window, and the About, benchmark and quit words
// open dialogs; the typed characters avoid the last letters of those words.
#include <dirent.h>
#include <errno.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <mmsystem.h>

#include <random>
#include <string>
#include <vector>

#include "game/game.h"
#include "game_fixture.h"
#include "screens/screens.h"

namespace {
constexpr LPARAM kRepeatBit = 1 << 30;
constexpr LPARAM kAltBit = 1 << 29;

// The nice value of every thread of the process, -100 if one cannot be read.
std::vector<int> ThreadNiceValues()
{
    std::vector<int> values;
    DIR* tasks = opendir("/proc/self/task");
    if (!tasks)
        return {-100};
    while (dirent* entry = readdir(tasks)) {
        int thread = atoi(entry->d_name);
        if (thread <= 0)
            continue;
        errno = 0;
        int nice = getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
        if (nice == -1 && errno != 0)
            continue;  // the thread has ended
        values.push_back(nice);
    }
    closedir(tasks);
    return values;
}
}  // namespace

class HostileWindowProc : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        game.joystickId = 0;  // the joystick messages of device 1 count
        game.boostPriority = 1;
        normalNice = getpriority(PRIO_PROCESS, 0);
        shownCount = CursorCount();
        titleGdiObjects = PlatformLiveGdiObjects();
    }

    void TearDown() override
    {
        // However the test ended, the process goes back to normal priority.
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        WindowTest::TearDown();
    }

    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        char line[80];
        snprintf(line, sizeof line, "%04x %llx %llx on %d", message, static_cast<unsigned long long>(wParam),
                 static_cast<unsigned long long>(lParam), static_cast<int>(game.screen));
        recent.push_back(line);
        if (recent.size() > 16)
            recent.erase(recent.begin());
        return MainWindowProc(game.mainWindow, message, wParam, lParam);
    }

    // The frame loop between two messages: queued messages are handled and
    // due steps run; it never waits, and at full speed it takes a few steps.
    void RunLoop()
    {
        UINT code = 0;
        for (int pass = 0; pass < 40; ++pass) {
            MSG peek;
            bool queued = PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
            if (!queued && (game.running == 0 || game.pauseStart != 0))
                return;
            ASSERT_TRUE(FrameLoopPass(&code)) << "the loop was told to quit";
        }
    }

    void CheckState(int n)
    {
        std::string messages;
        for (const std::string& line : recent)
            messages += "\n  " + line;
        SCOPED_TRACE(testing::Message() << "message " << n << " on screen " << game.screen
                                        << "; the last messages (message, wParam, lParam, screen):" << messages);
        ASSERT_TRUE(IsWindow(game.mainWindow));
        const bool playing = game.screen == Playing;
        ASSERT_EQ(game.running == 1, playing) << "running is 1 exactly while a run is played";
        ASSERT_TRUE(game.running == 0 || game.running == 1);
        const bool played = playing && game.pauseStart == 0;
        ASSERT_EQ(CursorCount(), played ? shownCount - 1 : shownCount);
        ASSERT_EQ(PlatformCursorShown() != FALSE, !played);
        if (!played) {
            for (int nice : ThreadNiceValues())
                ASSERT_EQ(nice, normalNice) << "the priorities are normal outside play";
        }
        if (game.screen == Title) {
            ASSERT_EQ(PlatformLiveGdiObjects(), titleGdiObjects) << "GDI objects lost on the way";
        }
        ++visits[game.screen];
    }

    int normalNice = 0;
    int shownCount = 0;
    int titleGdiObjects = 0;
    int visits[4] = {};
    std::vector<std::string> recent;  // the last messages sent, for a failure's report
};

TEST_F(HostileWindowProc, RandomMessagesOnEveryScreenKeepTheStateConsistent)
{
    std::mt19937 random(77031);
    auto below = [&](UINT n) { return static_cast<UINT>(random() % n); };
    const WPARAM keys[] = {VK_RETURN, VK_RETURN, VK_RETURN, VK_SPACE, VK_ESCAPE, VK_LEFT,    VK_UP,
                           VK_RIGHT,  VK_DOWN,   VK_NUMPAD2, VK_NUMPAD4, VK_NUMPAD6, VK_NUMPAD8, VK_SHIFT,
                           VK_CONTROL, 'A',      '0',       VK_F1,     VK_F5,     VK_TAB};
    // Letters of the setting words only: the words that open dialogs or
    // quit end in a, e or i, which never come.
    const char typed[] = "fbdgsmxhpnzoltwjyuqkvcr0123456789!# ";
    // System keys that open nothing modal: Alt alone, Alt with a letter,
    // F10 alone.
    const struct {
        WPARAM key;
        LPARAM alt;
    } systemKeys[] = {{VK_MENU, kAltBit}, {'X', kAltBit}, {VK_F10, 0}, {VK_RETURN, kAltBit}};

    PlatformSetClock(3000000);
    int runsStarted = 0;
    for (int n = 0; n < 12000 && !HasFatalFailure(); ++n) {
        const Screen screen = game.screen;
        UINT pick = below(100);
        if (pick < 30) {
            LPARAM repeat = below(4) == 0 ? kRepeatBit : 0;
            Send(WM_KEYDOWN, keys[below(sizeof keys / sizeof keys[0])], repeat | 1);
        } else if (pick < 45) {
            Send(WM_KEYUP, keys[below(sizeof keys / sizeof keys[0])], 0xC0000001);
        } else if (pick < 55) {
            LPARAM repeat = below(6) == 0 ? kRepeatBit : 0;
            UINT odd = below(10);
            UINT c = odd == 0   ? 0
                     : odd == 1 ? 0x100 + below(0xFF00)
                                : static_cast<unsigned char>(typed[below(sizeof typed - 1)]);
            Send(WM_CHAR, c, repeat | 1);
        } else if (pick < 60) {
            const auto& k = systemKeys[below(sizeof systemKeys / sizeof systemKeys[0])];
            Send(below(2) ? WM_SYSKEYDOWN : WM_SYSKEYUP, k.key, k.alt | 1);
        } else if (pick < 66) {
            Send(WM_ACTIVATE, below(2) ? WA_ACTIVE : WA_INACTIVE, 0);
        } else if (pick < 76) {
            Send(below(4) ? MM_JOY1MOVE : MM_JOY2MOVE, 0, MAKELPARAM(below(0x10000), below(0x10000)));
        } else if (pick < 82) {
            Send(below(4) ? MM_JOY1BUTTONDOWN : MM_JOY2BUTTONDOWN, JOY_BUTTON1, 0);
        } else if (pick < 86) {
            Send(WM_COMMAND, below(3) ? 1 : below(5), 0);
        } else if (pick < 91) {
            if (below(2))
                Send(WM_PAINT, 0, 0);
            else
                InvalidateRect(game.mainWindow, nullptr, FALSE);
        } else if (pick < 93) {
            // The player brings the window back after Esc minimised it.
            ShowWindow(game.mainWindow, SW_RESTORE);
        } else {
            // Nothing but time: the run plays on, bullets come and hit.
            PlatformAdvanceClock(below(400));
        }
        if (screen == Title && game.screen == Playing)
            ++runsStarted;
        PlatformAdvanceClock(below(40));
        RunLoop();
        CheckState(n);
    }
    // Back to the title, whatever the last screen was.
    for (int i = 0; i < 200 && game.screen != Title && !HasFatalFailure(); ++i) {
        if (game.screen == Playing && game.pauseStart == 0 && game.hitPhase == 0)
            Send(WM_COMMAND, 1, 0);  // the end-run command
        else
            Send(WM_KEYDOWN, VK_RETURN, 1);  // resume, or on to the next screen
        PlatformAdvanceClock(500);
        RunLoop();
        CheckState(-1);
    }
    EXPECT_EQ(game.screen, Title);
    EXPECT_GT(runsStarted, 10);
    for (int s = 0; s < 4; ++s)
        EXPECT_GT(visits[s], 50) << "screen " << s << " was hardly seen";
}
