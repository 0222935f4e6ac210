// SDL keys to Windows virtual keys and PC set-1 scan codes.
//
// Keys are found by their position (SDL scancode), so the keypad gives
// VK_NUMPAD0..9 whether or not NumLock is on and the digit row gives '0'..'9'
// on every layout; letters follow the layout (SDL keycode), as Windows'
// virtual keys do.
#include "backend/sdl_backend.h"

namespace {
constexpr UINT VK_CAPITAL = 0x14;
constexpr UINT VK_CONVERT = 0x1C;
constexpr UINT VK_NONCONVERT = 0x1D;
constexpr UINT VK_SNAPSHOT = 0x2C;
constexpr UINT VK_LWIN = 0x5B;
constexpr UINT VK_RWIN = 0x5C;
constexpr UINT VK_APPS = 0x5D;
constexpr UINT VK_NUMLOCK = 0x90;
constexpr UINT VK_SCROLL = 0x91;
constexpr UINT VK_OEM_1 = 0xBA;
constexpr UINT VK_OEM_PLUS = 0xBB;
constexpr UINT VK_OEM_COMMA = 0xBC;
constexpr UINT VK_OEM_MINUS = 0xBD;
constexpr UINT VK_OEM_PERIOD = 0xBE;
constexpr UINT VK_OEM_2 = 0xBF;
constexpr UINT VK_OEM_3 = 0xC0;
constexpr UINT VK_OEM_4 = 0xDB;
constexpr UINT VK_OEM_5 = 0xDC;
constexpr UINT VK_OEM_6 = 0xDD;
constexpr UINT VK_OEM_7 = 0xDE;
constexpr UINT VK_OEM_102 = 0xE2;
constexpr UINT VK_DBE_HIRAGANA = 0xF2;

const SdlKey keys[] = {
    {SDL_SCANCODE_A, SDLK_a, 'A', 0x1E, false},
    {SDL_SCANCODE_B, SDLK_b, 'B', 0x30, false},
    {SDL_SCANCODE_C, SDLK_c, 'C', 0x2E, false},
    {SDL_SCANCODE_D, SDLK_d, 'D', 0x20, false},
    {SDL_SCANCODE_E, SDLK_e, 'E', 0x12, false},
    {SDL_SCANCODE_F, SDLK_f, 'F', 0x21, false},
    {SDL_SCANCODE_G, SDLK_g, 'G', 0x22, false},
    {SDL_SCANCODE_H, SDLK_h, 'H', 0x23, false},
    {SDL_SCANCODE_I, SDLK_i, 'I', 0x17, false},
    {SDL_SCANCODE_J, SDLK_j, 'J', 0x24, false},
    {SDL_SCANCODE_K, SDLK_k, 'K', 0x25, false},
    {SDL_SCANCODE_L, SDLK_l, 'L', 0x26, false},
    {SDL_SCANCODE_M, SDLK_m, 'M', 0x32, false},
    {SDL_SCANCODE_N, SDLK_n, 'N', 0x31, false},
    {SDL_SCANCODE_O, SDLK_o, 'O', 0x18, false},
    {SDL_SCANCODE_P, SDLK_p, 'P', 0x19, false},
    {SDL_SCANCODE_Q, SDLK_q, 'Q', 0x10, false},
    {SDL_SCANCODE_R, SDLK_r, 'R', 0x13, false},
    {SDL_SCANCODE_S, SDLK_s, 'S', 0x1F, false},
    {SDL_SCANCODE_T, SDLK_t, 'T', 0x14, false},
    {SDL_SCANCODE_U, SDLK_u, 'U', 0x16, false},
    {SDL_SCANCODE_V, SDLK_v, 'V', 0x2F, false},
    {SDL_SCANCODE_W, SDLK_w, 'W', 0x11, false},
    {SDL_SCANCODE_X, SDLK_x, 'X', 0x2D, false},
    {SDL_SCANCODE_Y, SDLK_y, 'Y', 0x15, false},
    {SDL_SCANCODE_Z, SDLK_z, 'Z', 0x2C, false},
    {SDL_SCANCODE_1, SDLK_1, '1', 0x02, false},
    {SDL_SCANCODE_2, SDLK_2, '2', 0x03, false},
    {SDL_SCANCODE_3, SDLK_3, '3', 0x04, false},
    {SDL_SCANCODE_4, SDLK_4, '4', 0x05, false},
    {SDL_SCANCODE_5, SDLK_5, '5', 0x06, false},
    {SDL_SCANCODE_6, SDLK_6, '6', 0x07, false},
    {SDL_SCANCODE_7, SDLK_7, '7', 0x08, false},
    {SDL_SCANCODE_8, SDLK_8, '8', 0x09, false},
    {SDL_SCANCODE_9, SDLK_9, '9', 0x0A, false},
    {SDL_SCANCODE_0, SDLK_0, '0', 0x0B, false},
    {SDL_SCANCODE_RETURN, SDLK_RETURN, VK_RETURN, 0x1C, false},
    {SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, VK_ESCAPE, 0x01, false},
    {SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, VK_BACK, 0x0E, false},
    {SDL_SCANCODE_TAB, SDLK_TAB, VK_TAB, 0x0F, false},
    {SDL_SCANCODE_SPACE, SDLK_SPACE, VK_SPACE, 0x39, false},
    {SDL_SCANCODE_MINUS, SDLK_MINUS, VK_OEM_MINUS, 0x0C, false},
    {SDL_SCANCODE_EQUALS, SDLK_EQUALS, VK_OEM_PLUS, 0x0D, false},
    {SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, VK_OEM_4, 0x1A, false},
    {SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET, VK_OEM_6, 0x1B, false},
    {SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH, VK_OEM_5, 0x2B, false},
    {SDL_SCANCODE_SEMICOLON, SDLK_SEMICOLON, VK_OEM_1, 0x27, false},
    {SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, VK_OEM_7, 0x28, false},
    {SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, VK_OEM_3, 0x29, false},
    {SDL_SCANCODE_COMMA, SDLK_COMMA, VK_OEM_COMMA, 0x33, false},
    {SDL_SCANCODE_PERIOD, SDLK_PERIOD, VK_OEM_PERIOD, 0x34, false},
    {SDL_SCANCODE_SLASH, SDLK_SLASH, VK_OEM_2, 0x35, false},
    {SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, VK_OEM_102, 0x56, false},
    {SDL_SCANCODE_CAPSLOCK, SDLK_CAPSLOCK, VK_CAPITAL, 0x3A, false},
    {SDL_SCANCODE_F1, SDLK_F1, VK_F1, 0x3B, false},
    {SDL_SCANCODE_F2, SDLK_F2, VK_F2, 0x3C, false},
    {SDL_SCANCODE_F3, SDLK_F3, VK_F3, 0x3D, false},
    {SDL_SCANCODE_F4, SDLK_F4, VK_F4, 0x3E, false},
    {SDL_SCANCODE_F5, SDLK_F5, VK_F5, 0x3F, false},
    {SDL_SCANCODE_F6, SDLK_F6, VK_F6, 0x40, false},
    {SDL_SCANCODE_F7, SDLK_F7, VK_F7, 0x41, false},
    {SDL_SCANCODE_F8, SDLK_F8, VK_F8, 0x42, false},
    {SDL_SCANCODE_F9, SDLK_F9, VK_F9, 0x43, false},
    {SDL_SCANCODE_F10, SDLK_F10, VK_F10, 0x44, false},
    {SDL_SCANCODE_F11, SDLK_F11, VK_F11, 0x57, false},
    {SDL_SCANCODE_F12, SDLK_F12, VK_F12, 0x58, false},
    {SDL_SCANCODE_PRINTSCREEN, SDLK_PRINTSCREEN, VK_SNAPSHOT, 0x37, true},
    {SDL_SCANCODE_SCROLLLOCK, SDLK_SCROLLLOCK, VK_SCROLL, 0x46, false},
    {SDL_SCANCODE_PAUSE, SDLK_PAUSE, VK_PAUSE, 0x45, false},
    {SDL_SCANCODE_INSERT, SDLK_INSERT, VK_INSERT, 0x52, true},
    {SDL_SCANCODE_HOME, SDLK_HOME, VK_HOME, 0x47, true},
    {SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, VK_PRIOR, 0x49, true},
    {SDL_SCANCODE_DELETE, SDLK_DELETE, VK_DELETE, 0x53, true},
    {SDL_SCANCODE_END, SDLK_END, VK_END, 0x4F, true},
    {SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, VK_NEXT, 0x51, true},
    {SDL_SCANCODE_RIGHT, SDLK_RIGHT, VK_RIGHT, 0x4D, true},
    {SDL_SCANCODE_LEFT, SDLK_LEFT, VK_LEFT, 0x4B, true},
    {SDL_SCANCODE_DOWN, SDLK_DOWN, VK_DOWN, 0x50, true},
    {SDL_SCANCODE_UP, SDLK_UP, VK_UP, 0x48, true},
    {SDL_SCANCODE_NUMLOCKCLEAR, SDLK_NUMLOCKCLEAR, VK_NUMLOCK, 0x45, true},
    {SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, VK_DIVIDE, 0x35, true},
    {SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, VK_MULTIPLY, 0x37, false},
    {SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, VK_SUBTRACT, 0x4A, false},
    {SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, VK_ADD, 0x4E, false},
    {SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, VK_RETURN, 0x1C, true},
    {SDL_SCANCODE_KP_1, SDLK_KP_1, VK_NUMPAD1, 0x4F, false},
    {SDL_SCANCODE_KP_2, SDLK_KP_2, VK_NUMPAD2, 0x50, false},
    {SDL_SCANCODE_KP_3, SDLK_KP_3, VK_NUMPAD3, 0x51, false},
    {SDL_SCANCODE_KP_4, SDLK_KP_4, VK_NUMPAD4, 0x4B, false},
    {SDL_SCANCODE_KP_5, SDLK_KP_5, VK_NUMPAD5, 0x4C, false},
    {SDL_SCANCODE_KP_6, SDLK_KP_6, VK_NUMPAD6, 0x4D, false},
    {SDL_SCANCODE_KP_7, SDLK_KP_7, VK_NUMPAD7, 0x47, false},
    {SDL_SCANCODE_KP_8, SDLK_KP_8, VK_NUMPAD8, 0x48, false},
    {SDL_SCANCODE_KP_9, SDLK_KP_9, VK_NUMPAD9, 0x49, false},
    {SDL_SCANCODE_KP_0, SDLK_KP_0, VK_NUMPAD0, 0x52, false},
    {SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, VK_DECIMAL, 0x53, false},
    {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, VK_SHIFT, 0x2A, false},
    {SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, VK_SHIFT, 0x36, false},
    {SDL_SCANCODE_LCTRL, SDLK_LCTRL, VK_CONTROL, 0x1D, false},
    {SDL_SCANCODE_RCTRL, SDLK_RCTRL, VK_CONTROL, 0x1D, true},
    {SDL_SCANCODE_LALT, SDLK_LALT, VK_MENU, 0x38, false},
    {SDL_SCANCODE_RALT, SDLK_RALT, VK_MENU, 0x38, true},
    {SDL_SCANCODE_LGUI, SDLK_LGUI, VK_LWIN, 0x5B, true},
    {SDL_SCANCODE_RGUI, SDLK_RGUI, VK_RWIN, 0x5C, true},
    {SDL_SCANCODE_APPLICATION, SDLK_APPLICATION, VK_APPS, 0x5D, true},
    // Japanese keyboard: Ro, Yen, Katakana/Hiragana, Henkan, Muhenkan.
    {SDL_SCANCODE_INTERNATIONAL1, SDLK_UNKNOWN, VK_OEM_102, 0x73, false},
    {SDL_SCANCODE_INTERNATIONAL3, SDLK_UNKNOWN, VK_OEM_5, 0x7D, false},
    {SDL_SCANCODE_INTERNATIONAL2, SDLK_UNKNOWN, VK_DBE_HIRAGANA, 0x70, false},
    {SDL_SCANCODE_INTERNATIONAL4, SDLK_UNKNOWN, VK_CONVERT, 0x79, false},
    {SDL_SCANCODE_INTERNATIONAL5, SDLK_UNKNOWN, VK_NONCONVERT, 0x7B, false},
};
}  // namespace

const SdlKey* SdlKeyFromEvent(SDL_Scancode scancode, SDL_Keycode keycode, UINT* virtualKey)
{
    for (const SdlKey& key : keys) {
        if (key.scancode != scancode)
            continue;
        *virtualKey = key.virtualKey;
        if (keycode >= SDLK_a && keycode <= SDLK_z)
            *virtualKey = static_cast<UINT>('A' + (keycode - SDLK_a));
        return &key;
    }
    return nullptr;
}

const SdlKey* SdlKeyFromVirtualKey(UINT virtualKey)
{
    for (const SdlKey& key : keys) {
        if (key.virtualKey == virtualKey)
            return &key;
    }
    return nullptr;
}
