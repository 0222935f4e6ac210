#include "app/text_tables.h"

const char* messageTable[kMessageSlots];

size_t ComplementText(char* text)
{
    size_t count = 0;
    while (text[count] != 0) {
        text[count] = static_cast<char>(~static_cast<unsigned char>(text[count]));
        ++count;
    }
    return count + 1;
}

void BuildMessageTable(char* run, const char** slots, int slotCount)
{
    slots[0] = nullptr;
    int slot = 1;
    while (*run != 0 && slot < slotCount) {
        slots[slot++] = run;
        run += ComplementText(run);
    }
    while (slot < slotCount)
        slots[slot++] = nullptr;
}

void RestoreTextTables()
{
    for (char* word : commandWords)
        ComplementText(word);
    BuildMessageTable(storedMessages, messageTable, kMessageSlots);
}
