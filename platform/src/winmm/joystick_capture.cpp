// WinMM joystick capture: MM_JOYxMOVE and MM_JOYxBUTTONDOWN/UP posted to
// the capturing window.
//
// Like the timer Windows polls with, a capture ticks every period of
// timeGetTime() while the program retrieves or waits for messages, once
// however many periods went by. Each tick reads the stick: a move message
// goes out every tick, or with `changed` only when the position moved;
// a button message goes out when one of buttons 1-4 changed. Destroying
// the window releases the capture.
#include "backend/backend.h"
#include "user/timed.h"
#include "winmm/joystick_private.h"

namespace {
constexpr UINT kCaptureIds = 2;           // MM_JOY1* and MM_JOY2* only
constexpr UINT kMessageButtons = 0x000F;  // JOY_BUTTON1..JOY_BUTTON4
constexpr int kChangedShift = 8;          // JOY_BUTTON1CHG = JOY_BUTTON1 << 8

struct Capture {
    HWND window;  // null when not captured
    UINT period;
    bool changedOnly;
    DWORD nextDue;
    JOYINFO last;  // as last reported
};

Capture captures[kCaptureIds];

bool Captured(const Capture& capture)
{
    return capture.window && IsWindow(capture.window);
}

void Tick(UINT id, Capture& capture)
{
    JOYINFO now;
    if (joyGetPos(id, &now) != JOYERR_NOERROR)
        return;  // unplugged: the capture waits for the device
    LPARAM position = MAKELPARAM(now.wXpos, now.wYpos);
    WPARAM held = now.wButtons & kMessageButtons;
    bool moved = now.wXpos != capture.last.wXpos || now.wYpos != capture.last.wYpos;
    if (moved || !capture.changedOnly)
        PostMessageA(capture.window, MM_JOY1MOVE + id, held, position);
    UINT changed = (now.wButtons ^ capture.last.wButtons) & kMessageButtons;
    if (UINT down = changed & now.wButtons)
        PostMessageA(capture.window, MM_JOY1BUTTONDOWN + id, down << kChangedShift | held, position);
    if (UINT up = changed & ~now.wButtons)
        PostMessageA(capture.window, MM_JOY1BUTTONUP + id, up << kChangedShift | held, position);
    capture.last = now;
}
}  // namespace

MMRESULT WINAPI joySetCapture(HWND window, UINT id, UINT period, BOOL changed)
{
    if (!window || id >= kCaptureIds)
        return JOYERR_PARMS;
    if (!IsWindow(window) || Captured(captures[id]))
        return JOYERR_NOCANDO;
    JOYINFO now;
    MMRESULT result = joyGetPos(id, &now);
    if (result != JOYERR_NOERROR)
        return result;
    period = period < kJoyPeriodMin ? kJoyPeriodMin : period > kJoyPeriodMax ? kJoyPeriodMax : period;
    captures[id] = Capture{window, period, changed != FALSE, timeGetTime() + period, now};
    return JOYERR_NOERROR;
}

MMRESULT WINAPI joyReleaseCapture(UINT id)
{
    if (id >= static_cast<UINT>(kJoySlots))
        return JOYERR_PARMS;
    if (id < kCaptureIds)
        captures[id].window = nullptr;
    return JOYERR_NOERROR;
}

void JoyPostDueMessages(void)
{
    if (!captures[0].window && !captures[1].window)
        return;
    DWORD now = timeGetTime();
    for (UINT id = 0; id < kCaptureIds; ++id) {
        Capture& capture = captures[id];
        if (!capture.window || static_cast<int32_t>(now - capture.nextDue) < 0)
            continue;
        if (!IsWindow(capture.window)) {
            capture.window = nullptr;
            continue;
        }
        capture.nextDue += ((now - capture.nextDue) / capture.period + 1) * capture.period;
        Tick(id, capture);
    }
}

int JoyMillisecondsToNextDue(void)
{
    DWORD now = timeGetTime();
    int next = -1;
    for (const Capture& capture : captures) {
        if (!capture.window)
            continue;
        int32_t wait = static_cast<int32_t>(capture.nextDue - now);
        int due = wait > 0 ? wait : 0;
        if (next < 0 || due < next)
            next = due;
    }
    return next;
}
