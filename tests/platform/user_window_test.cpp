// Windows: classes, creation, the outer/client model, styles, showing,
// minimising and activation.
#include "user/user_private.h"
#include "user_fixture.h"

using UserWindows = UserTest;

TEST_F(UserWindows, ClassesAreCopiedAndNamedOnce)
{
    WNDCLASSA again = {};
    again.lpfnWndProc = DefWindowProcA;
    again.lpszClassName = "usertestwindow";  // names ignore case
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(&again), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));

    char name[] = "Scratch";
    WNDCLASSA scratch = {};
    scratch.lpfnWndProc = RecordingProc;
    scratch.lpszClassName = name;
    ATOM second = RegisterClassA(&scratch);
    ASSERT_NE(second, 0);
    EXPECT_NE(second, atom);
    name[0] = 'X';  // the class keeps its own copy of the name
    EXPECT_NE(CreateWindowExA(0, "Scratch", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr), nullptr);
    EXPECT_NE(CreateWindowExA(0, MAKEINTRESOURCEA(second), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr)
        << "by atom";

    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
}

TEST_F(UserWindows, CreateSendsWmCreateBeforeItReturnsThenSizeAndMove)
{
    HWND created = nullptr;
    CREATESTRUCTA seen = {};
    int param = 7;
    TestHandler() = [&](HWND window, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
        if (message != WM_CREATE)
            return false;
        created = window;
        seen = *reinterpret_cast<CREATESTRUCTA*>(lParam);
        EXPECT_TRUE(IsWindow(window)) << "the window exists during WM_CREATE";
        *result = 0;
        return true;
    };
    HWND window =
        CreateWindowExA(0, kClassName, "題名", kFramed, 50, 60, 326, 265, nullptr, nullptr, nullptr, &param);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(created, window);
    EXPECT_EQ(seen.lpCreateParams, &param);
    EXPECT_EQ(seen.x, 50);
    EXPECT_EQ(seen.y, 60);
    EXPECT_EQ(seen.cx, 326);
    EXPECT_EQ(seen.cy, 265);
    EXPECT_STREQ(seen.lpszName, "題名");
    EXPECT_STREQ(seen.lpszClass, kClassName);

    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE, 0) << "not shown yet";
    EXPECT_EQ(Count(WM_SIZE), 0) << "an overlapped window hears its size when first shown";

    ShowWindow(window, SW_SHOW);
    std::vector<SeenMessage> order = Only({WM_CREATE, WM_SIZE, WM_MOVE});
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0].message, static_cast<UINT>(WM_CREATE));
    EXPECT_EQ(order[1].message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(order[1].lParam, MAKELPARAM(320, 240)) << "the client size";
    EXPECT_EQ(order[2].message, static_cast<UINT>(WM_MOVE));
    EXPECT_EQ(order[2].lParam, MAKELPARAM(53, 82)) << "the client origin";
    ShowWindow(window, SW_HIDE);
    ShowWindow(window, SW_SHOW);
    EXPECT_EQ(Count(WM_SIZE), 1) << "only the first time";

    SeenMessages().clear();
    HWND popup = CreateWindowExA(0, kClassName, "", WS_POPUP, 5, 6, 30, 20, nullptr, nullptr, nullptr, nullptr);
    order = Only({WM_CREATE, WM_SIZE, WM_MOVE});
    ASSERT_EQ(order.size(), 3u) << "a popup hears its size while it is created";
    EXPECT_EQ(order[1].lParam, MAKELPARAM(30, 20));
    EXPECT_EQ(order[2].lParam, MAKELPARAM(5, 6));
    ShowWindow(popup, SW_SHOW);
    EXPECT_EQ(Count(WM_SIZE), 1);
}

TEST_F(UserWindows, MinusOneFromWmCreateDestroysTheWindowAndReturnsNull)
{
    HWND created = nullptr;
    TestHandler() = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_CREATE)
            return false;
        created = window;
        *result = -1;
        return true;
    };
    EXPECT_EQ(CreateWindowExA(0, kClassName, "", kFramed, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr), nullptr);
    ASSERT_NE(created, nullptr);
    EXPECT_FALSE(IsWindow(created));
    EXPECT_EQ(Count(WM_DESTROY), 0) << "a window that was never made is not destroyed";
    EXPECT_EQ(Count(WM_SIZE), 0);
}

