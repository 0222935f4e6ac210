// Painting: the window's pixels and DC, the invalid area behind WM_PAINT,
// and putting new drawing on screen.
//
// Every window owns one DC drawing into its pixels (CS_OWNDC behaviour for
// every class; GetDC(null) for the screen is not available). The invalid
// area is kept as one rectangle, the union of what was invalidated (a
// window's own: InvalidateRect(null) for every window is not taken). No
// class background brush is painted: PAINTSTRUCT.fErase tells the window
// to erase, as for a class without a brush. The DC does not clip to the
// paint rectangle.
//
// Drawing reaches the screen when the program next calls into the message
// queue: each window drawn to since it was last presented is uploaded and
// presented once.
//
// Child windows (a dialog's controls) have no pixels nor DC of their own:
// invalidating one invalidates its place in its parent, which paints it;
// GetDC and BeginPaint on one fail.
#include <string.h>

#include <new>

#include "user/user_private.h"

namespace {
RECT Intersect(const RECT& a, const RECT& b)
{
    RECT r{a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top, a.right < b.right ? a.right : b.right,
           a.bottom < b.bottom ? a.bottom : b.bottom};
    if (r.right <= r.left || r.bottom <= r.top)
        r = RECT{0, 0, 0, 0};
    return r;
}

bool IsEmpty(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

uint32_t* NewBlock(int width, int height)
{
    size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    return count ? new (std::nothrow) uint32_t[count]() : nullptr;
}

void CopyOverlap(uint32_t* to, int toWidth, int toHeight, const uint32_t* from, int fromWidth, int fromHeight)
{
    if (!to || !from)
        return;
    int width = toWidth < fromWidth ? toWidth : fromWidth;
    int height = toHeight < fromHeight ? toHeight : fromHeight;
    for (int y = 0; y < height; ++y)
        memcpy(to + static_cast<size_t>(y) * toWidth, from + static_cast<size_t>(y) * fromWidth, width * 4u);
}
}  // namespace

bool UserAllocatePixels(Window* window, int width, int height)
{
    uint32_t* pixels = NewBlock(width, height);
    if (width * height != 0 && !pixels)
        return false;
    window->pixels = WindowPixels{pixels, width, height, false};
    return true;
}

void UserFreePixels(Window* window)
{
    delete[] window->pixels.pixels;
    window->pixels = WindowPixels{nullptr, 0, 0, false};
}

bool UserResizePixels(Window* window, int width, int height)
{
    WindowPixels old = window->pixels;
    if (!UserAllocatePixels(window, width, height)) {
        window->pixels = old;
        return false;
    }
    CopyOverlap(window->pixels.pixels, width, height, old.pixels, old.width, old.height);
    delete[] old.pixels;
    window->pixels.dirty = true;

    UINT classStyle = window->windowClass->info.style;
    if ((width != old.width && (classStyle & CS_HREDRAW)) || (height != old.height && (classStyle & CS_VREDRAW))) {
        UserInvalidate(window, nullptr, true);
        return true;
    }
    RECT all{0, 0, width, height};
    window->invalidRect = Intersect(window->invalidRect, all);
    window->invalid = window->invalid && !IsEmpty(window->invalidRect);
    RECT right{old.width, 0, width, height}, bottom{0, old.height, width, height};
    UserInvalidate(window, &right, true);
    UserInvalidate(window, &bottom, true);
    return true;
}

void UserInvalidate(Window* window, const RECT* clientRect, bool erase)
{
    if (window->parent) {
        Window* parent = UserGetWindow(window->parent);
        if (!parent || !window->visible)
            return;
        int dx = window->client.left - parent->client.left, dy = window->client.top - parent->client.top;
        RECT all{0, 0, window->client.right - window->client.left, window->client.bottom - window->client.top};
        RECT area = clientRect ? Intersect(*clientRect, all) : all;
        if (IsEmpty(area))
            return;
        RECT inParent{area.left + dx, area.top + dy, area.right + dx, area.bottom + dy};
        UserInvalidate(parent, &inParent, erase);
        return;
    }
    RECT all{0, 0, window->pixels.width, window->pixels.height};
    RECT area = clientRect ? Intersect(*clientRect, all) : all;
    if (IsEmpty(area))
        return;
    if (window->invalid) {
        RECT& u = window->invalidRect;
        u = RECT{area.left < u.left ? area.left : u.left, area.top < u.top ? area.top : u.top,
                 area.right > u.right ? area.right : u.right, area.bottom > u.bottom ? area.bottom : u.bottom};
    } else {
        window->invalidRect = area;
        window->invalid = true;
    }
    window->erase = window->erase || erase;
}

HDC UserWindowDc(Window* window)
{
    if (window->parent)
        return nullptr;
    if (!window->dc)
        window->dc = GdiCreateWindowDc(&window->pixels);
    return window->dc;
}

void UserPresentWindows()
{
    for (int i = 0; i < UserWindowSlots(); ++i) {
        Window* window = UserWindowAt(i);
        if (!window || !window->pixels.dirty || !window->visible || window->minimized)
            continue;
        const WindowPixels& block = window->pixels;
        if (!BackendPresent(window->backend, block.pixels, block.width, block.height))
            continue;
        window->pixels.dirty = false;
        ++window->presents;
    }
}

Window* UserFindPaintWindow(HWND filter)
{
    for (int i = 0; i < UserWindowSlots(); ++i) {
        Window* window = UserWindowAt(i);
        if (window && window->invalid && window->visible && !window->minimized && (!filter || filter == window->handle))
            return window;
    }
    return nullptr;
}

HDC WINAPI GetDC(HWND handle)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return UserWindowDc(window);
}

HDC WINAPI BeginPaint(HWND handle, PAINTSTRUCT* paint)
{
    Window* window = UserGetWindow(handle);
    if (!window || !paint) {
        SetLastError(window ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    HDC dc = UserWindowDc(window);
    if (!dc)
        return nullptr;
    memset(paint, 0, sizeof *paint);
    paint->hdc = dc;
    paint->fErase = window->erase ? TRUE : FALSE;
    paint->rcPaint = window->invalid ? window->invalidRect : RECT{0, 0, 0, 0};
    window->invalid = false;
    window->erase = false;
    window->invalidRect = RECT{0, 0, 0, 0};
    return dc;
}

BOOL WINAPI EndPaint(HWND handle, const PAINTSTRUCT* paint)
{
    return UserGetWindow(handle) && paint ? TRUE : FALSE;
}

BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    UserInvalidate(window, rect, erase != FALSE);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND handle)
{
    Window* window = UserGetWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    if (window->invalid && window->visible && !window->minimized)
        SendMessageA(handle, WM_PAINT, 0, 0);
    return TRUE;
}
