// The thread's key state: it follows the key messages the program takes
// from its queue, not the keyboard itself.
#include "user_fixture.h"

namespace {
bool Down(int key)
{
    return GetKeyState(key) < 0;
}
}  // namespace

using KeyState = UserTest;

TEST_F(KeyState, AKeyIsDownOnceItsMessageIsTakenAndItsToggleFlipsOnEachPress)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    EXPECT_EQ(GetKeyState(VK_LEFT), 0) << "the message is still queued";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetKeyState(VK_LEFT), 0) << "looked at, not taken";

    Next();
    EXPECT_EQ(GetKeyState(VK_LEFT), -127) << "down (high bit) and toggled";
    PlatformInjectKey(window, VK_LEFT, TRUE, TRUE, nullptr);
    Next();
    EXPECT_EQ(GetKeyState(VK_LEFT), -127) << "auto-repeat does not toggle";

    PlatformInjectKey(window, VK_LEFT, FALSE, FALSE, nullptr);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    Next();
    EXPECT_EQ(GetKeyState(VK_LEFT), 1) << "up, still toggled";
    Next();
    EXPECT_EQ(GetKeyState(VK_LEFT), -128) << "down again, toggle flipped back";
    EXPECT_EQ(GetKeyState(VK_RIGHT), 0);
    EXPECT_EQ(GetKeyState(0x100 + VK_LEFT), -128) << "only the low byte names the key";
    EXPECT_EQ(GetKeyState(-1), 0);

    PlatformResetUser();
    EXPECT_EQ(GetKeyState(VK_LEFT), 0) << "a fresh USER forgets the keys";
}

TEST_F(KeyState, ShiftControlAndAltFollowTheirLeftKeys)
{
    constexpr int kLeftShift = 0xA0, kRightShift = 0xA1, kLeftControl = 0xA2, kLeftAlt = 0xA4;
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_SHIFT, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_CONTROL, TRUE, FALSE, nullptr);
    Drain();
    EXPECT_TRUE(Down(VK_SHIFT));
    EXPECT_TRUE(Down(kLeftShift));
    EXPECT_FALSE(Down(kRightShift));
    EXPECT_TRUE(Down(VK_CONTROL));
    EXPECT_TRUE(Down(kLeftControl));

    PlatformInjectKey(window, VK_SHIFT, FALSE, FALSE, nullptr);
    PlatformInjectKey(window, VK_CONTROL, FALSE, FALSE, nullptr);
    PlatformInjectKey(window, VK_MENU, TRUE, FALSE, nullptr);
    Drain();
    EXPECT_FALSE(Down(VK_SHIFT));
    EXPECT_FALSE(Down(kLeftShift));
    EXPECT_FALSE(Down(VK_CONTROL));
    EXPECT_TRUE(Down(VK_MENU)) << "Alt comes as WM_SYSKEYDOWN";
    EXPECT_TRUE(Down(kLeftAlt));
    PlatformInjectKey(window, VK_MENU, FALSE, FALSE, nullptr);
    Drain();
    EXPECT_FALSE(Down(VK_MENU));
}

// Beyond the conformance test: only the down and toggle bits are kept, and
// a release that was queued before changes nothing more.
TEST_F(KeyState, SetKeyboardStateKeepsOnlyTheDownAndToggleBits)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    Drain();
    PlatformInjectKey(window, VK_LEFT, FALSE, FALSE, nullptr);
    BYTE keys[256] = {};
    keys[VK_UP] = 0xFF;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_EQ(GetKeyState(VK_UP), -127);
    Drain();
    EXPECT_EQ(GetKeyState(VK_LEFT), 0);
    EXPECT_FALSE(GetKeyboardState(nullptr));
}
