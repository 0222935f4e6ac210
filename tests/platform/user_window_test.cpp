// Windows: classes, creation, moving and sizing, showing, minimising,
// activation and destruction. The conformance tests cover what Windows
// itself pins down (registration, WM_CREATE, the outer/client relation).
#include "backend/sdl_backend.h"
#include "user/user_private.h"
#include "user_fixture.h"

using UserWindows = UserTest;

TEST_F(UserWindows, ClassNamesIgnoreCaseAndAreCopied)
{
    WNDCLASSA again = {};
    again.lpfnWndProc = DefWindowProcA;
    again.lpszClassName = "usertestwindow";
    EXPECT_EQ(RegisterClassA(&again), 0) << "taken, whatever the case";

    char name[] = "Scratch";
    WNDCLASSA scratch = {};
    scratch.lpfnWndProc = RecordingProc;
    scratch.lpszClassName = name;
    ATOM second = RegisterClassA(&scratch);
    ASSERT_NE(second, 0);
    name[0] = 'X';
    EXPECT_NE(CreateWindowExA(0, "SCRATCH", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);

    // Classes carry no extra bytes: asking for them is refused.
    scratch.lpszClassName = "Extra";
    scratch.cbWndExtra = 4;
    EXPECT_EQ(RegisterClassA(&scratch), 0);
    scratch.cbWndExtra = 0;
    scratch.cbClsExtra = 4;
    EXPECT_EQ(RegisterClassA(&scratch), 0);
}

TEST_F(UserWindows, AFramedWindowHearsItsSizeWhenFirstShownAPopupWhenCreated)
{
    HWND window = CreateWindowExA(0, kClassName, "", kFramed, 50, 60, 326, 265, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Count(WM_SIZE), 0);

    ShowWindow(window, SW_SHOW);
    std::vector<SeenMessage> order = Only({WM_CREATE, WM_SIZE, WM_MOVE});
    ASSERT_EQ(Order({WM_CREATE, WM_SIZE, WM_MOVE}), (Messages{WM_CREATE, WM_SIZE, WM_MOVE}));
    EXPECT_EQ(order[1].lParam, MAKELPARAM(320, 240)) << "the client size";
    EXPECT_EQ(order[2].lParam, MAKELPARAM(53, 82)) << "the client origin";
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(Count(WM_SIZE), 1) << "only the first time";

    SeenMessages().clear();
    CreateWindowExA(0, kClassName, "", WS_POPUP, 5, 6, 30, 20, nullptr, nullptr, nullptr, nullptr);
    order = Only({WM_CREATE, WM_SIZE, WM_MOVE});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[1].lParam, MAKELPARAM(30, 20));
    EXPECT_EQ(order[2].lParam, MAKELPARAM(5, 6));
}

TEST_F(UserWindows, SetWindowPosSendsTheNewSizeAndKeepsWhatItWasToldTo)
{
    HWND window = Open(kFramed, 320, 240);
    SetClientSize(window, 640, 480);
    std::vector<SeenMessage> sized = Only({WM_SIZE});
    ASSERT_EQ(sized.size(), 1u);
    EXPECT_EQ(sized[0].lParam, MAKELPARAM(640, 480));

    RECT bounds, client;
    SetWindowPos(window, nullptr, 5, 6, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    EXPECT_EQ(bounds.top, 6);
    EXPECT_EQ(client.right, 640) << "SWP_NOSIZE";
    SetWindowPos(window, nullptr, 99, 99, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.top, 6) << "SWP_NOMOVE";
    EXPECT_EQ(bounds.bottom - bounds.top, 100);
}

// A window without caption or border that covers the screen is a
// full-screen window: the window manager is asked for that state, and
// gives it back when the window is framed and smaller again.
TEST_F(UserWindows, AFramelessWindowOverTheWholeScreenIsFullScreen)
{
    PlatformSetScreenSize(1024, 768);
    HWND window = Open(kFramed, 640, 480);
    SDL_Window* system = UserGetWindow(window)->backend->window;
    auto fullScreen = [&] { return (SDL_GetWindowFlags(system) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; };

    SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    SetWindowPos(window, nullptr, 0, 0, 1024, 767, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_FALSE(fullScreen()) << "a line short of the screen";
    SetWindowPos(window, nullptr, 0, 0, 1024, 768, SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_TRUE(fullScreen());
    RECT bounds, client;
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right, 1024);
    EXPECT_EQ(client.bottom, 768);

    SetWindowLongA(window, GWL_STYLE, kFramed | WS_VISIBLE);
    RECT outer{0, 0, 320, 240};
    AdjustWindowRectEx(&outer, kFramed, FALSE, 0);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_FRAMECHANGED);
    EXPECT_FALSE(fullScreen());
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
}

TEST_F(UserWindows, TheVisibleStyleBitHidesAndShowsWithoutActivation)
{
    HWND window = Open(kFramed, 100, 100);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    SetWindowLongA(window, GWL_STYLE, style & ~WS_VISIBLE);
    EXPECT_FALSE(ShowWindow(window, SW_HIDE)) << "the style hid it";
    SeenMessages().clear();
    SetWindowLongA(window, GWL_STYLE, style | WS_VISIBLE);
    EXPECT_EQ(Count(WM_ACTIVATE), 0);
    Drain();
    EXPECT_EQ(Count(WM_PAINT), 1) << "shown again, it is painted";
    EXPECT_TRUE(ShowWindow(window, SW_HIDE)) << "the style showed it";
}

TEST_F(UserWindows, ShowingActivatesAndMinimisingPassesActivationOn)
{
    HWND window = Open(kFramed, 100, 100, false);
    EXPECT_FALSE(ShowWindow(window, SW_SHOWDEFAULT));
    std::vector<SeenMessage> activation = Only({WM_ACTIVATE});
    ASSERT_EQ(activation.size(), 1u);
    EXPECT_EQ(LOWORD(activation[0].wParam), WA_ACTIVE);

    SeenMessages().clear();
    EXPECT_TRUE(ShowWindow(window, SW_MINIMIZE));
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE, 0);
    std::vector<SeenMessage> minimised = Only({WM_SIZE, WM_ACTIVATE});
    ASSERT_EQ(Order({WM_SIZE, WM_ACTIVATE}), (Messages{WM_SIZE, WM_ACTIVATE}));
    EXPECT_EQ(minimised[0].wParam, 1u) << "SIZE_MINIMIZED";
    EXPECT_EQ(minimised[1].wParam, MAKEWPARAM(WA_INACTIVE, 1)) << "inactive, minimised";
    InvalidateRect(window, nullptr, FALSE);
    SeenMessages().clear();
    Drain();
    EXPECT_EQ(Count(WM_PAINT), 0) << "a minimised window is not painted";

    EXPECT_TRUE(ShowWindow(window, SW_RESTORE));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE, 0);
    std::vector<SeenMessage> restored = Only({WM_SIZE, WM_ACTIVATE});
    ASSERT_EQ(restored.size(), 2u);
    EXPECT_EQ(restored[0].lParam, MAKELPARAM(100, 100));
    EXPECT_EQ(LOWORD(restored[1].wParam), WA_ACTIVE);
    Drain();
    EXPECT_EQ(Count(WM_PAINT), 1) << "restored, the window is painted again";
}

