// SDL backend: the video system, windows and presenting pixels.
#include <string.h>

#include <new>

#include "backend/sdl_backend.h"

// On x86 the row comparison is also built for AVX2, chosen at run time.
#if defined(__x86_64__) || defined(__i386__)
#define HIREN_AVX2_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define HIREN_AVX2_CLONES
#endif

namespace {
const char ownerKey[] = "hiren.backend";
bool initFailed;

BackendWindow* Wrap(SDL_Window* window, void* owner)
{
    if (!window)
        return nullptr;
    BackendWindow* result = new BackendWindow{window,  nullptr, nullptr, 0, 0,   false, owner, PresentPath::Undecided,
                                              nullptr, nullptr, 0,       0, true};
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
    // Window surfaces are the window system's own buffers (on X11 shared
    // memory images), not textures drawn through OpenGL: as fast for a
    // picture this size, and no GL driver is loaded.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // SDL falls back to its offscreen driver when it cannot reach the
    // display; a program nobody can see is no use unless that driver was
    // asked for. A display named but busy (a server still starting, or
    // loaded) is asked again a few times before the program gives up.
    const char* wanted = SDL_getenv("SDL_VIDEODRIVER");
    bool offscreenWanted = wanted && strstr(wanted, "offscreen");
    constexpr int kAttempts = 4;
    for (int attempt = 1;; ++attempt) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
            break;
        const char* driver = SDL_GetCurrentVideoDriver();
        if (!driver || strcmp(driver, "offscreen") != 0 || offscreenWanted) {
            SdlX11Init();
            return true;
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (attempt == kAttempts || !SDL_getenv("DISPLAY"))
            break;
        SDL_Delay(250);
    }
    initFailed = true;
    return false;
}

bool SdlVideoReady(void)
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
    SDL_Window* created = SDL_CreateWindow(titleUtf8, x, y, width > 0 ? width : 1, height > 0 ? height : 1, flags);
    SdlX11SetTitle(created, titleUtf8);
    return Wrap(created, owner);
}

