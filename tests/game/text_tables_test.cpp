#include "game_fixture.h"

#include <set>
#include <string.h>
#include <string>

#include "screens/screens.h"

TEST(MessageTable, SlotZeroIsNullAndTheSlotsBoundTheWalk)
{
    static_assert(CountMessages("a\0bc\0") == 2, "two messages before the empty one");
    static_assert(CountMessages("unclosed") == static_cast<size_t>(-1), "a run must close");
    // Stored as the program's data holds it: complemented, with plain NULs.
    auto stored = Complemented("first\0\x83\x41second\0third\0");
    const char* slots[kMessageSlots];
    for (auto& slot : slots)
        slot = "stale";
    BuildMessageTable(stored.bytes, slots, kMessageSlots);
    EXPECT_EQ(slots[0], nullptr);
    EXPECT_STREQ(slots[1], "first");
    EXPECT_STREQ(slots[2], "\x83\x41second");
    EXPECT_STREQ(slots[3], "third");
    EXPECT_EQ(slots[4], nullptr);

    // A run of 125 messages fills slots 1..119 and stops there.
    std::string run;
    for (int i = 0; i < 125; ++i)
        run += {static_cast<char>(~('a' + i % 25)), '\0'};
    run += '\0';
    BuildMessageTable(&run[0], slots, kMessageSlots);
    EXPECT_STREQ(slots[1], "a");
    EXPECT_STREQ(slots[119], "s");  // the 119th message
    EXPECT_EQ(slots[119], run.data() + 2 * 118);
}

TEST(CommandWords, RestoreToTwentyOneWordsThatCanAlwaysBeCompleted)
{
    RestoreTextTablesOnce();
    std::set<char> firsts;
    for (const Command& command : commands) {
        ASSERT_GT(strlen(command.word), 1u);
        firsts.insert(command.word[0]);
    }
    // All first letters differ, and no word holds any first letter again:
    // typing a word always completes it at its last letter.
    EXPECT_EQ(firsts.size(), 21u);
    for (const Command& command : commands) {
        const char* word = command.word;
        for (const char* c = word + 1; *c; ++c) {
            EXPECT_EQ(firsts.count(*c), 0u) << word;
            EXPECT_TRUE(*c >= 0x21 && *c <= 0x7E) << word;
        }
    }
    EXPECT_EQ(messageTable[0], nullptr);
    EXPECT_NE(messageTable[119], nullptr);
    EXPECT_STREQ(messageTable[35], "避練神") << "the messages read as text again";
}
