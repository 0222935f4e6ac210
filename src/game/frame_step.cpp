#include "game/frame_step.h"

#include "app/game_context.h"
#include "display/surfaces.h"

void GameStep()
{
    ClearFrameBuffer();
    PresentImage(game.frameDc);
}
