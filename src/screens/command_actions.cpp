// What each command word does. Every action ends with the title drawn
// again, so the changed setting shows at once.
#include "app/game_context.h"
#include "dialogs/dialogs.h"
#include "screens/commands.h"
#include "screens/title.h"

namespace {
void Quit(HWND window, LPARAM shutDown)
{
    RunDialog(kQuitDialog, window, QuitDialogProc, shutDown);
    if (shutDown)
        RequestShutdown();
    // The frame loop handles the close after the title is redrawn.
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void FullSpeed(LONG bullets)
{
    game.frameInterval = 0;
    game.backgroundMode = 2;
    game.bulletSetting = bullets;
}

void FixEvent(LONG kind)
{
    game.fixedEvent = 1;
    game.eventKind = kind;
}
}  // namespace

void RunCommand(HWND window, DWORD index)
{
    switch (index) {
    case 0:  // the start settings (the event itself ends with the next run)
        game.frameInterval = 16;
        game.backgroundMode = 2;
        game.bulletSetting = 1;
        game.boostPriority = 1;
        game.fixedEvent = 0;
        break;
    case 1:
        game.frameInterval = 12;
        break;
    case 2:
    case 3:
    case 4:
        game.backgroundMode = static_cast<LONG>(index - 2);
        break;
    case 5:
        game.bulletSetting = 0;
        break;
    case 6:
        Quit(window, 0);
        break;
    case 7:
        game.bulletSetting = 3;
        break;
    case 8:
        game.frameInterval = 0;
        break;
    case 9:
        FullSpeed(2);
        break;
    case 10:
        game.boostPriority = 1;
        break;
    case 11:
        game.boostPriority = 0;
        break;
    case 12:
        FullSpeed(3);
        break;
    case 13:
        game.bulletSetting = 2;
        break;
    case 14:
        game.frameInterval = 16;
        break;
    case 15:
        Quit(window, 1);
        break;
    case 16:
        RunDialog(kAboutDialog, window, AboutDialogProc, 0);
        break;
    case 17:
        RunDialog(kBenchmarkDialog, window, BenchmarkDialogProc, 0);
        break;
    case 18:
        game.frameInterval = 24;
        break;
    case 19:
        FixEvent(9);
        break;
    case 20:
        FixEvent(10);
        break;
    default:
        return;
    }
    ShowTitle();
}
