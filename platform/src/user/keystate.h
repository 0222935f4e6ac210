// The thread's keyboard state, as of the input messages it has retrieved.
#pragma once

#include "win32_private.h"

// Takes in a message the program retrieved from its queue (key and mouse
// button messages change the state; others are ignored).
void UserKeyStateRetrieved(const MSG& msg);
void UserResetKeyState(void);
