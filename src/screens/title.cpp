// The title screen: the name, the settings that differ from the start
// ones, and the prompt to start.
#include "core/game_context.h"
#include "core/system_text.h"
#include "display/display.h"
#include "screens/screens.h"

namespace {
constexpr UINT kNameFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kLineFormat = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kLineSpacing = 20;

// The setting lines, one per setting at most; null draws nothing.
const char* BulletLine()
{
    switch (game.bulletSetting) {
    case 0:
        return "臆病者向け 30発";
    case 2:
        return "大盛り 100発";
    case 3:
        return "怒濤の 200発";
    default:
        return nullptr;
    }
}

const char* BackgroundLine()
{
    switch (game.backgroundMode) {
    case 0:
        return "背景省略";
    case 1:
        return "簡易背景";
    default:
        return nullptr;
    }
}

const char* RateLine()
{
    switch (game.frameInterval) {
    case 0:
        return "勢い余って全速力";
    case 12:
        return "なんとなく80フレーム/秒";
    case 24:
        return "まったりできる40フレーム/秒";
    default:
        return nullptr;
    }
}

// A fixed event always takes a line; one without a name leaves it empty.
const char* EventLine()
{
    switch (game.eventKind) {
    case RampageEvent:
        return "まったり";
    case FromAboveEvent:
        return "上から来るぞ気をつけろ";
    default:
        return "";
    }
}

void DrawLine(const char* text, int* position)
{
    if (text == nullptr)
        return;
    RECT r = {0, 120 + kLineSpacing * *position, kPictureWidth, kPictureHeight};
    DrawTextA(game.composeDc, text, -1, &r, kLineFormat);
    ++*position;
}
}  // namespace

void ShowTitle()
{
    HFONT nameFont = MakeFont(80);
    HFONT listFont = MakeFont(14);
    HFONT promptFont = MakeFont(20);
    HDC dc = game.composeDc;
    PatBlt(dc, 0, 0, kPictureWidth, kPictureHeight, BLACKNESS);
    HGDIOBJ keptFont = SelectObject(dc, nameFont);
    SetTextColor(dc, kTextColour);
    SetBkColor(dc, kTextBackground);
    RECT nameBox = {0, 0, kPictureWidth, 120};
    DrawTextA(dc, "避練", 4, &nameBox, kNameFormat);

    SelectObject(dc, listFont);
    int position = 0;
    DrawLine(BulletLine(), &position);
    DrawLine(BackgroundLine(), &position);
    DrawLine(game.boostPriority == 0 ? "他のプロセスと協調する" : nullptr, &position);
    DrawLine(RateLine(), &position);
    DrawLine(game.fixedEvent != 0 ? EventLine() : nullptr, &position);

    SelectObject(dc, promptFont);
    RECT promptBox = {0, 200, kPictureWidth, kPictureHeight};
    DrawTextA(dc, "Enterで避練開始", 15, &promptBox, kLineFormat);

    SelectObject(dc, keptFont);
    DeleteObject(nameFont);
    DeleteObject(listFont);
    DeleteObject(promptFont);
    PresentImage(dc);
    game.screen = Title;
    game.running = 0;
}
