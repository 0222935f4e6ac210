// Start-up: the program's state, its window class and its window.
#include <windows.h>

#include <mmsystem.h>

#include "app/app.h"
#include "core/game_context.h"
#include "core/processor.h"
#include "core/system_text.h"
#include "display/display.h"
#include "game/game.h"
#include "resources/resource.h"
#include "screens/screens.h"

namespace {
const char kClassName[] = "wcHIRN";
const char kTitle[] = "避練";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_BYTEALIGNCLIENT;

[[noreturn]] void FailStartUp()
{
    // A quit posted while a half-made window was torn down would close the
    // box at once; take it out first.
    MSG pending;
    PeekMessageA(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    MessageBoxA(nullptr, "ウインドウ作成失敗", kTitle, MB_ICONERROR);
#ifdef _WIN32
    timeEndPeriod(1);
#endif
    ExitProcess(1);
}
}  // namespace

void RestoreTextTables()
{
    RestoreCommandWords();
    RestoreVerdictMessages();
}

void InitGameState()
{
    game.instanceHandle = GetModuleHandleA(nullptr);
    game.hasMmx = DetectMmx() == 0 ? 1 : 0;
    if (game.hasMmx)
        EndMmx();
    game.randomSeed = timeGetTime();
    RestoreTextTables();
    BuildSlopeTable();

    game.screenMode = 0;
    game.eventKind = NoEvent;
    game.boostPriority = 1;
    game.bulletSetting = 1;
    game.backgroundMode = 2;
    game.screen = Title;
    game.frameInterval = 16;
}

ATOM InitApplication()
{
    WNDCLASSA windowClass = {};
    windowClass.style = kClassStyle;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = game.instanceHandle;
    windowClass.hIcon = LoadIconA(game.instanceHandle, MAKEINTRESOURCEA(IDI_WINDOW));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass);
}

HWND CreateMainWindow()
{
    RECT outer = {0, 0, kPictureWidth, kPictureHeight};
    AdjustWindowRectEx(&outer, kFramedStyle, FALSE, 0);
    HWND window =
        CreateWindowExA(0, kClassName, kTitle, kFramedStyle, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, game.instanceHandle, nullptr);
    if (window)
        ShowWindow(window, SW_SHOWDEFAULT);
    return window;
}

void AppMain()
{
#ifdef _WIN32
    // Without this the multimedia timer ticks in 5-16 ms steps on Windows,
    // too coarse for steps due within a fraction of a millisecond.
    timeBeginPeriod(1);
#endif
    InitGameState();
    if (InitApplication() == 0)
        FailStartUp();
    game.mainWindow = CreateMainWindow();
    if (game.mainWindow == nullptr)
        FailStartUp();
    UINT exitCode = RunFrameLoop();
#ifdef _WIN32
    timeEndPeriod(1);
#endif
    ExitProcess(exitCode);
}
