// Shared state of the SDL backend files.
#pragma once

#include <SDL.h>

#include "backend/backend.h"

#ifdef __EMSCRIPTEN__
// A page has one canvas: its windows are drawn into it (backend/web_*.cpp).
#include "backend/web_backend.h"
#else
// A window shows its pictures through one of two paths, chosen at its
// first present and kept: its window surface (the window system's own
// buffer, filled without scaling), or, where the window's pixels are
// larger than its size (HiDPI) or it has no surface, a renderer that
// scales a texture to the full output.
enum class PresentPath : uint8_t { Undecided, Surface, Renderer };

struct BackendWindow {
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture;
    int textureWidth;
    int textureHeight;
    bool rendererFailed;
    void* owner;
    PresentPath path;
    SDL_Surface* presented;  // the window surface that holds the last picture
    // A copy of the last picture put in the window surface, to find what a
    // new one changes; stale until a whole picture has been put there.
    uint32_t* shadow;
    int shadowWidth;
    int shadowHeight;
    bool shadowStale;
};
#endif

// Whether the video system is up (BackendInitVideo succeeded).
bool SdlVideoReady(void);

// The window surface is being remade (a size change): the next present
// puts the whole picture there.
void SdlSurfaceChanged(BackendWindow* window);

// Tells an X11 window manager the window's functions, buttons and kind.
void SdlX11SetFrame(SDL_Window* window, const BackendFrame& frame, SDL_Window* owner);
// Once the video system runs: X errors about windows already gone are not
// fatal.
void SdlX11Init(void);
// Whether a window manager runs (one that can take the full-screen state).
bool SdlX11HasWindowManager(SDL_Window* window);
// The title as compound text too, for clients that read WM_NAME.
void SdlX11SetTitle(SDL_Window* window, const char* titleUtf8);

// In a web page: SdlYieldToBrowser gives the browser a turn of its event
// loop (at most once a millisecond); SdlComposePage puts the windows'
// pictures into the canvas when something changed since; SdlPlacePointer
// finds the window under the pointer for a mouse event in canvas pixels
// and puts the event in that window's client pixels (false when no window
// takes it). Elsewhere they do nothing, at no cost to the polling loop.
#ifdef __EMSCRIPTEN__
void SdlYieldToBrowser(void);
void SdlComposePage(void);
bool SdlPlacePointer(BackendEvent* event);
#else
inline void SdlYieldToBrowser(void) {}
inline void SdlComposePage(void) {}
inline bool SdlPlacePointer(BackendEvent*)
{
    return true;
}
#endif

// The backend window behind an SDL window id, or null; in a web page, the
// one canvas stands for the window with the focus.
BackendWindow* SdlWindowFromId(Uint32 windowId);

// Keys: Windows virtual keys and PC scan codes for SDL keys, and back.
struct SdlKey {
    SDL_Scancode scancode;
    SDL_Keycode keycode;
    UINT virtualKey;
    UINT scanCode;
    bool extended;
};
// The key for an SDL key event, or null for keys Windows has no code for.
const SdlKey* SdlKeyFromEvent(SDL_Scancode scancode, SDL_Keycode keycode, UINT* virtualKey);
// The key that types a virtual key (the main block's key when there are two).
const SdlKey* SdlKeyFromVirtualKey(UINT virtualKey);

// Key events pushed by the test seams carry this mark in padding3: they
// are the keyboard's own presses, never one held on activation.
constexpr Uint8 kSdlPushedMark = 0x5A;

// Joystick slots for the test seams' virtual devices: the attached
// joystick in a slot (a gamepad's own joystick too), or null; the slot of
// a device, or -1; and closing the slots that hold virtual devices.
SDL_Joystick* SdlJoystickInSlot(int slot, bool* gamepad);
int SdlJoystickSlotOf(SDL_JoystickID instance);
void SdlCloseVirtualJoysticks(void);
