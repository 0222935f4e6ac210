// The web page's windows. A page has one canvas: every top-level window is
// drawn into it. The main window (the first that is neither a popup nor
// owned) fills the view, scaled by a whole factor, or scaled down when it
// is larger; the others are drawn unscaled over it in z-order, where they
// lie on the screen relative to the main window, dialogs in a frame with
// a caption. Included by backend/sdl_backend.h.
#pragma once

#include <SDL.h>

#include "backend/backend.h"

struct BackendWindow {
    SDL_Window* window;  // the page's canvas, the same for every window
    void* owner;
    bool popup;  // the open system menu: above the others, never focused
    bool shown;
    bool owned;    // a dialog: never the main window
    bool caption;  // a caption bar in a dialog frame around the client
    bool border;   // a frame line without a caption
    bool closeBox;
    bool fullScreen;    // asked to fill the screen
    int x, y;           // the client area on the screen
    int width, height;  // the client size until a picture comes
    uint32_t* picture;  // the last picture presented, 0x00RRGGBB
    int pictureWidth, pictureHeight;
    size_t pictureCapacity;
    char title[256];     // UTF-8
    uint8_t* titleMask;  // the title's covered pixels, for the caption
    int titleWidth, titleHeight;
    SDL_Rect placed;  // the client area in the canvas when last drawn
    double scale;     // canvas pixels per client pixel
};

// The size of what the window shows: its last picture, or its client
// before the first picture comes.
inline int WebPictureWidth(const BackendWindow* window)
{
    return window->picture ? window->pictureWidth : window->width;
}
inline int WebPictureHeight(const BackendWindow* window)
{
    return window->picture ? window->pictureHeight : window->height;
}

// ---- The windows (backend/web_video.cpp) -------------------------------

// The page's canvas, or null before the video system is up.
SDL_Window* WebCanvas(void);
BackendWindow* WebMainWindow(void);
// Keys go here: the top shown dialog while one is up, else the main
// window, unless BackendFocusWindow chose another.
BackendWindow* WebFocusWindow(void);

// The view outside full screen, and the most windows drawn at once.
constexpr int kWebViewWidth = 640;
constexpr int kWebViewHeight = 480;
constexpr int kWebMaxDrawn = 32;

// The shown windows as they are drawn, bottom to top: the main window
// first, popups last. Returns how many were written.
int WebDrawOrder(BackendWindow** windows, int capacity);
// The frame drawn around the window's client (left, top, right, bottom).
RECT WebFrameOf(const BackendWindow* window);
// Something on the page changed: the canvas is composed again.
void WebChanged(void);

// ---- Composing (backend/web_compose.cpp) -------------------------------

// Draws the title anew for the caption (after a title change).
void WebRenderTitle(BackendWindow* window);
// The close box of a window's caption, in canvas pixels as last drawn.
SDL_Rect WebCloseBoxOf(const BackendWindow* window);

// ---- The page (backend/web_page.cpp) -----------------------------------

// Installs the page's hooks (Module.hirenWindows, Module.hirenPressKey)
// and follows the browser's full screen.
void WebStartPage(void);
// Asks the browser for its full screen on the canvas' container, or to
// leave it.
void WebRequestFullScreen(bool fullScreen);
// Sizes the canvas to the view: the screen in the browser's full screen,
// else 640 x 480. True when its size changed.
bool WebFollowView(SDL_Window* canvas);
