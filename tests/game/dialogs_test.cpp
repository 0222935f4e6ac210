#include "game_fixture.h"

#include <functional>
#include <map>
#include <string>

#include <string.h>

#include "dialogs/dialogs.h"

namespace {
constexpr UINT kRead = WM_USER + 1;

DLGPROC inner;
std::function<void(HWND)> onInit;
std::map<int, std::string> texts;
std::map<int, bool> enabled;
std::string title;

void Read(HWND dialog)
{
    char buffer[256];
    GetWindowTextA(dialog, buffer, sizeof buffer);
    title = buffer;
    for (int id = 1; id <= 3021; id = id == 1 ? 3000 : id + 1) {
        HWND item = GetDlgItem(dialog, id);
        if (!item)
            continue;
        GetWindowTextA(item, buffer, sizeof buffer);
        texts[id] = buffer;
        enabled[id] = IsWindowEnabled(item) != FALSE;
    }
}

// Runs the game's procedure and lets the test look in and act.
INT_PTR CALLBACK Watch(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRead) {
        Read(dialog);
        return TRUE;
    }
    INT_PTR result = inner(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG && onInit)
        onInit(dialog);
    return result;
}

void Post(HWND dialog, std::initializer_list<UINT> commands)
{
    for (UINT command : commands)
        PostMessageA(dialog, command == kRead ? kRead : WM_COMMAND, command == kRead ? 0 : command, 0);
}
}  // namespace

class Dialogs : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        texts.clear();
        enabled.clear();
        onInit = nullptr;
    }

    INT_PTR Run(int id, DLGPROC procedure, LPARAM param = 0)
    {
        inner = procedure;
        return RunDialog(id, game.mainWindow, Watch, param);
    }
};

TEST_F(Dialogs, AboutShowsTheVersionAndTheMmxLine)
{
    game.hasMmx = 1;
    onInit = [](HWND d) { Post(d, {kRead, IDOK}); };
    EXPECT_EQ(Run(IDD_ABOUT, AboutDialogProc), 0);
    EXPECT_EQ(title, "避練のバージョン情報");
    EXPECT_EQ(texts[3000], "避練 Ver0.02β");
    EXPECT_FALSE(texts[3001].empty());
    EXPECT_EQ(texts[3002], "MMX使用可能");

    game.hasMmx = 0;
    onInit = [](HWND d) { Post(d, {kRead, IDCANCEL}); };
    EXPECT_EQ(Run(IDD_ABOUT, AboutDialogProc), 0);
    EXPECT_EQ(texts[3002], "");
}

TEST_F(Dialogs, TheQuitBoxHasBothWordingsAndEveryButtonClosesIt)
{
    onInit = [](HWND d) { Post(d, {kRead, 3018}); };
    EXPECT_EQ(Run(IDD_QUIT, QuitDialogProc, 0), 0);
    EXPECT_EQ(texts[3017], "QUITしますか?");
    EXPECT_EQ(texts[3018], "QUIT");
    onInit = [](HWND d) { Post(d, {kRead, IDCANCEL}); };
    EXPECT_EQ(Run(IDD_QUIT, QuitDialogProc, 1), 0);
    EXPECT_EQ(texts[3017], "QUTIしますか?");
    EXPECT_EQ(texts[3018], "QUTI");
    onInit = [](HWND d) { Post(d, {IDOK}); };
    EXPECT_EQ(Run(IDD_QUIT, QuitDialogProc, 1), 0);
}

// The frozen clock does not move during a test: every total is under 1 ms.
TEST_F(Dialogs, TheBenchmarkTimesEveryTestAndFreesItsBuffer)
{
    game.hasMmx = 1;
    onInit = [](HWND d) { Post(d, {3003, 3004, 3005, 3006, 3007, 3008, 3009, kRead, IDOK}); };
    Run(IDD_BENCHMARK, BenchmarkDialogProc);
    for (int result : {3010, 3011, 3012, 3013, 3014, 3015, 3016})
        EXPECT_EQ(texts[result], "0ms") << result;
    EXPECT_EQ(game.benchBuffer, nullptr) << "freed when the dialog closed";
    for (int i = 0; i < 76800; ++i)
        ASSERT_EQ(game.frameBuffer[i], 0) << "the copies left the cleared buffer";
}

TEST_F(Dialogs, WithoutMmxOrMemoryTheirTestsAreDisabled)
{
    game.hasMmx = 0;
    onInit = [](HWND d) { Post(d, {kRead, IDOK}); };
    Run(IDD_BENCHMARK, BenchmarkDialogProc);
    EXPECT_FALSE(enabled[3005]);
    EXPECT_FALSE(enabled[3006]);
    EXPECT_TRUE(enabled[3003]);
    EXPECT_TRUE(enabled[3004]);

    game.hasMmx = 1;
    PlatformFailHeapAllocations(1);
    onInit = [](HWND d) {
        Post(d, {3003, 3004, 3006, 3009, kRead, IDOK});
        ShowElapsed(d, 3010, static_cast<DWORD>(-5));  // a clock that went back
    };
    Run(IDD_BENCHMARK, BenchmarkDialogProc);
    for (int id : {3003, 3004, 3005, 3006})
        EXPECT_FALSE(enabled[id]) << id;
    EXPECT_TRUE(enabled[3009]);
    EXPECT_EQ(texts[3014], "") << "a stray command runs nothing without the buffer";
    EXPECT_EQ(texts[3011], "0ms");
    EXPECT_EQ(texts[3010], "-5ms") << "printed signed";
}

TEST_F(Dialogs, ThePrivilegeStepsRunInOrderAndCloseOnlyAnOpenedToken)
{
    const struct {
        const char* answers;  // open, look up, adjust
        BOOL granted;         // what the shutdown request answers
        const char* calls;
        bool quits;
    } cases[] = {
        {"yyy", TRUE, "OLAXC", true},  // a Windows with the privilege
        {"yyy", FALSE, "OLAXC", false},
        {"n", TRUE, "O", false},       // a refused step ends it quietly
        {"yn", TRUE, "OLC", false},
        {"yyn", TRUE, "OLAC", false},
        {"---", TRUE, "OLAX", true},   // no token privileges at all
        {"---", FALSE, "OLAX", false},
        {"-yy", TRUE, "OLAX", true},   // no token: none to close
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.answers << " " << c.granted);
        PlatformRecordShutdown(TRUE, c.granted);
        PlatformScriptTokens(c.answers);
        quitSeen = false;
        int before = PlatformShutdownRequests();
        RequestShutdown();
        EXPECT_STREQ(PlatformTokenLog(), c.calls);
        const bool asked = strchr(c.calls, 'X') != nullptr;
        EXPECT_EQ(PlatformShutdownRequests(), before + (asked ? 1 : 0));
        EXPECT_EQ(PlatformLastShutdownFlags(), asked ? static_cast<UINT>(EWX_SHUTDOWN) : 0u);
        DrainMessages();
        EXPECT_EQ(quitSeen, c.quits) << "the quit message follows only a granted request";
    }
    PlatformScriptTokens(nullptr);
    PlatformRecordShutdown(TRUE, FALSE);
}
