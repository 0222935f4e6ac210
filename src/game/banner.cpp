// Every label is cut from one strip of text, drawn once white on black;
// OR-ing a cut over the frame shows the white text and leaves the frame
// as it is under the black.
#include <windows.h>

#include "core/game_context.h"
#include "display/picture.h"
#include "game/game.h"

namespace {
// Two-byte characters, then the ten marks, one byte each.
const char kBannerText[] = "加速誘導弾投下精密射撃開始高速弾低速弾上から来るぞ暴走絶妙!!!!!!!!!!";
constexpr int kBannerBytes = 68;
static_assert(sizeof(kBannerText) == kBannerBytes + 1, "the strip is 68 bytes");

// First byte and length of each label, in BannerLabelIndex order.
const struct {
    int start;
    int length;
} kLabelBytes[kBannerLabelCount] = {
    {0, 14}, {4, 10}, {14, 12}, {26, 6}, {32, 6}, {38, 12}, {50, 4}, {54, 4},
};
constexpr int kNearMissStart = 54;

// The label shown for each attack event; -1 for none.
const signed char kEventLabel[kEventKinds] = {
    -1,                  // NoEvent
    PreciseLabel,        // AimedEvent
    HomingLabel,         // Seeking12Event
    HomingLabel,         // Seeking16Event
    HomingLabel,         // Seeking20Event
    HomingLabel,         // SeekingMixedEvent
    FastLabel,           // FastEvent
    SlowLabel,           // SlowEvent
    BoostedHomingLabel,  // HomingEvent
    RampageLabel,        // RampageEvent
    FromAboveLabel,      // FromAboveEvent
    RampageLabel,        // MixedEvent
};

LONG Measure(int start, int length)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(game.composeDc, kBannerText + start, length, &size);
    return size.cx;
}

// Each label starts where the one before it in the strip ends; the tail
// "誘導弾投下" starts after "加速".
void MeasureLabels()
{
    BannerLabel* labels = game.bannerLabels;
    for (int i = 0; i < kBannerLabelCount; ++i)
        labels[i].width = Measure(kLabelBytes[i].start, kLabelBytes[i].length);
    labels[BoostedHomingLabel].x = 0;
    labels[HomingLabel].x = Measure(0, 4);
    labels[PreciseLabel].x = labels[BoostedHomingLabel].width;
    for (int i = FastLabel; i < kBannerLabelCount; ++i)
        labels[i].x = labels[i - 1].x + labels[i - 1].width;
    game.markWidth = Measure(kNearMissStart, 5) - labels[NearMissLabel].width;
    game.stripWidth = Measure(0, kBannerBytes);
}

// Copies the frame's top lines once per step, before the first label.
void CopyTopLines(bool* composed)
{
    if (*composed)
        return;
    BitBlt(game.composeDc, 0, 0, kPictureWidth, kStripLines, game.frameDc, 0, 0, SRCCOPY);
    *composed = true;
}

void Overlay(int destinationX, LONG sourceX, LONG width)
{
    BitBlt(game.composeDc, destinationX, 0, width, kStripLines, game.bannerDc, sourceX, 0, SRCPAINT);
}
}  // namespace

void BuildBannerStrip()
{
    MeasureLabels();
    game.bannerBitmap = CreateCompatibleBitmap(game.windowDc, game.stripWidth, kStripLines);
    SelectObject(game.bannerDc, game.bannerBitmap);
    HGDIOBJ previousFont = SelectObject(game.bannerDc, game.bannerFont);
    SetTextColor(game.bannerDc, kTextColour);
    SetBkColor(game.bannerDc, kTextBackground);
    TextOutA(game.bannerDc, 0, 0, kBannerText, kBannerBytes);
    SelectObject(game.bannerDc, previousFont);
}

bool ComposeTopStrip()
{
    bool composed = false;
    if (game.eventKind > NoEvent && game.eventKind < kEventKinds) {
        int label = kEventLabel[game.eventKind];
        const BannerLabel& cut = game.bannerLabels[label];
        CopyTopLines(&composed);
        Overlay(kPictureWidth - cut.width, cut.x, cut.width);
    }
    if (game.nearMissBannerTimer != 0) {
        const BannerLabel& cut = game.bannerLabels[NearMissLabel];
        CopyTopLines(&composed);
        Overlay(0, cut.x, cut.width + static_cast<LONG>(game.nearMissMarks) * game.markWidth);
        --game.nearMissBannerTimer;
    }
    return composed;
}
