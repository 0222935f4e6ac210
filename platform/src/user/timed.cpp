// Waiting for messages when some come due with the clock.
#include "user/timed.h"

#include "user/user_private.h"

bool UserWaitEventsOrDue(void)
{
    int due = JoyMillisecondsToNextDue();
    if (due < 0)
        return UserWaitEvents();
    if (BackendWaitForEvent(static_cast<DWORD>(due)))
        UserPumpEvents();
    JoyPostDueMessages();
    return true;
}
