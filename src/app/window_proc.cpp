// The main window's procedure: turns window messages into the game's
// actions. Keys steer (arrows and keypad), Enter and Space act, Esc pauses
// and minimises, F12 opens the screen-size dialog; leaving the window or
// touching a system key pauses a run.
#include <windows.h>

#include <mmsystem.h>

#include "app/app.h"
#include "core/game_context.h"
#include "core/system_text.h"
#include "dialogs/dialogs.h"
#include "display/display.h"
#include "game/game.h"
#include "screens/screens.h"

namespace {
constexpr LPARAM kRepeatBit = 1 << 30;

// WM_CREATE: the surfaces, then the window's start-up steps in order: the
// banner strip, the joysticks, the system menu's version item, and the
// title last. A window without its surfaces could show nothing; creation
// is refused instead (false), and start-up reports the failure.
bool StartWindow(HWND window)
{
    if (!CreateSurfaces(window))
        return false;
    BuildBannerStrip();
    CaptureJoysticks(window);
    HMENU systemMenu = GetSystemMenu(window, FALSE);
    if (systemMenu)
        InsertMenuA(systemMenu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, IDM_ABOUT, "バージョン情報(&V)");
    game.running = 0;
    if (!SurfacesComplete()) {
        ReleaseJoystick();
        FreeSurfaces();
        return false;
    }
    ShowTitle();
    return true;
}

// WM_DESTROY: frees what StartWindow made and ends the frame loop.
void EndWindow()
{
    ReleaseJoystick();
    FreeSurfaces();
    game.running = 0;
    PostQuitMessage(0);
}

bool Paused()
{
    return game.pauseStart != 0;
}

void KeyDown(HWND window, WPARAM key)
{
    switch (key) {
    case VK_RETURN:
    case VK_SPACE:
        ActionButton();
        break;
    case VK_ESCAPE:
        SetPaused(1);
        ShowWindow(window, SW_MINIMIZE);
        game.keyDown = game.keyUp = game.keyLeft = game.keyRight = 0;
        break;
    case VK_LEFT:
    case VK_NUMPAD4:
        game.keyLeft = -1;
        break;
    case VK_UP:
    case VK_NUMPAD8:
        game.keyUp = 1;
        break;
    case VK_RIGHT:
    case VK_NUMPAD6:
        game.keyRight = 1;
        break;
    case VK_DOWN:
    case VK_NUMPAD2:
        game.keyDown = -1;
        break;
    case VK_F12:
        if (game.screen != Playing)
            ApplyScreenMode(static_cast<int>(RunDialog(IDD_SCREEN_SIZE, window, ScreenSizeDialogProc, 0)));
        break;
    default:
        break;
    }
}

void KeyUp(WPARAM key)
{
    switch (key) {
    case VK_LEFT:
    case VK_NUMPAD4:
        game.keyLeft = 0;
        break;
    case VK_UP:
    case VK_NUMPAD8:
        game.keyUp = 0;
        break;
    case VK_RIGHT:
    case VK_NUMPAD6:
        game.keyRight = 0;
        break;
    case VK_DOWN:
    case VK_NUMPAD2:
        game.keyDown = 0;
        break;
    default:
        break;
    }
}
}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return StartWindow(window) ? 0 : -1;
    case WM_DESTROY:
        EndWindow();
        return 0;
    case WM_ACTIVATE:
        // Leaving the window pauses a run; coming back leaves it paused.
        if (!Paused()) {
            PollInput();
            SetPaused(1);
        }
        return 0;
    case WM_PAINT:
        PaintWindow(window);
        return 0;
    case WM_KEYDOWN:
        if ((lParam & kRepeatBit) == 0)
            KeyDown(window, wParam);
        return 0;
    case WM_KEYUP:
        KeyUp(wParam);
        return 0;
    case WM_CHAR:
        if ((lParam & kRepeatBit) == 0)
            HandleTypedChar(window, static_cast<UINT>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Pause before the system menu or Alt+F4 takes over.
        if (!Paused())
            SetPaused(1);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_COMMAND:
        // Ends a run being played, before the hit; nothing elsewhere.
        if (wParam == 1 && game.screen == Playing && game.hitPhase == 0)
            EndRun(window);
        return 0;
    case WM_SYSCOMMAND:
        if (LOWORD(wParam) == IDM_ABOUT) {
            RunDialog(IDD_ABOUT, window, AboutDialogProc, 0);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case MM_JOY1MOVE:
    case MM_JOY2MOVE:
        JoystickMoved(message - MM_JOY1MOVE, lParam);
        return 0;
    case MM_JOY1BUTTONDOWN:
    case MM_JOY2BUTTONDOWN:
        // Not in the background, not behind a dialog, not from another pad.
        if (message - MM_JOY1BUTTONDOWN == game.joystickId && GetActiveWindow() == window && IsWindowEnabled(window))
            ActionButton();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
