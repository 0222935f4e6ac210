// Messages that come due with the clock rather than with a system event
// (joystick capture): USER posts them while it retrieves messages and wakes
// from waiting in time for them.
#pragma once

#include "win32_private.h"

// Posts the capture messages due by timeGetTime() (winmm/joystick_capture.cpp).
void JoyPostDueMessages(void);
// Milliseconds until the next capture message may come due; -1 when no
// joystick is captured.
int JoyMillisecondsToNextDue(void);

// Waits for the system's next event or the next timed message, whichever
// comes first, and turns what came into messages (user/timed.cpp).
bool UserWaitEventsOrDue(void);
