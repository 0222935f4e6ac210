// Test seams of USER: input pushed through the system's event queue, so
// that it takes the same path as real input; what the window system was
// shown; the screen size, message boxes and shutdown requests as tests
// set and read them; resetting USER between tests; and the Windows calls
// only tests make (GetClientRect, GetWindowRect, GetWindowTextA).
#include <string>

#include "user/keystate.h"
#include "user/user_private.h"

namespace {
int screenWidth;  // 0: the display's own size
int screenHeight;
std::string lastText;
std::string lastCaption;
bool recording;  // ExitWindowsEx only records
BOOL recordedAnswer;
int requests;
UINT lastFlags;
std::string shutdownProgram = "systemctl";

BackendWindow* BackendOf(HWND handle)
{
    Window* window = UserGetWindow(handle);
    return window ? window->backend : nullptr;
}

void Click(HWND window, BackendButton button, int x, int y)
{
    Window* clicked = UserGetWindow(window);
    Window* root = UserGetWindow(UserRootWindow(window));
    if (!clicked || !root || !root->backend)
        return;
    x += clicked->client.left - root->client.left;
    y += clicked->client.top - root->client.top;
    BackendPushButton(root->backend, button, true, x, y);
    BackendPushButton(root->backend, button, false, x, y);
}
}  // namespace

bool UserScreenOverride(int* width, int* height)
{
    if (screenWidth <= 0 || screenHeight <= 0)
        return false;
    *width = screenWidth;
    *height = screenHeight;
    return true;
}

void UserNoteMessageBox(const char* text, const char* caption)
{
    lastText = text;
    lastCaption = caption;
}

bool UserShutdownRecorded(UINT flags, BOOL* answer)
{
    if (!recording)
        return false;
    ++requests;
    lastFlags = flags;
    *answer = recordedAnswer;
    return true;
}

const char* UserShutdownProgram(void)
{
    return shutdownProgram.c_str();
}

void UserShutdownUseProgram(const char* program)
{
    shutdownProgram = program ? program : "systemctl";
}

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
    Click(window, BackendButton::Right, x, y);
}

void PlatformInjectClick(HWND window, int x, int y)
{
    Click(window, BackendButton::Left, x, y);
}

BOOL PlatformCursorShown(void)
{
    return UserCursorShown() ? TRUE : FALSE;
}

COLORREF PlatformReadWindowPixel(HWND handle, int x, int y)
{
    Window* window = UserGetWindow(handle);
    uint32_t pixel;
    if (!window || x < 0 || y < 0 || x >= window->pixels.width || y >= window->pixels.height ||
        !BackendReadPresented(window->backend, x, y, &pixel))
        return CLR_INVALID;
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

unsigned PlatformPresentCount(HWND handle)
{
    Window* window = UserGetWindow(handle);
    return window ? window->presents : 0;
}

void PlatformSetScreenSize(int width, int height)
{
    screenWidth = width;
    screenHeight = height;
}

const char* PlatformLastMessageBoxText(void)
{
    return lastText.c_str();
}

const char* PlatformLastMessageBoxCaption(void)
{
    return lastCaption.c_str();
}

void PlatformRecordShutdown(BOOL record, BOOL succeed)
{
    recording = record != FALSE;
    recordedAnswer = succeed ? TRUE : FALSE;
    requests = 0;
    lastFlags = 0;
}

int PlatformShutdownRequests(void)
{
    return requests;
}

UINT PlatformLastShutdownFlags(void)
{
    return lastFlags;
}

void PlatformResetUser(void)
{
    UserDestroyAllWindows();
    UserResetClasses();
    QueueReset();
    UserResetInput();
    UserResetKeyState();
    UserResetCursor();
    screenWidth = screenHeight = 0;
    lastText.clear();
    lastCaption.clear();
}

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect)
{
    Window* window = UserGetWindow(handle);
    if (!window || !rect) {
        SetLastError(window ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = RECT{0, 0, window->client.right - window->client.left, window->client.bottom - window->client.top};
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect)
{
    Window* window = UserGetWindow(handle);
    if (!window || !rect) {
        SetLastError(window ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    // The window manager may have changed its frame since it was placed.
    if (!window->parent)
        UserOuterFromClient(window);
    *rect = window->outer;
    return TRUE;
}

// Through WM_GETTEXT, as on Windows; returns the length copied, without
// the NUL; 0 for an empty text or a bad window or buffer.
int WINAPI GetWindowTextA(HWND window, LPSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return 0;
    buffer[0] = '\0';
    if (!UserGetWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(
        SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer)));
}
