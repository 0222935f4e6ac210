// Comparing clock readings. timeGetTime wraps around every 2^32 ms (about
// 49.7 days), so a due time is reached when the distance from it, taken
// modulo 2^32, is not negative: the test holds across the wrap.
#pragma once

#include <windows.h>

inline bool TimeReached(DWORD now, DWORD due)
{
    return static_cast<LONG>(now - due) >= 0;
}

// Strictly after `due`, wrap-safe in the same way.
inline bool TimeAfter(DWORD now, DWORD due)
{
    return static_cast<LONG>(now - due) > 0;
}
