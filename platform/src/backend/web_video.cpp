// Web backend: the windows of a page. There is one canvas; each window is
// a record of where it lies on the screen, its frame and its last picture,
// and backend/web_compose.cpp draws them all into the canvas. A page
// cannot be minimised, and its full screen is the browser's.
#include <emscripten/html5.h>
#include <math.h>
#include <string.h>

#include <algorithm>
#include <new>
#include <vector>

#include "backend/sdl_backend.h"

namespace {
// The dialog frame and caption drawn around a dialog's client.
constexpr RECT kDialogFrame = {3, 22, 3, 3};
constexpr RECT kBorder = {1, 1, 1, 1};

SDL_Window* canvas;
bool initFailed;
std::vector<BackendWindow*> windows;  // bottom to top
BackendWindow* mainWindow;
BackendWindow* focus;

// The mouse: the window and the part of it a button went down in keeps
// the pointer until every button is up.
enum class Part { Client, Frame, CloseBox };
BackendWindow* grab;
Part grabPart;
int buttonsHeld;

void Raise(BackendWindow* window)
{
    auto at = std::find(windows.begin(), windows.end(), window);
    if (at == windows.end() || at + 1 == windows.end())
        return;
    std::rotate(at, at + 1, windows.end());
    WebChanged();
}

void TakeFocus(BackendWindow* window)
{
    if (window->popup || focus == window)
        return;
    focus = window;
    WebChanged();  // the captions show which window is active
}

bool Inside(const SDL_Rect& rect, int x, int y)
{
    return x >= rect.x && y >= rect.y && x < rect.x + rect.w && y < rect.y + rect.h;
}

SDL_Rect OuterOf(const BackendWindow* window)
{
    RECT frame = WebFrameOf(window);
    const SDL_Rect& client = window->placed;
    return SDL_Rect{client.x - frame.left, client.y - frame.top, client.w + frame.left + frame.right,
                    client.h + frame.top + frame.bottom};
}

BackendWindow* WindowAt(int x, int y)
{
    BackendWindow* order[kWebMaxDrawn];
    for (int i = WebDrawOrder(order, kWebMaxDrawn); i-- > 0;) {
        if (order[i]->placed.w > 0 && Inside(OuterOf(order[i]), x, y))
            return order[i];
    }
    return nullptr;
}

Part PartAt(const BackendWindow* window, int x, int y)
{
    if (Inside(window->placed, x, y))
        return Part::Client;
    return Inside(WebCloseBoxOf(window), x, y) ? Part::CloseBox : Part::Frame;
}
}  // namespace

