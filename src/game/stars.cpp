// The star field behind the craft: three layers of 50 stars scrolling down
// the screen at different speeds.
#include "core/game_context.h"
#include "display/picture.h"
#include "game/game.h"

namespace {
void Scroll(StarLayerIndex layer)
{
    LONG& offset = game.starLayers[layer].scrollOffset;
    offset = offset == 0 ? kPictureHeight - 1 : offset - 1;
}

// In every 12 steps the near layer moves 4 lines, the middle 2, the far 1.
void AdvanceScroll()
{
    switch (game.scrollPhase) {
    case 0:
        Scroll(FarStars);
        Scroll(MiddleStars);
        Scroll(NearStars);
        break;
    case 3:
    case 9:
        Scroll(NearStars);
        break;
    case 6:
        Scroll(MiddleStars);
        Scroll(NearStars);
        break;
    default:
        break;
    }
    game.scrollPhase = game.scrollPhase >= 11 ? 0 : game.scrollPhase + 1;
}

void Plot(const StarLayer& layer, int i)
{
    LONG row = layer.y[i] + layer.scrollOffset;
    if (row >= kPictureHeight)
        row -= kPictureHeight;
    game.frameBuffer[row * kPictureWidth + layer.x[i]] = layer.colour[i];
}

void SetUpStar(StarLayer& layer, int i)
{
    layer.x[i] = static_cast<WORD>(NextRandom() % kPictureWidth);
    layer.y[i] = static_cast<WORD>(NextRandom() % kPictureHeight);
    layer.colour[i] = static_cast<BYTE>(NextRandom() % 14 + 1);
}
}  // namespace

void SetUpStars()
{
    if (game.backgroundMode == 0)
        return;
    for (int i = 0; i < 50; ++i) {
        SetUpStar(game.starLayers[NearStars], i);
        SetUpStar(game.starLayers[FarStars], i);
        SetUpStar(game.starLayers[MiddleStars], i);
    }
}

void DrawStars()
{
    if (game.backgroundMode == 0)
        return;
    AdvanceScroll();
    const StarLayer* layers = game.starLayers;
    if (game.backgroundMode == 1) {
        for (int i = 0; i < 50; ++i)
            Plot(layers[NearStars], i);
        return;
    }
    for (int i = 0; i < 50; ++i) {
        Plot(layers[NearStars], i);
        Plot(layers[FarStars], i);
        Plot(layers[MiddleStars], i);
    }
}
