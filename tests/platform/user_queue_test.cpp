// The message queue: order and filters, the quit message, its capacity,
// waiting, sending and dispatching, and the message box.
#include <mmsystem.h>

#include "user_fixture.h"

using UserQueue = UserTest;

TEST_F(UserQueue, PostedMessagesComeInOrderThroughWindowAndRangeFilters)
{
    HWND a = Open(kFramed, 50, 50);
    HWND b = Open(kFramed, 50, 50);
    PlatformSetClock(5000);
    ASSERT_TRUE(PostMessageA(a, WM_USER + 1, 11, 111));
    ASSERT_TRUE(PostMessageA(b, WM_USER + 2, 22, 222));
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 3, 33, 333));
    ASSERT_TRUE(PostMessageA(a, WM_USER + 4, 44, 444));
    PlatformUseRealClock();

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(msg.wParam, 22u);
    EXPECT_EQ(msg.lParam, 222);
    EXPECT_EQ(msg.time, 5000u) << "stamped when posted";
    EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));

    ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE)) << "thread messages only";
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));

    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 4, WM_USER + 9, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 4));
    ASSERT_TRUE(PeekMessageA(&msg, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1)) << "the first of a's messages";
    ASSERT_TRUE(PeekMessageA(&msg, a, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 4)) << "left in place by PM_NOREMOVE";
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(0x5555), 0, 0, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(UserQueue, QuitComesOnceThePostedMessagesAreDrainedAndBeforePaintAndInput)
{
    HWND window = Open(kFramed, 50, 50);
    InvalidateRect(window, nullptr, FALSE);
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(3);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    PlatformInjectKey(window, 'Q', TRUE, FALSE, "q");

    MSG msg;
    std::vector<UINT> order;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    order.push_back(msg.message);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    order.push_back(msg.message);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT)) << "PM_NOREMOVE left it";
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(msg.hwnd, nullptr);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN)) << "input after the quit";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT)) << "painting last";
    EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));

    PostQuitMessage(0);
    quitSeen = false;
    Drain();
    EXPECT_TRUE(quitSeen);
    EXPECT_EQ(quitCode, 0u);
}

TEST_F(UserQueue, APostFailsOnlyWhileTheQueueIsFull)
{
    int posted = 0;
    while (posted < 100000 && PostMessageA(nullptr, WM_USER, static_cast<WPARAM>(posted), 0))
        ++posted;
    EXPECT_EQ(posted, 4096);
    EXPECT_NE(GetLastError(), 0u);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 0u);
    EXPECT_TRUE(PostMessageA(nullptr, WM_USER, 4096, 0)) << "room for one again";
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
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "waiting retrieves nothing";

    InvalidateRect(window, nullptr, FALSE);
    EXPECT_TRUE(WaitMessage()) << "something to paint";
    Drain();

    PostQuitMessage(1);
    EXPECT_TRUE(WaitMessage());
    Drain();

    PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, " ");
    EXPECT_TRUE(WaitMessage()) << "a key from the system";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
}

TEST_F(UserQueue, SendCallsTheProcedureAtOnceAndDispatchDeliversARetrievedMessage)
{
    HWND window = Open(kFramed, 50, 50);
    TestHandler() = [](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
        if (message < WM_USER)
            return false;
        *result = static_cast<LRESULT>(wParam + lParam);
        return true;
    };
    EXPECT_EQ(SendMessageA(window, WM_USER, 2, 3), 5);
    EXPECT_EQ(Count(WM_USER), 1);

    PostMessageA(window, WM_USER + 1, 10, 20);
    EXPECT_EQ(Count(WM_USER + 1), 0) << "posting waits for retrieval";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&msg), 30);
    EXPECT_EQ(Count(WM_USER + 1), 1);

    PostMessageA(nullptr, WM_USER + 2, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&msg), 0) << "a thread message has no procedure";
    EXPECT_EQ(Count(WM_USER + 2), 0);
}

TEST_F(UserQueue, TheMessageBoxKeepsItsTextsAndAnswersOk)
{
    EXPECT_STREQ(PlatformLastMessageBoxText(), "");
    HWND window = Open(kFramed, 50, 50);
    EXPECT_EQ(MessageBoxA(window, "ウインドウ作成失敗", "題名", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_STREQ(PlatformLastMessageBoxText(), "ウインドウ作成失敗");
    EXPECT_STREQ(PlatformLastMessageBoxCaption(), "題名");
    EXPECT_EQ(MessageBoxA(nullptr, nullptr, nullptr, MB_OK), IDOK);
    EXPECT_STREQ(PlatformLastMessageBoxText(), "");
    EXPECT_STREQ(PlatformLastMessageBoxCaption(), "エラー") << "the system's caption";
}
