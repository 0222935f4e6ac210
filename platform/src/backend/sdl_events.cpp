// SDL backend: SDL events to backend events, and input pushed as SDL
// events so that injected input takes the same path as the keyboard's.
#include <string.h>

#include "backend/sdl_backend.h"

namespace {
// Modifier keys pushed and not yet released; SDL does not track the state
// of pushed events, so key events carry it here.
Uint16 pushedModifiers;
// Key events pushed by BackendPushKey carry this mark in padding3.
constexpr Uint8 kPushedMark = 0x5A;

// When a window gains the focus, SDL reports the modifiers already held
// (pressed while another window had the focus) as new presses in the same
// tick. Windows sends no key-down for a key held on activation, and a
// spurious Alt press would close a menu just opened, so these are dropped.
Uint32 focusWindowId;
Uint32 focusTicks;

bool IsModifier(SDL_Keycode key)
{
    switch (key) {
    case SDLK_LALT:
    case SDLK_RALT:
    case SDLK_LCTRL:
    case SDLK_RCTRL:
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
    case SDLK_LGUI:
    case SDLK_RGUI:
        return true;
    default:
        return false;
    }
}

bool HeldOnFocus(const SDL_KeyboardEvent& key)
{
    return key.type == SDL_KEYDOWN && key.padding3 != kPushedMark && key.windowID == focusWindowId &&
           key.timestamp - focusTicks <= 1 && IsModifier(key.keysym.sym);
}

void* OwnerOf(Uint32 windowId)
{
    BackendWindow* window = SdlWindowFromId(windowId);
    return window ? window->owner : nullptr;
}

Uint32 IdOf(BackendWindow* window)
{
    return window ? SDL_GetWindowID(window->window) : 0;
}

int ButtonOf(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return BACKEND_BUTTON_LEFT;
    case SDL_BUTTON_RIGHT:
        return BACKEND_BUTTON_RIGHT;
    case SDL_BUTTON_MIDDLE:
        return BACKEND_BUTTON_MIDDLE;
    default:
        return 0;
    }
}

bool TranslateWindowEvent(const SDL_WindowEvent& window, BackendEvent* out)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        out->type = BACKEND_FOCUS_GAINED;
        focusWindowId = window.windowID;
        focusTicks = window.timestamp;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        out->type = BACKEND_FOCUS_LOST;
        break;
    case SDL_WINDOWEVENT_CLOSE:
        out->type = BACKEND_CLOSE;
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        out->type = BACKEND_EXPOSED;
        break;
    case SDL_WINDOWEVENT_MOVED:
        out->type = BACKEND_MOVED;
        out->x = window.data1;
        out->y = window.data2;
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        out->type = BACKEND_MINIMIZED;
        break;
    case SDL_WINDOWEVENT_RESTORED:
        out->type = BACKEND_RESTORED;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        SdlSurfaceChanged(SdlWindowFromId(window.windowID));
        return false;
    default:
        return false;
    }
    out->owner = OwnerOf(window.windowID);
    return true;
}

bool Translate(const SDL_Event& event, BackendEvent* out)
{
    memset(out, 0, sizeof *out);
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (HeldOnFocus(event.key))
            return false;
        UINT virtualKey = 0;
        const SdlKey* key = SdlKeyFromEvent(event.key.keysym.scancode, event.key.keysym.sym, &virtualKey);
        if (!key)
            return false;
        out->type = event.type == SDL_KEYDOWN ? BACKEND_KEY_DOWN : BACKEND_KEY_UP;
        out->owner = OwnerOf(event.key.windowID);
        out->virtualKey = virtualKey;
        out->scanCode = key->scanCode;
        out->extended = key->extended;
        out->repeat = event.key.repeat != 0;
        out->altDown = (event.key.keysym.mod & KMOD_ALT) != 0;
        return true;
    }
    case SDL_TEXTINPUT:
        out->type = BACKEND_TEXT;
        out->owner = OwnerOf(event.text.windowID);
        static_assert(sizeof out->text >= sizeof event.text.text, "text fits");
        memcpy(out->text, event.text.text, sizeof event.text.text);
        out->text[sizeof out->text - 1] = '\0';
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out->button = ButtonOf(event.button.button);
        if (!out->button)
            return false;
        out->type = event.type == SDL_MOUSEBUTTONDOWN ? BACKEND_BUTTON_DOWN : BACKEND_BUTTON_UP;
        out->owner = OwnerOf(event.button.windowID);
        out->x = event.button.x;
        out->y = event.button.y;
        return true;
    case SDL_MOUSEMOTION:
        out->type = BACKEND_MOUSE_MOVE;
        out->owner = OwnerOf(event.motion.windowID);
        out->x = event.motion.x;
        out->y = event.motion.y;
        return true;
    case SDL_WINDOWEVENT:
        return TranslateWindowEvent(event.window, out);
    default:
        // SDL_QUIT among others: closing is the business of each window.
        return false;
    }
}

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

void Push(SDL_Event* event)
{
    if (BackendInitVideo())
        SDL_PushEvent(event);
}
}  // namespace

bool BackendPollEvent(BackendEvent* event)
{
    if (!BackendVideoReady())
        return false;
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent)) {
        if (Translate(sdlEvent, event))
            return true;
    }
    return false;
}

bool BackendWaitEvent(BackendEvent* event)
{
    if (!BackendInitVideo())
        return false;
    SDL_Event sdlEvent;
    while (SDL_WaitEvent(&sdlEvent)) {
        if (Translate(sdlEvent, event))
            return true;
    }
    return false;
}

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
    event.key.padding3 = kPushedMark;
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

void BackendPushButton(BackendWindow* window, int button, bool down, int x, int y)
{
    SDL_Event event{};
    event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    event.button.windowID = IdOf(window);
    event.button.button = button == BACKEND_BUTTON_RIGHT    ? SDL_BUTTON_RIGHT
                          : button == BACKEND_BUTTON_MIDDLE ? SDL_BUTTON_MIDDLE
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
    if (BackendVideoReady()) {
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
}
