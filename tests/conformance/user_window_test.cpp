// USER windows against the Windows API alone: registration, creation
// order, the outer/client rect relation and window longs. Frame metrics
// differ between systems, so only their relations are checked.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "drain.h"

namespace {
struct CreationLog {
    std::vector<UINT> messages;
    HWND created = nullptr;
    LPVOID createParam = nullptr;
    int createCx = 0;
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
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        Log().created = window;
        Log().createParam = create->lpCreateParams;
        Log().createCx = create->cx;
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

HWND Create(DWORD style, int width, int height, LPVOID param = nullptr)
{
    return CreateWindowExA(0, kClass, "conformance", style, 10, 10, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), param);
}

int IndexOf(const std::vector<UINT>& messages, UINT message)
{
    for (size_t i = 0; i < messages.size(); ++i) {
        if (messages[i] == message)
            return static_cast<int>(i);
    }
    return -1;
}

constexpr DWORD kFramed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

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
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, "HirenNoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    // Windows says it cannot find the class; Wine that it does not exist.
    DWORD error = GetLastError();
    EXPECT_TRUE(error == ERROR_CANNOT_FIND_WND_CLASS || error == 1411) << error;
}

TEST_F(UserWindowConformance, WmCreateArrivesBeforeCreateReturnsAndWmDestroyOnDestroy)
{
    int param = 0;
    HWND window = Create(kFramed, 300, 200, &param);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Log().created, window);
    EXPECT_EQ(Log().createParam, &param);
    EXPECT_EQ(Log().createCx, 300);
    EXPECT_TRUE(IsWindow(window));
    ShowWindow(window, SW_SHOW);
    int created = IndexOf(Log().messages, WM_CREATE);
    int sized = IndexOf(Log().messages, WM_SIZE);
    ASSERT_GE(created, 0);
    ASSERT_GE(sized, 0) << "the size is told by the first ShowWindow at the latest";
    EXPECT_LT(created, sized);

    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_GE(IndexOf(Log().messages, WM_DESTROY), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
}

TEST_F(UserWindowConformance, MinusOneFromWmCreateFailsTheCreation)
{
    Log().createAnswer = -1;
    EXPECT_EQ(Create(kFramed, 100, 100), nullptr);
    ASSERT_NE(Log().created, nullptr);
    EXPECT_FALSE(IsWindow(Log().created));
}

TEST_F(UserWindowConformance, AdjustedOuterRectGivesBackTheClientRect)
{
    RECT outer = {0, 0, 320, 240};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, kFramed, FALSE, 0));
    EXPECT_LT(outer.left, 0);
    EXPECT_LT(outer.top, outer.left) << "the caption is above the client";
    EXPECT_EQ(-outer.left, outer.right - 320) << "the frame is as wide on both sides";
    EXPECT_EQ(-outer.left, outer.bottom - 240);

    HWND window = Create(kFramed, outer.right - outer.left, outer.bottom - outer.top);
    ASSERT_NE(window, nullptr);
    RECT client, bounds;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    ASSERT_TRUE(GetWindowRect(window, &bounds));
    EXPECT_EQ(bounds.right - bounds.left, outer.right - outer.left);
    EXPECT_EQ(bounds.bottom - bounds.top, outer.bottom - outer.top);
    DestroyWindow(window);

    RECT plain = {0, 0, 200, 100};
    ASSERT_TRUE(AdjustWindowRectEx(&plain, WS_POPUP, FALSE, 0));
    EXPECT_EQ(plain.left, 0);
    EXPECT_EQ(plain.top, 0);
    EXPECT_EQ(plain.right, 200);
    EXPECT_EQ(plain.bottom, 100);
    HWND popup = Create(WS_POPUP, 200, 100);
    ASSERT_TRUE(GetClientRect(popup, &client));
    EXPECT_EQ(client.right, 200);
    EXPECT_EQ(client.bottom, 100);
    DestroyWindow(popup);
}

TEST_F(UserWindowConformance, SetWindowPosAndStyleSwitchesKeepTheRequestedClientSize)
{
    HWND window = Create(kFramed, 200, 200);
    ASSERT_NE(window, nullptr);
    auto place = [&](DWORD frame, int width, int height) {
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, frame, FALSE, 0);
        ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED));
        RECT client, bounds;
        GetClientRect(window, &client);
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.left, 0);
        EXPECT_EQ(bounds.top, 0);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, height);
    };
    place(kFramed, 640, 480);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, (style & ~static_cast<LONG>(kFramed)) | static_cast<LONG>(WS_POPUP));
    place(0, 400, 300);
    SetWindowLongA(window, GWL_STYLE, style);
    place(kFramed, 320, 240);
    DestroyWindow(window);
}

TEST_F(UserWindowConformance, SetWindowLongReturnsThePreviousValue)
{
    HWND window = Create(kFramed, 100, 100);
    ASSERT_NE(window, nullptr);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & static_cast<LONG>(WS_CAPTION), static_cast<LONG>(WS_CAPTION));
    EXPECT_EQ(style & static_cast<LONG>(WS_VISIBLE), 0);
    LONG popup = (style & ~static_cast<LONG>(kFramed)) | static_cast<LONG>(WS_POPUP);
    EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, popup), style);
    LONG now = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(now & static_cast<LONG>(WS_CAPTION), 0);
    EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, style), now);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & static_cast<LONG>(WS_CAPTION), static_cast<LONG>(WS_CAPTION));

    LONG ex = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, ex), ex);

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & static_cast<LONG>(WS_MINIMIZE), 0);
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & static_cast<LONG>(WS_VISIBLE), 0);
    DestroyWindow(window);
}