bool BackendInitVideo(void)
{
    if (canvas)
        return true;
    if (initFailed)
        return false;
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
        // No title: the page keeps its own.
        canvas = SDL_CreateWindow(nullptr, 0, 0, kWebViewWidth, kWebViewHeight, 0);
        if (canvas) {
            WebStartPage();
            return true;
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    initFailed = true;
    return false;
}

bool SdlVideoReady(void)
{
    return canvas != nullptr;
}

SDL_Window* WebCanvas(void)
{
    return canvas;
}

bool BackendScreenSize(int* width, int* height)
{
    emscripten_get_screen_size(width, height);
    return *width > 0 && *height > 0;
}

BackendWindow* SdlWindowFromId(Uint32 windowId)
{
    return windowId ? WebFocusWindow() : nullptr;
}

void SdlSurfaceChanged(BackendWindow*)
{
    WebChanged();
}

BackendWindow* WebMainWindow(void)
{
    return mainWindow;
}

BackendWindow* WebFocusWindow(void)
{
    if (focus && focus->shown)
        return focus;
    for (auto at = windows.rbegin(); at != windows.rend(); ++at) {
        if ((*at)->shown && !(*at)->popup)
            return *at;
    }
    return mainWindow;
}

int WebDrawOrder(BackendWindow** order, int capacity)
{
    int count = 0;
    if (mainWindow && mainWindow->shown && count < capacity)
        order[count++] = mainWindow;
    for (bool popups : {false, true}) {
        for (BackendWindow* window : windows) {
            if (window->shown && window != mainWindow && window->popup == popups && count < capacity)
                order[count++] = window;
        }
    }
    return count;
}

RECT WebFrameOf(const BackendWindow* window)
{
    // The page is the main window's frame.
    if (window == mainWindow)
        return RECT{0, 0, 0, 0};
    return window->caption ? kDialogFrame : window->border ? kBorder : RECT{0, 0, 0, 0};
}

BackendWindow* BackendCreateWindow(void* owner, const char* titleUtf8, int x, int y, bool systemPlaced, int width,
                                   int height, bool decorated)
{
    if (!BackendInitVideo())
        return nullptr;
    BackendWindow* window = new (std::nothrow) BackendWindow{};
    if (!window)
        return nullptr;
    window->window = canvas;
    window->owner = owner;
    window->caption = decorated;
    // The system places a window at the screen's corner.
    window->x = systemPlaced ? 0 : x;
    window->y = systemPlaced ? 0 : y;
    window->width = width > 0 ? width : 1;
    window->height = height > 0 ? height : 1;
    window->scale = 1;
    windows.push_back(window);
    BackendSetTitle(window, titleUtf8);
    return window;
}

BackendWindow* BackendCreatePopup(void* owner, int x, int y, int width, int height)
{
    BackendWindow* window = BackendCreateWindow(owner, "", x, y, false, width, height, false);
    if (window) {
        window->popup = true;
        window->shown = true;
        WebChanged();
    }
    return window;
}

void BackendDestroyWindow(BackendWindow* window)
{
    if (!window)
        return;
    windows.erase(std::remove(windows.begin(), windows.end(), window), windows.end());
    mainWindow = mainWindow == window ? nullptr : mainWindow;
    focus = focus == window ? nullptr : focus;
    grab = grab == window ? nullptr : grab;
    if (window->shown)
        WebChanged();
    delete[] window->picture;
    delete[] window->titleMask;
    delete window;
}

void BackendShowWindow(BackendWindow* window, bool show)
{
    if (!window || window->shown == show)
        return;
    window->shown = show;
    window->placed = SDL_Rect{0, 0, 0, 0};
    WebChanged();
    // As a window manager does: a window shown comes to the top with the
    // focus; a window hidden passes the focus on.
    if (show) {
        Raise(window);
        TakeFocus(window);
    } else if (focus == window) {
        focus = nullptr;
    }
}

bool BackendMinimizeWindow(BackendWindow*)
{
    // A page cannot be minimised: the window stays as it is.
    return false;
}

void BackendRestoreWindow(BackendWindow*) {}

void BackendRaiseWindow(BackendWindow* window)
{
    if (!window)
        return;
    Raise(window);
    if (window->shown)
        TakeFocus(window);
}

void BackendFocusWindow(BackendWindow* window)
{
    if (!window)
        return;
    Raise(window);
    TakeFocus(window);
}

void BackendSetFrame(BackendWindow* window, const BackendFrame& frame, BackendWindow* owner)
{
    if (!window)
        return;
    window->caption = frame.caption;
    window->border = frame.border;
    window->closeBox = frame.systemMenu;
    window->owned = owner != nullptr;
    if (!mainWindow && !window->owned && !window->popup)
        mainWindow = window;
    else if (mainWindow == window && window->owned)
        mainWindow = nullptr;
    // Framed anew to fill the screen (the screen mode chosen again) after
    // the browser left its full screen: it is asked again.
    if (window == mainWindow && window->fullScreen && !frame.caption)
        WebRequestFullScreen(true);
    if (window->shown)
        WebChanged();
}

bool BackendSetFullScreen(BackendWindow* window, bool fullScreen)
{
    if (!window || window != mainWindow)
        return false;
    window->fullScreen = fullScreen;
    if (fullScreen)
        window->x = window->y = 0;
    WebRequestFullScreen(fullScreen);
    return true;
}

bool BackendFrameExtents(BackendWindow* window, RECT* extents)
{
    if (!window)
        return false;
    *extents = WebFrameOf(window);
    return true;
}

void BackendSetTitle(BackendWindow* window, const char* titleUtf8)
{
    if (!window)
        return;
    SDL_strlcpy(window->title, titleUtf8 ? titleUtf8 : "", sizeof window->title);
    WebRenderTitle(window);
    if (window->shown)
        WebChanged();
}

void BackendSetModalFor(BackendWindow*, BackendWindow*) {}

void BackendMoveWindow(BackendWindow* window, int x, int y)
{
    if (!window)
        return;
    window->x = x;
    window->y = y;
    if (window->shown)
        WebChanged();
}

void BackendResizeWindow(BackendWindow* window, int width, int height)
{
    if (!window)
        return;
    window->width = width > 0 ? width : 1;
    window->height = height > 0 ? height : 1;
    if (window->shown)
        WebChanged();
}

void BackendGetWindowPosition(BackendWindow* window, int* x, int* y)
{
    *x = window ? window->x : 0;
    *y = window ? window->y : 0;
}

// The page shows its own icon.
void BackendSetIcon(BackendWindow*, const uint32_t*, int, int) {}

bool BackendPresent(BackendWindow* window, const uint32_t* pixels, int width, int height)
{
    if (!window || !pixels || width <= 0 || height <= 0)
        return false;
    size_t count = static_cast<size_t>(width) * height;
    if (count > window->pictureCapacity) {
        uint32_t* grown = new (std::nothrow) uint32_t[count];
        if (!grown)
            return false;
        delete[] window->picture;
        window->picture = grown;
        window->pictureCapacity = count;
    }
    memcpy(window->picture, pixels, count * sizeof *pixels);
    window->pictureWidth = width;
    window->pictureHeight = height;
    if (window->shown)
        WebChanged();
    return true;
}

bool BackendReadPresented(BackendWindow* window, int x, int y, uint32_t* pixel)
{
    if (!window || !window->picture)
        return false;
    bool inside = x >= 0 && y >= 0 && x < window->pictureWidth && y < window->pictureHeight;
    *pixel = inside ? window->picture[static_cast<size_t>(y) * window->pictureWidth + x] : 0;
    return true;
}

bool SdlPlacePointer(BackendEvent* event)
{
    bool down = event->type == BackendEventType::ButtonDown;
    bool up = event->type == BackendEventType::ButtonUp;
    BackendWindow* window = grab ? grab : WindowAt(event->x, event->y);
    if (!window)
        return false;
    Part part = PartAt(window, event->x, event->y);
    if (down && buttonsHeld++ == 0) {
        grab = window;
        grabPart = part;
    }
    Part held = grab ? grabPart : part;
    if (up && buttonsHeld > 0 && --buttonsHeld == 0)
        grab = nullptr;
    event->owner = window->owner;
    if (held == Part::CloseBox) {
        // The close box closes the window when the left button goes up
        // over it.
        if (!up || part != Part::CloseBox || event->button != BackendButton::Left)
            return false;
        event->type = BackendEventType::Close;
        return true;
    }
    if (held == Part::Frame || window->placed.w <= 0 || window->placed.h <= 0)
        return false;
    // In the client's own pixels: the main window's scale undone.
    const SDL_Rect& placed = window->placed;
    event->x = static_cast<int>(floor((event->x - placed.x) * static_cast<double>(WebPictureWidth(window)) / placed.w));
    event->y =
        static_cast<int>(floor((event->y - placed.y) * static_cast<double>(WebPictureHeight(window)) / placed.h));
    return true;
}
