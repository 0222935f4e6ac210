// A run, the Playing screen: from the action button on the title to the
// end of the explosion, a game step at a time. While it is played (and not
// paused) the program runs at a raised priority with the mouse cursor
// hidden; every clock of the run moves on by the time spent paused.
#include <string.h>

#include <windows.h>

#include <mmsystem.h>

#include "core/game_context.h"
#include "core/system_text.h"
#include "display/display.h"
#include "game/game.h"
#include "screens/screens.h"

namespace {
// WM_KEYDOWN (0x100) through 0x108: the keyboard messages.
constexpr UINT kLastKeyMessage = 0x108;

DWORD QuotaForSetting(LONG setting)
{
    switch (setting) {
    case 0:
        return 30;
    case 2:
        return 100;
    case 3:
        return 200;
    default:
        return 50;
    }
}

void SetProcessClass(DWORD priorityClass)
{
    if (game.boostPriority)
        SetPriorityClass(GetCurrentProcess(), priorityClass);
}

// Set while StartRun drains the queue: an action key handled there must
// not start a second run inside the first.
bool starting;

// Messages that arrived before the run begins are handled as usual; the
// screen is still the title while they are. Returns false when the
// program was asked to quit meanwhile (the quit message is posted again
// for the frame loop).
bool DrainMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// A pause time of 0 would read as "not paused"; the one millisecond in
// 2^32 when the clock shows 0 counts as the next one.
DWORD PauseTime()
{
    DWORD t = timeGetTime();
    return t != 0 ? t : 1;
}

// Empties the bullet pool and sets the first quota from the setting.
void ResetBulletPool()
{
    memset(game.bullets, 0, sizeof(game.bullets));
    game.bulletQuota = QuotaForSetting(game.bulletSetting);
    game.homingCount = 0;
}
}  // namespace

void StartRun()
{
    if (starting)
        return;
    starting = true;
    ShowCursor(FALSE);
    ResetBulletPool();
    if (game.backgroundMode != 0)
        SetUpStars();
    game.nearMissCount = 0;
    game.nearMissScore = 0;
    game.nearMissMarks = 0;
    game.nearMissBannerTimer = 0;
    game.frameCount = 0;
    game.hitPhase = 0;
    game.playerX = 152;
    game.playerY = 44;
    game.poseHold = 0;
    game.pose = 2;
    Sleep(1);
    bool carryOn = DrainMessages();
    starting = false;
    // The drain may have closed the window or run a command that redrew
    // the title; a run needs its surfaces and the title it starts from.
    if (!carryOn || !IsWindow(game.mainWindow) || game.frameBuffer == nullptr || game.screen != Title) {
        ShowCursor(TRUE);
        return;
    }

    DWORD t = timeGetTime();
    game.startTime = t;
    game.nextFrameTime = t;
    game.hitTime = 0;
    game.running = 1;
    game.screen = Playing;
    game.pauseStart = 0;
    game.keyDown = game.keyUp = game.keyLeft = game.keyRight = 0;
    game.joyY = game.joyX = 0;
    game.activeBullets = 0;
    game.nextQuotaTime = t + 3000;
    game.nextEventTime = t + 5000;
    if (game.fixedEvent == 0)
        game.eventKind = NoEvent;
    PollInput();  // keys already held count from the first step
    SetProcessClass(HIGH_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
}

void GameStep()
{
    ClearFrameBuffer();
    DrawStars();
    StepBullets();  // sees the craft where the last step left it

    WORD picture;
    if (game.hitPhase > 15) {
        game.running = 0;
        EndRun(game.mainWindow);
        return;
    }
    if (game.hitPhase != 0) {
        // The explosion plays where the craft was hit.
        picture = spriteOffsets[game.hitPhase];
        ++game.hitPhase;
    } else {
        picture = MoveCraft();
    }
    DrawCraftSprite(picture);
    bool composed = ComposeTopStrip();
    PresentImage(game.frameDc, composed ? game.composeDc : nullptr);
}

void SetPaused(DWORD pause)
{
    if (game.screen != Playing)
        return;
    if (pause) {
        if (game.pauseStart != 0)
            return;
        game.pauseStart = PauseTime();
        ShowCursor(TRUE);
        SetProcessClass(NORMAL_PRIORITY_CLASS);
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        // The frozen frame with the notice becomes the picture of record.
        BitBlt(game.composeDc, 0, 0, kPictureWidth, kPictureHeight, game.frameDc, 0, 0, SRCCOPY);
        RECT whole = {0, 0, kPictureWidth, kPictureHeight};
        DrawTextA(game.composeDc, "一時停止", -1, &whole, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        InvalidateRect(game.mainWindow, nullptr, FALSE);
        // Arrows held while pausing must not count as held on resuming.
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_LEFT] = keys[VK_UP] = keys[VK_RIGHT] = keys[VK_DOWN] = 0;
        SetKeyboardState(keys);
        return;
    }
    SetProcessClass(HIGH_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    if (game.pauseStart == 0)
        return;
    ShowCursor(FALSE);
    DWORD paused = timeGetTime() - game.pauseStart;
    game.nextFrameTime += paused;
    game.nextQuotaTime += paused;
    game.nextEventTime += paused;
    // After the hit the survival time is fixed. (The hit's own time cannot
    // tell: it reads 0 when the hit came as the clock wrapped to 0.)
    if (game.hitPhase == 0)
        game.startTime += paused;
    game.pauseStart = 0;
    // Keys let go while the window was away sent no key-up here.
    PollInput();
}

void EndRun(HWND window)
{
    // A paused run (ended by the end-run command) shows the cursor already.
    if (game.pauseStart == 0)
        ShowCursor(TRUE);
    SetProcessClass(NORMAL_PRIORITY_CLASS);
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
    // Keys typed during the last step must not act on the next screen.
    MSG msg;
    while (PeekMessageA(&msg, window, WM_KEYDOWN, kLastKeyMessage, PM_REMOVE)) {
    }
    if (game.hitPhase != 0) {
        // The result screen is written over the run's last picture.
        BitBlt(game.composeDc, 0, 0, kPictureWidth, kPictureHeight, game.frameDc, 0, 0, SRCCOPY);
        ShowResult(game.hitTime - game.startTime);
        return;
    }
    ShowTitle();
}
