// USER against the Windows API alone, as the game's window and loop use
// it: registration, creation and destruction, the client size in each
// screen mode, the queue's order and filters, WM_PAINT from an invalid
// area, and the keyboard state. Frame metrics differ between systems, so
// only their relations are checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "conformance/surfaces.h"
#include "conformance/test_window.h"

namespace {
class UserConformance : public ::testing::Test {
protected:
    void SetUp() override
    {
        Drain();
        Logged() = WindowLog{};
    }
    void TearDown() override { Drain(); }
};

// The next WM_COMMAND, WM_QUIT or WM_PAINT; what the system put in
// between is handled and skipped.
bool NextOfOurs(MSG* msg)
{
    while (PeekMessageA(msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg->message == WM_QUIT || msg->message == WM_PAINT || msg->message == WM_COMMAND)
            return true;
        DispatchMessageA(msg);
    }
    return false;
}

// The client area's size: the paint rectangle of the whole client.
SIZE ClientSize(HWND window)
{
    Drain();
    InvalidateRect(window, nullptr, FALSE);
    Drain();
    return SIZE{Logged().paint.right - Logged().paint.left, Logged().paint.bottom - Logged().paint.top};
}
}  // namespace

TEST_F(UserConformance, WindowsAreCreatedAndDestroyedThroughTheirProcedure)
{
    HWND window = MakeWindow(kFramed, 300, 200);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Logged().created, window) << "WM_CREATE came before CreateWindowExA returned";
    ShowWindow(window, SW_SHOW);
    CloseAndDrain(window);
    std::vector<UINT> order;
    for (UINT message : Logged().messages)
        if (message == WM_CREATE || message == WM_CLOSE || message == WM_DESTROY)
            order.push_back(message);
    EXPECT_EQ(order, (std::vector<UINT>{WM_CREATE, WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
    Logged().createAnswer = -1;
    EXPECT_EQ(MakeWindow(kFramed, 100, 100), nullptr) << "-1 from WM_CREATE fails the creation";
    EXPECT_FALSE(IsWindow(Logged().created));

    WNDCLASSA again = {};
    again.lpfnWndProc = DefWindowProcA;
    again.hInstance = GetModuleHandleA(nullptr);
    again.lpszClassName = kWindowClass;
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(GetLastError(), 1410u) << "ERROR_CLASS_ALREADY_EXISTS";
    EXPECT_EQ(CreateWindowExA(0, "HirenNoSuchClass", "", kFramed, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    EXPECT_TRUE(GetLastError() == 1407 || GetLastError() == 1411) << "no such class (Wine: 1411)";
}

// The framed window at 320 x 240 and 640 x 480, and the frameless one:
// SetWindowLongA, AdjustWindowRectEx and SetWindowPos with
// SWP_FRAMECHANGED give each the client area asked for.
TEST_F(UserConformance, StyleSwitchesAndSetWindowPosGiveTheClientSizeAskedFor)
{
    RECT outer = {0, 0, 320, 240}, plain = {0, 0, 200, 100};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, kFramed, FALSE, 0) && AdjustWindowRectEx(&plain, 0, FALSE, 0));
    EXPECT_LT(outer.top, outer.left) << "the caption is above the client";
    EXPECT_EQ(-outer.left, outer.right - 320) << "the frame is as wide on both sides";
    EXPECT_EQ(-outer.left, outer.bottom - 240);
    EXPECT_EQ(plain.left + plain.top + plain.right + plain.bottom, 300) << "no frame";

    HWND window = MakeWindow(kFramed, 320, 240);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(ClientSize(window).cx, 320);
    EXPECT_EQ(ClientSize(window).cy, 240);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & LONG(WS_CAPTION), LONG(WS_CAPTION));
    const struct {
        LONG style;
        DWORD frame;
        int width, height;
    } modes[] = {{style, kFramed, 640, 480}, {style & ~LONG(kFramed), 0, 400, 300}, {style, kFramed, 320, 240}};
    for (const auto& mode : modes) {
        const LONG previous = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, mode.style), previous);
        RECT rect = {0, 0, mode.width, mode.height};
        AdjustWindowRectEx(&rect, mode.frame, FALSE, 0);
        ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                                 SWP_NOZORDER | SWP_FRAMECHANGED));
        const SIZE size = ClientSize(window);
        EXPECT_EQ(size.cx, mode.width);
        EXPECT_EQ(size.cy, mode.height);
    }
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), style);
    CloseAndDrain(window);
}

