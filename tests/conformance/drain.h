// Handles every message there is, as a game's loop does, without
// blocking; a quit message is dropped, so each test starts from an empty
// queue.
#pragma once

#include <windows.h>

inline void Drain()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
