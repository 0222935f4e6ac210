// WinMM joysticks on SDL's virtual joysticks: ids and positions,
// capabilities, and the capture messages a window gets on the settable
// clock and while the program waits.
#include <mmsystem.h>
#include <string.h>

#include "user_fixture.h"

namespace {
constexpr int kLeft = -32768;
constexpr int kRight = 32767;
constexpr UINT kCentre = 32767;
constexpr UINT kFull = 65535;
constexpr WPARAM kButton1Changed = JOY_BUTTON1 << 8;
constexpr WPARAM kButton2Changed = JOY_BUTTON2 << 8;
}  // namespace

class Joystick : public UserTest {
protected:
    void SetUp() override
    {
        UserTest::SetUp();
        PlatformDetachVirtualJoysticks();
        PlatformSetClock(50000);
    }

    void TearDown() override
    {
        joyReleaseCapture(JOYSTICKID1);
        joyReleaseCapture(JOYSTICKID2);
        PlatformDetachVirtualJoysticks();
        PlatformUseRealClock();
        UserTest::TearDown();
    }

    static JOYINFO Position(UINT id)
    {
        JOYINFO info = {};
        EXPECT_EQ(joyGetPos(id, &info), static_cast<MMRESULT>(JOYERR_NOERROR));
        return info;
    }

    // Moves the clock on and handles what came due.
    void Advance(DWORD milliseconds)
    {
        PlatformAdvanceClock(milliseconds);
        Drain();
    }
};

TEST_F(Joystick, WithoutDevicesEveryIdIsUnpluggedAndCannotBeCaptured)
{
    EXPECT_GE(joyGetNumDevs(), 2u);
    JOYINFO info;
    for (UINT id = 0; id < joyGetNumDevs(); ++id)
        EXPECT_EQ(joyGetPos(id, &info), static_cast<MMRESULT>(JOYERR_UNPLUGGED)) << "id " << id;
    EXPECT_EQ(joyGetPos(joyGetNumDevs(), &info), static_cast<MMRESULT>(JOYERR_PARMS));
    EXPECT_EQ(joyGetPos(0, nullptr), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));

    JOYCAPSA caps;
    EXPECT_EQ(joyGetDevCapsA(0, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_PARMS));
    HWND window = Open(kFramed, 40, 40);
    EXPECT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_UNPLUGGED));
}

TEST_F(Joystick, PositionFollowsTheStickAndTheHatAndButtonsAreABitMask)
{
    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    ASSERT_EQ(id, 0) << "the first device takes the first id";

    JOYINFO info = Position(0);
    EXPECT_EQ(info.wXpos, kCentre);
    EXPECT_EQ(info.wYpos, kCentre);
    EXPECT_EQ(info.wButtons, 0u);

    PlatformSetVirtualJoystickAxes(id, kLeft, kLeft);
    info = Position(0);
    EXPECT_EQ(info.wXpos, 0u) << "full left";
    EXPECT_EQ(info.wYpos, 0u) << "full up: y grows downward";

    PlatformSetVirtualJoystickAxes(id, kRight, kRight);
    info = Position(0);
    EXPECT_EQ(info.wXpos, kFull);
    EXPECT_EQ(info.wYpos, kFull);

    PlatformSetVirtualJoystickAxes(id, 0, 0);
    PlatformSetVirtualJoystickHat(id, -1, 1);
    info = Position(0);
    EXPECT_EQ(info.wXpos, 0u) << "hat left";
    EXPECT_EQ(info.wYpos, kFull) << "hat down";
    PlatformSetVirtualJoystickHat(id, 0, 0);

    PlatformSetVirtualJoystickButton(id, 0, TRUE);
    PlatformSetVirtualJoystickButton(id, 2, TRUE);
    PlatformSetVirtualJoystickButton(id, 7, TRUE);
    info = Position(0);
    EXPECT_EQ(info.wButtons, static_cast<UINT>(JOY_BUTTON1 | JOY_BUTTON3 | 0x80));
    EXPECT_EQ(info.wXpos, kCentre);
}

TEST_F(Joystick, DevicesTakeIdsInOrderAndUnpluggingFreesThem)
{
    EXPECT_EQ(PlatformAttachVirtualJoystick(FALSE, nullptr), 0);
    int second = PlatformAttachVirtualJoystick(TRUE, nullptr);
    EXPECT_EQ(second, 1);
    PlatformSetVirtualJoystickAxes(second, kRight, 0);
    EXPECT_EQ(Position(1).wXpos, kFull);
    EXPECT_EQ(Position(0).wXpos, kCentre) << "each id reads its own device";

    PlatformDetachVirtualJoysticks();
    JOYINFO info;
    EXPECT_EQ(joyGetPos(0, &info), static_cast<MMRESULT>(JOYERR_UNPLUGGED));
    EXPECT_EQ(joyGetPos(1, &info), static_cast<MMRESULT>(JOYERR_UNPLUGGED));
    EXPECT_EQ(PlatformAttachVirtualJoystick(FALSE, nullptr), 0) << "a freed id is given again";
}

