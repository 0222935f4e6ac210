// WinMM joysticks on SDL's virtual joysticks: ids and positions,
// capabilities, and the capture messages a window gets on the settable
// clock (started just before its wrap) and while the program waits.
#include <mmsystem.h>
#include <string.h>

#include <string>
#include <vector>

#include "user_fixture.h"

namespace {
constexpr int kLeft = -32768;
constexpr int kRight = 32767;
constexpr UINT kCentre = 32767;
constexpr UINT kFull = 65535;
constexpr WPARAM kButton1Changed = JOY_BUTTON1 << 8;
constexpr WPARAM kButton2Changed = JOY_BUTTON2 << 8;
using XY = std::pair<UINT, UINT>;
}  // namespace

class Joystick : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        PlatformDetachVirtualJoysticks();
        PlatformSetClock(0xFFFFFFFFu - 24);  // the capture tests run across the wrap
    }

    void TearDown() override
    {
        joyReleaseCapture(JOYSTICKID1);
        joyReleaseCapture(JOYSTICKID2);
        PlatformDetachVirtualJoysticks();
        PlatformUseRealClock();
        UserTest::TearDown();
    }

    // The stick's x and y, as joyGetPos reads them.
    static XY Stick(UINT id)
    {
        JOYINFO info = {};
        EXPECT_EQ(joyGetPos(id, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
        return {info.wXpos, info.wYpos};
    }

    static UINT Buttons(UINT id)
    {
        JOYINFO info = {};
        EXPECT_EQ(joyGetPos(id, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
        return info.wButtons;
    }

    // Moves the clock on and handles what came due.
    void Advance(DWORD milliseconds)
    {
        PlatformAdvanceClock(milliseconds);
        Drain();
    }

    HWND Captured(UINT id, UINT period, BOOL changed)
    {
        HWND window = Open(kFramed, 40, 40);
        EXPECT_EQ(joySetCapture(window, id, period, changed), static_cast<MMRESULT>(JOYERR_NOERROR));
        return window;
    }
};

TEST_F(Joystick, DevicesTakeIdsInOrderAndTheirPositionFollowsTheStickTheHatAndButtons)
{
    // Without devices, every id is unplugged and cannot be captured.
    EXPECT_GE(joyGetNumDevs(), 2u);
    JOYINFO info;
    for (UINT id = 0; id < joyGetNumDevs(); ++id)
        EXPECT_EQ(joyGetPos(id, &info), static_cast<MMRESULT>(JOYERR_UNPLUGGED)) << "id " << id;
    EXPECT_EQ(joyGetPos(joyGetNumDevs(), &info), static_cast<MMRESULT>(JOYERR_PARMS));
    EXPECT_EQ(joyGetPos(0, nullptr), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(joySetCapture(Open(kFramed, 40, 40), JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_UNPLUGGED));

    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    ASSERT_EQ(id, 0) << "the first device takes the first id";
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, nullptr), 1);
    EXPECT_EQ(Stick(0), XY(kCentre, kCentre));
    EXPECT_EQ(Buttons(0), 0u);
    PlatformSetVirtualJoystickAxes(id, kLeft, kLeft);
    EXPECT_EQ(Stick(0), XY(0, 0)) << "full left and up: y grows downward";
    EXPECT_EQ(Stick(1), XY(kCentre, kCentre)) << "each id reads its own device";
    PlatformSetVirtualJoystickAxes(id, kRight, kRight);
    EXPECT_EQ(Stick(0), XY(kFull, kFull));

    PlatformSetVirtualJoystickAxes(id, 0, 0);
    PlatformSetVirtualJoystickHat(id, -1, 1);
    EXPECT_EQ(Stick(0), XY(0, kFull)) << "the hat left and down";
    PlatformSetVirtualJoystickHat(id, 0, 0);
    for (int button : {0, 2, 7})
        PlatformSetVirtualJoystickButton(id, button, TRUE);
    EXPECT_EQ(Buttons(0), static_cast<UINT>(JOY_BUTTON1 | JOY_BUTTON3 | 0x80));
    EXPECT_EQ(Stick(0), XY(kCentre, kCentre));

    PlatformDetachVirtualJoysticks();
    EXPECT_EQ(joyGetPos(0, &info), static_cast<MMRESULT>(JOYERR_UNPLUGGED));
    EXPECT_EQ(PlatformAttachVirtualJoystick(FALSE, nullptr), 0) << "a freed id is given again";
}

// A program that steers with the last id answering joyGetPos (the game
// does) must get the gamepad, whichever device the system lists first.
TEST_F(Joystick, GamepadsTakeTheIdsAfterPlainJoysticksAndReadIdsStay)
{
    auto answering = [] {
        std::vector<std::string> names;
        for (UINT id = 0; id < joyGetNumDevs(); ++id) {
            JOYINFO info;
            JOYCAPSA caps;
            if (joyGetPos(id, &info) == JOYERR_NOERROR && joyGetDevCapsA(id, &caps, sizeof caps) == JOYERR_NOERROR)
                names.push_back(caps.szPname);
        }
        return names;
    };
    using Names = std::vector<std::string>;
    ASSERT_EQ(PlatformAttachVirtualJoystick(TRUE, "Pad"), 0);
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "Stick"), 0) << "the gamepad moves up: no program read its id";
    EXPECT_EQ(answering(), (Names{"Stick", "Pad"}));

    // Read now: the devices keep their ids, a newcomer takes the next.
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "Late"), 2);
    EXPECT_EQ(answering(), (Names{"Stick", "Pad", "Late"}));

    // With every device gone the ids are laid out anew. Beside a gamepad
    // only one other device is offered: the two ids messages reach.
    PlatformDetachVirtualJoysticks();
    PlatformAttachVirtualJoystick(TRUE, "Pad");
    PlatformAttachVirtualJoystick(TRUE, "Pad 2");
    PlatformAttachVirtualJoystick(FALSE, "Stick");
    PlatformAttachVirtualJoystick(FALSE, "Sensor");
    EXPECT_EQ(answering(), (Names{"Stick", "Pad"}));
    PlatformDetachVirtualJoysticks();
    PlatformAttachVirtualJoystick(FALSE, "Stick");
    PlatformAttachVirtualJoystick(FALSE, "Sensor");
    EXPECT_EQ(answering(), (Names{"Stick", "Sensor"})) << "without a gamepad every joystick";
}

