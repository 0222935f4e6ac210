// The four screens and the way between them: the title (where command
// words are typed), a run being played, the result and the verdict. The
// action button (Enter, Space, a joystick button) moves from each to the
// next; a run ends by itself at the hit.
#pragma once

#include <stddef.h>
#include <windows.h>

#include "core/stored_text.h"

// --- The title (title.cpp) ---

// Draws the title into the compose picture, shows it, and makes it the
// current screen: the name, the settings that differ from the start ones,
// and the prompt.
void ShowTitle();

// --- A run (run.cpp): from the action button on the title to the end of
// the explosion ---

// Puts every per-run field in its start state and switches the game on.
void StartRun();
// One game step: clear, stars, bullets, craft (or its explosion), the top
// strip's labels, present. Ends the run once the explosion has played out.
void GameStep();
// Non-zero pauses the run, 0 resumes it; acts only while Playing.
void SetPaused(DWORD pause);
// Switches the game off and shows the next screen.
void EndRun(HWND window);

// --- The result (result.cpp): "失格" and the run's figures over its last
// picture ---

// Shows the result of a run that survived `survivalMs` milliseconds.
void ShowResult(DWORD survivalMs);

// --- The verdict (verdict.cpp): a headline, a remark and a two-piece
// title chosen by how many steps the craft survived ---

struct RankEntry {
    DWORD threshold;  // applies when frameCount x 16 reaches it
    BYTE first;       // first piece of the top-left line; 0 none
    BYTE second;      // second piece of the top-left line; 0 none
    BYTE bigLine;     // the headline; 0 none
    BYTE bottomLine;  // the bottom-right remark; 0 none
};

constexpr int kRankEntries = 74;
extern const RankEntry rankTable[kRankEntries];

// Slot 0 means no message; slots 1..119 hold the messages in stored order.
constexpr int kMessageSlots = 120;
// Built by RestoreVerdictMessages.
extern const char* messageTable[kMessageSlots];

// Restores the stored messages in place and fills messageTable; once, at
// start-up.
void RestoreVerdictMessages();
// Restores a stored run in place and points slots 1.. at its messages;
// slot 0 is null. Stops at the run's empty string or when the slots are
// full.
void BuildMessageTable(char* run, const char** slots, int slotCount);

// The row for a run that lasted `frameCount` steps.
const RankEntry& FindRank(DWORD frameCount);
// Height of the headline's font: its bytes fill 320 pixels, at most 80.
LONG BigLineHeight(size_t length);
// Draws the verdict of the last run and shows it.
void ShowVerdict();

// --- The player's commands (commands.cpp) ---

// The screen's action (Enter, Space, a joystick button): starts a run on
// the title, pauses or resumes it, and moves on from the result and the
// verdict.
void ActionButton();

// A command word and what it does. Each word starts with its own
// consonant and goes on with vowels and digits alone, so no word's first
// letter appears anywhere else: typing a word in full always completes
// it, at its last letter. The word is kept complemented in the program's
// data (see core/stored_text.h) until RestoreCommandWords.
struct Command {
    char word[8];
    void (*action)(HWND window);  // the title is drawn again after it

    template <size_t N>
    constexpr Command(const char (&plain)[N], void (*what)(HWND window)) : word{}, action(what)
    {
        static_assert(N <= sizeof word, "a command word has at most 7 letters");
        for (size_t i = 0; i < N; ++i)
            word[i] = StoredByte(plain[i]);
    }
};

constexpr int kCommandWordCount = 21;
// The words in matching order: where two words could take over, the lower
// one does.
extern Command commands[kCommandWordCount];

// Restores the command words in place; once, at start-up.
void RestoreCommandWords();
// Follows one typed character (a WM_CHAR code); a completed word runs its
// action and the title is drawn again. Acts only on the title screen.
void HandleTypedChar(HWND window, UINT c);
