// WinMM: the multimedia timer.
#pragma once

#include "windef.h"

#ifdef __cplusplus
extern "C" {
#endif

// Milliseconds since an arbitrary start, as a 32-bit count that wraps
// around every 2^32 ms.
DWORD WINAPI timeGetTime(void);

#ifdef __cplusplus
}
#endif
