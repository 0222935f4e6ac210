// SDL input as Windows delivers it: keys, characters, Alt, the key state, the cursor.
#include <SDL.h>

#include "backend/sdl_backend.h"
#include "platform/user_fixture.h"

using UserInput = UserTest;

namespace {
constexpr LPARAM kExtended = 1 << 24, kAltDown = 1 << 29, kPrevious = 1 << 30, kReleased = LPARAM(1u << 31);
}  // namespace

// Repeat count 1, scan code, extended bit (not the keypad's own keys), previous state.
TEST_F(UserInput, KeysCarryVirtualKeyScanCodeAndTransitionBits)
{
    HWND window = Open(kFramed, 50, 50);
    const struct {
        UINT key;
        BOOL down, repeat;
        UINT message;
        LPARAM lParam;
    } keys[] = {{'A', TRUE, FALSE, WM_KEYDOWN, 1 | 0x1E << 16},
                {'A', TRUE, TRUE, WM_KEYDOWN, 1 | 0x1E << 16 | kPrevious},
                {'A', FALSE, FALSE, WM_KEYUP, 1 | 0x1E << 16 | kPrevious | kReleased},
                {VK_UP, TRUE, FALSE, WM_KEYDOWN, 1 | 0x48 << 16 | kExtended},
                {VK_NUMPAD2, TRUE, FALSE, WM_KEYDOWN, 1 | 0x50 << 16},
                {VK_F12, TRUE, FALSE, WM_KEYDOWN, 1 | 0x58 << 16}};
    for (const auto& k : keys) {
        PlatformInjectKey(window, k.key, k.down, k.repeat, nullptr);
        const MSG msg = Next();
        EXPECT_TRUE(msg.hwnd == window && msg.message == k.message && msg.wParam == k.key && msg.lParam == k.lParam)
            << &k - keys << ": " << std::hex << msg.lParam;
    }
}

// Lead byte first, with its key's lParam; an input method's text types by itself.
TEST_F(UserInput, TranslateMessageTypesTheSystemsTextOneByteAtATime)
{
    HWND window = Open(kFramed, 50, 50);
    Press(window, 'A', "a");
    PlatformInjectKey(window, 'X', TRUE, FALSE, "あ");
    PlatformInjectKey(window, VK_RETURN, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_SHIFT, TRUE, FALSE, nullptr);
    std::vector<MSG> typed;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_CHAR)
            typed.push_back(msg);
        TranslateMessage(&msg);
    }
    ASSERT_EQ(typed.size(), 4u);
    EXPECT_TRUE(typed[0].wParam == 'a' && typed[0].lParam == LPARAM(1 | 0x1E << 16));
    EXPECT_TRUE(typed[1].wParam == 0x82 && typed[2].wParam == 0xA0 && typed[3].wParam == '\r') << "あ, lead byte first";
    EXPECT_FALSE(TranslateMessage(&typed[0])) << "a character is not translated again";
    PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, nullptr);
    MSG key = Next();
    BackendPushText(UserGetWindow(window)->backend, u8"ｱ");
    msg = Next();
    EXPECT_TRUE(msg.message == WM_CHAR && msg.wParam == 0xB1 && msg.lParam == 1) << "half-width: one byte";
    TranslateMessage(&key);
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the key typed nothing itself";
}

