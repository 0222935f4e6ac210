// USER windows against the Windows API alone, as the game makes and
// resizes its window: registration, WM_CREATE and WM_DESTROY, the client
// size AdjustWindowRectEx asks for in each screen mode (seen through the
// whole-client paint rectangle), and the style switches. Frame metrics
// differ between systems, so only their relations are checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "drain.h"

namespace {
constexpr DWORD kClassAlreadyExists = 1410;  // ERROR_CLASS_ALREADY_EXISTS
constexpr DWORD kCannotFindClass = 1407;     // ERROR_CANNOT_FIND_WND_CLASS (Wine: 1411)
constexpr DWORD kFramed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct CreationLog {
    std::vector<UINT> messages;
    HWND created = nullptr;
    LRESULT createAnswer = 0;
};

CreationLog& Log()
{
    static CreationLog log;
    return log;
}

LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Log().messages.push_back(message);
    if (message == WM_CREATE) {
        Log().created = window;
        return Log().createAnswer;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char kClass[] = "HirenConformanceWindows";

void RegisterOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = LoggingProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClass;
    registered = RegisterClassA(&windowClass) != 0;
    ASSERT_TRUE(registered);
}

// A window of `style` whose client area AdjustWindowRectEx sizes to
// width x height.
HWND Create(DWORD style, int width, int height)
{
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    return CreateWindowExA(0, kClass, "conformance", style, 10, 10, outer.right - outer.left,
                           outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// The client area's size: the paint rectangle of the whole client.
SIZE ClientSize(HWND window)
{
    Drain();
    InvalidateRect(window, nullptr, FALSE);
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return SIZE{paint.rcPaint.right - paint.rcPaint.left, paint.rcPaint.bottom - paint.rcPaint.top};
}

void Close(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    Drain();
}

int IndexOf(const std::vector<UINT>& messages, UINT message)
{
    for (size_t i = 0; i < messages.size(); ++i) {
        if (messages[i] == message)
            return static_cast<int>(i);
    }
    return -1;
}

class UserWindowConformance : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterOnce();
        Log() = CreationLog{};
    }
    void TearDown() override { Drain(); }
};
}  // namespace

TEST_F(UserWindowConformance, ARegisteredClassNameCannotBeRegisteredAgain)
{
    WNDCLASSA again = {};
    again.lpfnWndProc = DefWindowProcA;
    again.hInstance = GetModuleHandleA(nullptr);
    again.lpszClassName = kClass;
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(GetLastError(), kClassAlreadyExists);
    EXPECT_EQ(CreateWindowExA(0, "HirenNoSuchClass", "", kFramed, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    DWORD error = GetLastError();
    EXPECT_TRUE(error == kCannotFindClass || error == 1411) << error;
}

TEST_F(UserWindowConformance, WmCreateArrivesBeforeCreateReturnsAndWmDestroyWhenClosed)
{
    HWND window = Create(kFramed, 300, 200);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Log().created, window);
    EXPECT_TRUE(IsWindow(window));
    ShowWindow(window, SW_SHOW);
    Close(window);
    const int created = IndexOf(Log().messages, WM_CREATE), closed = IndexOf(Log().messages, WM_CLOSE);
    const int destroyed = IndexOf(Log().messages, WM_DESTROY);
    EXPECT_TRUE(created >= 0 && created < closed && closed < destroyed) << created << " " << closed << " " << destroyed;
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UserWindowConformance, MinusOneFromWmCreateFailsTheCreation)
{
    Log().createAnswer = -1;
    EXPECT_EQ(Create(kFramed, 100, 100), nullptr);
    ASSERT_NE(Log().created, nullptr);
    EXPECT_FALSE(IsWindow(Log().created));
}

// The game's three screen modes: the framed window at 320 x 240 and 640 x
// 480, and the frameless one over the whole screen; AdjustWindowRectEx,
// SetWindowLongA and SetWindowPos with SWP_FRAMECHANGED give each the
// client area asked for.
TEST_F(UserWindowConformance, StyleSwitchesAndSetWindowPosGiveTheClientSizeAskedFor)
{
    RECT outer = {0, 0, 320, 240};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, kFramed, FALSE, 0));
    EXPECT_LT(outer.left, 0);
    EXPECT_LT(outer.top, outer.left) << "the caption is above the client";
    EXPECT_EQ(-outer.left, outer.right - 320) << "the frame is as wide on both sides";
    EXPECT_EQ(-outer.left, outer.bottom - 240);
    RECT plain = {0, 0, 200, 100};
    ASSERT_TRUE(AdjustWindowRectEx(&plain, 0, FALSE, 0));
    EXPECT_TRUE(plain.left == 0 && plain.top == 0 && plain.right == 200 && plain.bottom == 100) << "no frame";

    HWND window = Create(kFramed, 320, 240);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 320);
    EXPECT_EQ(client.cy, 240);

    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & static_cast<LONG>(WS_CAPTION), static_cast<LONG>(WS_CAPTION));
    auto place = [&](LONG newStyle, DWORD frame, int width, int height) {
        const LONG previous = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, newStyle), previous);
        RECT rect = {0, 0, width, height};
        AdjustWindowRectEx(&rect, frame, FALSE, 0);
        ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                                 SWP_NOZORDER | SWP_FRAMECHANGED));
        SIZE size = ClientSize(window);
        EXPECT_EQ(size.cx, width);
        EXPECT_EQ(size.cy, height);
    };
    place(style, kFramed, 640, 480);
    place(style & ~static_cast<LONG>(kFramed), 0, 400, 300);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & static_cast<LONG>(WS_CAPTION), 0);
    place(style, kFramed, 320, 240);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), style);
    Close(window);
}