TEST_F(Joystick, CapabilitiesDescribeTheDeviceInCodePage932)
{
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "ジョイスティック"), 0);
    JOYCAPSA caps;
    memset(&caps, 0xCC, sizeof caps);
    ASSERT_EQ(sizeof caps, 404u);
    ASSERT_EQ(joyGetDevCapsA(0, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_STREQ(caps.szPname, "ジョイスティック");
    EXPECT_EQ(caps.wXmin, 0u);
    EXPECT_EQ(caps.wXmax, kFull);
    EXPECT_EQ(caps.wYmin, 0u);
    EXPECT_EQ(caps.wYmax, kFull);
    EXPECT_EQ(caps.wNumButtons, 8u);
    EXPECT_EQ(caps.wNumAxes, 2u);
    EXPECT_EQ(caps.wPeriodMin, 10u);
    EXPECT_EQ(caps.wPeriodMax, 1000u);
    EXPECT_STREQ(caps.szRegKey, "DINPUT.DLL");
    EXPECT_EQ(caps.szOEMVxD[0], '\0');

    EXPECT_EQ(joyGetDevCapsA(0, &caps, sizeof caps - 1), static_cast<MMRESULT>(JOYERR_PARMS));
    EXPECT_EQ(joyGetDevCapsA(0, nullptr, sizeof caps), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(joyGetDevCapsA(1, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_PARMS)) << "nothing there";

    memset(&caps, 0xCC, sizeof caps);
    ASSERT_EQ(joyGetDevCapsA(static_cast<UINT_PTR>(-1), &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_STREQ(caps.szRegKey, "DINPUT.DLL") << "id -1: the registry key alone";
    EXPECT_EQ(caps.wNumButtons, 0u);
}

TEST_F(Joystick, LongNamesAreCutAtACharacterWithinThe32Bytes)
{
    ASSERT_EQ(PlatformAttachVirtualJoystick(FALSE, "とても長い名前のジョイスティックです"), 0);
    JOYCAPSA caps;
    ASSERT_EQ(joyGetDevCapsA(0, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_STREQ(caps.szPname, "とても長い名前のジョイスティッ");
}

TEST_F(Joystick, AGamepadsDpadGivesFullDeflectionAndItsFaceButtonsAreButtons)
{
    int id = PlatformAttachVirtualJoystick(TRUE, nullptr);
    ASSERT_EQ(id, 0);
    JOYCAPSA caps;
    ASSERT_EQ(joyGetDevCapsA(0, &caps, sizeof caps), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(caps.wNumButtons, 10u) << "read as a gamepad: A B X Y, shoulders, back, start, sticks";

    EXPECT_EQ(Position(0).wXpos, kCentre);
    PlatformSetVirtualJoystickHat(id, -1, -1);
    JOYINFO info = Position(0);
    EXPECT_EQ(info.wXpos, 0u);
    EXPECT_EQ(info.wYpos, 0u);
    PlatformSetVirtualJoystickHat(id, 1, 1);
    info = Position(0);
    EXPECT_EQ(info.wXpos, kFull);
    EXPECT_EQ(info.wYpos, kFull);
    PlatformSetVirtualJoystickHat(id, 0, 0);

    PlatformSetVirtualJoystickAxes(id, kLeft, kRight);
    info = Position(0);
    EXPECT_EQ(info.wXpos, 0u) << "left stick";
    EXPECT_EQ(info.wYpos, kFull);

    PlatformSetVirtualJoystickButton(id, 1, TRUE);  // B
    PlatformSetVirtualJoystickButton(id, 3, TRUE);  // Y
    EXPECT_EQ(Position(0).wButtons, static_cast<UINT>(JOY_BUTTON2 | JOY_BUTTON4));
}

TEST_F(Joystick, CaptureSendsAMoveEveryPeriodWithXLowAndYHigh)
{
    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformSetVirtualJoystickAxes(id, kLeft, kRight);
    HWND window = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));

    Advance(9);
    EXPECT_EQ(Count(MM_JOY1MOVE), 0) << "not before the period";
    Advance(1);
    auto moves = Only({MM_JOY1MOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].window, window);
    EXPECT_EQ(LOWORD(moves[0].lParam), 0u) << "x";
    EXPECT_EQ(HIWORD(moves[0].lParam), kFull) << "y";
    EXPECT_EQ(moves[0].wParam, 0u) << "no button held";

    Advance(10);
    Advance(10);
    EXPECT_EQ(Count(MM_JOY1MOVE), 3) << "the stick stands still and the moves keep coming";
    Advance(35);
    EXPECT_EQ(Count(MM_JOY1MOVE), 4) << "periods missed in between come as one, as a timer's";
    Advance(5);
    EXPECT_EQ(Count(MM_JOY1MOVE), 5) << "on the period's beat";
    EXPECT_EQ(Count(MM_JOY2MOVE), 0);
}

TEST_F(Joystick, CaptureOnChangeSendsOnlyWhenTheStickMoves)
{
    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 10, TRUE), static_cast<MMRESULT>(JOYERR_NOERROR));
    for (int i = 0; i < 5; ++i)
        Advance(10);
    EXPECT_EQ(Count(MM_JOY1MOVE), 0);

    PlatformSetVirtualJoystickAxes(id, kRight, 0);
    Advance(10);
    Advance(10);
    auto moves = Only({MM_JOY1MOVE});
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(LOWORD(moves[0].lParam), kFull);
    EXPECT_EQ(HIWORD(moves[0].lParam), kCentre);
}

TEST_F(Joystick, ButtonsSendDownAndUpWithTheChangedAndHeldFlags)
{
    int id = PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 20, TRUE), static_cast<MMRESULT>(JOYERR_NOERROR));

    PlatformSetVirtualJoystickButton(id, 0, TRUE);
    Advance(20);
    PlatformSetVirtualJoystickButton(id, 1, TRUE);
    Advance(20);
    PlatformSetVirtualJoystickButton(id, 0, FALSE);
    Advance(20);
    auto buttons = Only({MM_JOY1BUTTONDOWN, MM_JOY1BUTTONUP});
    ASSERT_EQ(buttons.size(), 3u);
    EXPECT_EQ(buttons[0].message, static_cast<UINT>(MM_JOY1BUTTONDOWN));
    EXPECT_EQ(buttons[0].wParam, kButton1Changed | JOY_BUTTON1);
    EXPECT_EQ(LOWORD(buttons[0].lParam), kCentre);
    EXPECT_EQ(buttons[1].message, static_cast<UINT>(MM_JOY1BUTTONDOWN));
    EXPECT_EQ(buttons[1].wParam, kButton2Changed | JOY_BUTTON1 | JOY_BUTTON2);
    EXPECT_EQ(buttons[2].message, static_cast<UINT>(MM_JOY1BUTTONUP));
    EXPECT_EQ(buttons[2].wParam, kButton1Changed | JOY_BUTTON2);
    EXPECT_EQ(Count(MM_JOY1MOVE), 0) << "the stick did not move";
}

TEST_F(Joystick, ReleaseStopsTheMessagesAndCapturesDoNotOverlap)
{
    int first = PlatformAttachVirtualJoystick(FALSE, nullptr);
    int second = PlatformAttachVirtualJoystick(FALSE, nullptr);
    ASSERT_EQ(second, 1);
    HWND window = Open(kFramed, 40, 40);
    HWND other = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    EXPECT_EQ(joySetCapture(other, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOCANDO));
    EXPECT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOCANDO));
    ASSERT_EQ(joySetCapture(other, JOYSTICKID2, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
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
    EXPECT_EQ(joySetCapture(other, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR))
        << "free again once released";
    EXPECT_EQ(joyReleaseCapture(16), static_cast<MMRESULT>(JOYERR_PARMS));
}

TEST_F(Joystick, ThePeriodIsKeptWithinTheDriversRange)
{
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 1, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    ASSERT_EQ(joySetCapture(window, JOYSTICKID2, 5000, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    for (int i = 0; i < 10; ++i)
        Advance(1);
    EXPECT_EQ(Count(MM_JOY1MOVE), 1) << "at most every 10 ms";
    Advance(990);
    EXPECT_EQ(Count(MM_JOY2MOVE), 1) << "at least every second";
}

TEST_F(Joystick, DestroyingTheWindowReleasesTheCapture)
{
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    DestroyWindow(window);
    HWND next = Open(kFramed, 40, 40);
    EXPECT_EQ(joySetCapture(next, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
    Advance(10);
    EXPECT_EQ(Count(MM_JOY1MOVE, next), 1);
}

TEST_F(Joystick, WaitMessageWakesWhenACaptureMessageComesDue)
{
    PlatformAttachVirtualJoystick(FALSE, nullptr);
    HWND window = Open(kFramed, 40, 40);
    ASSERT_EQ(joySetCapture(window, JOYSTICKID1, 10, FALSE), static_cast<MMRESULT>(JOYERR_NOERROR));
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
