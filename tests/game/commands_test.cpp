#include <string.h>

#include <random>
#include <vector>

#include "game_fixture.h"
#include "screens/screens.h"

class Commands : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        RestoreTextTablesOnce();
    }

    void Type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            HandleTypedChar(game.mainWindow, static_cast<unsigned char>(*c));
    }
};

// What each word does, and that it acts at its last letter, is checked by
// HostileCommands below. No word's first letter appears anywhere else, so
// the matcher only ever continues its word or starts another.
TEST_F(Commands, TheMatcherFollowsTheLowestWordThatContinuesTheHistory)
{
    // Stray letters that start no word clear the match and keep the word.
    game.commandIndex = 7;
    game.commandMatched = 2;
    Type("!");
    EXPECT_EQ(game.commandMatched, 0u);
    EXPECT_EQ(game.commandIndex, 7u);
    // The followed word keeps priority for its first letter.
    Type("m");
    EXPECT_EQ(game.commandIndex, 7u);
    EXPECT_EQ(game.commandMatched, 1u);
    // A first letter of another word switches to it at once.
    Type("f");
    EXPECT_EQ(game.commandIndex, 1u);
    EXPECT_EQ(game.commandMatched, 1u);
}

TEST_F(Commands, OddCharactersAndOtherScreensChangeNothing)
{
    Type("fa");
    const DWORD index = game.commandIndex;
    HandleTypedChar(game.mainWindow, 0);  // would match the terminator
    HandleTypedChar(game.mainWindow, 0x100 + '1');  // above 255 never matches
    EXPECT_EQ(game.commandIndex, index);
    EXPECT_EQ(game.commandMatched, 0u) << "a code above 255 matches nothing";
    Type("fa1");
    game.screen = Result;
    Type("2");
    EXPECT_EQ(game.frameInterval, 16u);
    EXPECT_EQ(game.commandMatched, 3u) << "the half-typed word survives";
    game.screen = Title;
    Type("2");
    EXPECT_EQ(game.frameInterval, 12u);
    EXPECT_EQ(game.commandMatched, 4u) << "the completed word stays as history";
    Type("2");
    EXPECT_EQ(game.commandMatched, 0u);
}

TEST_F(Commands, TheShutdownWordAsksOnceThenClosesTheWindow)
{
    PlatformRecordShutdown(TRUE, FALSE);
    PlatformInjectKey(game.mainWindow, VK_RETURN, TRUE, FALSE, nullptr);
    PlatformInjectKey(game.mainWindow, VK_RETURN, FALSE, FALSE, nullptr);
    Type(commands[15].word);
    EXPECT_EQ(PlatformShutdownRequests(), 1);
    DrainMessages();
    EXPECT_FALSE(IsWindow(game.mainWindow));
    EXPECT_TRUE(quitSeen);
    EXPECT_EQ(quitCode, 0u);
}

TEST_F(Commands, TheQuitWordsCloseTheWindowWhateverTheBoxSays)
{
    PlatformInjectKey(game.mainWindow, VK_ESCAPE, TRUE, FALSE, nullptr);
    PlatformInjectKey(game.mainWindow, VK_ESCAPE, FALSE, FALSE, nullptr);
    Type(commands[6].word);
    EXPECT_TRUE(IsWindow(game.mainWindow));
    DrainMessages();  // the close request is handled by the loop
    EXPECT_FALSE(IsWindow(game.mainWindow));
    EXPECT_TRUE(quitSeen);
}

namespace {
// The settings a command word can change.
struct Settings {
    DWORD frameInterval;
    LONG backgroundMode, bulletSetting, boostPriority, fixedEvent, eventKind;

    bool operator==(const Settings& o) const { return memcmp(this, &o, sizeof o) == 0; }
};

Settings Current()
{
    return {game.frameInterval, game.backgroundMode, game.bulletSetting,
            game.boostPriority, game.fixedEvent,     game.eventKind};
}

// What word `index` leaves behind, from `s`.
Settings After(Settings s, int index)
{
    switch (index) {
    case 0: s.frameInterval = 16, s.backgroundMode = 2, s.bulletSetting = 1, s.boostPriority = 1, s.fixedEvent = 0; break;
    case 1: s.frameInterval = 12; break;
    case 2: s.backgroundMode = 0; break;
    case 3: s.backgroundMode = 1; break;
    case 4: s.backgroundMode = 2; break;
    case 5: s.bulletSetting = 0; break;
    case 7: s.bulletSetting = 3; break;
    case 8: s.frameInterval = 0; break;
    case 9: s.frameInterval = 0, s.backgroundMode = 2, s.bulletSetting = 2; break;
    case 10: s.boostPriority = 1; break;
    case 11: s.boostPriority = 0; break;
    case 12: s.frameInterval = 0, s.backgroundMode = 2, s.bulletSetting = 3; break;
    case 13: s.bulletSetting = 2; break;
    case 14: s.frameInterval = 16; break;
    case 18: s.frameInterval = 24; break;
    case 19: s.fixedEvent = 1, s.eventKind = 9; break;
    case 20: s.fixedEvent = 1, s.eventKind = 10; break;
    default: break;  // the dialogs and the quit words change no setting
    }
    return s;
}

bool Quits(int index)
{
    return index == 6 || index == 15;
}

bool OpensDialog(int index)
{
    return Quits(index) || index == 16 || index == 17;
}
}  // namespace

