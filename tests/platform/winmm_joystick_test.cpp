// WinMM joysticks on SDL's virtual ones: ids, positions, capture messages across the clock's wrap.
#include <mmsystem.h>

#include <string>

#include "platform/user_fixture.h"

namespace {
constexpr int kLeft = -32768, kRight = 32767;
constexpr UINT kCentre = 32767, kFull = 65535;
using XY = std::pair<UINT, UINT>;
}  // namespace

class Joystick : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        PlatformDetachVirtualJoysticks();
        PlatformSetClock(0xFFFFFFFFu - 24);  // the captures run across the wrap
    }
    void TearDown() override
    {
        joyReleaseCapture(JOYSTICKID1);
        joyReleaseCapture(JOYSTICKID2);
        PlatformDetachVirtualJoysticks();
        PlatformUseRealClock();
        UserTest::TearDown();
    }
    static XY Stick(UINT id, UINT* buttons = nullptr)
    {
        JOYINFO info = {};
        EXPECT_EQ(joyGetPos(id, &info), MMRESULT(JOYERR_NOERROR));
        if (buttons)
            *buttons = info.wButtons;
        return {info.wXpos, info.wYpos};
    }
    static void Advance(DWORD milliseconds)
    {
        PlatformAdvanceClock(milliseconds);
        Drain();
    }
    static HWND Captured(UINT id, UINT period, BOOL changed)
    {
        HWND window = Open(kFramed, 40, 40);
        EXPECT_EQ(joySetCapture(window, id, period, changed), MMRESULT(JOYERR_NOERROR));
        return window;
    }
};

// The stick 0..65535 (centre 32767), the hat or d-pad at full deflection, each id its own.
TEST_F(Joystick, PositionsFollowTheStickTheHatAndTheButtons)
{
    JOYINFO info;
    ASSERT_GE(joyGetNumDevs(), 2u);
    EXPECT_TRUE(joyGetPos(0, &info) == JOYERR_UNPLUGGED && joyGetPos(joyGetNumDevs(), &info) == JOYERR_PARMS);
    EXPECT_EQ(joySetCapture(Open(kFramed, 40, 40), JOYSTICKID1, 10, FALSE), MMRESULT(JOYERR_UNPLUGGED));
    ASSERT_TRUE(PlatformAttachVirtualJoystick(FALSE, nullptr) == 0 &&
                PlatformAttachVirtualJoystick(FALSE, nullptr) == 1);
    UINT buttons = 1;
    EXPECT_TRUE(Stick(0, &buttons) == XY(kCentre, kCentre) && buttons == 0);
    const struct {
        int x, y, dx, dy;
        XY read;
    } moves[] = {{kLeft, kLeft, 0, 0, {0, 0}},
                 {kRight, kRight, 0, 0, {kFull, kFull}},
                 {0, 0, -1, 1, {0, kFull}},
                 {kRight, kLeft, 0, 0, {kFull, 0}}};
    for (const auto& move : moves) {
        PlatformSetVirtualJoystickAxes(0, move.x, move.y);
        PlatformSetVirtualJoystickHat(0, move.dx, move.dy);
        EXPECT_EQ(Stick(0), move.read) << move.x << "," << move.y << " hat " << move.dx << "," << move.dy;
        EXPECT_EQ(Stick(1), XY(kCentre, kCentre)) << "each id reads its own device";
    }
    for (int button : {0, 2, 7})
        PlatformSetVirtualJoystickButton(0, button, TRUE);
    Stick(0, &buttons);
    EXPECT_EQ(buttons, UINT(JOY_BUTTON1 | JOY_BUTTON3 | 0x80));
    PlatformDetachVirtualJoysticks();
    ASSERT_EQ(PlatformAttachVirtualJoystick(TRUE, nullptr), 0) << "a freed id is given again";
    for (auto [dx, dy, read] :
         {std::tuple{-1, -1, XY(0, 0)}, std::tuple{1, 1, XY(kFull, kFull)}, std::tuple{0, -1, XY(kCentre, 0)}}) {
        PlatformSetVirtualJoystickHat(0, dx, dy);
        EXPECT_EQ(Stick(0), read) << "d-pad " << dx << "," << dy;
    }
    PlatformSetVirtualJoystickHat(0, 0, 0);
    PlatformSetVirtualJoystickAxes(0, kLeft, kRight);
    PlatformSetVirtualJoystickButton(0, 1, TRUE);  // B
    PlatformSetVirtualJoystickButton(0, 3, TRUE);  // Y
    EXPECT_TRUE(Stick(0, &buttons) == XY(0, kFull) && buttons == UINT(JOY_BUTTON2 | JOY_BUTTON4)) << "left stick, B, Y";
}

