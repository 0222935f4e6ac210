// A fresh USER for each test, a window class whose procedure records every
// message it gets, and helpers to type, pump the queue and read the record.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "conformance/drain.h"
#include "user/user_private.h"

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
    // to be, with the queue drained and the record cleared afterwards.
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

    // Gives the window a client area of width x height, keeping its place.
    static void SetClientSize(HWND window, int width, int height)
    {
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE, 0);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }

    // Retrieves the next message, which must exist.
    static MSG Next()
    {
        MSG msg = {};
        EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        return msg;
    }

    // A key pressed and released, typing `text` (code page 932) if given.
    static void Press(HWND window, UINT key, const char* text = nullptr)
    {
        PlatformInjectKey(window, key, TRUE, FALSE, text);
        PlatformInjectKey(window, key, FALSE, FALSE, nullptr);
    }

    static void PressWith(HWND window, UINT modifier, UINT key, const char* text = nullptr)
    {
        PlatformInjectKey(window, modifier, TRUE, FALSE, nullptr);
        Press(window, key, text);
        PlatformInjectKey(window, modifier, FALSE, FALSE, nullptr);
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
        for (const SeenMessage& seen : SeenMessages())
            if (std::find(messages.begin(), messages.end(), seen.message) != messages.end())
                result.push_back(seen);
        return result;
    }

    // Only the message numbers of Only(messages).
    static std::vector<UINT> Order(std::initializer_list<UINT> messages)
    {
        std::vector<UINT> order;
        for (const SeenMessage& seen : Only(messages))
            order.push_back(seen.message);
        return order;
    }

    ATOM atom = 0;
};

using Messages = std::vector<UINT>;
