// SDL backend: waiting for an event with a time limit, and in a web page
// giving the browser its turn.
#include <SDL.h>
#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "backend/sdl_backend.h"

bool BackendWaitForEvent(DWORD timeoutMs)
{
    int timeout = timeoutMs > static_cast<DWORD>(SDL_MAX_SINT32) ? SDL_MAX_SINT32 : static_cast<int>(timeoutMs);
    // Without video nobody takes the events: only the time limit counts.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_Delay(static_cast<Uint32>(timeout));
        return false;
    }
    SdlComposePage();
    return SDL_WaitEventTimeout(nullptr, timeout) == 1;
}

#ifdef __EMSCRIPTEN__
namespace {
// One turn of the browser's event loop, without the 4 ms clamp of a
// timer: a message to ourselves comes back after the tasks already queued
// (input, painting) have run.
EM_ASYNC_JS(void, YieldByMessage, (), {
    if (!Module.hirenChannel) {
        Module.hirenChannel = new MessageChannel();
        Module.hirenChannel.port1.onmessage = function()
        {
            var resume = Module.hirenResume;
            Module.hirenResume = null;
            resume();
        };
    }
    await new Promise(function(resume) {
        Module.hirenResume = resume;
        Module.hirenChannel.port2.postMessage(0);
    });
});
Uint32 lastYield;
}  // namespace

// The game polls for messages between steps: a page that never returns to
// the browser would freeze the tab, so polling gives the browser its turn
// once a millisecond.
void SdlYieldToBrowser()
{
    Uint32 now = SDL_GetTicks();
    if (now - lastYield < 1)
        return;
    YieldByMessage();
    lastYield = SDL_GetTicks();
}
#endif
