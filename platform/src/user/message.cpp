// Retrieving, translating, sending and posting messages.
#include <string.h>

#include "user/keystate.h"
#include "user/timed.h"
#include "user/user_private.h"

namespace {
// The last key-down retrieved and the text typed with it, for
// TranslateMessage, which only sees a copy of the MSG.
MSG lastKey;
uint8_t lastKeyTextLength;
char lastKeyText[16];

bool SameMessage(const MSG& a, const MSG& b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time;
}

bool InRange(UINT message, UINT first, UINT last)
{
    return (!first && !last) || (message >= first && message <= last);
}

bool Retrieve(MSG* msg, HWND filter, UINT first, UINT last, bool remove)
{
    QueueEntry entry;
    if (QueueTakePosted(&entry, filter, first, last, remove)) {
        *msg = entry.msg;
        return true;
    }
    int exitCode;
    if (QueueQuitPending(&exitCode)) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0, timeGetTime(), QueueCursor()};
        if (remove)
            QueueClearQuit();
        return true;
    }
    if (QueueTakeInput(&entry, filter, first, last, remove)) {
        *msg = entry.msg;
        UserReaddressKey(msg);
        if (remove)
            UserKeyStateRetrieved(*msg);
        if (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) {
            lastKey = *msg;
            lastKeyTextLength = entry.textLength;
            memcpy(lastKeyText, entry.text, sizeof entry.text);
        }
        return true;
    }
    if (InRange(WM_PAINT, first, last)) {
        if (Window* window = UserFindPaintWindow(filter)) {
            // The invalid area stays until BeginPaint validates it.
            *msg = MSG{window->handle, WM_PAINT, 0, 0, timeGetTime(), QueueCursor()};
            return true;
        }
    }
    return false;
}

bool AnythingToRetrieve()
{
    return QueueHasMessages() || UserFindPaintWindow(nullptr) != nullptr;
}
}  // namespace

// A null window takes the messages of every window and of the thread; a
// window, only its own (the quit message whatever the window).
BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!msg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (window && !UserGetWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    UserPresentWindows();
    UserPumpEvents();
    JoyPostDueMessages();
    return Retrieve(msg, window, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0) ? TRUE : FALSE;
}

// Returns at once when something can be retrieved; otherwise waits for
// the system's next event that gives one.
BOOL WINAPI WaitMessage(void)
{
    UserPresentWindows();
    UserPumpEvents();
    JoyPostDueMessages();
    while (!AnythingToRetrieve()) {
        if (!UserWaitEventsOrDue())
            return FALSE;
        UserPresentWindows();
    }
    return TRUE;
}

// Key-downs give the characters the keyboard typed with them, one WM_CHAR
// (WM_SYSCHAR with Alt) per code page 932 byte, lead byte first. Enter,
// Esc, Backspace and Tab type their control characters.
BOOL WINAPI TranslateMessage(const MSG* msg)
{
    if (!msg)
        return FALSE;
    switch (msg->message) {
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        break;
    default:
        return FALSE;
    }
    UINT charMessage = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    if (lastKeyTextLength && SameMessage(*msg, lastKey)) {
        for (uint8_t i = 0; i < lastKeyTextLength; ++i)
            QueuePost(msg->hwnd, charMessage, static_cast<BYTE>(lastKeyText[i]), msg->lParam);
        return TRUE;
    }
    switch (msg->wParam) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_BACK:
    case VK_TAB:
        // The virtual keys of these four are their characters.
        QueuePost(msg->hwnd, charMessage, msg->wParam, msg->lParam);
        break;
    default:
        break;
    }
    return TRUE;
}

LRESULT WINAPI DispatchMessageA(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    Window* window = UserGetWindow(msg->hwnd);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

// A null window posts a message to the thread.
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !UserGetWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (!QueuePost(window, message, wParam, lParam)) {
        SetLastError(kErrorNotEnoughQuota);  // the queue is full
        return FALSE;
    }
    return TRUE;
}

LRESULT WINAPI SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return window->proc(handle, message, wParam, lParam);
}

void WINAPI PostQuitMessage(int exitCode)
{
    QueueSetQuit(exitCode);
}
