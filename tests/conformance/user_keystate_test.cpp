// The thread's keyboard state as SetKeyboardState leaves it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string.h>

class KeyStateTable : public ::testing::Test {
protected:
    void TearDown() override
    {
        BYTE none[256] = {};
        SetKeyboardState(none);
    }
};

// Bit 7 is "down" (a negative GetKeyState), bit 0 "toggled"; clearing the
// state releases held keys.
TEST_F(KeyStateTable, SetKeyboardStateIsWhatGetKeyboardStateAndGetKeyStateReport)
{
    BYTE keys[256] = {};
    keys[VK_LEFT] = 0x80;
    keys[VK_UP] = 0x81;
    keys['Z'] = 0x01;
    keys[VK_SPACE] = 0x80;
    ASSERT_TRUE(SetKeyboardState(keys));

    BYTE read[256];
    memset(read, 0x55, sizeof read);
    ASSERT_TRUE(GetKeyboardState(read));
    EXPECT_EQ(read[VK_LEFT], 0x80);
    EXPECT_EQ(read[VK_UP], 0x81);
    EXPECT_EQ(read['Z'], 0x01);
    EXPECT_EQ(read[VK_RIGHT], 0x00);

    EXPECT_EQ(GetKeyState(VK_LEFT), -128) << "down";
    EXPECT_EQ(GetKeyState(VK_UP), -127) << "down and toggled";
    EXPECT_EQ(GetKeyState('Z'), 1) << "up and toggled";
    EXPECT_EQ(GetKeyState(VK_RIGHT), 0);

    memset(keys, 0, sizeof keys);
    ASSERT_TRUE(SetKeyboardState(keys));
    EXPECT_GE(GetKeyState(VK_LEFT), 0);
    EXPECT_GE(GetKeyState(VK_SPACE), 0);
    EXPECT_FALSE(SetKeyboardState(nullptr));
}
