// Windows beyond the conformance tests: full screen, minimising, activation, bad handles, title.
#include <SDL.h>

#include "backend/sdl_backend.h"
#include "platform/user_fixture.h"

using UserWindows = UserTest;

namespace {
SDL_Window* SystemWindow(HWND window)
{
    return UserGetWindow(window)->backend->window;
}
}  // namespace

// For the window manager; framed and smaller again, no longer.
TEST_F(UserWindows, AFramelessWindowOverTheWholeScreenIsFullScreen)
{
    PlatformSetScreenSize(1024, 768);
    HWND window = Open(kFramed, 640, 480);
    auto fullScreen = [&] { return (SDL_GetWindowFlags(SystemWindow(window)) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; };
    SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
    for (int height : {767, 768}) {
        SetWindowPos(window, nullptr, 0, 0, 1024, height, SWP_NOZORDER | SWP_FRAMECHANGED);
        EXPECT_EQ(fullScreen(), height == 768) << height;
    }
    RECT bounds, client;
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    EXPECT_EQ(surfaces::Str(bounds) + " " + surfaces::Str(client), "0,0,1024,768 0,0,1024,768");
    SetWindowLongA(window, GWL_STYLE, kFramed | WS_VISIBLE);
    SetClientSize(window, 320, 240);
    EXPECT_FALSE(fullScreen());
}

// Inactive when minimised; painted and shown again at once when restored.
TEST_F(UserWindows, TheWindowManagerMinimisesAndRestores)
{
    HWND window = Open(kFramed, 100, 100);
    EXPECT_TRUE(ShowWindow(window, SW_MINIMIZE) && (GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    ASSERT_EQ(Count(WM_ACTIVATE), 1);
    EXPECT_EQ(First(WM_ACTIVATE).wParam, MAKEWPARAM(WA_INACTIVE, 1)) << "inactive, minimised";
    for (Uint8 event : {SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED}) {
        const bool restored = event == SDL_WINDOWEVENT_RESTORED;
        seen.clear();
        const unsigned presents = PlatformPresentCount(window);
        SDL_Event pushed{};
        pushed.type = SDL_WINDOWEVENT;
        pushed.window.windowID = SDL_GetWindowID(SystemWindow(window));
        pushed.window.event = event;
        SDL_PushEvent(&pushed);
        InvalidateRect(window, nullptr, FALSE);
        Drain();
        EXPECT_TRUE((GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE) == (restored ? 0 : WS_MINIMIZE) &&
                    Count(WM_PAINT) == (restored ? 1 : 0))
            << int(event);
        SetPixel(GetDC(window), 1, 1, RGB(0, 0, event));
        Drain();
        EXPECT_EQ(PlatformPresentCount(window) - presents, restored ? 2u : 0u) << "shown on restoring, and drawn";
        EXPECT_TRUE(!restored || PlatformReadWindowPixel(window, 1, 1) == RGB(0, 0, event)) << "shown again";
    }
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_TRUE(ShowWindow(window, SW_RESTORE) && !(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE) &&
                GetActiveWindow() == window);
}

// Showing activates; one WM_ACTIVATE for each change only.
TEST_F(UserWindows, ActivationFollowsShowingAndTheWindowManager)
{
    HWND first = Open(kFramed, 100, 100), second = Open(kFramed, 100, 100, false);
    ShowWindow(second, SW_SHOW);
    std::vector<SeenMessage> moves = Only({WM_ACTIVATE});
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_TRUE(moves[0].window == first && LOWORD(moves[0].wParam) == WA_INACTIVE);
    EXPECT_TRUE(moves[1].window == second && LOWORD(moves[1].wParam) == WA_ACTIVE && HWND(moves[1].lParam) == first);
    for (auto [window, active] : {std::pair{second, FALSE}, std::pair{first, TRUE}}) {
        seen.clear();
        PlatformInjectActivation(window, active);
        PlatformInjectActivation(window, active);
        Drain();
        moves = Only({WM_ACTIVATE});
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_TRUE(moves[0].window == window && LOWORD(moves[0].wParam) == (active ? WA_ACTIVE : WA_INACTIVE));
        EXPECT_EQ(GetActiveWindow(), active ? window : nullptr);
    }
}

// Its handle, and any that never was a window, get safe answers.
TEST_F(UserWindows, DestroyingDropsTheWindowsMessagesAndBadHandlesAreSafe)
{
    HWND window = Open(kFramed, 100, 100), gone = Open(kFramed, 50, 50);
    PostMessageA(window, WM_USER, 1, 0);
    PostMessageA(gone, WM_USER, 2, 0);
    ASSERT_TRUE(DestroyWindow(gone));
    EXPECT_EQ(Next().hwnd, window);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    RECT rect = {1, 2, 3, 4};
    for (HWND bad : {gone, reinterpret_cast<HWND>(0x7777)}) {
        EXPECT_FALSE(IsWindow(bad) || DestroyWindow(bad) || PostMessageA(bad, WM_USER, 0, 0) ||
                     GetClientRect(bad, &rect) || ShowWindow(bad, SW_SHOW) || SetWindowTextA(bad, "a"));
        EXPECT_TRUE(SendMessageA(bad, WM_USER, 0, 0) == 0 && GetDC(bad) == nullptr &&
                    GetWindowLongA(bad, GWL_STYLE) == 0);
    }
}

// Through WM_SETTEXT, in UTF-8; read back cut to the buffer between characters.
TEST_F(UserWindows, TheWindowTextIsTheSystemsTitle)
{
    HWND window = Open(kFramed, 100, 100);
    char text[64];
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 6);
    EXPECT_STREQ(text, "テスト") << "the name it was created with";
    EXPECT_TRUE(SetWindowTextA(window, "避練 - 画面") && Count(WM_SETTEXT) == 1);
    EXPECT_STREQ(SDL_GetWindowTitle(SystemWindow(window)), u8"避練 - 画面");
    for (auto [capacity, length, read] :
         {std::tuple{64, 11, "避練 - 画面"}, std::tuple{4, 2, "避"}, std::tuple{1, 0, ""}})
        EXPECT_TRUE(GetWindowTextA(window, text, capacity) == length && std::string(text) == read) << capacity;
    EXPECT_TRUE(SetWindowTextA(window, nullptr));
    EXPECT_STREQ(SDL_GetWindowTitle(SystemWindow(window)), "");
}
