// SDL backend: SDL events to backend events.
#include <string.h>

#include "backend/sdl_backend.h"

namespace {
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
    return key.type == SDL_KEYDOWN && key.padding3 != kSdlPushedMark && key.windowID == focusWindowId &&
           key.timestamp - focusTicks <= 1 && IsModifier(key.keysym.sym);
}

void* OwnerOf(Uint32 windowId)
{
    BackendWindow* window = SdlWindowFromId(windowId);
    return window ? window->owner : nullptr;
}

BackendButton ButtonOf(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return BackendButton::Left;
    case SDL_BUTTON_RIGHT:
        return BackendButton::Right;
    case SDL_BUTTON_MIDDLE:
        return BackendButton::Middle;
    default:
        return BackendButton::Other;
    }
}

#ifdef __EMSCRIPTEN__
// The page's focus is every window's: a dialog's focus change reaches the
// main window too, gained by the main window first, lost by it last.
BackendEvent pendingFocus;
bool focusPending;

void PageFocusToMain(BackendEvent* event)
{
    BackendWindow* main = WebMainWindow();
    if (!main || !main->shown || event->owner == main->owner ||
        (event->type != BackendEventType::FocusGained && event->type != BackendEventType::FocusLost))
        return;
    pendingFocus = *event;
    focusPending = true;
    if (event->type == BackendEventType::FocusGained)
        event->owner = main->owner;
    else
        pendingFocus.owner = main->owner;
}

bool TakePendingFocus(BackendEvent* event)
{
    if (!focusPending)
        return false;
    focusPending = false;
    *event = pendingFocus;
    return true;
}
#else
inline bool TakePendingFocus(BackendEvent*)
{
    return false;
}
#endif

bool TranslateWindowEvent(const SDL_WindowEvent& window, BackendEvent* out)
{
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        out->type = BackendEventType::FocusGained;
        focusWindowId = window.windowID;
        focusTicks = window.timestamp;
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
#ifdef __EMSCRIPTEN__
    case SDL_WINDOWEVENT_HIDDEN:  // the page hidden: another tab, the browser minimised
#endif
        out->type = BackendEventType::FocusLost;
        break;
#ifdef __EMSCRIPTEN__
    case SDL_WINDOWEVENT_SHOWN:  // the page shown again
        out->type = BackendEventType::FocusGained;
        break;
#endif
    case SDL_WINDOWEVENT_CLOSE:
        out->type = BackendEventType::Close;
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        out->type = BackendEventType::Exposed;
        break;
    case SDL_WINDOWEVENT_MOVED:
        out->type = BackendEventType::Moved;
        out->x = window.data1;
        out->y = window.data2;
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        out->type = BackendEventType::Minimized;
        break;
    case SDL_WINDOWEVENT_RESTORED:
        out->type = BackendEventType::Restored;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        SdlSurfaceChanged(SdlWindowFromId(window.windowID));
        return false;
    default:
        return false;
    }
    out->owner = OwnerOf(window.windowID);
#ifdef __EMSCRIPTEN__
    PageFocusToMain(out);
#endif
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
        out->type = event.type == SDL_KEYDOWN ? BackendEventType::KeyDown : BackendEventType::KeyUp;
        out->owner = OwnerOf(event.key.windowID);
        out->virtualKey = virtualKey;
        out->scanCode = key->scanCode;
        out->extended = key->extended;
        out->repeat = event.key.repeat != 0;
        out->altDown = (event.key.keysym.mod & KMOD_ALT) != 0;
        return true;
    }
    case SDL_TEXTINPUT:
        out->type = BackendEventType::Text;
        out->owner = OwnerOf(event.text.windowID);
        static_assert(sizeof out->text >= sizeof event.text.text, "text fits");
        memcpy(out->text, event.text.text, sizeof event.text.text);
        out->text[sizeof out->text - 1] = '\0';
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out->button = ButtonOf(event.button.button);
        if (out->button == BackendButton::Other)
            return false;
        out->type = event.type == SDL_MOUSEBUTTONDOWN ? BackendEventType::ButtonDown : BackendEventType::ButtonUp;
        out->owner = OwnerOf(event.button.windowID);
        out->x = event.button.x;
        out->y = event.button.y;
        return SdlPlacePointer(out);
    case SDL_MOUSEMOTION:
        out->type = BackendEventType::MouseMove;
        out->owner = OwnerOf(event.motion.windowID);
        out->x = event.motion.x;
        out->y = event.motion.y;
        return SdlPlacePointer(out);
    case SDL_WINDOWEVENT:
        return TranslateWindowEvent(event.window, out);
    default:
        // SDL_QUIT among others: closing is the business of each window.
        return false;
    }
}
}  // namespace

bool BackendPollEvent(BackendEvent* event)
{
    if (!SdlVideoReady())
        return false;
    SdlComposePage();
    if (TakePendingFocus(event))
        return true;
    SDL_Event sdlEvent;
    while (SDL_PollEvent(&sdlEvent)) {
        if (Translate(sdlEvent, event))
            return true;
    }
    SdlYieldToBrowser();
    return false;
}

bool BackendWaitEvent(BackendEvent* event)
{
    if (!BackendInitVideo())
        return false;
    SdlComposePage();
    if (TakePendingFocus(event))
        return true;
    SDL_Event sdlEvent;
    while (SDL_WaitEvent(&sdlEvent)) {
        if (Translate(sdlEvent, event))
            return true;
        SdlComposePage();  // woken by a change to the page
    }
    return false;
}
