// The message queue against the Windows API alone: posting and peeking
// with filters, the quit message, and WM_PAINT from an invalid area.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "drain.h"

namespace {
struct PaintLog {
    int paints = 0;
    RECT lastPaint = {0, 0, 0, 0};
};

PaintLog& Paints()
{
    static PaintLog log;
    return log;
}

LRESULT CALLBACK PaintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        ++Paints().paints;
        Paints().lastPaint = paint.rcPaint;
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char kClass[] = "HirenConformanceQueue";

HWND CreateHidden()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = PaintingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClass;
        registered = RegisterClassA(&windowClass) != 0;
    }
    return CreateWindowExA(0, kClass, "queue", WS_POPUP, 20, 20, 120, 90, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// The next message of ours (WM_USER range, WM_QUIT or WM_PAINT); others
// the system put in between are handled and skipped.
bool NextOfOurs(MSG* msg)
{
    while (PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg->message == WM_QUIT || msg->message == WM_PAINT ||
            (msg->message >= WM_USER && msg->message < WM_USER + 100))
            return true;
        DispatchMessageA(msg);
    }
    return false;
}

class UserQueueConformance : public ::testing::Test {
protected:
    void SetUp() override
    {
        Drain();
        Paints() = PaintLog{};
    }
    void TearDown() override { Drain(); }
};
}  // namespace

TEST_F(UserQueueConformance, PostedMessagesKeepTheirOrderAndFiltersPickAmongThem)
{
    HWND a = CreateHidden();
    HWND b = CreateHidden();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_TRUE(PostMessageA(a, WM_USER + 1, 1, 10));
    ASSERT_TRUE(PostMessageA(b, WM_USER + 2, 2, 20));
    ASSERT_TRUE(PostMessageA(nullptr, WM_USER + 3, 3, 30));
    ASSERT_TRUE(PostMessageA(a, WM_USER + 4, 4, 40));

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, b, WM_USER, WM_USER + 99, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, b);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2));
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_EQ(msg.lParam, 20);

    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER + 4, WM_USER + 4, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, a);
    ASSERT_TRUE(PeekMessageA(&msg, a, WM_USER, WM_USER + 99, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1)) << "the window's first message";
    ASSERT_TRUE(PeekMessageA(&msg, a, WM_USER, WM_USER + 99, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 4)) << "still there after PM_NOREMOVE";
    EXPECT_FALSE(PeekMessageA(&msg, a, WM_USER, WM_USER + 99, PM_REMOVE)) << "the thread's message is not a's";

    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 99, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 99, PM_REMOVE));

    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(UserQueueConformance, QuitComesAfterThePostedMessagesWithItsExitCode)
{
    HWND window = CreateHidden();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_USER + 1, 0, 0);
    PostQuitMessage(5);
    PostMessageA(nullptr, WM_USER + 2, 0, 0);

    MSG msg;
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1));
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 2)) << "posted after the quit, still before it";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "delivered once";
    DestroyWindow(window);
}

TEST_F(UserQueueConformance, AnInvalidAreaGivesWmPaintAfterThePostedMessages)
{
    HWND window = CreateHidden();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    Drain();
    Paints() = PaintLog{};

    RECT a = {10, 10, 20, 20}, b = {30, 5, 40, 15};
    ASSERT_TRUE(InvalidateRect(window, &a, FALSE));
    ASSERT_TRUE(InvalidateRect(window, &b, FALSE));
    PostMessageA(window, WM_USER + 1, 0, 0);

    MSG msg;
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 1)) << "posted messages come before painting";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, window);
    DispatchMessageA(&msg);
    EXPECT_EQ(Paints().paints, 1);
    EXPECT_EQ(Paints().lastPaint.left, 10);
    EXPECT_EQ(Paints().lastPaint.top, 5);
    EXPECT_EQ(Paints().lastPaint.right, 40);
    EXPECT_EQ(Paints().lastPaint.bottom, 20);
    EXPECT_FALSE(PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_REMOVE)) << "validated by BeginPaint";

    InvalidateRect(window, nullptr, FALSE);
    ASSERT_TRUE(PeekMessageA(&msg, window, WM_PAINT, WM_PAINT, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_EQ(Paints().lastPaint.right, 120) << "null is the whole client";
    EXPECT_EQ(Paints().lastPaint.bottom, 90);
    DestroyWindow(window);
}
