// Running the program's dialogs in tests: an owner window, a dialog
// procedure that records what it gets and lets each test answer messages
// (the script that drives a dialog runs from its WM_INITDIALOG), and
// helpers for where a dialog and its controls lie.
#pragma once

#include <functional>
#include <vector>

#include "user_fixture.h"

// Lets a test answer a dialog message; its result is the procedure's.
using DialogHandler = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;

class UserDialogTest : public UserTest {
protected:
    // The program's dialogs, and the screen size dialog's radio buttons.
    static constexpr int kAbout = 102, kBenchmark = 103, kQuit = 104, kScreenSize = 105;
    static constexpr int kNormal = 3019, kVga = 3020, kFull = 3021;

    void SetUp() override
    {
        UserTest::SetUp();
        DialogSeen().clear();
        Handler() = nullptr;
        owner = Open(kFramed, 320, 200);
    }

    void TearDown() override
    {
        Handler() = nullptr;
        UserTest::TearDown();
    }

    static std::vector<SeenMessage>& DialogSeen()
    {
        static std::vector<SeenMessage> seen;
        return seen;
    }

    static DialogHandler& Handler()
    {
        static DialogHandler handler;
        return handler;
    }

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        DialogSeen().push_back(SeenMessage{dialog, message, wParam, lParam});
        return Handler() ? Handler()(dialog, message, wParam, lParam) : FALSE;
    }

    // Runs dialog `id` owned by `by`, or by the owner.
    INT_PTR Run(int id, HWND by = nullptr)
    {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), by ? by : owner, Procedure, 0);
    }

    // The dialog procedure's messages of one kind, in order.
    static std::vector<SeenMessage> DialogOnly(UINT message)
    {
        std::vector<SeenMessage> result;
        for (const SeenMessage& seen : DialogSeen()) {
            if (seen.message == message)
                result.push_back(seen);
        }
        return result;
    }

    // The ids of the WM_COMMANDs the procedure got.
    static std::vector<int> Commands()
    {
        std::vector<int> ids;
        for (const SeenMessage& seen : DialogOnly(WM_COMMAND))
            ids.push_back(LOWORD(seen.wParam));
        return ids;
    }

    // The client area's top-left corner on the screen.
    static POINT ClientOrigin(HWND window)
    {
        RECT outer, frame = {0, 0, 0, 0};
        GetWindowRect(window, &outer);
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), FALSE,
                           UserGetWindow(window)->exStyle);
        return POINT{outer.left - frame.left, outer.top - frame.top};
    }

    // A control's rect in its dialog's client area.
    static RECT InDialog(HWND dialog, HWND control)
    {
        RECT rect;
        GetWindowRect(control, &rect);
        POINT origin = ClientOrigin(dialog);
        return RECT{rect.left - origin.x, rect.top - origin.y, rect.right - origin.x, rect.bottom - origin.y};
    }

    HWND owner = nullptr;
};
