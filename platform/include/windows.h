// The part of the Windows API that the game calls, provided by platform/
// on systems other than Windows, and nothing more: what only the tests use
// is declared in platform_seams.h.
#pragma once

#include "winbase.h"
#include "windef.h"
#include "wingdi.h"
#include "winuser.h"
