// The part of the Windows API that the game calls, provided by platform/
// on systems other than Windows. Only what is declared here exists.
#pragma once

#include "windef.h"
#include "winbase.h"
#include "wingdi.h"
#include "winuser.h"
