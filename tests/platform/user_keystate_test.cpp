// The thread's key state: it follows the key messages the program takes
// from its queue, not the keyboard itself.
#include "user_fixture.h"

namespace {
constexpr int kLeftShift = 0xA0;    // VK_LSHIFT
constexpr int kRightShift = 0xA1;   // VK_RSHIFT
constexpr int kLeftControl = 0xA2;  // VK_LCONTROL
constexpr int kLeftAlt = 0xA4;      // VK_LMENU
constexpr int kRightButton = 0x02;  // VK_RBUTTON

bool Down(int key)
{
    return GetKeyState(key) < 0;
}

bool Toggled(int key)
{
    return (GetKeyState(key) & 1) != 0;
}
}  // namespace

class KeyState : public UserTest {
protected:
    // Takes the next message off the queue.
    void Take()
    {
        MSG msg;
        ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    }
};

TEST_F(KeyState, AKeyIsDownOnceItsMessageIsTakenAndItsToggleFlipsOnEachPress)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    EXPECT_EQ(GetKeyState(VK_LEFT), 0) << "the message is still queued";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(GetKeyState(VK_LEFT), 0) << "looked at, not taken";

    Take();
    EXPECT_EQ(GetKeyState(VK_LEFT), -127) << "down (high bit) and toggled";
    PlatformInjectKey(window, VK_LEFT, TRUE, TRUE, nullptr);
    Take();
    EXPECT_EQ(GetKeyState(VK_LEFT), -127) << "auto-repeat does not toggle";

    PlatformInjectKey(window, VK_LEFT, FALSE, FALSE, nullptr);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    Take();
    EXPECT_EQ(GetKeyState(VK_LEFT), 1) << "up, still toggled";
    Take();
    EXPECT_EQ(GetKeyState(VK_LEFT), -128) << "down again, toggle flipped back";
    EXPECT_EQ(GetKeyState(VK_RIGHT), 0);
    EXPECT_EQ(GetKeyState(0x100 + VK_LEFT), -128) << "only the low byte names the key";
    EXPECT_EQ(GetKeyState(-1), 0);
}

TEST_F(KeyState, ShiftControlAndAltFollowTheirLeftKeys)
{
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

TEST_F(KeyState, MouseButtonsCountAsKeys)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectRightClick(window, 5, 5);
    Take();
    EXPECT_TRUE(Down(kRightButton));
    Take();
    EXPECT_FALSE(Down(kRightButton));
}

TEST_F(KeyState, SetKeyboardStateReplacesTheStateWithoutMessages)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_LEFT, TRUE, FALSE, nullptr);
    PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, nullptr);
    Drain();
    ASSERT_TRUE(Down(VK_LEFT));

    BYTE keys[256];
    ASSERT_TRUE(GetKeyboardState(keys));
    EXPECT_EQ(keys[VK_LEFT], 0x81);
    EXPECT_EQ(keys[VK_SPACE], 0x81);
    keys[VK_LEFT] = 0;
    keys[VK_SPACE] = 0x01;
    keys[VK_UP] = 0xFF;
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_FALSE(Down(VK_LEFT));
    EXPECT_FALSE(Toggled(VK_LEFT));
    EXPECT_FALSE(Down(VK_SPACE));
    EXPECT_TRUE(Toggled(VK_SPACE));
    EXPECT_EQ(GetKeyState(VK_UP), -127) << "bits other than down and toggle are dropped";
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));

    PlatformInjectKey(window, VK_LEFT, FALSE, FALSE, nullptr);
    Drain();
    EXPECT_FALSE(Down(VK_LEFT)) << "the real release changes nothing more";
    EXPECT_FALSE(SetKeyboardState(nullptr));
    EXPECT_FALSE(GetKeyboardState(nullptr));
}

TEST_F(KeyState, ResettingUserForgetsTheKeys)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectKey(window, VK_DOWN, TRUE, FALSE, nullptr);
    Drain();
    ASSERT_TRUE(Down(VK_DOWN));
    PlatformResetUser();
    EXPECT_EQ(GetKeyState(VK_DOWN), 0);
}
