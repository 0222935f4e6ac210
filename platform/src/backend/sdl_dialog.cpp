// SDL backend: the message box and the system's cursors.
#include <stdio.h>
#include <string.h>

#include "backend/sdl_backend.h"

namespace {
SDL_Cursor* arrow;
bool arrowFailed;
SDL_Cursor* wait;
bool waitFailed;

bool SystemCursor(SDL_SystemCursor which, SDL_Cursor** cursor, bool* failed, bool select)
{
    if (!*cursor && !*failed && BackendInitVideo()) {
        *cursor = SDL_CreateSystemCursor(which);
        *failed = *cursor == nullptr;
    }
    if (*cursor && select)
        SDL_SetCursor(*cursor);
    return *cursor != nullptr;
}

bool Headless()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    return !driver || strcmp(driver, "dummy") == 0 || strcmp(driver, "offscreen") == 0;
}
}  // namespace

bool BackendShowMessageBox(BackendWindow* parent, const char* captionUtf8, const char* textUtf8, bool error)
{
    // The headless drivers have nobody to answer: SDL would otherwise fall
    // back to X11 on its own and wait for a click.
    if (BackendInitVideo() && Headless())
        return false;
    Uint32 flags = error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SdlVideoReady() &&
        SDL_ShowSimpleMessageBox(flags, captionUtf8, textUtf8, parent ? parent->window : nullptr) == 0)
        return true;
    // No display to show it on: the text still reaches the user.
    fprintf(stderr, "%s: %s\n", captionUtf8, textUtf8);
    return false;
}

bool BackendArrowCursor(bool select)
{
    return SystemCursor(SDL_SYSTEM_CURSOR_ARROW, &arrow, &arrowFailed, select);
}

bool BackendWaitCursor(bool select)
{
    return SystemCursor(SDL_SYSTEM_CURSOR_WAIT, &wait, &waitFailed, select);
}

void BackendShowCursor(bool show)
{
    if (BackendInitVideo())
        SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}