TEST_F(UserWindows, AdjustedOuterSizeGivesTheRequestedClientArea)
{
    RECT outer = {0, 0, 320, 240};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, kFramed, FALSE, 0));
    int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
    EXPECT_EQ(frame, 3);
    EXPECT_EQ(GetSystemMetrics(SM_CYFIXEDFRAME), 3);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
    EXPECT_EQ(outer.left, -frame);
    EXPECT_EQ(outer.right, 320 + frame);
    EXPECT_EQ(outer.top, -frame - GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(outer.bottom, 240 + frame);

    RECT borderless = {10, 20, 330, 260};
    ASSERT_TRUE(AdjustWindowRectEx(&borderless, 0, FALSE, 0));
    EXPECT_EQ(borderless.left, 10);
    EXPECT_EQ(borderless.top, 20);
    EXPECT_EQ(borderless.right, 330);
    EXPECT_EQ(borderless.bottom, 260);

    HWND window = CreateWindowExA(0, kClassName, "", kFramed, 100, 50, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    RECT client, bounds;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.left, 0);
    EXPECT_EQ(client.top, 0);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    ASSERT_TRUE(GetWindowRect(window, &bounds));
    EXPECT_EQ(bounds.left, 100);
    EXPECT_EQ(bounds.top, 50);
    EXPECT_EQ(bounds.right - bounds.left, outer.right - outer.left);
    EXPECT_EQ(bounds.bottom - bounds.top, outer.bottom - outer.top);

    HWND popup = CreateWindowExA(0, kClassName, "", WS_POPUP, 0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(GetClientRect(popup, &client));
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
}

TEST_F(UserWindows, ScreenSizeComesFromTheDisplayUnlessSet)
{
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024) << "the dummy driver's desktop";
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    PlatformSetScreenSize(1920, 1080);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
}

TEST_F(UserWindows, SetWindowPosToTheCornerWithAnOuterSize)
{
    HWND window = Open(kFramed, 320, 240);
    RECT outer = {0, 0, 640, 480};
    AdjustWindowRectEx(&outer, kFramed, FALSE, 0);
    ASSERT_TRUE(SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                             SWP_NOZORDER | SWP_FRAMECHANGED));
    RECT bounds, client;
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    std::vector<SeenMessage> sized = Only({WM_SIZE});
    ASSERT_EQ(sized.size(), 1u);
    EXPECT_EQ(sized[0].lParam, MAKELPARAM(640, 480));

    // Moving alone keeps the size; sizing alone keeps the place.
    SetWindowPos(window, nullptr, 5, 6, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    GetWindowRect(window, &bounds);
    GetClientRect(window, &client);
    EXPECT_EQ(bounds.left, 5);
    EXPECT_EQ(bounds.top, 6);
    EXPECT_EQ(client.right, 640);
    SetWindowPos(window, nullptr, 99, 99, 200, 100, SWP_NOZORDER | SWP_NOMOVE);
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.left, 5);
    EXPECT_EQ(bounds.right - bounds.left, 200);
    EXPECT_EQ(bounds.bottom - bounds.top, 100);
}

TEST_F(UserWindows, SwitchingBetweenFramedAndBorderlessKeepsTheRequestedClientSize)
{
    HWND window = Open(kFramed, 320, 240);
    auto apply = [&](DWORD style, int width, int height) {
        RECT outer = {0, 0, width, height};
        AdjustWindowRectEx(&outer, style & kFramed, FALSE, 0);
        SetWindowLongA(window, GWL_STYLE, style);
        SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_FRAMECHANGED);
        RECT client, bounds;
        GetClientRect(window, &client);
        GetWindowRect(window, &bounds);
        EXPECT_EQ(client.right, width);
        EXPECT_EQ(client.bottom, height);
        EXPECT_EQ(bounds.left, 0);
        EXPECT_EQ(bounds.top, 0);
    };
    LONG style = GetWindowLongA(window, GWL_STYLE);
    apply(static_cast<DWORD>(style) & ~kFramed, 1024, 768);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, 0);
    apply(static_cast<DWORD>(style) | kFramed, 640, 480);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    apply(static_cast<DWORD>(style) | kFramed, 320, 240);
}