// The game's loop: WM_PAINT comes after the posted messages, for the
// union of what was invalidated, once (BeginPaint validates); posted
// messages come in order, thread messages among them, then the quit
// message with its exit code, once. A failed start-up takes a pending quit out before its
// message box; the end of a run takes out the keys queued for the window,
// and only those.
TEST_F(UserConformance, TheQueuesOrderAndFilters)
{
    HWND window = MakeWindow(kFramed, 120, 90);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    Drain();
    Logged().paints = 0;
    RECT a = {10, 10, 20, 20}, b = {30, 5, 40, 15};
    ASSERT_TRUE(InvalidateRect(window, &a, FALSE) && InvalidateRect(window, &b, FALSE));
    ASSERT_TRUE(PostMessageA(window, WM_COMMAND, 1, 10));
    MSG msg;
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_TRUE(msg.hwnd == window && msg.wParam == 1 && msg.lParam == 10) << "posted messages before painting";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_TRUE(msg.message == WM_PAINT && msg.hwnd == window);
    DispatchMessageA(&msg);
    EXPECT_EQ(Logged().paints, 1);
    EXPECT_EQ(surfaces::Str(Logged().paint), "10,5,40,20");
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) << "validated by BeginPaint";
    ASSERT_TRUE(PostMessageA(window, WM_COMMAND, 1, 10));
    PostQuitMessage(5);
    ASSERT_TRUE(PostMessageA(nullptr, WM_COMMAND, 2, 20));
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_TRUE(msg.hwnd == window && msg.wParam == 1);
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_TRUE(msg.hwnd == nullptr && msg.wParam == 2) << "posted after the quit, still before it";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_TRUE(msg.message == WM_QUIT && msg.wParam == 5 && msg.hwnd == nullptr);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "delivered once";

    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(nullptr, WM_KEYDOWN, VK_SPACE, 0);
    PostMessageA(window, WM_COMMAND, 3, 0);
    PostMessageA(window, WM_SYSKEYUP, VK_F12, 0);
    PostQuitMessage(1);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    int keys = 0;
    while (PeekMessageA(&msg, window, WM_KEYDOWN, WM_SYSKEYUP, PM_REMOVE))
        keys += msg.hwnd == window;
    EXPECT_EQ(keys, 2) << "the window's key-down and the last of the range";
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_TRUE(msg.message == WM_KEYDOWN && msg.wParam == VK_SPACE) << "the thread's key is still there";
    ASSERT_TRUE(NextOfOurs(&msg));
    EXPECT_TRUE(msg.message == WM_COMMAND && msg.wParam == 3);
    CloseAndDrain(window);
}

// Bit 7 of a key's byte is "down" (a negative GetKeyState), bit 0
// "toggled"; clearing the state releases held keys, as the game does
// when a run is paused.
TEST_F(UserConformance, SetKeyboardStateIsWhatGetKeyboardStateAndGetKeyStateReport)
{
    BYTE keys[256] = {};
    keys[VK_LEFT] = 0x80;
    keys[VK_UP] = 0x81;
    keys['Z'] = 0x01;
    ASSERT_TRUE(SetKeyboardState(keys));
    BYTE read[256];
    std::memset(read, 0x55, sizeof read);
    ASSERT_TRUE(GetKeyboardState(read));
    EXPECT_TRUE(read[VK_LEFT] == 0x80 && read[VK_UP] == 0x81 && read['Z'] == 0x01 && read[VK_RIGHT] == 0);
    EXPECT_EQ(GetKeyState(VK_LEFT), -128) << "down";
    EXPECT_EQ(GetKeyState(VK_UP), -127) << "down and toggled";
    EXPECT_EQ(GetKeyState('Z'), 1) << "up and toggled";
    EXPECT_EQ(GetKeyState(VK_RIGHT), 0);
    std::memset(keys, 0, sizeof keys);
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(GetKeyState(VK_LEFT), 0);
    EXPECT_FALSE(SetKeyboardState(nullptr));
}
