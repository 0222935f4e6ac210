#include "game_fixture.h"

#include <string.h>

#include <string>

#include "app/text_tables.h"
#include "screens/commands.h"

// Puts other words in the first slots for a test, and the real ones back.
class WordSwap {
public:
    explicit WordSwap(std::initializer_list<const char*> words)
    {
        int i = 0;
        for (const char* word : words) {
            saved_[i] = commandWords[i];
            size_t room = saved_[i].size();
            EXPECT_LE(strlen(word), room) << "the test word must fit its slot";
            if (strlen(word) > room)
                break;
            memset(commandWords[i], 0, room + 1);
            memcpy(commandWords[i], word, strlen(word));
            ++i;
        }
        count_ = i;
    }
    ~WordSwap()
    {
        for (int i = 0; i < count_; ++i)
            memcpy(commandWords[i], saved_[i].c_str(), saved_[i].size() + 1);
    }

private:
    std::string saved_[kCommandWordCount];
    int count_ = 0;
};

class Commands : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        RestoreTextTablesOnce();
        OpenMainWindow();
        DrainMessages();
        game.frameInterval = 16;
        game.backgroundMode = 2;
        game.bulletSetting = 1;
        game.boostPriority = 1;
    }

    void Type(const char* text)
    {
        for (const char* c = text; *c; ++c)
            HandleTypedChar(game.mainWindow, static_cast<unsigned char>(*c));
    }

    void TypeWord(int index) { Type(commandWords[index]); }
};

TEST_F(Commands, EachSettingWordTakesEffectAtItsLastLetter)
{
    const char* word = commandWords[1];  // a step every 12 ms
    for (size_t i = 0; i + 1 < strlen(word); ++i)
        HandleTypedChar(game.mainWindow, static_cast<unsigned char>(word[i]));
    EXPECT_EQ(game.frameInterval, 16u) << "not before the last letter";
    HandleTypedChar(game.mainWindow, static_cast<unsigned char>(word[strlen(word) - 1]));
    EXPECT_EQ(game.frameInterval, 12u);

    const struct {
        int word;
        DWORD interval;
        LONG background, bullets, boost;
    } actions[] = {
        {2, 12, 0, 1, 1},  {3, 12, 1, 1, 1},  {4, 12, 2, 1, 1},  {5, 12, 2, 0, 1},  {7, 12, 2, 3, 1},
        {8, 0, 2, 3, 1},   {11, 0, 2, 3, 0},  {10, 0, 2, 3, 1},  {13, 0, 2, 2, 1},  {14, 16, 2, 2, 1},
        {18, 24, 2, 2, 1}, {9, 0, 2, 2, 1},   {2, 0, 0, 2, 1},   {12, 0, 2, 3, 1},  {0, 16, 2, 1, 1},
    };
    for (const auto& a : actions) {
        TypeWord(a.word);
        EXPECT_EQ(game.frameInterval, a.interval) << "word " << a.word;
        EXPECT_EQ(game.backgroundMode, a.background) << "word " << a.word;
        EXPECT_EQ(game.bulletSetting, a.bullets) << "word " << a.word;
        EXPECT_EQ(game.boostPriority, a.boost) << "word " << a.word;
    }
    TypeWord(5);
    TypeWord(5);  // typed again, it acts again
    EXPECT_EQ(game.bulletSetting, 0);
}

TEST_F(Commands, FixedEventsAndTheirReset)
{
    TypeWord(19);
    EXPECT_EQ(game.fixedEvent, 1);
    EXPECT_EQ(game.eventKind, 9);
    TypeWord(20);
    EXPECT_EQ(game.eventKind, 10);
    TypeWord(0);
    EXPECT_EQ(game.fixedEvent, 0);
    EXPECT_EQ(game.eventKind, 10) << "the event itself ends with the next run";
}

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

TEST_F(Commands, ASwitchTakesTheLowestWordThenItsLongestTail)
{
    // The slots hold "reiaou", "fa12", "ba0", "da1", "ga2", "se30": these fit.
    WordSwap words{"xabc", "abq", "zz", "bq", "zy", "xabq"};
    game.commandIndex = 0;
    game.commandMatched = 0;
    Type("xab");
    Type("q");
    // "abq" (word 1, tail "ab") wins over "bq" (word 3, tail "b"), and over
    // "xabq" (word 5), which would continue the whole history.
    EXPECT_EQ(game.commandIndex, 1u);
    EXPECT_EQ(game.commandMatched, 3u);
}

TEST_F(Commands, AWordThatStartsALowerWordDoesNotCompleteInsideIt)
{
    WordSwap words{"zz", "abcd", "ab"};  // word 2 is a prefix of word 1
    game.commandIndex = 0;
    game.commandMatched = 0;
    Type("ab");
    EXPECT_EQ(game.commandIndex, 1u);
    EXPECT_EQ(game.commandMatched, 2u);
    EXPECT_EQ(game.backgroundMode, 2) << "word 2's action did not run";
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
    TypeWord(15);
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
    TypeWord(6);
    EXPECT_TRUE(IsWindow(game.mainWindow));
    DrainMessages();  // the close request is handled by the loop
    EXPECT_FALSE(IsWindow(game.mainWindow));
    EXPECT_TRUE(quitSeen);
}
