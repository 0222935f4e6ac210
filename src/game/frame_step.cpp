// One game step: clear, stars, bullets, craft (or its explosion), the top
// strip's labels, present.
#include "game/frame_step.h"

#include "app/game_context.h"
#include "display/surfaces.h"
#include "game/banner.h"
#include "game/bullets.h"
#include "game/craft.h"
#include "game/run.h"
#include "game/stars.h"

void PresentFrame(bool stripComposed)
{
    const int strip = 16;
    if (game.screenMode == 0) {
        if (!stripComposed) {
            BitBlt(game.windowDc, 0, 0, kPictureWidth, kPictureHeight, game.frameDc, 0, 0, SRCCOPY);
            return;
        }
        BitBlt(game.windowDc, 0, 0, kPictureWidth, strip, game.composeDc, 0, 0, SRCCOPY);
        BitBlt(game.windowDc, 0, strip, kPictureWidth, kPictureHeight - strip, game.frameDc, 0, strip, SRCCOPY);
        return;
    }
    if (!stripComposed) {
        StretchBlt(game.windowDc, 0, 0, game.outputWidth, game.outputHeight, game.frameDc, 0, 0, kPictureWidth,
                   kPictureHeight, SRCCOPY);
        return;
    }
    StretchBlt(game.windowDc, 0, 0, game.outputWidth, game.stripHeight, game.composeDc, 0, 0, kPictureWidth, strip,
               SRCCOPY);
    StretchBlt(game.windowDc, 0, game.stripHeight, game.outputWidth, game.outputHeight - game.stripHeight,
               game.frameDc, 0, strip, kPictureWidth, kPictureHeight - strip, SRCCOPY);
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
    PresentFrame(composed);
}
