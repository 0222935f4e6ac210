// The player's commands to the screens: the action button, and the command
// words typed on the title.
//
// The matcher follows one word at a time: the characters matched so far
// are the first characters of that word, which is all the typed history it
// keeps. When the word being followed diverges, the lowest-numbered word
// that continues the longest tail of that history takes over.
#include "core/game_context.h"
#include "dialogs/dialogs.h"
#include "screens/screens.h"

namespace {
void Quit(HWND window, LPARAM shutDown)
{
    RunDialog(IDD_QUIT, window, QuitDialogProc, shutDown);
    if (shutDown)
        RequestShutdown();
    // The frame loop handles the close after the title is redrawn.
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void FullSpeed(LONG bullets)
{
    game.frameInterval = 0;
    game.backgroundMode = 2;
    game.bulletSetting = bullets;
}

void FixEvent(AttackEvent kind)
{
    game.fixedEvent = 1;
    game.eventKind = kind;
}
}  // namespace

Command commands[kCommandWordCount] = {
    // The start settings (the event itself ends with the next run).
    {"reiaou",
     [](HWND) {
         game.frameInterval = 16;
         game.backgroundMode = 2;
         game.bulletSetting = 1;
         game.boostPriority = 1;
         game.fixedEvent = 0;
     }},
    {"fa12", [](HWND) { game.frameInterval = 12; }},  // a step every 12 ms
    {"ba0", [](HWND) { game.backgroundMode = 0; }},   // no stars
    {"da1", [](HWND) { game.backgroundMode = 1; }},   // the near stars only
    {"ga2", [](HWND) { game.backgroundMode = 2; }},   // all three star layers
    {"se30", [](HWND) { game.bulletSetting = 0; }},   // 30 bullets
    {"quie", [](HWND window) { Quit(window, 0); }},   // quit
    {"ma200", [](HWND) { game.bulletSetting = 3; }},  // 200 bullets
    {"xaoe0", [](HWND) { game.frameInterval = 0; }},  // as fast as the machine can go
    {"hi100", [](HWND) { FullSpeed(2); }},            // full speed, all stars, 100 bullets
    {"poo1", [](HWND) { game.boostPriority = 1; }},   // raise the priority while playing
    {"noo0", [](HWND) { game.boostPriority = 0; }},   // leave the priority alone
    {"zo200", [](HWND) { FullSpeed(3); }},            // full speed, all stars, 200 bullets
    {"lo100", [](HWND) { game.bulletSetting = 2; }},  // 100 bullets
    {"ta16", [](HWND) { game.frameInterval = 16; }},  // a step every 16 ms
    {"kaoe", [](HWND window) { Quit(window, 1); }},   // quit and power off
    {"vei", [](HWND window) { RunDialog(IDD_ABOUT, window, AboutDialogProc, 0); }},
    {"caea", [](HWND window) { RunDialog(IDD_BENCHMARK, window, BenchmarkDialogProc, 0); }},
    {"wa24", [](HWND) { game.frameInterval = 24; }},   // a step every 24 ms
    {"ju9", [](HWND) { FixEvent(RampageEvent); }},     // every run a rampage
    {"ye10", [](HWND) { FixEvent(FromAboveEvent); }},  // every run from above
};

void RestoreCommandWords()
{
    for (Command& command : commands)
        ComplementText(command.word);
}

void ActionButton()
{
    switch (game.screen) {
    case Title:
        StartRun();
        break;
    case Playing:
        SetPaused(game.pauseStart != 0 ? 0 : 1);
        break;
    case Result:
        ShowVerdict();
        break;
    case Verdict:
        ShowTitle();
        break;
    default:
        break;
    }
}

namespace {
bool Continues(DWORD word, DWORD position, UINT c)
{
    return static_cast<unsigned char>(commands[word].word[position]) == c;
}

// Does word k start with the m characters of word w from position s?
bool StartsWithTail(DWORD k, DWORD w, DWORD s, DWORD m)
{
    for (DWORD i = 0; i < m; ++i)
        if (commands[k].word[i] != commands[w].word[s + i])
            return false;
    return true;
}

bool Switch(DWORD n, UINT c)
{
    const DWORD w = game.commandIndex;
    for (DWORD k = 0; k < kCommandWordCount; ++k)
        for (DWORD s = 0; s < n; ++s) {
            DWORD m = n - s;
            if (StartsWithTail(k, w, s, m) && Continues(k, m, c)) {
                game.commandIndex = k;
                game.commandMatched = m + 1;
                return true;
            }
        }
    return false;
}

bool Restart(UINT c)
{
    for (DWORD k = 0; k < kCommandWordCount; ++k)
        if (Continues(k, 0, c)) {
            game.commandIndex = k;
            game.commandMatched = 1;
            return true;
        }
    return false;
}
}  // namespace

void HandleTypedChar(HWND window, UINT c)
{
    if (game.screen != Title)
        return;
    // A NUL would match a word's terminator and run past its end; it is
    // not a character anyone can type, so it is ignored.
    if (c == 0)
        return;
    const DWORD n = game.commandMatched;
    if (Continues(game.commandIndex, n, c))
        game.commandMatched = n + 1;
    else if ((n == 0 || !Switch(n, c)) && !Restart(c)) {
        game.commandMatched = 0;
        return;
    }
    if (commands[game.commandIndex].word[game.commandMatched] != 0)
        return;
    commands[game.commandIndex].action(window);
    ShowTitle();
}
