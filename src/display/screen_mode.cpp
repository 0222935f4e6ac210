// The three screen modes (320 x 240, 640 x 480 and the whole screen) and
// how a picture reaches the window in each.
#include "core/game_context.h"
#include "display/display.h"

namespace {
constexpr RECT kWholePicture = {0, 0, kPictureWidth, kPictureHeight};
}  // namespace

void PresentPicture(HDC target, HDC picture, HDC topLines, const RECT& area)
{
    const int rest = kPictureHeight - kStripLines;
    if (game.screenMode == 0) {
        if (topLines == nullptr) {
            BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, picture, area.left,
                   area.top, SRCCOPY);
            return;
        }
        BitBlt(target, 0, 0, kPictureWidth, kStripLines, topLines, 0, 0, SRCCOPY);
        BitBlt(target, 0, kStripLines, kPictureWidth, rest, picture, 0, kStripLines, SRCCOPY);
        return;
    }
    if (topLines == nullptr) {
        StretchBlt(target, 0, 0, game.outputWidth, game.outputHeight, picture, 0, 0, kPictureWidth, kPictureHeight,
                   SRCCOPY);
        return;
    }
    StretchBlt(target, 0, 0, game.outputWidth, game.stripHeight, topLines, 0, 0, kPictureWidth, kStripLines, SRCCOPY);
    StretchBlt(target, 0, game.stripHeight, game.outputWidth, game.outputHeight - game.stripHeight, picture, 0,
               kStripLines, kPictureWidth, rest, SRCCOPY);
}

void PresentImage(HDC picture, HDC topLines)
{
    PresentPicture(game.windowDc, picture, topLines, kWholePicture);
}

void PaintWindow(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // While a run is being played the frame image is the picture; otherwise
    // (title, result, verdict, or a paused run) the compose picture is.
    HDC picture = (game.running == 1 && game.pauseStart == 0) ? game.frameDc : game.composeDc;
    PresentPicture(dc, picture, nullptr, paint.rcPaint);
    EndPaint(window, &paint);
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
        game.stripHeight = 2 * kStripLines;
        game.outputWidth = width = 2 * kPictureWidth;
        game.outputHeight = height = 2 * kPictureHeight;
        style |= kFramedStyle;
    } else {
        SetStretchBltMode(game.windowDc, COLORONCOLOR);
        game.outputWidth = width = GetSystemMetrics(SM_CXSCREEN);
        game.outputHeight = height = GetSystemMetrics(SM_CYSCREEN);
        game.stripHeight = static_cast<LONG>(static_cast<DWORD>(game.outputHeight) * kStripLines / kPictureHeight);
        style &= ~kFramedStyle;
        frame = 0;
    }
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, frame, FALSE, 0);
    SetWindowLongA(game.mainWindow, GWL_STYLE, style);
    SetWindowPos(game.mainWindow, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
}
