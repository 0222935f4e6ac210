// System events to messages.
//
// Keys become WM_KEYDOWN / WM_KEYUP (WM_SYSKEYDOWN / WM_SYSKEYUP while Alt
// is held, for F10 and for Alt itself) with Windows' lParam: repeat count
// 1, scan code in bits 16-23, extended key in bit 24, Alt held in bit 29,
// previous key state in bit 30, transition in bit 31. Text the system
// reports in the same pump after a key-down belongs to that key-down, for
// TranslateMessage; text without a key-down becomes WM_CHAR at once.
// Activation changes are sent while the events are pumped, as Windows
// sends them while messages are retrieved.
//
// Keys go to the window with the keyboard focus when it lies in the
// window the system reports them for (a dialog's control); as on Windows,
// the focus when a key message is retrieved decides, so keys queued
// together follow the focus that the first of them moved. Mouse buttons go
// to the child window under the cursor, or to the window that captured the
// mouse, in its client coordinates. A disabled window gets no input: keys
// meant for it go to the focus window, and a click on it or its activation
// by the system brings forward the window it owns (its modal dialog).
#include <string.h>

#include "text/glyphs.h"
#include "user/user_private.h"

namespace {
uint32_t pumpKeySerial;  // the key-down queued in this pump, awaiting its text
WPARAM buttons;          // MK_ flags of the mouse buttons held
HWND capture;

bool Disabled(HWND window)
{
    Window* w = UserGetWindow(window);
    return w && (w->style & WS_DISABLED);
}

HWND KeyTarget(const BackendEvent& event)
{
    HWND window = static_cast<HWND>(event.owner);
    // The open menu's popup, or no window of ours has the focus.
    if (!UserGetWindow(window))
        window = UserMenuOpen() ? UserMenuOwner() : UserActiveWindow();
    HWND focus = UserFocusWindow();
    if (Disabled(window))
        window = focus ? focus : UserActiveWindow();
    if (focus && UserIsDescendant(window, focus))
        window = focus;
    return Disabled(window) ? nullptr : window;
}

// A disabled window's owned window (its modal dialog) comes forward.
void ShowPopupOf(HWND window)
{
    HWND popup = UserEnabledPopup(window);
    Window* shown = UserGetWindow(popup);
    if (!shown)
        return;
    BackendFocusWindow(shown->backend);
    UserActivate(popup);
}

void Key(const BackendEvent& event, HWND window)
{
    bool down = event.type == BackendEventType::KeyDown;
    bool system = event.altDown || event.virtualKey == VK_F10 || event.virtualKey == VK_MENU;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    DWORD flags = 1u | (event.scanCode & 0xFFu) << 16;
    if (event.extended)
        flags |= 1u << 24;
    if (event.altDown)
        flags |= 1u << 29;
    if (!down || event.repeat)
        flags |= 1u << 30;
    if (!down)
        flags |= 1u << 31;
    uint32_t serial = QueueInput(window, message, event.virtualKey, static_cast<LPARAM>(flags));
    if (down)
        pumpKeySerial = serial;
}

void Text(const BackendEvent& event, HWND window)
{
    char typed[16];
    size_t length = TextUtf8ToCp932(event.text, strlen(event.text), typed, sizeof typed);
    if (length == 0 || length >= sizeof typed)
        return;
    if (pumpKeySerial && QueueAttachText(pumpKeySerial, typed, length)) {
        pumpKeySerial = 0;
        return;
    }
    for (size_t i = 0; i < length; ++i)
        QueueInput(window, WM_CHAR, static_cast<BYTE>(typed[i]), 1);
}

void Button(const BackendEvent& event, Window* window)
{
    POINT screen{window->client.left + event.x, window->client.top + event.y};
    QueueSetCursor(screen);
    bool down = event.type == BackendEventType::ButtonDown;
    WPARAM flag = event.button == BackendButton::Left    ? kMkLButton
                  : event.button == BackendButton::Right ? kMkRButton
                                                         : 0;
    if (!flag)
        return;  // no messages for the middle button
    if (window->style & WS_DISABLED) {
        if (down)
            ShowPopupOf(window->handle);
        return;
    }
    buttons = down ? (buttons | flag) : (buttons & ~flag);
    UINT message = event.button == BackendButton::Left ? (down ? WM_LBUTTONDOWN : WM_LBUTTONUP)
                                                       : (down ? WM_RBUTTONDOWN : WM_RBUTTONUP);
    Window* target = UserGetWindow(capture);
    if (!target || UserRootWindow(capture) != window->handle) {
        target = UserChildAt(window, screen);
        target = target ? target : window;
    }
    QueueInput(target->handle, message, buttons,
               MAKELPARAM(screen.x - target->client.left, screen.y - target->client.top));
}

void Moved(Window* window, int x, int y)
{
    int dx = x - window->client.left, dy = y - window->client.top;
    if (!dx && !dy)
        return;
    window->client =
        RECT{window->client.left + dx, window->client.top + dy, window->client.right + dx, window->client.bottom + dy};
    UserOuterFromClient(window);
    UserShiftChildren(window, dx, dy);
    SendMessageA(window->handle, WM_MOVE, 0, MAKELPARAM(x, y));
}

void Handle(const BackendEvent& event)
{
    if (UserMenuTakeEvent(event))
        return;
    if (event.type == BackendEventType::KeyDown || event.type == BackendEventType::KeyUp ||
        event.type == BackendEventType::Text) {
        HWND target = KeyTarget(event);
        if (!target)
            return;
        if (event.type == BackendEventType::Text)
            Text(event, target);
        else
            Key(event, target);
        return;
    }
    HWND handle = static_cast<HWND>(event.owner);
    Window* window = UserGetWindow(handle);
    if (!window)
        return;
    switch (event.type) {
    case BackendEventType::ButtonDown:
    case BackendEventType::ButtonUp:
        Button(event, window);
        break;
    case BackendEventType::MouseMove:
        QueueSetCursor(POINT{window->client.left + event.x, window->client.top + event.y});
        UserApplyClassCursor(window->windowClass->info.hCursor);
        break;
    case BackendEventType::FocusGained:
        if (window->style & WS_DISABLED)
            ShowPopupOf(handle);
        else
            UserActivate(handle);
        break;
    case BackendEventType::FocusLost:
        // An open menu takes the focus without deactivating its window.
        if (UserActiveWindow() == handle && !UserMenuOpen())
            UserActivate(nullptr);
        break;
    case BackendEventType::Close:
        if (!(window->style & WS_DISABLED))
            QueuePost(handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case BackendEventType::Exposed:
        window->pixels.dirty = true;
        break;
    case BackendEventType::Moved:
        Moved(window, event.x, event.y);
        break;
    case BackendEventType::Minimized:
        UserWindowManagerMinimized(window, true);
        break;
    case BackendEventType::Restored:
        UserWindowManagerMinimized(window, false);
        break;
    default:
        break;
    }
}
}  // namespace

int UserPumpEvents()
{
    BackendEvent event;
    int count = 0;
    pumpKeySerial = 0;
    while (BackendPollEvent(&event)) {
        Handle(event);
        ++count;
    }
    pumpKeySerial = 0;
    return count;
}

bool UserWaitEvents()
{
    BackendEvent event;
    if (!BackendWaitEvent(&event))
        return false;
    pumpKeySerial = 0;
    Handle(event);
    while (BackendPollEvent(&event))
        Handle(event);
    pumpKeySerial = 0;
    return true;
}

void UserResetInput()
{
    pumpKeySerial = 0;
    buttons = 0;
    capture = nullptr;
    BackendResetInput();
}

void UserReaddressKey(MSG* msg)
{
    bool key = msg->message == WM_KEYDOWN || msg->message == WM_KEYUP || msg->message == WM_SYSKEYDOWN ||
               msg->message == WM_SYSKEYUP || msg->message == WM_CHAR;
    if (!key)
        return;
    HWND focus = UserFocusWindow();
    if (!focus || focus == msg->hwnd)
        return;
    HWND root = UserRootWindow(msg->hwnd);
    if (root == UserRootWindow(focus) || Disabled(root))
        msg->hwnd = focus;
}

void UserSetCapture(HWND window)
{
    capture = UserGetWindow(window) ? window : nullptr;
}

HWND UserCapture()
{
    if (capture && !UserGetWindow(capture))
        capture = nullptr;
    return capture;
}