// The command matcher under a stream of arbitrary characters: every
// printable one, NUL, codes above 255, the high half of the byte range,
// stray letters of the words, whole words, and characters typed on other
// screens. The test keeps its own record of what was typed on the title
// screen and checks the matcher against it after every character.
class HostileCommands : public Commands {
protected:
    // The word the typed history now ends with, or -1. The words start
    // with letters found nowhere else in any word, so at most one fits.
    int WordEndingHistory() const
    {
        for (int k = 0; k < kCommandWordCount; ++k) {
            size_t length = strlen(commands[k].word);
            if (history.size() < length)
                continue;
            bool fits = true;
            for (size_t i = 0; i < length && fits; ++i)
                fits = history[history.size() - length + i] == static_cast<unsigned char>(commands[k].word[i]);
            if (fits)
                return k;
        }
        return -1;
    }

    // Types one character and checks everything that may and may not follow.
    void Type(UINT c)
    {
        SCOPED_TRACE(testing::Message() << "character " << c << " after " << history.size() << " on the title");
        const bool counted = game.screen == Title && c != 0;  // NUL is ignored
        const Settings before = Current();
        const Screen screen = game.screen;
        const DWORD indexBefore = game.commandIndex, matchedBefore = game.commandMatched;
        if (counted)
            history.push_back(c);
        const int completes = counted ? WordEndingHistory() : -1;
        if (completes >= 0 && OpensDialog(completes)) {
            // The dialog is modal: a queued Esc closes it.
            PlatformInjectKey(game.mainWindow, VK_ESCAPE, TRUE, FALSE, nullptr);
            PlatformInjectKey(game.mainWindow, VK_ESCAPE, FALSE, FALSE, nullptr);
        }
        const unsigned presents = PlatformPresentCount(game.mainWindow);
        const int shutdowns = PlatformShutdownRequests();

        HandleTypedChar(game.mainWindow, c);

        // What is left in the queue is looked at, not handled: a close
        // request must not end the test's window.
        bool closeRequested = false;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            closeRequested = closeRequested || msg.message == WM_CLOSE;

        const DWORD n = game.commandMatched;
        const char* word = commands[game.commandIndex].word;
        ASSERT_LT(game.commandIndex, static_cast<DWORD>(kCommandWordCount));
        ASSERT_LE(n, strlen(word)) << "matched past the end of word " << game.commandIndex;
        if (!counted) {
            EXPECT_EQ(game.commandIndex, indexBefore);
            EXPECT_EQ(n, matchedBefore);
        }
        // The last n characters typed are the first n of the followed word.
        ASSERT_LE(n, history.size());
        for (DWORD i = 0; i < n; ++i)
            ASSERT_EQ(history[history.size() - n + i], static_cast<unsigned char>(word[i]))
                << "word " << game.commandIndex << " matched " << n;

        const bool acted = PlatformPresentCount(game.mainWindow) != presents;
        ASSERT_EQ(acted, completes >= 0) << "a word acts exactly when it is completed";
        if (completes >= 0) {
            EXPECT_EQ(game.commandIndex, static_cast<DWORD>(completes));
            EXPECT_EQ(n, strlen(commands[completes].word));
            ++completions[completes];
        }
        EXPECT_EQ(Current(), completes >= 0 ? After(before, completes) : before);
        EXPECT_EQ(closeRequested, completes >= 0 && Quits(completes));
        EXPECT_EQ(PlatformShutdownRequests() - shutdowns, completes == 15 ? 1 : 0);
        EXPECT_TRUE(IsWindow(game.mainWindow));
        EXPECT_EQ(game.screen, screen) << "typing never changes the screen";
    }

    std::vector<UINT> history;  // what reached the matcher on the title
    int completions[kCommandWordCount] = {};
};

TEST_F(HostileCommands, ArbitraryCharactersNeverBreakTheMatcher)
{
    // The words' own characters, to make completions likely.
    std::vector<UINT> letters;
    for (int k = 0; k < kCommandWordCount; ++k)
        for (const char* p = commands[k].word; *p; ++p)
            letters.push_back(static_cast<unsigned char>(*p));

    for (UINT c = 0x20; c < 0x7F; ++c)
        Type(c);
    for (int k = 0; k < kCommandWordCount; ++k)
        for (const char* p = commands[k].word; *p; ++p)
            Type(static_cast<unsigned char>(*p));

    std::mt19937 random(20240607);
    auto below = [&](UINT n) { return static_cast<UINT>(random() % n); };
    for (int i = 0; i < 20000 && !HasFatalFailure(); ++i) {
        UINT kind = below(100);
        if (kind < 40) {
            Type(letters[below(static_cast<UINT>(letters.size()))]);
        } else if (kind < 52) {
            for (const char* p = commands[below(kCommandWordCount)].word; *p && !HasFatalFailure(); ++p)
                Type(static_cast<unsigned char>(*p));
        } else if (kind < 67) {
            Type(0x20 + below(0x5F));  // printable
        } else if (kind < 75) {
            Type(0);
        } else if (kind < 85) {
            Type(0x100 + below(0xFF00));  // above 255: matches nothing
        } else if (kind < 93) {
            Type(0x80 + below(0x80));
        } else {
            // A few characters on another screen change nothing.
            game.screen = static_cast<Screen>(1 + below(3));
            for (int j = 0; j < 3; ++j)
                Type(letters[below(static_cast<UINT>(letters.size()))]);
            game.screen = Title;
        }
    }
    for (int k = 0; k < kCommandWordCount; ++k)
        EXPECT_GT(completions[k], 0) << "word " << k << " was never completed";
}
