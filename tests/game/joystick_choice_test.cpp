// The device the game plays with when several are plugged in.
#include "game_fixture.h"

#include <mmsystem.h>
#include <string.h>

#include "game/game.h"
#include "screens/screens.h"

class JoystickChoice : public GameTest {
protected:
    void TearDown() override
    {
        GameTest::TearDown();
        joyReleaseCapture(JOYSTICKID1);
        joyReleaseCapture(JOYSTICKID2);
        PlatformDetachVirtualJoysticks();
    }

    static int IdOf(const char* name)
    {
        for (UINT id = 0; id < joyGetNumDevs(); ++id) {
            JOYCAPSA caps;
            if (joyGetDevCapsA(id, &caps, sizeof caps) == JOYERR_NOERROR && strcmp(caps.szPname, name) == 0)
                return static_cast<int>(id);
        }
        return -1;
    }

    // Lets the captures tick and handles what they posted.
    void Tick()
    {
        PlatformAdvanceClock(20);
        DrainMessages();
        PollInput();
    }
};

// The system lists the gamepad first; the game takes the last device that
// answers, and that must be the gamepad, whatever else is plugged in.
TEST_F(JoystickChoice, AGamepadSteersAndActsBesideOtherDevices)
{
    PlatformAttachVirtualJoystick(TRUE, "Pad");
    PlatformAttachVirtualJoystick(FALSE, "Stick");
    PlatformAttachVirtualJoystick(FALSE, "Sensor");
    OpenMainWindow();
    DrainMessages();
    int pad = IdOf("Pad");
    int stick = IdOf("Stick");
    ASSERT_GE(pad, 0);
    ASSERT_GE(stick, 0);
    EXPECT_EQ(game.joystickId, static_cast<DWORD>(pad));

    PlatformSetVirtualJoystickAxes(stick, -32768, 0);
    PlatformSetVirtualJoystickButton(stick, 0, TRUE);
    Tick();
    EXPECT_EQ(game.screen, Title) << "the other device's button does nothing";
    EXPECT_EQ(game.joyX, 0) << "nor does its stick";

    PlatformSetVirtualJoystickButton(pad, 0, TRUE);  // A
    Tick();
    EXPECT_EQ(game.screen, Playing) << "the gamepad's button starts a run";
    PlatformSetVirtualJoystickAxes(pad, 32767, 0);
    Tick();
    EXPECT_EQ(game.joyX, 1) << "its stick steers";
}
