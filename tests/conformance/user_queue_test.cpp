// The message queue against the Windows API alone, as the game's loop uses
// it: posted messages in order, the quit message after them with its exit
// code, the WM_QUIT filter of a failed start-up, and WM_PAINT from an
// invalid area, after the posted messages.
#include <gtest/gtest.h>
#include <windows.h>

#include "drain.h"

namespace {
constexpr DWORD kFramed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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

// A window whose client area is 120 x 90.
HWND Create()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = PaintingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "HirenConformanceQueue";
        registered = RegisterClassA(&windowClass) != 0;
    }
    RECT outer = {0, 0, 120, 90};
    AdjustWindowRectEx(&outer, kFramed, FALSE, 0);
    return CreateWindowExA(0, "HirenConformanceQueue", "queue", kFramed, 20, 20, outer.right - outer.left,
                           outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The next WM_COMMAND, WM_QUIT or WM_PAINT; others the system put in
// between are handled and skipped.
bool NextOfOurs(MSG* msg)
{
    while (PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg->message == WM_QUIT || msg->message == WM_PAINT || msg->message == WM_COMMAND)
            return true;
        DispatchMessageA(msg);
    }
    return false;
}

void Close(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    Drain();
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

TEST_F(UserQueueConformance, QuitComesAfterThePostedMessagesWithItsExitCode)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(PostMessageA(window, WM_COMMAND, 1, 10));
    PostQuitMessage(5);
    ASSERT_TRUE(PostMessageA(nullptr, WM_COMMAND, 2, 20));

    MSG msg;
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(msg.lParam, 10);
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.hwnd, nullptr) << "a thread message";
    EXPECT_EQ(msg.wParam, 2u) << "posted after the quit, still before it";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(msg.wParam, 5u);
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "delivered once";
    Close(window);
}

// A failed start-up takes a pending quit out before its message box; the
// end of a run takes out the keys queued for the window.
TEST_F(UserQueueConformance, FiltersTakeOnlyTheirMessages)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(nullptr, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(window, WM_COMMAND, 3, 0);
    PostMessageA(window, WM_CHAR, 'a', 0);
    PostQuitMessage(1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    int keys = 0;
    while (PeekMessageA(&msg, window, WM_KEYDOWN, WM_SYSKEYUP, PM_REMOVE)) {
        EXPECT_EQ(msg.hwnd, window);
        ++keys;
    }
    EXPECT_EQ(keys, 2) << "the window's key-down and character";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN)) << "the thread's key is still there";
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_SPACE));
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(msg.wParam, 3u);
    Close(window);
}

TEST_F(UserQueueConformance, AnInvalidAreaGivesWmPaintAfterThePostedMessages)
{
    HWND window = Create();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    Drain();
    Paints() = PaintLog{};

    RECT a = {10, 10, 20, 20}, b = {30, 5, 40, 15};
    ASSERT_TRUE(InvalidateRect(window, &a, FALSE));
    ASSERT_TRUE(InvalidateRect(window, &b, FALSE));
    PostMessageA(window, WM_COMMAND, 1, 0);

    MSG msg;
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_COMMAND)) << "posted messages come before painting";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, window);
    DispatchMessageA(&msg);
    EXPECT_EQ(Paints().paints, 1);
    EXPECT_EQ(Paints().lastPaint.left, 10);
    EXPECT_EQ(Paints().lastPaint.top, 5);
    EXPECT_EQ(Paints().lastPaint.right, 40);
    EXPECT_EQ(Paints().lastPaint.bottom, 20);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) << "validated by BeginPaint";

    InvalidateRect(window, nullptr, FALSE);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
    DispatchMessageA(&msg);
    EXPECT_EQ(Paints().lastPaint.right, 120) << "null is the whole client";
    EXPECT_EQ(Paints().lastPaint.bottom, 90);
    Close(window);
}