BackendWindow* BackendCreatePopup(void* owner, int x, int y, int width, int height)
{
    if (!BackendInitVideo())
        return nullptr;
    Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR |
                   SDL_WINDOW_ALLOW_HIGHDPI;
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
    delete[] window->shadow;
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

bool BackendMinimizeWindow(BackendWindow* window)
{
    if (!window)
        return false;
    SDL_MinimizeWindow(window->window);
    // The headless drivers have no window manager: their windows are
    // whatever the program says they are.
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && (strcmp(driver, "dummy") == 0 || strcmp(driver, "offscreen") == 0);
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

void BackendSetFrame(BackendWindow* window, const BackendFrame& frame, BackendWindow* owner)
{
    if (!window)
        return;
    SDL_SetWindowBordered(window->window, frame.caption || frame.border ? SDL_TRUE : SDL_FALSE);
    SdlX11SetFrame(window->window, frame, owner ? owner->window : nullptr);
}

bool BackendSetFullScreen(BackendWindow* window, bool fullScreen)
{
    if (!window || (fullScreen && !SdlX11HasWindowManager(window->window)))
        return false;
    SDL_SetWindowFullscreen(window->window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    SdlSurfaceChanged(window);
    return true;
}

bool BackendFrameExtents(BackendWindow* window, RECT* extents)
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!window || SDL_GetWindowBordersSize(window->window, &top, &left, &bottom, &right) != 0)
        return false;
    *extents = RECT{left, top, right, bottom};
    return true;
}

void BackendSetTitle(BackendWindow* window, const char* titleUtf8)
{
    if (!window)
        return;
    SDL_SetWindowTitle(window->window, titleUtf8 ? titleUtf8 : "");
    SdlX11SetTitle(window->window, titleUtf8);
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
    SdlSurfaceChanged(window);
}

void SdlSurfaceChanged(BackendWindow* window)
{
    if (window)
        window->shadowStale = true;
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

namespace {
// The window's pixels match its size: no HiDPI scaling is needed.
bool Unscaled(SDL_Window* window)
{
    int width, height, pixelWidth, pixelHeight;
    SDL_GetWindowSize(window, &width, &height);
    SDL_GetWindowSizeInPixels(window, &pixelWidth, &pixelHeight);
    return width == pixelWidth && height == pixelHeight;
}

// Puts the 64-byte runs of a row that differ from the last picture into
// the window surface. The window system reads the surface from another
// processor after every present, so each line written costs a round of
// cache traffic; most of a frame (the black field) is as it was.
HIREN_AVX2_CLONES void PutChangedRow(uint32_t* out, uint32_t* last, const uint32_t* in, int count)
{
    constexpr int kRun = 16;
    int x = 0;
    for (; x + kRun <= count; x += kRun) {
        uint32_t differ = 0;
        for (int k = 0; k < kRun; ++k)
            differ |= last[x + k] ^ in[x + k];
        if (differ != 0) {
            memcpy(out + x, in + x, sizeof(uint32_t) * kRun);
            memcpy(last + x, in + x, sizeof(uint32_t) * kRun);
        }
    }
    for (; x < count; ++x)
        out[x] = last[x] = in[x];
}

// Keeps a shadow of the surface's w x h picture; false when there is none
// to compare with (the next present puts the whole picture).
bool ShadowReady(BackendWindow* window, SDL_Surface* surface, int w, int h)
{
    if (surface != window->presented || w != window->shadowWidth || h != window->shadowHeight)
        window->shadowStale = true;
    if (!window->shadowStale)
        return true;
    if (w != window->shadowWidth || h != window->shadowHeight) {
        delete[] window->shadow;
        window->shadow = new (std::nothrow) uint32_t[static_cast<size_t>(w) * h];
        window->shadowWidth = window->shadow ? w : 0;
        window->shadowHeight = window->shadow ? h : 0;
    }
    return false;
}

// Copies the picture into the window surface (top-left, clipped to both)
// and shows it.
bool PresentToSurface(BackendWindow* window, const uint32_t* pixels, int width, int height)
{
    SDL_Surface* surface = SDL_GetWindowSurface(window->window);
    if (!surface)
        return false;
    const int w = width < surface->w ? width : surface->w;
    const int h = height < surface->h ? height : surface->h;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0)
        return false;
    auto* out = static_cast<uint8_t*>(surface->pixels);
    if (surface->format->format != SDL_PIXELFORMAT_RGB888) {
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_RGB888, pixels, width * 4, surface->format->format, out,
                          surface->pitch);
    } else if (ShadowReady(window, surface, w, h)) {
        for (int y = 0; y < h; ++y)
            PutChangedRow(reinterpret_cast<uint32_t*>(out + static_cast<ptrdiff_t>(y) * surface->pitch),
                          window->shadow + static_cast<ptrdiff_t>(y) * w, pixels + static_cast<ptrdiff_t>(y) * width,
                          w);
    } else {
        for (int y = 0; y < h; ++y) {
            const uint32_t* row = pixels + static_cast<ptrdiff_t>(y) * width;
            memcpy(out + static_cast<ptrdiff_t>(y) * surface->pitch, row, static_cast<size_t>(w) * 4);
            if (window->shadow)
                memcpy(window->shadow + static_cast<ptrdiff_t>(y) * w, row, static_cast<size_t>(w) * 4);
        }
        window->shadowStale = window->shadow == nullptr;
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
    window->presented = surface;
    return SDL_UpdateWindowSurface(window->window) == 0;
}

void DecidePath(BackendWindow* window)
{
    if (window->path == PresentPath::Undecided)
        window->path = Unscaled(window->window) && SDL_GetWindowSurface(window->window) ? PresentPath::Surface
                                                                                        : PresentPath::Renderer;
}

bool PresentWithRenderer(BackendWindow* window, const uint32_t* pixels, int width, int height)
{
    if (window->rendererFailed)
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
}  // namespace

bool BackendPresent(BackendWindow* window, const uint32_t* pixels, int width, int height)
{
    if (!window || !pixels || width <= 0 || height <= 0)
        return false;
    DecidePath(window);
    if (window->path == PresentPath::Surface)
        return PresentToSurface(window, pixels, width, height);
    return PresentWithRenderer(window, pixels, width, height);
}
