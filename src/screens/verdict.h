// The verdict screen and the table that chooses its texts.
#pragma once

#include <stddef.h>
#include <windows.h>

struct RankEntry {
    DWORD threshold;  // applies when frameCount x 16 reaches it
    BYTE first;       // first piece of the top-left line; 0 none
    BYTE second;      // second piece of the top-left line; 0 none
    BYTE bigLine;     // the headline; 0 none
    BYTE bottomLine;  // the bottom-right remark; 0 none
};

constexpr int kRankEntries = 74;
extern const RankEntry rankTable[kRankEntries];

// The row for a run that lasted `frameCount` steps.
const RankEntry& FindRank(DWORD frameCount);
// Height of the headline's font: its bytes fill 320 pixels, at most 80.
LONG BigLineHeight(size_t length);
// Draws the verdict of the last run and shows it.
void ShowVerdict();
