// Showing the picture of record in the window.
#include "app/game_context.h"
#include "display/surfaces.h"

void PresentImage(HDC source)
{
    if (game.screenMode == 0)
        BitBlt(game.windowDc, 0, 0, kPictureWidth, kPictureHeight, source, 0, 0, SRCCOPY);
    else
        StretchBlt(game.windowDc, 0, 0, game.outputWidth, game.outputHeight, source, 0, 0, kPictureWidth,
                   kPictureHeight, SRCCOPY);
}

void PaintWindow(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // While a run is being played the frame image is the picture; otherwise
    // (title, result, verdict, or a paused run) the compose picture is.
    HDC source = (game.running == 1 && game.pauseStart == 0) ? game.frameDc : game.composeDc;
    if (game.screenMode == 0) {
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left, r.top, SRCCOPY);
    } else {
        StretchBlt(dc, 0, 0, game.outputWidth, game.outputHeight, source, 0, 0, kPictureWidth, kPictureHeight,
                   SRCCOPY);
    }
    EndPaint(window, &paint);
}
