// Web backend: the page around the canvas. The browser's full screen sets
// the view's size; the page (and its tests) see the windows through
// Module.hirenWindows() and type through Module.hirenPressKey(vk).
#include <emscripten.h>
#include <emscripten/html5.h>
#include <stdarg.h>
#include <stdio.h>

#include "backend/sdl_backend.h"

namespace {

bool viewChanged = true;
bool inFullScreen;
Uint32 wakeEvent;  // wakes a program waiting for events: the page changed
char windowsJson[8192];

EM_BOOL FullScreenChanged(int, const EmscriptenFullscreenChangeEvent* event, void*)
{
    inFullScreen = event->isFullscreen != 0;
    viewChanged = true;
    if (wakeEvent != static_cast<Uint32>(-1)) {
        SDL_Event wake{};
        wake.type = wakeEvent;
        SDL_PushEvent(&wake);
    }
    return EM_FALSE;
}

EM_JS(void, InstallHooks, (), {
    Module['hirenWindows'] = function()
    {
        return JSON.parse(UTF8ToString(Module['_hirenWindowsJson']()));
    };
    Module['hirenPressKey'] = function(virtualKey)
    {
        Module['_hirenPressKey'](virtualKey);
    };
});

// Within the user's gesture (the dialog's OK) the browser grants it.
EM_JS(void, AskFullScreen, (int enter), {
    var canvas = Module['canvas'];
    var box = canvas && (canvas.parentElement || canvas);
    var ignore = function(){};
    if (enter && box && !document.fullscreenElement && box.requestFullscreen)
        box.requestFullscreen().catch(ignore);
    else if (!enter && document.fullscreenElement && document.exitFullscreen)
        document.exitFullscreen().catch(ignore);
});

// Appends to windowsJson; false when it is full.
bool Append(size_t* used, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool Append(size_t* used, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    int written = vsnprintf(windowsJson + *used, sizeof windowsJson - *used, format, args);
    va_end(args);
    if (written < 0 || static_cast<size_t>(written) >= sizeof windowsJson - *used)
        return false;
    *used += static_cast<size_t>(written);
    return true;
}

bool AppendTitle(size_t* used, const char* title)
{
    bool ok = Append(used, "\"");
    for (const char* c = title; ok && *c; ++c) {
        unsigned char byte = static_cast<unsigned char>(*c);
        ok = byte == '"' || byte == '\\' ? Append(used, "\\%c", byte)
             : byte < 0x20               ? Append(used, "\\u%04x", byte)
                                         : Append(used, "%c", byte);
    }
    return ok && Append(used, "\"");
}
}  // namespace

// The shown windows, bottom to top: their titles and client areas in
// canvas pixels.
extern "C" EMSCRIPTEN_KEEPALIVE const char* hirenWindowsJson(void)
{
    BackendWindow* order[kWebMaxDrawn];
    int count = WebDrawOrder(order, kWebMaxDrawn);
    size_t used = 0;
    bool ok = Append(&used, "[");
    bool first = true;
    for (int i = 0; ok && i < count; ++i) {
        const BackendWindow* w = order[i];
        if (w->placed.w <= 0 || w->placed.h <= 0)
            continue;  // not drawn yet
        ok = Append(&used, "%s{\"title\":", first ? "" : ",") && AppendTitle(&used, w->title) &&
             Append(&used, ",\"main\":%s,\"x\":%d,\"y\":%d,\"w\":%d,\"h\":%d,\"scale\":%g}",
                    w == WebMainWindow() ? "true" : "false", w->placed.x, w->placed.y, w->placed.w, w->placed.h,
                    w->scale);
        first = false;
    }
    if (!ok || !Append(&used, "]"))
        snprintf(windowsJson, sizeof windowsJson, "[]");
    return windowsJson;
}

// A key pressed and released on the focus window, as if typed.
extern "C" EMSCRIPTEN_KEEPALIVE void hirenPressKey(int virtualKey)
{
    BackendWindow* window = WebFocusWindow();
    UINT key = static_cast<UINT>(virtualKey);
    BackendPushKey(window, key, true, false);
    char text[2] = {};
    if (key >= 'A' && key <= 'Z')
        text[0] = static_cast<char>(key - 'A' + 'a');
    else if (key >= '0' && key <= '9')
        text[0] = static_cast<char>(key);
    if (text[0])
        BackendPushText(window, text);
    BackendPushKey(window, key, false, false);
}

void WebStartPage(void)
{
    InstallHooks();
    wakeEvent = SDL_RegisterEvents(1);
    emscripten_set_fullscreenchange_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, EM_FALSE, FullScreenChanged);
}

void WebRequestFullScreen(bool fullScreen)
{
    AskFullScreen(fullScreen ? 1 : 0);
}

bool WebFollowView(SDL_Window* canvas)
{
    if (!viewChanged)
        return false;
    viewChanged = false;
    int width = kWebViewWidth, height = kWebViewHeight;
    if (inFullScreen)
        emscripten_get_screen_size(&width, &height);
    // One canvas pixel to a CSS pixel.
    emscripten_set_element_css_size("#canvas", width, height);
    int now, nowHeight;
    SDL_GetWindowSize(canvas, &now, &nowHeight);
    if (now == width && nowHeight == height)
        return false;
    SDL_SetWindowSize(canvas, width, height);
    return true;
}
