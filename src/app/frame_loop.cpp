// The frame loop: the program's only loop. It drains the message queue and,
// while a run is being played, runs game steps on a fixed schedule.
#include <windows.h>

#include <mmsystem.h>

#include "app/app.h"
#include "core/game_context.h"
#include "core/system_text.h"
#include "screens/screens.h"

BOOL FrameLoopPass(UINT* exitCode)
{
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            *exitCode = static_cast<UINT>(msg.wParam);
            return FALSE;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        return TRUE;
    }
    game.now = timeGetTime();
    if (game.running == 0 || game.pauseStart != 0) {
        WaitMessage();
        return TRUE;
    }
    // Between steps the loop keeps polling rather than sleeping, so a step
    // starts within a fraction of a millisecond of its due time.
    if (game.frameInterval != 0 && !TimeReached(game.now, game.nextFrameTime))
        return TRUE;
    Sleep(0);
    if (game.stepStarting)
        game.stepStarting();
    GameStep();
    // The schedule moves by whole intervals, never from `now`: steps that
    // fell behind run back to back until it has caught up.
    game.nextFrameTime += game.frameInterval;
    return TRUE;
}

UINT RunFrameLoop()
{
    UINT exitCode = 0;
    while (FrameLoopPass(&exitCode)) {
    }
    return exitCode;
}
