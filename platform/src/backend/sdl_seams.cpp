// SDL backend, for the test seams only: input pushed as SDL events so that
// it takes the keyboard's own path, the picture read back from the window
// surface, and SDL's virtual joysticks.
#include <string.h>

#include "backend/sdl_backend.h"

namespace {
// Modifier keys pushed and not yet released; SDL does not track the state
// of pushed events, so key events carry it here.
Uint16 pushedModifiers;
constexpr int kVirtualButtons = 8;

Uint16 ModifierOf(UINT virtualKey)
{
    switch (virtualKey) {
    case VK_SHIFT:
        return KMOD_LSHIFT;
    case VK_CONTROL:
        return KMOD_LCTRL;
    case VK_MENU:
        return KMOD_LALT;
    default:
        return 0;
    }
}

Uint32 IdOf(BackendWindow* window)
{
    return window ? SDL_GetWindowID(window->window) : 0;
}

void Push(SDL_Event* event)
{
    if (BackendInitVideo())
        SDL_PushEvent(event);
}
}  // namespace

void BackendPushKey(BackendWindow* window, UINT virtualKey, bool down, bool repeat)
{
    const SdlKey* key = SdlKeyFromVirtualKey(virtualKey);
    if (!key)
        return;
    // As SDL reports it: a modifier's own press already carries it, its
    // release no longer does.
    if (down)
        pushedModifiers |= ModifierOf(virtualKey);
    else
        pushedModifiers &= static_cast<Uint16>(~ModifierOf(virtualKey));
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.windowID = IdOf(window);
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = down && repeat ? 1 : 0;
    event.key.keysym.scancode = key->scancode;
    event.key.keysym.sym = key->keycode;
    event.key.keysym.mod = pushedModifiers;
    event.key.padding3 = kSdlPushedMark;
    Push(&event);
}

void BackendPushText(BackendWindow* window, const char* utf8)
{
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    event.text.windowID = IdOf(window);
    SDL_strlcpy(event.text.text, utf8, sizeof event.text.text);
    Push(&event);
}

void BackendPushFocus(BackendWindow* window, bool gained)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = IdOf(window);
    event.window.event = gained ? SDL_WINDOWEVENT_FOCUS_GAINED : SDL_WINDOWEVENT_FOCUS_LOST;
    Push(&event);
}

void BackendPushClose(BackendWindow* window)
{
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = IdOf(window);
    event.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(&event);
}

void BackendPushButton(BackendWindow* window, BackendButton button, bool down, int x, int y)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = IdOf(window);
    event.button.button = button == BackendButton::Right    ? SDL_BUTTON_RIGHT
                          : button == BackendButton::Middle ? SDL_BUTTON_MIDDLE
                                                            : SDL_BUTTON_LEFT;
    event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.button.clicks = 1;
    event.button.x = x;
    event.button.y = y;
    Push(&event);
}

void BackendResetInput(void)
{
    pushedModifiers = 0;
    if (SdlVideoReady()) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
}

#ifndef __EMSCRIPTEN__
// A page keeps each window's picture itself (backend/web_video.cpp).
bool BackendReadPresented(BackendWindow* window, int x, int y, uint32_t* pixel)
{
    if (!window || window->path != PresentPath::Surface || !window->presented)
        return false;
    // A resize replaces the surface, and the picture with it, until the
    // next present.
    SDL_Surface* surface = SDL_GetWindowSurface(window->window);
    if (!surface || surface != window->presented || x >= surface->w || y >= surface->h) {
        *pixel = 0;
        return true;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return false;
    Uint32 value = 0;
    memcpy(&value,
           static_cast<const uint8_t*>(surface->pixels) + static_cast<ptrdiff_t>(y) * surface->pitch +
               static_cast<ptrdiff_t>(x) * surface->format->BytesPerPixel,
           surface->format->BytesPerPixel < 4 ? surface->format->BytesPerPixel : 4);
    Uint8 r, g, b;
    SDL_GetRGB(value, surface->format, &r, &g, &b);
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    *pixel = static_cast<uint32_t>(r) << 16 | static_cast<uint32_t>(g) << 8 | b;
    return true;
}
#endif

int BackendJoyAttachVirtual(bool gamepad, const char* nameUtf8)
{
    if (!BackendJoyInit())
        return -1;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    if (gamepad) {
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    } else {
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = 2;
        desc.nbuttons = kVirtualButtons;
        desc.nhats = 1;
    }
    desc.name = nameUtf8;
    int device = SDL_JoystickAttachVirtualEx(&desc);
    if (device < 0)
        return -1;
    SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(device);
    BackendJoyRefresh();
    return SdlJoystickSlotOf(instance);
}

bool BackendJoySetVirtualAxes(int slot, int x, int y)
{
    bool gamepad;
    SDL_Joystick* stick = SdlJoystickInSlot(slot, &gamepad);
    if (!stick)
        return false;
    x = SDL_clamp(x, SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX);
    y = SDL_clamp(y, SDL_JOYSTICK_AXIS_MIN, SDL_JOYSTICK_AXIS_MAX);
    // A gamepad's first two axes are its left stick.
    return SDL_JoystickSetVirtualAxis(stick, 0, static_cast<Sint16>(x)) == 0 &&
           SDL_JoystickSetVirtualAxis(stick, 1, static_cast<Sint16>(y)) == 0;
}

bool BackendJoySetVirtualButton(int slot, int button, bool pressed)
{
    bool gamepad;
    SDL_Joystick* stick = SdlJoystickInSlot(slot, &gamepad);
    return stick && SDL_JoystickSetVirtualButton(stick, button, pressed ? SDL_PRESSED : SDL_RELEASED) == 0;
}

bool BackendJoySetVirtualHat(int slot, int dx, int dy)
{
    bool gamepad;
    SDL_Joystick* stick = SdlJoystickInSlot(slot, &gamepad);
    if (!stick)
        return false;
    if (gamepad) {
        const struct {
            SDL_GameControllerButton button;
            bool pressed;
        } pad[] = {{SDL_CONTROLLER_BUTTON_DPAD_LEFT, dx < 0},
                   {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, dx > 0},
                   {SDL_CONTROLLER_BUTTON_DPAD_UP, dy < 0},
                   {SDL_CONTROLLER_BUTTON_DPAD_DOWN, dy > 0}};
        for (const auto& key : pad) {
            if (SDL_JoystickSetVirtualButton(stick, key.button, key.pressed ? SDL_PRESSED : SDL_RELEASED) != 0)
                return false;
        }
        return true;
    }
    Uint8 hat = SDL_HAT_CENTERED;
    hat |= dx < 0 ? SDL_HAT_LEFT : dx > 0 ? SDL_HAT_RIGHT : 0;
    hat |= dy < 0 ? SDL_HAT_UP : dy > 0 ? SDL_HAT_DOWN : 0;
    return SDL_JoystickSetVirtualHat(stick, 0, hat) == 0;
}

void BackendJoyDetachVirtual(void)
{
    if (!SDL_WasInit(SDL_INIT_JOYSTICK))
        return;
    SdlCloseVirtualJoysticks();
    for (int i = SDL_NumJoysticks(); i-- > 0;) {
        if (SDL_JoystickIsVirtual(i))
            SDL_JoystickDetachVirtual(i);
    }
    BackendJoyRefresh();
}
