// Input from the system: keys and their lParam, characters through
// TranslateMessage, Alt+F4 and the right button. (The close box: the
// dialog tests.)
#include "user/user_private.h"
#include "user_fixture.h"

namespace {
constexpr LPARAM kExtended = 1 << 24;
constexpr LPARAM kAltDown = 1 << 29;
constexpr LPARAM kPrevious = 1 << 30;
constexpr LPARAM kReleased = static_cast<LPARAM>(1u << 31);

UINT ScanCode(LPARAM lParam)
{
    return static_cast<UINT>((lParam >> 16) & 0xFF);
}
}  // namespace

using UserInput = UserTest;

TEST_F(UserInput, KeysCarryVirtualKeyScanCodeAndTransitionBits)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, 'A', TRUE, FALSE, "a");
    PlatformInjectKey(window, 'A', TRUE, TRUE, "a");
    PlatformInjectKey(window, 'A', FALSE, FALSE, nullptr);
    MSG msg = Next();
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.lParam & 0xFFFF, 1) << "repeat count";
    EXPECT_EQ(msg.lParam & (kAltDown | kPrevious | kReleased), 0);
    EXPECT_EQ(Next().lParam & (kPrevious | kReleased), kPrevious) << "auto-repeat: the key was already down";
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(msg.lParam & (kPrevious | kReleased), kPrevious | kReleased);

    // NumLock or not, the keypad's keys are its own.
    struct {
        UINT key, scan;
        bool extended;
    } const keys[] = {{'A', 0x1E, false}, {VK_UP, 0x48, true}, {VK_NUMPAD2, 0x50, false}, {VK_F12, 0x58, false}};
    for (const auto& key : keys) {
        PlatformInjectKey(window, key.key, TRUE, FALSE, nullptr);
        msg = Next();
        EXPECT_EQ(msg.wParam, static_cast<WPARAM>(key.key));
        EXPECT_EQ(ScanCode(msg.lParam), key.scan) << key.key;
        EXPECT_EQ((msg.lParam & kExtended) != 0, key.extended) << key.key;
    }
}

TEST_F(UserInput, TranslateMessageTypesTheSystemsTextOneByteAtATime)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, 'A', TRUE, FALSE, "a");
    PlatformInjectKey(window, 'A', FALSE, FALSE, nullptr);
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
    EXPECT_EQ(typed[0].wParam, static_cast<WPARAM>('a'));
    EXPECT_EQ(ScanCode(typed[0].lParam), 0x1Eu) << "the key's lParam";
    EXPECT_EQ(typed[1].wParam, 0x82u) << "lead byte first";
    EXPECT_EQ(typed[2].wParam, 0xA0u);
    EXPECT_EQ(typed[3].wParam, 0x0Du) << "Enter types a carriage return";
    EXPECT_FALSE(TranslateMessage(&typed[0])) << "a character is not translated again";
}

TEST_F(UserInput, TextOutsideAKeysPumpBecomesACharacterDirectly)
{
    HWND window = Open(kFramed, 50, 50);
    // A key-down retrieved in one pump, then text composed by an input
    // method in the next: the text is not the key's.
    PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, nullptr);
    MSG key = Next();
    ASSERT_EQ(key.message, static_cast<UINT>(WM_KEYDOWN));
    BackendPushText(UserGetWindow(window)->backend, u8"ｱ");  // the system reports UTF-8
    MSG typed = Next();
    EXPECT_EQ(typed.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(typed.wParam, 0xB1u) << "half-width katakana is one byte";
    EXPECT_EQ(typed.lParam, 1);
    TranslateMessage(&key);
    MSG none;
    EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE)) << "the key typed nothing itself";
}

TEST_F(UserInput, AltMakesSystemKeysAndAltF4ClosesTheWindow)
{
    HWND window = Open(kFramed, 50, 50);
    Press(window, VK_MENU);
    PlatformInjectKey(window, VK_F10, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, 'B', TRUE, FALSE, "b");
    MSG msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(msg.lParam & kAltDown, kAltDown);
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(msg.lParam & kAltDown, 0) << "releasing Alt";
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN)) << "F10";
    EXPECT_EQ(msg.lParam & kAltDown, 0);
    EXPECT_EQ(Next().message, static_cast<UINT>(WM_KEYDOWN)) << "Alt is up again";

    PlatformInjectKey(window, VK_MENU, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_F4, TRUE, FALSE, nullptr);
    SeenMessages().clear();
    Drain();
    std::vector<SeenMessage> closing = Only({WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
    ASSERT_EQ(Order({WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
              (Messages{WM_SYSKEYDOWN, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(closing[1].wParam, static_cast<WPARAM>(VK_F4));
    EXPECT_EQ(closing[1].lParam & kAltDown, kAltDown);
    EXPECT_EQ(closing[2].wParam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UserInput, TheRightButtonGivesClientCoordinatesAndItsKeyState)
{
    HWND window = Open(kFramed, 50, 50);
    std::vector<bool> down;
    TestHandler() = [&](HWND, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP)
            down.push_back(GetKeyState(0x02) < 0);  // VK_RBUTTON
        return message == WM_RBUTTONUP;  // handled here: no menu
    };
    PlatformInjectRightClick(window, 12, 34);
    Drain();
    std::vector<SeenMessage> clicks = Only({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_EQ(Order({WM_RBUTTONDOWN, WM_RBUTTONUP}), (Messages{WM_RBUTTONDOWN, WM_RBUTTONUP}));
    EXPECT_EQ(clicks[0].wParam, 0x0002u) << "MK_RBUTTON";
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(12, 34));
    EXPECT_EQ(clicks[1].wParam, 0u);
    EXPECT_EQ(clicks[1].lParam, MAKELPARAM(12, 34));
    EXPECT_EQ(down, (std::vector<bool>{true, false})) << "a mouse button is a key too";
}
