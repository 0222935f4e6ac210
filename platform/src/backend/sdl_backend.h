// Shared state of the SDL backend files.
#pragma once

#include <SDL.h>

#include "user/backend.h"

struct BackendWindow {
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture;
    int textureWidth;
    int textureHeight;
    bool rendererFailed;
    void* owner;
};

// The backend window behind an SDL window id, or null.
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
