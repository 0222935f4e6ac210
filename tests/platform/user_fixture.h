// A fresh USER per test, a window class recording every message, helpers to type and pump.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "conformance/surfaces.h"
#include "conformance/test_window.h"
#include "user/user_private.h"

struct SeenMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
using Messages = std::vector<UINT>;

class UserTest : public ::testing::Test {
protected:
    // Answers a message instead of the default procedure when it returns true.
    static inline std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT*)> handler;
    static inline std::vector<SeenMessage> seen;

    static LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        seen.push_back(SeenMessage{window, message, wParam, lParam});
        LRESULT result = 0;
        return handler && handler(window, message, wParam, lParam, &result)
                   ? result
                   : DefWindowProcA(window, message, wParam, lParam);
    }
    void SetUp() override
    {
        TearDown();
        seen.clear();
        WNDCLASSA windowClass = {};
        windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = "UserTestWindow";
        ASSERT_NE(RegisterClassA(&windowClass), 0);
    }
    void TearDown() override
    {
        handler = nullptr;
        PlatformResetUser();
    }
    // A window with a width x height client, shown unless not to be, drained, record cleared.
    static HWND Open(DWORD style, int width, int height, bool show = true)
    {
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, style, FALSE, 0);
        HWND window = CreateWindowExA(0, "UserTestWindow", "テスト", style, 40, 30, outer.right - outer.left,
                                      outer.bottom - outer.top, nullptr, nullptr, nullptr, nullptr);
        EXPECT_NE(window, nullptr);
        if (window && show)
            ShowWindow(window, SW_SHOW);
        Drain();
        seen.clear();
        return window;
    }
    static void SetClientSize(HWND window, int width, int height)
    {
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, DWORD(GetWindowLongA(window, GWL_STYLE)), FALSE, 0);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER);
    }
    static MSG Next()
    {
        MSG msg = {};
        EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        return msg;
    }
    // A key pressed and released, typing `text` if given, inside `modifier`.
    static void Press(HWND window, UINT key, const char* text = nullptr, UINT modifier = 0)
    {
        if (modifier)
            PlatformInjectKey(window, modifier, TRUE, FALSE, nullptr);
        PlatformInjectKey(window, key, TRUE, FALSE, text);
        PlatformInjectKey(window, key, FALSE, FALSE, nullptr);
        if (modifier)
            PlatformInjectKey(window, modifier, FALSE, FALSE, nullptr);
    }
    // The procedure's messages of the given kinds (for `window`, if given).
    static std::vector<SeenMessage> Only(Messages kinds, HWND window = nullptr)
    {
        std::vector<SeenMessage> found;
        for (const SeenMessage& message : seen)
            for (UINT kind : kinds)
                if (message.message == kind && (!window || message.window == window))
                    found.push_back(message);
        return found;
    }
    static int Count(UINT kind, HWND window = nullptr) { return int(Only({kind}, window).size()); }
    static SeenMessage First(UINT kind) { return Count(kind) ? Only({kind})[0] : SeenMessage{}; }
    static Messages Order(Messages kinds)
    {
        Messages order;
        for (const SeenMessage& message : Only(kinds))
            order.push_back(message.message);
        return order;
    }
};
