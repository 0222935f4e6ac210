// A fresh USER for each test, a window class whose procedure records every
// message it gets, and helpers to pump the queue as a program does.
#pragma once

#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <functional>
#include <vector>

struct SeenMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Lets a test answer a message itself; returns true when it did.
using MessageHandler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)>;

inline std::vector<SeenMessage>& SeenMessages()
{
    static std::vector<SeenMessage> seen;
    return seen;
}

inline MessageHandler& TestHandler()
{
    static MessageHandler handler;
    return handler;
}

inline LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SeenMessages().push_back(SeenMessage{window, message, wParam, lParam});
    LRESULT result = 0;
    if (TestHandler() && TestHandler()(window, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

class UserTest : public ::testing::Test {
protected:
    static constexpr const char* kClassName = "UserTestWindow";
    static constexpr DWORD kFramed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

    void SetUp() override
    {
        PlatformResetUser();
        SeenMessages().clear();
        TestHandler() = nullptr;
        WNDCLASSA windowClass = {};
        windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        atom = RegisterClassA(&windowClass);
        ASSERT_NE(atom, 0);
    }

    void TearDown() override
    {
        TestHandler() = nullptr;
        PlatformResetUser();
    }

    // A window whose client area is width x height, shown unless asked not
    // to be, with the queue drained afterwards.
    HWND Open(DWORD style, int width, int height, bool show = true)
    {
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, style, FALSE, 0);
        HWND window = CreateWindowExA(0, kClassName, "テスト", style, 40, 30, outer.right - outer.left,
                                      outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_NE(window, nullptr);
        if (window && show)
            ShowWindow(window, SW_SHOW);
        Drain();
        SeenMessages().clear();
        return window;
    }

    // Handles every message there is, as a game's loop does, without
    // blocking; returns the number of messages handled.
    int Drain()
    {
        MSG msg;
        int count = 0;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ++count;
            if (msg.message == WM_QUIT) {
                quitSeen = true;
                quitCode = msg.wParam;
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        return count;
    }

    // How often the window procedure got `message` (for `window`, if given).
    static int Count(UINT message, HWND window = nullptr)
    {
        int count = 0;
        for (const SeenMessage& seen : SeenMessages())
            count += seen.message == message && (!window || seen.window == window);
        return count;
    }

    // The procedure's messages of the given kinds, in order.
    static std::vector<SeenMessage> Only(std::initializer_list<UINT> messages)
    {
        std::vector<SeenMessage> result;
        for (const SeenMessage& seen : SeenMessages()) {
            for (UINT message : messages) {
                if (seen.message == message)
                    result.push_back(seen);
            }
        }
        return result;
    }

    ATOM atom = 0;
    bool quitSeen = false;
    WPARAM quitCode = 0;
};