TEST_F(UserWindows, WindowLongsReturnThePreviousValue)
{
    HWND window = Open(kFramed, 100, 100);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & static_cast<LONG>(kFramed | WS_VISIBLE), static_cast<LONG>(kFramed | WS_VISIBLE));
    EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE), style);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE), static_cast<LONG>(WS_POPUP | WS_VISIBLE));
    EXPECT_EQ(SetWindowLongA(window, GWL_STYLE, style), static_cast<LONG>(WS_POPUP | WS_VISIBLE));

    LONG ex = GetWindowLongA(window, GWL_EXSTYLE);
    EXPECT_EQ(SetWindowLongA(window, GWL_EXSTYLE, 0x8), ex);
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE), 0x8);

    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(window, 4), 0) << "the class has no window bytes";
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(GetWindowLongA(nullptr, GWL_STYLE), 0);
    EXPECT_EQ(SetWindowLongA(reinterpret_cast<HWND>(0x1234), GWL_STYLE, 0), 0);
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
    ASSERT_EQ(minimised.size(), 2u);
    EXPECT_EQ(minimised[0].message, static_cast<UINT>(WM_SIZE));
    EXPECT_EQ(minimised[0].wParam, 1u) << "SIZE_MINIMIZED";
    EXPECT_EQ(minimised[1].message, static_cast<UINT>(WM_ACTIVATE));
    EXPECT_EQ(LOWORD(minimised[1].wParam), WA_INACTIVE);
    EXPECT_EQ(HIWORD(minimised[1].wParam), 1) << "minimised";
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
    ASSERT_EQ(focus.size(), 2u) << "the keyboard focus follows activation";
    EXPECT_EQ(focus[0].window, first);
    EXPECT_EQ(focus[0].message, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(focus[1].window, second);
    EXPECT_EQ(focus[1].message, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(focus[1].wParam), first);

    SeenMessages().clear();
    PlatformInjectActivation(second, FALSE);
    PlatformInjectActivation(second, FALSE);
    Drain();
    ASSERT_EQ(Count(WM_ACTIVATE), 1) << "one message for one change";
    EXPECT_EQ(LOWORD(Only({WM_ACTIVATE})[0].wParam), WA_INACTIVE);

    SeenMessages().clear();
    PlatformInjectActivation(first, TRUE);
    PlatformInjectActivation(first, TRUE);
    Drain();
    ASSERT_EQ(Count(WM_ACTIVATE), 1);
    EXPECT_EQ(Only({WM_ACTIVATE})[0].window, first);
    EXPECT_EQ(LOWORD(Only({WM_ACTIVATE})[0].wParam), WA_ACTIVE);
}

TEST_F(UserWindows, DestroyingSendsWmDestroyAndDropsTheWindowsMessages)
{
    HWND window = Open(kFramed, 100, 100);
    HWND other = Open(kFramed, 50, 50);
    PostMessageA(window, WM_USER, 1, 0);
    PostMessageA(other, WM_USER, 2, 0);
    SeenMessages().clear();
    ASSERT_TRUE(DestroyWindow(other));
    std::vector<SeenMessage> ending = Only({WM_ACTIVATE, WM_KILLFOCUS, WM_DESTROY});
    ASSERT_EQ(ending.size(), 3u) << "the active window is deactivated, then destroyed";
    EXPECT_EQ(ending[0].message, static_cast<UINT>(WM_ACTIVATE));
    EXPECT_EQ(ending[1].message, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(ending[2].message, static_cast<UINT>(WM_DESTROY));
    other = Open(kFramed, 50, 50);
    PostMessageA(other, WM_USER, 2, 0);

    SeenMessages().clear();
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_EQ(Count(WM_DESTROY, window), 1);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, other);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
    EXPECT_FALSE(PostMessageA(window, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
}

TEST_F(UserWindows, IconsComeFromTheProgramsResourcesAndTheArrowFromTheSystem)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    HICON icon = LoadIconA(module, MAKEINTRESOURCEA(101));
    ASSERT_NE(icon, nullptr) << "the program's icon 101";
    EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(101)), icon) << "shared";
    EXPECT_NE(LoadIconA(module, MAKEINTRESOURCEA(100)), icon);
    const UserIconImage* image = UserIconOf(icon);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 32) << "the image nearest the system's icon size";
    EXPECT_EQ(image->height, 32);
    auto at = [&](int x, int y) { return image->argb[static_cast<size_t>(y) * 32 + x]; };
    EXPECT_EQ(at(0, 0), 0xFF000000u);
    EXPECT_EQ(at(16, 16), 0xFFFFFFFFu);
    EXPECT_EQ(at(16, 8), 0xFF0000FFu) << "blue, rows top-down";
    EXPECT_EQ(at(6, 16), 0xFFFF0000u) << "red";
    EXPECT_EQ(at(14, 8), 0xFF00FFFFu);

    SetLastError(0);
    EXPECT_EQ(LoadIconA(module, MAKEINTRESOURCEA(4321)), nullptr);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)), nullptr) << "no system icons";
    EXPECT_EQ(LoadIconA(module, "NAMED"), nullptr);

    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    EXPECT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(32513)), nullptr);
}

TEST_F(UserWindows, BadHandlesGetSafeAnswers)
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
    EXPECT_FALSE(InsertMenuA(reinterpret_cast<HMENU>(0x40001001), 0, MF_BYPOSITION, 1, "x"));
    EXPECT_EQ(RegisterClassA(nullptr), 0);
    EXPECT_EQ(CreateWindowExA(0, kClassName, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr)
        << "only top-level windows";
}
