#include "game_fixture.h"

#include <string.h>

#include "app/text_tables.h"
#include "screens/commands.h"

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