// The game steers with the last id; ids once read stay; beside a gamepad one other device.
TEST_F(Joystick, GamepadsTakeTheIdsAfterPlainJoysticks)
{
    using Names = std::vector<std::string>;
    auto answering = [] {
        Names names;
        JOYINFO info;
        JOYCAPSA caps;
        for (UINT id = 0; id < joyGetNumDevs(); ++id)
            if (joyGetPos(id, &info) == JOYERR_NOERROR && joyGetDevCapsA(id, &caps, sizeof caps) == JOYERR_NOERROR)
                names.push_back(caps.szPname);
        return names;
    };
    ASSERT_EQ(PlatformAttachVirtualJoystick(TRUE, "Pad"), 0);
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "ジョイスティック"), 0) << "no program read the pad's id";
    EXPECT_EQ(answering(), (Names{"ジョイスティック", "Pad"}));
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "とても長い名前のジョイスティックです"), 2) << "read: ids stay";
    EXPECT_EQ(answering(), (Names{"ジョイスティック", "Pad", "とても長い名前のジョイスティッ"}));
    JOYCAPSA caps;
    EXPECT_TRUE(joyGetDevCapsA(0, &caps, sizeof caps) == JOYERR_NOERROR && caps.wPeriodMin == 10);
    EXPECT_TRUE(joyGetDevCapsA(0, &caps, sizeof caps - 1) == JOYERR_PARMS &&
                joyGetDevCapsA(3, &caps, sizeof caps) == JOYERR_PARMS);
    const struct {
        std::vector<std::pair<BOOL, const char*>> devices;
        Names offered;
    } layouts[] = {{{{TRUE, "Pad"}, {TRUE, "Pad 2"}, {FALSE, "Stick"}, {FALSE, "Sensor"}}, {"Stick", "Pad"}},
                   {{{FALSE, "Stick"}, {FALSE, "Sensor"}}, {"Stick", "Sensor"}}};  // without a gamepad, every one
    for (const auto& layout : layouts) {
        PlatformDetachVirtualJoysticks();
        for (auto [gamepad, name] : layout.devices)
            PlatformAttachVirtualJoystick(gamepad, name);
        EXPECT_EQ(answering(), layout.offered);
    }
}

// Across the wrap, missed periods as one move on the beat; buttons carry their flags.
TEST_F(Joystick, CaptureSendsMovesEveryPeriodOrOnChange)
{
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformSetVirtualJoystickAxes(0, kLeft, kRight);
    HWND window = Captured(JOYSTICKID1, 1, FALSE);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID2, 5000, FALSE), MMRESULT(JOYERR_NOERROR));
    const struct {
        DWORD advance;
        int moves1, moves2;
    } steps[] = {{9, 0, 0}, {1, 1, 0}, {10, 2, 0}, {10, 3, 0}, {35, 4, 0}, {5, 5, 0}, {929, 6, 0}, {1, 7, 1}};
    for (const auto& step : steps) {
        Advance(step.advance);
        EXPECT_TRUE(Count(MM_JOY1MOVE) == step.moves1 && Count(MM_JOY2MOVE) == step.moves2) << step.advance;
    }
    const SeenMessage move = First(MM_JOY1MOVE);
    EXPECT_TRUE(move.window == window && move.lParam == MAKELPARAM(0, kFull) && move.wParam == 0);

    joyReleaseCapture(JOYSTICKID1);
    PlatformSetVirtualJoystickAxes(0, 0, 0);
    Captured(JOYSTICKID1, 20, TRUE);
    for (auto [button, pressed] : {std::pair{0, TRUE}, std::pair{1, TRUE}, std::pair{0, FALSE}}) {
        PlatformSetVirtualJoystickButton(0, button, pressed);
        Advance(20);
    }
    const std::vector<SeenMessage> buttons = Only({MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP});
    ASSERT_EQ(Order({MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP}),
              (Messages{MM_JOY1BUTTONDOWN, MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP}));
    EXPECT_TRUE(buttons[0].wParam == (JOY_BUTTON1 << 8 | JOY_BUTTON1) && LOWORD(buttons[0].lParam) == kCentre);
    EXPECT_EQ(buttons[1].wParam, WPARAM(JOY_BUTTON2 << 8 | JOY_BUTTON1 | JOY_BUTTON2));
    EXPECT_EQ(buttons[2].wParam, WPARAM(JOY_BUTTON1 << 8 | JOY_BUTTON2));
    EXPECT_EQ(Count(MM_JOY1MOVE), 0) << "the stick stood still";
    PlatformSetVirtualJoystickAxes(0, kRight, 0);
    Advance(20);
    Advance(20);
    ASSERT_EQ(Count(MM_JOY1MOVE), 1);
    EXPECT_TRUE(First(MM_JOY1MOVE).lParam == MAKELPARAM(kFull, kCentre) && First(MM_JOY1MOVE).wParam == JOY_BUTTON2);
}

// Captures do not overlap; WaitMessage wakes when one comes due, on the real clock too.
TEST_F(Joystick, ReleaseStopsTheMessagesAndWaitingWakesForThem)
{
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Captured(JOYSTICKID1, 10, FALSE), other = Captured(JOYSTICKID2, 10, FALSE);
    EXPECT_EQ(joySetCapture(other, JOYSTICKID1, 10, FALSE), MMRESULT(JOYERR_NOCANDO));
    EXPECT_EQ(joySetCapture(window, 2, 10, FALSE), MMRESULT(JOYERR_PARMS)) << "ids 0 and 1 only";
    Advance(10);
    EXPECT_TRUE(Count(MM_JOY1MOVE, window) == 1 && Count(MM_JOY2MOVE, other) == 1);
    EXPECT_EQ(joyReleaseCapture(JOYSTICKID1), MMRESULT(JOYERR_NOERROR));
    DestroyWindow(other);
    Advance(10);
    EXPECT_TRUE(Count(MM_JOY1MOVE) == 1 && Count(MM_JOY2MOVE) == 1);
    EXPECT_EQ(joySetCapture(window, JOYSTICKID2, 10, FALSE), MMRESULT(JOYERR_NOERROR)) << "free again";

    PlatformAdvanceClock(10);
    ASSERT_TRUE(WaitMessage()) << "due already: returns at once";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, MM_JOY2MOVE, MM_JOY2MOVE, PM_REMOVE));
    PlatformUseRealClock();
    joyReleaseCapture(JOYSTICKID2);
    Drain();
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 50, FALSE), MMRESULT(JOYERR_NOERROR));
    const DWORD start = timeGetTime();
    ASSERT_TRUE(WaitMessage());
    const DWORD waited = timeGetTime() - start;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, MM_JOY1MOVE, MM_JOY1MOVE, PM_REMOVE));
    EXPECT_TRUE(waited >= 45 && waited < 1000) << waited;
}
