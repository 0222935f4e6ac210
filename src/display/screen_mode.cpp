// The three screen modes: 320 x 240, 640 x 480, and the whole screen.
#include "app/game_context.h"
#include "display/surfaces.h"

namespace {
constexpr LONG kFramedStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

void ApplyScreenMode(int mode)
{
    // -1 is the dialog's "no change"; nothing else but 0..2 is a mode.
    if (mode < 0 || mode > 2)
        return;
    game.screenMode = mode;
    LONG style = GetWindowLongA(game.mainWindow, GWL_STYLE);
    int width = kPictureWidth;
    int height = kPictureHeight;
    DWORD frame = kFramedStyle;
    if (mode == 0) {
        style |= kFramedStyle;
    } else if (mode == 1) {
        SetStretchBltMode(game.windowDc, COLORONCOLOR);
        game.stripHeight = 32;
        game.outputWidth = width = 640;
        game.outputHeight = height = 480;
        style |= kFramedStyle;
    } else {
        SetStretchBltMode(game.windowDc, COLORONCOLOR);
        game.outputWidth = width = GetSystemMetrics(SM_CXSCREEN);
        game.outputHeight = height = GetSystemMetrics(SM_CYSCREEN);
        game.stripHeight = static_cast<LONG>(static_cast<DWORD>(game.outputHeight) * 16u / 240u);
        style &= ~kFramedStyle;
        frame = 0;
    }
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, frame, FALSE, 0);
    SetWindowLongA(game.mainWindow, GWL_STYLE, style);
    SetWindowPos(game.mainWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
}