// Alt's own release and F10 are system keys without Alt's bit; Alt+F4 goes through SC_CLOSE.
TEST_F(UserInput, AltMakesSystemKeysAndAltF4ClosesTheWindow)
{
    HWND window = Open(kFramed, 50, 50);
    Press(window, VK_MENU);
    PlatformInjectKey(window, VK_F10, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, 'B', TRUE, FALSE, "b");
    for (auto [message, alt] : {std::pair{WM_SYSKEYDOWN, kAltDown}, std::pair{WM_SYSKEYUP, LPARAM(0)},
                                std::pair{WM_SYSKEYDOWN, LPARAM(0)}, std::pair{WM_KEYDOWN, LPARAM(0)}}) {
        const MSG msg = Next();
        EXPECT_TRUE(msg.message == UINT(message) && (msg.lParam & kAltDown) == alt) << msg.message;
    }
    PlatformInjectKey(window, VK_MENU, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, 0x73 /* VK_F4 */, TRUE, FALSE, nullptr);
    seen.clear();
    Drain();
    EXPECT_EQ(Order({WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (Messages{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_TRUE(First(WM_SYSCOMMAND).wParam == SC_CLOSE && !IsWindow(window));
}

// Toggled on each press but not on auto-repeat; modifiers follow their sides; mouse buttons too.
TEST_F(UserInput, TheKeyStateFollowsTheMessagesTaken)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetKeyState(VK_LEFT), 0) << "looked at, not taken";
    Next();
    EXPECT_TRUE(GetKeyState(VK_LEFT) == -127 && GetKeyState(0x100 + VK_LEFT) == -127) << "by its low byte";
    const struct {
        bool down, repeat;
        SHORT state;
    } steps[] = {{true, true, -127}, {false, false, 1}, {true, false, -128}, {false, false, 0}};
    for (const auto& step : steps) {
        PlatformInjectKey(window, VK_LEFT, step.down, step.repeat, nullptr);
        Next();
        EXPECT_EQ(GetKeyState(VK_LEFT), step.state) << step.down << step.repeat;
    }
    for (UINT key : {VK_SHIFT, VK_CONTROL, VK_MENU}) {
        PlatformInjectKey(window, key, TRUE, FALSE, nullptr);
        Drain();
        const int left = 0xA0 + 2 * int(key - VK_SHIFT);
        EXPECT_TRUE(GetKeyState(key) < 0 && GetKeyState(left) < 0 && GetKeyState(left + 1) >= 0) << key;
        PlatformInjectKey(window, key, FALSE, FALSE, nullptr);
        Drain();
        EXPECT_GE(GetKeyState(key), 0) << key;
    }
    std::vector<bool> rightDown;
    handler = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)
            rightDown.push_back(GetKeyState(0x02) < 0);  // VK_RBUTTON
        return message == WM_RBUTTONUP;                  // no menu
    };
    PlatformInjectRightClick(window, 12, 34);
    Drain();
    EXPECT_EQ(rightDown, (std::vector<bool>{true, false}));
    EXPECT_EQ(First(WM_RBUTTONDOWN).lParam, MAKELPARAM(12, 34)) << "client coordinates";
}

// The class's arrow comes back when the mouse moves; SDL shows a cursor at count >= 0.
TEST_F(UserInput, TheCursorFollowsSetCursorAndShowCursor)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW), wait = LoadCursorA(nullptr, IDC_WAIT);
    ASSERT_NE(wait, arrow);
    EXPECT_TRUE(SetCursor(wait) == arrow && !SetCursor(reinterpret_cast<HCURSOR>(0x1234)));
    HWND window = Open(kFramed, 100, 100);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = SDL_GetWindowID(UserGetWindow(window)->backend->window);
    motion.motion.x = motion.motion.y = 5;
    SDL_PushEvent(&motion);
    Drain();
    EXPECT_EQ(SetCursor(arrow), arrow) << "WM_SETCURSOR put the class's arrow back";
    auto shown = [](bool shown) {
        return PlatformCursorShown() == shown && SDL_ShowCursor(SDL_QUERY) == (shown ? SDL_ENABLE : SDL_DISABLE);
    };
    for (auto [show, count] : {std::pair{FALSE, -1}, std::pair{FALSE, -2}, std::pair{TRUE, -1}, std::pair{TRUE, 0}})
        EXPECT_TRUE(ShowCursor(show) == count && shown(count >= 0)) << count;
    EXPECT_TRUE(SetCursor(nullptr) == arrow && shown(false)) << "no cursor shows nothing, whatever the count";
    SetCursor(arrow);
    EXPECT_TRUE(shown(true));
}
