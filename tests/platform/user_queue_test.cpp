// The message queue beyond what the conformance tests check: time stamps,
// bad filters, where the quit message falls among input and painting, the
// queue's capacity, waiting, sending, and the message box.
#include "user_fixture.h"

using UserQueue = UserTest;

TEST_F(UserQueue, MessagesAreStampedWhenPostedAndBadFiltersFail)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformSetClock(5000);
    PostMessageA(nullptr, WM_USER + 1, 0, 0);
    PlatformUseRealClock();

    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(0x5555), 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, window, 0, 0, PM_REMOVE)) << "a thread message is no window's";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.time, 5000u);
}

TEST_F(UserQueue, QuitComesAfterPostedMessagesAndBeforeInputAndPainting)
{
    HWND window = Open(kFramed, 50, 50);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(3);
    PlatformInjectKey(window, 'Q', TRUE, FALSE, "q");

    EXPECT_EQ(Next().message, static_cast<UINT>(WM_USER + 1));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT)) << "PM_NOREMOVE left it";
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(Next().message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(Next().message, static_cast<UINT>(WM_PAINT)) << "painting last";
}

TEST_F(UserQueue, APostFailsOnlyWhileTheQueueIsFull)
{
    int posted = 0;
    while (posted < 100000 && PostMessageA(nullptr, WM_USER, static_cast<WPARAM>(posted), 0))
        ++posted;
    EXPECT_EQ(posted, 4096);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(Next().wParam, 0u);
    EXPECT_TRUE(PostMessageA(nullptr, WM_USER, 4096, 0)) << "room for one again";
    MSG msg;
    WPARAM expected = 1;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ASSERT_EQ(msg.wParam, expected);
        ++expected;
    }
    EXPECT_EQ(expected, 4097u);
}

TEST_F(UserQueue, WaitMessageReturnsAtOnceWhenThereIsSomethingToRetrieve)
{
    HWND window = Open(kFramed, 50, 50);
    PostMessageA(window, WM_USER, 0, 0);
    EXPECT_TRUE(WaitMessage());
    EXPECT_EQ(Next().message, static_cast<UINT>(WM_USER)) << "waiting retrieves nothing";

    InvalidateRect(window, nullptr, FALSE);
    EXPECT_TRUE(WaitMessage()) << "something to paint";
    Drain();
    PostQuitMessage(1);
    EXPECT_TRUE(WaitMessage());
    Drain();
    PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, " ");
    EXPECT_TRUE(WaitMessage()) << "a key from the system";
    EXPECT_EQ(Next().message, static_cast<UINT>(WM_KEYDOWN));
}

TEST_F(UserQueue, SendCallsTheProcedureAtOnceAndDispatchDeliversARetrievedMessage)
{
    HWND window = Open(kFramed, 50, 50);
    TestHandler() = [](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        *result = static_cast<LRESULT>(wParam + lParam);
        return message >= WM_USER;
    };
    EXPECT_EQ(SendMessageA(window, WM_USER, 2, 3), 5);
    EXPECT_EQ(Count(WM_USER), 1);

    PostMessageA(window, WM_USER + 1, 10, 20);
    EXPECT_EQ(Count(WM_USER + 1), 0) << "posting waits for retrieval";
    MSG msg = Next();
    EXPECT_EQ(DispatchMessageA(&msg), 30);
    EXPECT_EQ(Count(WM_USER + 1), 1);

    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    msg = Next();
    EXPECT_EQ(DispatchMessageA(&msg), 0) << "a thread message has no procedure";
    EXPECT_EQ(Count(WM_USER + 2), 0);
}

// The game's start-up tests show a box with its texts; these are the
// defaults for none.
TEST_F(UserQueue, TheMessageBoxAnswersOkAndTakesNoTexts)
{
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_ICONERROR), IDOK);
    EXPECT_STREQ(PlatformLastMessageBoxText(), "");
    EXPECT_STREQ(PlatformLastMessageBoxCaption(), "エラー") << "the system's caption";
}