// The name in code page 932 and the shortest polling period; nothing else.
TEST_F(Joystick, CapabilitiesGiveTheNameInCodePage932AndTheShortestPeriod)
{
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "ジョイスティック"), 0);
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "とても長い名前のジョイスティックです"), 1);
    JOYCAPSA caps;
    memset(&caps, 0xCC, sizeof caps);
    ASSERT_EQ(joyGetDevCapsA(0, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_STREQ(caps.szPname, "ジョイスティック");
    EXPECT_EQ(caps.wPeriodMin, 10u);
    EXPECT_EQ(caps.wXmax, 0u) << "the rest is cleared";
    EXPECT_EQ(caps.szOEMVxD[0], '\0');
    ASSERT_EQ(joyGetDevCapsA(1, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_STREQ(caps.szPname, "とても長い名前のジョイスティッ") << "cut at a character within 32 bytes";

    EXPECT_EQ(joyGetDevCapsA(0, &caps, sizeof caps - 1), static_cast<MMRESULT>(JOYERR_PARMS));
    EXPECT_EQ(joyGetDevCapsA(0, nullptr, sizeof caps), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(joyGetDevCapsA(2, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_PARMS)) << "nothing there";
}

TEST_F(Joystick, AGamepadsDpadGivesFullDeflectionAndItsFaceButtonsAreButtons)
{
    int id = PlatformAttachVirtualJoystick(TRUE, nullptr);
    ASSERT_EQ(id, 0);
    PlatformSetVirtualJoystickHat(id, -1, -1);
    EXPECT_EQ(Stick(0), XY(0, 0));
    PlatformSetVirtualJoystickHat(id, 1, 1);
    EXPECT_EQ(Stick(0), XY(kFull, kFull));
    PlatformSetVirtualJoystickHat(id, 0, 0);
    PlatformSetVirtualJoystickAxes(id, kLeft, kRight);
    EXPECT_EQ(Stick(0), XY(0, kFull)) << "the left stick";
    PlatformSetVirtualJoystickButton(id, 1, TRUE);  // B
    PlatformSetVirtualJoystickButton(id, 3, TRUE);  // Y
    EXPECT_EQ(Buttons(0), static_cast<UINT>(JOY_BUTTON2 | JOY_BUTTON4));
}

// The periods asked for lie outside the driver's 10..1000 ms and are kept
// within it.
TEST_F(Joystick, CaptureSendsAMoveEveryPeriodWithXLowAndYHigh)
{
    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformSetVirtualJoystickAxes(id, kLeft, kRight);
    HWND window = Captured(JOYSTICKID1, 1, FALSE);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID2, 5000, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    for (int i = 0; i < 9; ++i)
        Advance(1);
    EXPECT_EQ(Count(MM_JOY1MOVE), 0) << "not before the period";
    Advance(1);
    auto moves = Only({MM_JOY1MOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].window, window);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(0, kFull)) << "x low, y high";
    EXPECT_EQ(moves[0].wParam, 0u) << "no button held";

    Advance(10);
    Advance(10);
    EXPECT_EQ(Count(MM_JOY1MOVE), 3) << "the stick stands still, the moves keep coming across the wrap";
    Advance(35);
    EXPECT_EQ(Count(MM_JOY1MOVE), 4) << "periods missed in between come as one, as a timer's";
    Advance(5);
    EXPECT_EQ(Count(MM_JOY1MOVE), 5) << "on the period's beat";
    EXPECT_EQ(Count(MM_JOY2MOVE), 0);
    Advance(929);
    EXPECT_EQ(Count(MM_JOY2MOVE), 0);
    Advance(1);
    EXPECT_EQ(Count(MM_JOY2MOVE), 1) << "at least every second";
}

TEST_F(Joystick, OnChangeButtonsSendDownAndUpWithTheirFlagsAndTheStickOnlyWhenItMoves)
{
    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    Captured(JOYSTICKID1, 20, TRUE);
    PlatformSetVirtualJoystickButton(id, 0, TRUE);
    Advance(20);
    PlatformSetVirtualJoystickButton(id, 1, TRUE);
    Advance(20);
    PlatformSetVirtualJoystickButton(id, 0, FALSE);
    Advance(20);
    auto buttons = Only({MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP});
    ASSERT_EQ(Order({MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP}),
              (Messages{MM_JOY1BUTTONDOWN, MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP}));
    EXPECT_EQ(buttons[0].wParam, kButton1Changed | JOY_BUTTON1);
    EXPECT_EQ(LOWORD(buttons[0].lParam), kCentre);
    EXPECT_EQ(buttons[1].wParam, kButton2Changed | JOY_BUTTON1 | JOY_BUTTON2);
    EXPECT_EQ(buttons[2].wParam, kButton1Changed | JOY_BUTTON2);
    EXPECT_EQ(Count(MM_JOY1MOVE), 0) << "the stick stood still";

    PlatformSetVirtualJoystickAxes(id, kRight, 0);
    Advance(20);
    Advance(20);
    auto moves = Only({MM_JOY1MOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(kFull, kCentre));
    EXPECT_EQ(moves[0].wParam, static_cast<WPARAM>(JOY_BUTTON2)) << "the button held";
}

TEST_F(Joystick, ReleaseStopsTheMessagesAndCapturesDoNotOverlap)
{
    int first = PlatformAttachVirtualJoystick(FALSE, nullptr);
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, nullptr), 1);
    HWND window = Captured(JOYSTICKID1, 10, FALSE);
    HWND other = Captured(JOYSTICKID2, 10, FALSE);
    EXPECT_EQ(joySetCapture(other, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOCANDO));
    EXPECT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOCANDO));
    EXPECT_EQ(joySetCapture(window, 2, 10, FALSE), static_cast<MMRESULT>(JOYERR_PARMS)) << "ids 0 and 1 only";
    EXPECT_EQ(joySetCapture(nullptr, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_PARMS));
    Advance(10);
    EXPECT_EQ(Count(MM_JOY1MOVE, window), 1);
    EXPECT_EQ(Count(MM_JOY2MOVE, other), 1);

    EXPECT_EQ(joyReleaseCapture(JOYSTICKID1), static_cast<MMRESULT>(JOYERR_NOERROR));
    PlatformSetVirtualJoystickButton(first, 0, TRUE);
    Advance(10);
    Advance(10);
    EXPECT_EQ(Count(MM_JOY1MOVE), 1);
    EXPECT_EQ(Count(MM_JOY1BUTTONDOWN), 0);
    EXPECT_EQ(Count(MM_JOY2MOVE), 3);
    EXPECT_EQ(joySetCapture(other, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR)) << "free again";
    EXPECT_EQ(joyReleaseCapture(16), static_cast<MMRESULT>(JOYERR_PARMS));

    // Destroying the window releases its capture.
    DestroyWindow(other);
    HWND next = Captured(JOYSTICKID2, 10, FALSE);
    Advance(10);
    EXPECT_EQ(Count(MM_JOY2MOVE, next), 1);
}

TEST_F(Joystick, WaitMessageWakesWhenACaptureMessageComesDue)
{
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Captured(JOYSTICKID1, 10, FALSE);
    PlatformAdvanceClock(10);
    ASSERT_TRUE(WaitMessage()) << "due already: returns at once";
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, MM_JOY1MOVE, MM_JOY1MOVE, PM_REMOVE));

    // On the real clock, nothing else happening: the wait ends with the period.
    PlatformUseRealClock();
    joyReleaseCapture(JOYSTICKID1);
    Drain();
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 50, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    DWORD start = timeGetTime();
    ASSERT_TRUE(WaitMessage());
    DWORD waited = timeGetTime() - start;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, MM_JOY1MOVE, MM_JOY1MOVE, PM_REMOVE));
    EXPECT_GE(waited, 45u);
    EXPECT_LT(waited, 1000u);
}
