// The result screen: "失格" and the run's figures over its last picture.
#include "core/game_context.h"
#include "core/system_text.h"
#include "display/display.h"
#include "screens/screens.h"

namespace {
constexpr UINT kBigFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kLineFormat = DT_CENTER | DT_SINGLELINE | DT_NOPREFIX;
constexpr UINT kBottomFormat = DT_CENTER | DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX;
constexpr int kLineSpacing = 24;

void DrawLine(const char* text, int count, RECT* box, UINT format)
{
    DrawTextA(game.composeDc, text, count, box, format);
}

// The run's length as the paced game counted it: one interval per step,
// or a millisecond per step at full speed.
DWORD ActiveTime()
{
    return game.frameInterval != 0 ? game.frameCount * game.frameInterval : game.frameCount;
}
}  // namespace

void ShowResult(DWORD survivalMs)
{
    HFONT bigFont = MakeFont(80);
    HFONT figureFont = MakeFont(16);
    HDC dc = game.composeDc;
    HGDIOBJ keptFont = SelectObject(dc, bigFont);
    SetTextColor(dc, kTextColour);
    SetBkMode(dc, TRANSPARENT);  // the figures stand over the last frame
    RECT box = {0, 0, kPictureWidth, 120};
    DrawLine("失格", 4, &box, kBigFormat);

    SelectObject(dc, figureFont);
    box = {0, 120, kPictureWidth, kPictureHeight};
    char line[256];
    int length = wsprintfA(line, "生存時間 %d.%03d秒", survivalMs / 1000, survivalMs % 1000);
    DrawLine(line, length, &box, kLineFormat);
    DWORD active = ActiveTime();
    if (active != survivalMs) {
        box.top += kLineSpacing;
        length = wsprintfA(line, "活動時間 %d.%03d秒", active / 1000, active % 1000);
        DrawLine(line, length, &box, kLineFormat);
    }
    box.top += kLineSpacing;
    length = wsprintfA(line, "弾数 %d発", game.activeBullets);
    DrawLine(line, length, &box, kLineFormat);
    if (game.nearMissScore != 0) {
        box.top += kLineSpacing;
        length = wsprintfA(line, "絶妙度 %d%%", game.nearMissScore);
        DrawLine(line, length, &box, kLineFormat);
    }
    if (game.frameInterval == 0) {
        // At full speed the measured rate stands on the bottom edge.
        if (survivalMs != 0) {
            unsigned long long steps = game.frameCount;
            length = wsprintfA(line, "%d.%03dfps", static_cast<DWORD>(steps * 1000 / survivalMs),
                               static_cast<DWORD>(steps * 1000000 / survivalMs % 1000));
        } else {
            lstrcpyA(line, "計測不能");
            length = 8;
        }
        DrawLine(line, length, &box, kBottomFormat);
    }

    SelectObject(dc, keptFont);
    DeleteObject(bigFont);
    DeleteObject(figureFont);
    PresentImage(dc);
    game.screen = Result;
    game.running = 0;
}
