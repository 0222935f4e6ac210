#include "game_fixture.h"

#include <set>
#include <string.h>

#include "app/text_tables.h"

TEST(ComplementText, InvertsEveryByteBeforeTheNulAndCountsIt)
{
    char empty[] = "";
    EXPECT_EQ(ComplementText(empty), 1u);
    EXPECT_EQ(empty[0], 0);

    char word[] = "abc";
    EXPECT_EQ(ComplementText(word), 4u);
    EXPECT_EQ(static_cast<unsigned char>(word[0]), 0xFF - 'a');
    EXPECT_EQ(static_cast<unsigned char>(word[2]), 0xFF - 'c');
    EXPECT_EQ(word[3], 0);
    EXPECT_EQ(ComplementText(word), 4u);
    EXPECT_STREQ(word, "abc");
}

TEST(StoredText, IsComplementedAtCompileTimeWithPlainNuls)
{
    constexpr StoredText<8> stored = Complemented("避練\0ab");
    static_assert(sizeof("避練") == 5, "Shift-JIS: two bytes a character");
    EXPECT_EQ(static_cast<unsigned char>(stored.bytes[0]), 0xFF - 0x94);
    EXPECT_EQ(static_cast<unsigned char>(stored.bytes[1]), 0xFF - 0xF0);
    EXPECT_EQ(static_cast<unsigned char>(stored.bytes[2]), 0xFF - 0x97);
    EXPECT_EQ(static_cast<unsigned char>(stored.bytes[3]), 0xFF - 0xFB);
    EXPECT_EQ(stored.bytes[4], 0);
    EXPECT_EQ(static_cast<unsigned char>(stored.bytes[5]), 0xFF - 'a');
    EXPECT_EQ(stored.bytes[7], 0);
    static_assert(CountMessages("a\0bc\0") == 2, "two messages before the empty one");
    static_assert(CountMessages("") == 0, "an empty run");
    static_assert(CountMessages("unclosed") == static_cast<size_t>(-1), "a run must close");
}

namespace {
// 125 one-letter messages: more than the slots hold.
StoredText<251> longRun = Complemented(
    "a\0b\0c\0d\0e\0f\0g\0h\0i\0j\0k\0l\0m\0n\0o\0p\0q\0r\0s\0t\0u\0v\0w\0x\0y\0"
    "a\0b\0c\0d\0e\0f\0g\0h\0i\0j\0k\0l\0m\0n\0o\0p\0q\0r\0s\0t\0u\0v\0w\0x\0y\0"
    "a\0b\0c\0d\0e\0f\0g\0h\0i\0j\0k\0l\0m\0n\0o\0p\0q\0r\0s\0t\0u\0v\0w\0x\0y\0"
    "a\0b\0c\0d\0e\0f\0g\0h\0i\0j\0k\0l\0m\0n\0o\0p\0q\0r\0s\0t\0u\0v\0w\0x\0y\0"
    "a\0b\0c\0d\0e\0f\0g\0h\0i\0j\0k\0l\0m\0n\0o\0p\0q\0r\0s\0t\0u\0v\0w\0x\0y\0");
}  // namespace

TEST(MessageTable, SlotZeroIsNullAndTheSlotsBoundTheWalk)
{
    char run[] = "first\0\x83\x41second\0third\0";  // ends in the empty string
    ComplementText(run);  // store the first two the way the data holds them
    ComplementText(run + 6);
    ComplementText(run + 15);
    const char* slots[kMessageSlots];
    for (auto& slot : slots)
        slot = "stale";
    BuildMessageTable(run, slots, kMessageSlots);
    EXPECT_EQ(slots[0], nullptr);
    EXPECT_STREQ(slots[1], "first");
    EXPECT_STREQ(slots[2], "\x83\x41second");
    EXPECT_STREQ(slots[3], "third");
    EXPECT_EQ(slots[4], nullptr);

    // A run longer than the table fills slots 1..119 and stops there.
    BuildMessageTable(longRun.bytes, slots, kMessageSlots);
    EXPECT_EQ(slots[0], nullptr);
    EXPECT_STREQ(slots[1], "a");
    EXPECT_STREQ(slots[119], "s");  // the 119th message
    EXPECT_EQ(slots[119], longRun.bytes + 2 * 118);
}

TEST(CommandWords, RestoreToTwentyOneWordsThatCanAlwaysBeCompleted)
{
    RestoreTextTablesOnce();
    std::set<char> firsts;
    for (const char* word : commandWords) {
        ASSERT_GT(strlen(word), 1u);
        firsts.insert(word[0]);
    }
    // All first letters differ, and no word holds any first letter again:
    // typing a word always completes it at its last letter.
    EXPECT_EQ(firsts.size(), 21u);
    for (const char* word : commandWords) {
        for (const char* c = word + 1; *c; ++c) {
            EXPECT_EQ(firsts.count(*c), 0u) << word;
            EXPECT_GE(*c, 0x21);
            EXPECT_LE(*c, 0x7E);
        }
    }
    EXPECT_EQ(messageTable[0], nullptr);
    EXPECT_NE(messageTable[119], nullptr);
    EXPECT_STREQ(messageTable[35], "避練神") << "the messages read as text again";
}
