// The matcher follows one word at a time: the characters matched so far
// are the first characters of that word, which is all the typed history it
// keeps. When the word being followed diverges, the lowest-numbered word
// that continues the longest tail of that history takes over.
#include "screens/commands.h"

#include "app/game_context.h"
#include "app/text_tables.h"
#include "screens/title.h"

namespace {
bool Continues(DWORD word, DWORD position, UINT c)
{
    return static_cast<unsigned char>(commandWords[word][position]) == c;
}

// Does word k start with the m characters of word w from position s?
bool StartsWithTail(DWORD k, DWORD w, DWORD s, DWORD m)
{
    for (DWORD i = 0; i < m; ++i)
        if (commandWords[k][i] != commandWords[w][s + i])
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
    if (commandWords[game.commandIndex][game.commandMatched] == 0)
        RunCommand(window, game.commandIndex);
}
