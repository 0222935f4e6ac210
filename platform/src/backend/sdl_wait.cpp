// SDL backend: waiting for an event with a time limit.
#include <SDL.h>

#include "backend/backend.h"

bool BackendWaitForEvent(DWORD timeoutMs)
{
    int timeout = timeoutMs > static_cast<DWORD>(SDL_MAX_SINT32) ? SDL_MAX_SINT32 : static_cast<int>(timeoutMs);
    // Without video nobody takes the events: only the time limit counts.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_Delay(static_cast<Uint32>(timeout));
        return false;
    }
    return SDL_WaitEventTimeout(nullptr, timeout) == 1;
}
