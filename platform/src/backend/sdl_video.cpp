// SDL backend: the video system, windows and presenting pixels.
#include <string.h>

#include "backend/sdl_backend.h"

namespace {
const char ownerKey[] = "hiren.backend";
bool initFailed;

BackendWindow* Wrap(SDL_Window* window, void* owner)
{
    if (!window)
        return nullptr;
    BackendWindow* result = new BackendWindow{window, nullptr, nullptr, 0, 0, false, owner};
    SDL_SetWindowData(window, ownerKey, result);
    return result;
}
}  // namespace

bool BackendInitVideo(void)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return true;
    if (initFailed)
        return false;
    // Ctrl+C ends the program as it would without SDL; close is per window.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        initFailed = true;
        return false;
    }
    // SDL falls back to its offscreen driver when there is no display; a
    // program nobody can see is no use unless that driver was asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && strcmp(driver, "offscreen") == 0 && !(wanted && strstr(wanted, "offscreen"))) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        initFailed = true;
        return false;
    }
    return true;
}

bool BackendVideoReady(void)
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

bool BackendScreenSize(int* width, int* height)
{
    SDL_DisplayMode mode;
    if (!BackendInitVideo() || SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    *width = mode.w;
    *height = mode.h;
    return true;
}

BackendWindow* SdlWindowFromId(Uint32 windowId)
{
    SDL_Window* window = windowId ? SDL_GetWindowFromID(windowId) : nullptr;
    return window ? static_cast<BackendWindow*>(SDL_GetWindowData(window, ownerKey)) : nullptr;
}

BackendWindow* BackendCreateWindow(void* owner, const char* titleUtf8, int x, int y, bool systemPlaced, int width,
                                   int height, bool decorated)
{
    if (!BackendInitVideo())
        return nullptr;
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
    if (!decorated)
        flags |= SDL_WINDOW_BORDERLESS;
    if (systemPlaced)
        x = y = SDL_WINDOWPOS_UNDEFINED;
    return Wrap(SDL_CreateWindow(titleUtf8, x, y, width > 0 ? width : 1, height > 0 ? height : 1, flags), owner);
}

BackendWindow* BackendCreatePopup(void* owner, int x, int y, int width, int height)
{
    if (!BackendInitVideo())
        return nullptr;
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_POPUP_MENU |
                   SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALLOW_HIGHDPI;
    return Wrap(SDL_CreateWindow("", x, y, width > 0 ? width : 1, height > 0 ? height : 1, flags), owner);
}

void BackendDestroyWindow(BackendWindow* window)
{
    if (!window)
        return;
    if (window->texture)
        SDL_DestroyTexture(window->texture);
    if (window->renderer)
        SDL_DestroyRenderer(window->renderer);
    SDL_SetWindowData(window->window, ownerKey, nullptr);
    SDL_DestroyWindow(window->window);
    delete window;
}

void BackendShowWindow(BackendWindow* window, bool show)
{
    if (!window)
        return;
    if (show)
        SDL_ShowWindow(window->window);
    else
        SDL_HideWindow(window->window);
}

void BackendMinimizeWindow(BackendWindow* window)
{
    if (window)
        SDL_MinimizeWindow(window->window);
}

void BackendRestoreWindow(BackendWindow* window)
{
    if (window)
        SDL_RestoreWindow(window->window);
}

void BackendRaiseWindow(BackendWindow* window)
{
    if (window)
        SDL_RaiseWindow(window->window);
}

void BackendFocusWindow(BackendWindow* window)
{
    if (!window)
        return;
    SDL_RaiseWindow(window->window);
    SDL_SetWindowInputFocus(window->window);
}

void BackendSetDecorated(BackendWindow* window, bool decorated)
{
    if (window)
        SDL_SetWindowBordered(window->window, decorated ? SDL_TRUE : SDL_FALSE);
}

void BackendSetTitle(BackendWindow* window, const char* titleUtf8)
{
    if (window)
        SDL_SetWindowTitle(window->window, titleUtf8 ? titleUtf8 : "");
}

void BackendSetModalFor(BackendWindow* window, BackendWindow* owner)
{
    // Only some video drivers (X11) know of modal windows; elsewhere this
    // fails and the window is merely raised when shown.
    if (window && owner)
        SDL_SetWindowModalFor(window->window, owner->window);
}

void BackendMoveWindow(BackendWindow* window, int x, int y)
{
    if (window)
        SDL_SetWindowPosition(window->window, x, y);
}

void BackendResizeWindow(BackendWindow* window, int width, int height)
{
    if (window)
        SDL_SetWindowSize(window->window, width > 0 ? width : 1, height > 0 ? height : 1);
}

void BackendGetWindowPosition(BackendWindow* window, int* x, int* y)
{
    *x = *y = 0;
    if (window)
        SDL_GetWindowPosition(window->window, x, y);
}

void BackendSetIcon(BackendWindow* window, const uint32_t* argb, int width, int height)
{
    if (!window || !argb || width <= 0 || height <= 0)
        return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(argb), width, height, 32, width * 4,
                                                           SDL_PIXELFORMAT_ARGB8888);
    if (!icon)
        return;
    SDL_SetWindowIcon(window->window, icon);
    SDL_FreeSurface(icon);
}

bool BackendPresent(BackendWindow* window, const uint32_t* pixels, int width, int height)
{
    if (!window || !pixels || width <= 0 || height <= 0 || window->rendererFailed)
        return false;
    if (!window->renderer) {
        window->renderer = SDL_CreateRenderer(window->window, -1, 0);
        if (!window->renderer) {
            window->rendererFailed = true;
            return false;
        }
    }
    if (!window->texture || window->textureWidth != width || window->textureHeight != height) {
        if (window->texture)
            SDL_DestroyTexture(window->texture);
        // RGB888 is 0x00RRGGBB in a 32-bit word: the display format as is.
        window->texture =
            SDL_CreateTexture(window->renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!window->texture)
            return false;
        SDL_SetTextureScaleMode(window->texture, SDL_ScaleModeNearest);
        window->textureWidth = width;
        window->textureHeight = height;
    }
    if (SDL_UpdateTexture(window->texture, nullptr, pixels, width * 4) != 0)
        return false;
    // No destination rect: the whole output, which is larger than the
    // window's logical size on HiDPI screens.
    SDL_RenderCopy(window->renderer, window->texture, nullptr, nullptr);
    SDL_RenderPresent(window->renderer);
    return true;
}
