// The two stored text tables and their restoration at start-up.
#pragma once

#include <stddef.h>

#include "app/stored_text.h"

constexpr int kCommandWordCount = 21;
// Slot 0 means no message; slots 1..119 hold the messages in stored order.
constexpr int kMessageSlots = 120;

// A run of messages for the verdict table: checked and complemented at
// compile time; more messages than the slots can hold does not compile.
#define STORED_MESSAGE_RUN(name, run)                                                         \
    static_assert(CountMessages(run) <= static_cast<size_t>(kMessageSlots - 1),               \
                  "the verdict table holds at most 119 messages");                            \
    static_assert(HoldsNoFF(run), "a stored text may not hold the byte 0xFF");                \
    StoredText<sizeof(run)> name = Complemented(run)

// Stored complemented; plain text once RestoreTextTables has run.
extern char* const commandWords[kCommandWordCount];
extern char* const storedMessages;
// Built by RestoreTextTables.
extern const char* messageTable[kMessageSlots];

// Complements a NUL-terminated string in place; returns its length + 1.
size_t ComplementText(char* text);

// Restores both tables in place, once, at start-up.
void RestoreTextTables();

// Restores a stored run in place and points slots 1.. at its messages;
// slot 0 is null. Stops at the run's empty string or when the slots are
// full.
void BuildMessageTable(char* run, const char** slots, int slotCount);
