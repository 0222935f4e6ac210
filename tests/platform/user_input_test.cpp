// Input from the system: keys and their lParam, characters through
// TranslateMessage, Alt+F4, the close box and the right button.
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

class UserInput : public UserTest {
protected:
    // Retrieves the next message, which must exist.
    MSG Next()
    {
        MSG msg = {};
        EXPECT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
        return msg;
    }
};

TEST_F(UserInput, KeysCarryVirtualKeyScanCodeAndTransitionBits)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, 'A', TRUE, FALSE, "a");
    PlatformInjectKey(window, 'A', TRUE, TRUE, "a");
    PlatformInjectKey(window, 'A', FALSE, FALSE, nullptr);
    PlatformInjectKey(window, VK_UP, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_NUMPAD2, TRUE, FALSE, "2");
    PlatformInjectKey(window, VK_F12, TRUE, FALSE, nullptr);

    MSG msg = Next();
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(msg.lParam & 0xFFFF, 1) << "repeat count";
    EXPECT_EQ(ScanCode(msg.lParam), 0x1Eu);
    EXPECT_EQ(msg.lParam & (kExtended | kAltDown | kPrevious | kReleased), 0);

    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(msg.lParam & kPrevious, kPrevious) << "auto-repeat: the key was already down";
    EXPECT_EQ(msg.lParam & kReleased, 0);

    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(msg.lParam & (kPrevious | kReleased), kPrevious | kReleased);

    msg = Next();
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_UP));
    EXPECT_EQ(ScanCode(msg.lParam), 0x48u);
    EXPECT_EQ(msg.lParam & kExtended, kExtended);

    msg = Next();
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_NUMPAD2)) << "the keypad, NumLock or not";
    EXPECT_EQ(ScanCode(msg.lParam), 0x50u);
    EXPECT_EQ(msg.lParam & kExtended, 0);

    msg = Next();
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_F12));
    EXPECT_EQ(ScanCode(msg.lParam), 0x58u);
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

    EXPECT_TRUE(TranslateMessage(&typed[0]) == FALSE) << "a character is not translated again";
}

TEST_F(UserInput, TextOutsideAKeysPumpBecomesACharacterDirectly)
{
    HWND window = Open(kFramed, 50, 50);
    BackendWindow* backend = UserGetWindow(window)->backend;
    // A key-down retrieved in one pump, then text composed by an input
    // method in the next: the text is not the key's.
    PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, nullptr);
    MSG key = Next();
    ASSERT_EQ(key.message, static_cast<UINT>(WM_KEYDOWN));
    BackendPushText(backend, u8"ｱ");  // the system reports UTF-8
    MSG typed = Next();
    EXPECT_EQ(typed.message, static_cast<UINT>(WM_CHAR));
    EXPECT_EQ(typed.wParam, 0xB1u) << "half-width katakana is one byte";
    EXPECT_EQ(typed.lParam, 1);
    TranslateMessage(&key);
    MSG none;
    EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE)) << "the key typed nothing itself";
}

TEST_F(UserInput, AltKeysAreSystemKeysAndAltF4ClosesTheWindow)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_MENU, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_F4, TRUE, FALSE, nullptr);

    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_MENU));
    EXPECT_EQ(msg.lParam & kAltDown, kAltDown);
    Drain();

    std::vector<SeenMessage> closing = Only({WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY});
    ASSERT_EQ(closing.size(), 5u);
    EXPECT_EQ(closing[1].message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(closing[1].wParam, static_cast<WPARAM>(VK_F4));
    EXPECT_EQ(closing[1].lParam & kAltDown, kAltDown);
    EXPECT_EQ(closing[2].message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(closing[2].wParam, static_cast<WPARAM>(SC_CLOSE));
    EXPECT_EQ(closing[3].message, static_cast<UINT>(WM_CLOSE));
    EXPECT_EQ(closing[4].message, static_cast<UINT>(WM_DESTROY));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UserInput, ReleasingAltAndF10AreSystemKeysWithoutTheAltBit)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_MENU, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_MENU, FALSE, FALSE, nullptr);
    PlatformInjectKey(window, VK_F10, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, 'B', TRUE, FALSE, "b");

    MSG msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(msg.lParam & kAltDown, 0);
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(VK_F10));
    EXPECT_EQ(msg.lParam & kAltDown, 0);
    msg = Next();
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_KEYDOWN)) << "Alt is up again";
}

TEST_F(UserInput, TheCloseBoxPostsScClose)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectCloseBox(window);
    MSG msg = Next();
    EXPECT_EQ(msg.hwnd, window);
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_SYSCOMMAND));
    EXPECT_EQ(msg.wParam, static_cast<WPARAM>(SC_CLOSE));
    DispatchMessageA(&msg);
    EXPECT_EQ(Count(WM_CLOSE), 1);
    EXPECT_EQ(Count(WM_DESTROY), 1);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UserInput, TheRightButtonGivesClientCoordinates)
{
    HWND window = Open(kFramed, 50, 50);
    TestHandler() = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
        *result = 0;
        return message == WM_RBUTTONUP;  // handled here: no menu
    };
    PlatformInjectRightClick(window, 12, 34);
    Drain();
    std::vector<SeenMessage> clicks = Only({WM_RBUTTONDOWN, WM_RBUTTONUP});
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0].message, static_cast<UINT>(WM_RBUTTONDOWN));
    EXPECT_EQ(clicks[0].wParam, 0x0002u) << "MK_RBUTTON";
    EXPECT_EQ(clicks[0].lParam, MAKELPARAM(12, 34));
    EXPECT_EQ(clicks[1].message, static_cast<UINT>(WM_RBUTTONUP));
    EXPECT_EQ(clicks[1].wParam, 0u);
    EXPECT_EQ(clicks[1].lParam, MAKELPARAM(12, 34));
}
