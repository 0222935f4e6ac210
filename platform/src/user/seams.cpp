// Test seams: input pushed through the system's event queue, so that it
// takes the same path as real input, and resetting USER between tests.
#include <platform_seams.h>
#include <string.h>

#include "user/keystate.h"
#include "user/user_private.h"

namespace {
BackendWindow* BackendOf(HWND handle)
{
    Window* window = UserGetWindow(handle);
    return window ? window->backend : nullptr;
}
}  // namespace

void PlatformInjectKey(HWND window, UINT virtualKey, BOOL down, BOOL repeat, const char* text)
{
    BackendWindow* backend = BackendOf(window);
    if (!backend)
        return;
    BackendPushKey(backend, virtualKey, down != FALSE, repeat != FALSE);
    if (down && text && text[0]) {
        char utf8[32];
        UserToUtf8(text, utf8, sizeof utf8);
        BackendPushText(backend, utf8);
    }
}

void PlatformInjectActivation(HWND window, BOOL active)
{
    if (BackendWindow* backend = BackendOf(window))
        BackendPushFocus(backend, active != FALSE);
}

void PlatformInjectCloseBox(HWND window)
{
    if (BackendWindow* backend = BackendOf(window))
        BackendPushClose(backend);
}

void PlatformInjectRightClick(HWND window, int x, int y)
{
    BackendWindow* backend = BackendOf(window);
    if (!backend)
        return;
    BackendPushButton(backend, BACKEND_BUTTON_RIGHT, true, x, y);
    BackendPushButton(backend, BACKEND_BUTTON_RIGHT, false, x, y);
}

void PlatformInjectClick(HWND window, int x, int y)
{
    Window* clicked = UserGetWindow(window);
    Window* root = UserGetWindow(UserRootWindow(window));
    if (!clicked || !root || !root->backend)
        return;
    x += clicked->client.left - root->client.left;
    y += clicked->client.top - root->client.top;
    BackendPushButton(root->backend, BACKEND_BUTTON_LEFT, true, x, y);
    BackendPushButton(root->backend, BACKEND_BUTTON_LEFT, false, x, y);
}

void PlatformResetUser(void)
{
    UserDestroyAllWindows();
    UserResetClasses();
    QueueReset();
    UserResetInput();
    UserResetScreen();
    UserResetMessageBox();
    UserResetKeyState();
    UserResetCursor();
}
