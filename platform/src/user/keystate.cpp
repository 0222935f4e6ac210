// GetKeyState, GetKeyboardState and SetKeyboardState.
//
// As on Windows, a key's byte changes when the program retrieves the key's
// message, not when the key moves: the high bit (0x80) is set while the key
// is down, the low bit (0x01) toggles on each press. Shift, Ctrl and Alt
// are kept per side and the generic key follows the two sides. Mouse
// buttons count as keys too.
#include "user/keystate.h"

#include <string.h>

namespace {
constexpr BYTE kDown = 0x80;
constexpr BYTE kToggled = 0x01;
constexpr UINT kLButton = 0x01;   // VK_LBUTTON
constexpr UINT kRButton = 0x02;   // VK_RBUTTON
constexpr UINT kLShift = 0xA0;    // VK_LSHIFT, then VK_RSHIFT
constexpr UINT kLControl = 0xA2;  // VK_LCONTROL, then VK_RCONTROL
constexpr UINT kLMenu = 0xA4;     // VK_LMENU, then VK_RMENU
constexpr UINT kRightShiftScan = 0x36;
constexpr LPARAM kExtended = 1 << 24;
constexpr DWORD kErrorNoAccess = 998;  // ERROR_NOACCESS

BYTE keys[256];

void Set(UINT key, bool down)
{
    BYTE& state = keys[key & 0xFF];
    if (down) {
        if (!(state & kDown))
            state ^= kToggled;
        state |= kDown;
    } else {
        state &= static_cast<BYTE>(~kDown);
    }
}

// A key with a left and a right side: the side from the message, then the
// generic key from both sides.
void SetSided(UINT generic, UINT left, bool right, bool down)
{
    Set(right ? left + 1 : left, down);
    Set(generic, ((keys[left] | keys[left + 1]) & kDown) != 0);
}
}  // namespace

void UserKeyStateRetrieved(const MSG& msg)
{
    bool down;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        down = true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        down = false;
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        Set(kLButton, msg.message == WM_LBUTTONDOWN);
        return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        Set(kRButton, msg.message == WM_RBUTTONDOWN);
        return;
    default:
        return;
    }
    UINT key = static_cast<UINT>(msg.wParam & 0xFF);
    bool extended = (msg.lParam & kExtended) != 0;
    switch (key) {
    case VK_SHIFT:
        SetSided(VK_SHIFT, kLShift, ((msg.lParam >> 16) & 0xFF) == kRightShiftScan, down);
        break;
    case VK_CONTROL:
        SetSided(VK_CONTROL, kLControl, extended, down);
        break;
    case VK_MENU:
        SetSided(VK_MENU, kLMenu, extended, down);
        break;
    default:
        Set(key, down);
        break;
    }
}

void UserResetKeyState(void)
{
    memset(keys, 0, sizeof keys);
}

SHORT WINAPI GetKeyState(int virtualKey)
{
    if (virtualKey < 0)
        return 0;
    // The byte as a signed value: -128 when down, -127 down and toggled.
    return static_cast<signed char>(keys[virtualKey & 0xFF] & (kDown | kToggled));
}

BOOL WINAPI GetKeyboardState(PBYTE state)
{
    if (!state) {
        SetLastError(kErrorNoAccess);
        return FALSE;
    }
    memcpy(state, keys, sizeof keys);
    return TRUE;
}

// Replaces the state without any message; only the down and toggle bits
// are kept.
BOOL WINAPI SetKeyboardState(PBYTE state)
{
    if (!state) {
        SetLastError(kErrorNoAccess);
        return FALSE;
    }
    for (int i = 0; i < 256; ++i)
        keys[i] = state[i] & (kDown | kToggled);
    return TRUE;
}