TEST_F(UserWindows, ActivationMovesBetweenWindowsAndFollowsTheFocus)
{
    HWND first = Open(kFramed, 100, 100);
    HWND second = Open(kFramed, 100, 100, false);
    ShowWindow(second, SW_SHOW);
    std::vector<SeenMessage> moves = Only({WM_ACTIVATE});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].window, first);
    EXPECT_EQ(LOWORD(moves[0].wParam), WA_INACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(moves[0].lParam), second);
    EXPECT_EQ(moves[1].window, second);
    EXPECT_EQ(LOWORD(moves[1].wParam), WA_ACTIVE);
    EXPECT_EQ(reinterpret_cast<HWND>(moves[1].lParam), first);
    std::vector<SeenMessage> focus = Only({WM_KILLFOCUS, WM_SETFOCUS});
    ASSERT_EQ(Order({WM_KILLFOCUS, WM_SETFOCUS}), (Messages{WM_KILLFOCUS, WM_SETFOCUS}));
    EXPECT_EQ(focus[0].window, first);
    EXPECT_EQ(focus[1].window, second);
    EXPECT_EQ(reinterpret_cast<HWND>(focus[1].wParam), first);

    // The window manager's reports: one message for each change only.
    for (auto [window, active] : {std::pair{second, FALSE}, std::pair{first, TRUE}}) {
        SeenMessages().clear();
        PlatformInjectActivation(window, active);
        PlatformInjectActivation(window, active);
        Drain();
        std::vector<SeenMessage> changed = Only({WM_ACTIVATE});
        ASSERT_EQ(changed.size(), 1u);
        EXPECT_EQ(changed[0].window, window);
        EXPECT_EQ(LOWORD(changed[0].wParam), active ? WA_ACTIVE : WA_INACTIVE);
    }
}

TEST_F(UserWindows, DestroyingDeactivatesFirstAndDropsTheWindowsMessages)
{
    HWND window = Open(kFramed, 100, 100);
    HWND active = Open(kFramed, 50, 50);
    PostMessageA(window, WM_USER, 1, 0);
    PostMessageA(active, WM_USER, 2, 0);
    SeenMessages().clear();
    ASSERT_TRUE(DestroyWindow(active));
    EXPECT_EQ(Order({WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY}), (Messages{WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY}));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));

    SetLastError(0);
    EXPECT_FALSE(DestroyWindow(active));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostMessageA(active, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(active, WM_USER, 0, 0), 0);
}

TEST_F(UserWindows, BadHandlesAndIndicesGetSafeAnswers)
{
    HWND bogus = reinterpret_cast<HWND>(0x7777);
    RECT rect = {1, 2, 3, 4};
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(IsWindow(bogus));
    EXPECT_FALSE(GetClientRect(bogus, &rect));
    EXPECT_FALSE(GetWindowRect(nullptr, &rect));
    EXPECT_FALSE(SetWindowPos(bogus, nullptr, 0, 0, 1, 1, 0));
    EXPECT_FALSE(ShowWindow(bogus, SW_SHOW));
    EXPECT_FALSE(AdjustWindowRectEx(nullptr, kFramed, FALSE, 0));
    EXPECT_EQ(GetDC(bogus), nullptr);
    EXPECT_EQ(GetSystemMenu(bogus, FALSE), nullptr);
    EXPECT_FALSE(InsertMenuA(reinterpret_cast<HMENU>(0x40001001), 0, MF_BYCOMMAND | MF_STRING, 1, "x"));
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    EXPECT_EQ(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(4321)), nullptr) << "no such icon";
    EXPECT_EQ(GetWindowLongA(nullptr, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLongA(bogus, GWL_STYLE, 0), 0);
    EXPECT_EQ(CreateWindowExA(0, kClassName, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr)
        << "only top-level windows";

    HWND window = Open(kFramed, 10, 10);
    for (int index : {0, 4, -20}) {
        SetLastError(0);
        EXPECT_EQ(GetWindowLongA(window, index), 0) << "GWL_STYLE only: no window bytes, no GWL_EXSTYLE";
        EXPECT_NE(GetLastError(), 0u);
        EXPECT_EQ(SetWindowLongA(window, index, 1), 0);
    }
}
