// Web backend: the windows composed into the page's canvas. The main
// window fills the view scaled by a whole factor and centred (scaled down
// to the view when larger); the others are drawn 1:1 above it, moved into
// the view where they fit, a dialog in a classic raised frame with its
// caption. Composed only when something changed, into the canvas' own
// surface; nothing is allocated but a title's pixels when it changes.
#include <string.h>

#include <new>

#include "backend/sdl_backend.h"
#include "text/glyphs.h"

namespace {
constexpr int kCaptionHeight = 18;  // the bar; a line of the face below it
constexpr int kCloseWidth = 16;
constexpr int kCloseHeight = 14;
// The classic window colours, 0x00RRGGBB.
constexpr uint32_t kFace = 0xC0C0C0;
constexpr uint32_t kLight = 0xFFFFFF;
constexpr uint32_t kShadow = 0x808080;
constexpr uint32_t kDark = 0x000000;
constexpr uint32_t kActiveCaption = 0x000080;
constexpr uint32_t kInactiveCaption = 0x808080;
constexpr uint32_t kActiveTitle = 0xFFFFFF;
constexpr uint32_t kInactiveTitle = 0xC0C0C0;
// The close box's cross, 8 x 7.
const char* const kCross[] = {"XX....XX", ".XX..XX.", "..XXXX..", "...XX...", "..XXXX..", ".XX..XX.", "XX....XX"};

bool changed = true;
TextFace* captionFace;
bool captionFaceTried;

// The canvas' surface; `swap` when its pixels are R, G, B in memory order.
struct Target {
    uint32_t* pixels;
    int width;
    int height;
    int stride;
    bool swap;
};

uint32_t Out(const Target& t, uint32_t rgb)
{
    return t.swap ? (rgb >> 16 & 0xFF) | (rgb & 0xFF00) | (rgb & 0xFF) << 16 : rgb;
}

void Fill(const Target& t, int left, int top, int width, int height, uint32_t rgb)
{
    int right = left + width > t.width ? t.width : left + width;
    int bottom = top + height > t.height ? t.height : top + height;
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    uint32_t value = Out(t, rgb);
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = t.pixels + static_cast<ptrdiff_t>(y) * t.stride;
        for (int x = left; x < right; ++x)
            row[x] = value;
    }
}

// Scaled by the largest whole factor that fits the view, centred; scaled
// down to the view when larger than it.
void PlaceMain(BackendWindow* w, const Target& t)
{
    int sw = WebPictureWidth(w), sh = WebPictureHeight(w);
    if (sw > t.width || sh > t.height) {
        w->placed = SDL_Rect{0, 0, t.width, t.height};
        w->scale = static_cast<double>(t.width) / sw;
        return;
    }
    int k = t.width / sw < t.height / sh ? t.width / sw : t.height / sh;
    w->placed = SDL_Rect{(t.width - k * sw) / 2, (t.height - k * sh) / 2, k * sw, k * sh};
    w->scale = k;
}

void DrawMain(const BackendWindow* w, const Target& t)
{
    const SDL_Rect& p = w->placed;
    // Black around the picture.
    Fill(t, 0, 0, t.width, p.y, kDark);
    Fill(t, 0, p.y + p.h, t.width, t.height - p.y - p.h, kDark);
    Fill(t, 0, p.y, p.x, p.h, kDark);
    Fill(t, p.x + p.w, p.y, t.width - p.x - p.w, p.h, kDark);
    if (!w->picture) {
        Fill(t, p.x, p.y, p.w, p.h, kDark);
        return;
    }
    int sw = w->pictureWidth, sh = w->pictureHeight;
    if (p.w < sw || p.h < sh) {
        // Nearest neighbour, in 16.16 steps.
        uint32_t stepX = static_cast<uint32_t>((static_cast<uint64_t>(sw) << 16) / p.w);
        uint32_t stepY = static_cast<uint32_t>((static_cast<uint64_t>(sh) << 16) / p.h);
        for (int y = 0; y < p.h; ++y) {
            const uint32_t* in = w->picture + static_cast<ptrdiff_t>((y * stepY) >> 16) * sw;
            uint32_t* out = t.pixels + static_cast<ptrdiff_t>(p.y + y) * t.stride + p.x;
            uint32_t sx = 0;
            for (int x = 0; x < p.w; ++x, sx += stepX)
                out[x] = Out(t, in[sx >> 16]);
        }
        return;
    }
    int k = p.w / sw;
    for (int y = 0; y < sh; ++y) {
        const uint32_t* in = w->picture + static_cast<ptrdiff_t>(y) * sw;
        uint32_t* out = t.pixels + static_cast<ptrdiff_t>(p.y + y * k) * t.stride + p.x;
        for (int x = 0; x < sw; ++x) {
            uint32_t value = Out(t, in[x]);
            for (int i = 0; i < k; ++i)
                out[x * k + i] = value;
        }
        for (int j = 1; j < k; ++j)
            memcpy(out + static_cast<ptrdiff_t>(j) * t.stride, out, sizeof(uint32_t) * p.w);
    }
}

// Where it lies over the main window's picture, its offset scaled as the
// picture is (a menu opens under the pointer), moved into the view with
// its frame where it fits.
void PlaceOther(BackendWindow* w, const BackendWindow* main, const Target& t)
{
    int x = w->x, y = w->y;
    if (main) {
        x = main->placed.x + static_cast<int>((w->x - main->x) * main->scale);
        y = main->placed.y + static_cast<int>((w->y - main->y) * main->scale);
    }
    RECT frame = WebFrameOf(w);
    int outerWidth = WebPictureWidth(w) + frame.left + frame.right;
    int outerHeight = WebPictureHeight(w) + frame.top + frame.bottom;
    if (outerWidth <= t.width)
        x = x - frame.left < 0                      ? frame.left
            : x - frame.left + outerWidth > t.width ? t.width - outerWidth + frame.left
                                                    : x;
    if (outerHeight <= t.height)
        y = y - frame.top < 0                        ? frame.top
            : y - frame.top + outerHeight > t.height ? t.height - outerHeight + frame.top
                                                     : y;
    w->placed = SDL_Rect{x, y, WebPictureWidth(w), WebPictureHeight(w)};
    w->scale = 1;
}

void DrawClient(const BackendWindow* w, const Target& t)
{
    const SDL_Rect& p = w->placed;
    if (!w->picture) {
        Fill(t, p.x, p.y, p.w, p.h, kFace);
        return;
    }
    int left = p.x < 0 ? -p.x : 0, top = p.y < 0 ? -p.y : 0;
    int right = p.x + p.w > t.width ? t.width - p.x : p.w;
    int bottom = p.y + p.h > t.height ? t.height - p.y : p.h;
    for (int y = top; y < bottom; ++y) {
        const uint32_t* in = w->picture + static_cast<ptrdiff_t>(y) * w->pictureWidth;
        uint32_t* out = t.pixels + static_cast<ptrdiff_t>(p.y + y) * t.stride + p.x;
        for (int x = left; x < right; ++x)
            out[x] = Out(t, in[x]);
    }
}

// A raised edge: light above and left, dark below and right.
void Edge(const Target& t, int x, int y, int width, int height, uint32_t light, uint32_t dark)
{
    Fill(t, x, y, width, 1, light);
    Fill(t, x, y, 1, height, light);
    Fill(t, x, y + height - 1, width, 1, dark);
    Fill(t, x + width - 1, y, 1, height, dark);
}

void DrawCloseBox(const BackendWindow* w, const Target& t)
{
    SDL_Rect box = WebCloseBoxOf(w);
    if (box.w == 0)
        return;
    Fill(t, box.x, box.y, box.w, box.h, kFace);
    Edge(t, box.x, box.y, box.w, box.h, kLight, kDark);
    Fill(t, box.x + 1, box.y + box.h - 2, box.w - 2, 1, kShadow);
    Fill(t, box.x + box.w - 2, box.y + 1, 1, box.h - 2, kShadow);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 8; ++x) {
            if (kCross[y][x] == 'X')
                Fill(t, box.x + 4 + x, box.y + 3 + y, 1, 1, kDark);
        }
    }
}

void DrawCaption(const BackendWindow* w, const Target& t, bool active)
{
    const SDL_Rect& c = w->placed;
    int barTop = c.y - kCaptionHeight - 1;
    Fill(t, c.x, barTop, c.w, kCaptionHeight, active ? kActiveCaption : kInactiveCaption);
    // The title, cut before the close box.
    int textLeft = c.x + 3, textTop = barTop + (kCaptionHeight - w->titleHeight) / 2;
    int textRight = c.x + c.w - (w->closeBox ? kCloseWidth + 4 : 2);
    uint32_t colour = active ? kActiveTitle : kInactiveTitle;
    for (int y = 0; y < w->titleHeight; ++y) {
        const uint8_t* row = w->titleMask + static_cast<ptrdiff_t>(y) * w->titleWidth;
        for (int x = 0; x < w->titleWidth && textLeft + x < textRight; ++x) {
            if (row[x])
                Fill(t, textLeft + x, textTop + y, 1, 1, colour);
        }
    }
    DrawCloseBox(w, t);
}

void DrawFrame(const BackendWindow* w, const Target& t, bool active)
{
    const SDL_Rect& c = w->placed;
    RECT frame = WebFrameOf(w);
    if (w->caption) {
        int left = c.x - frame.left, top = c.y - frame.top;
        int width = c.w + frame.left + frame.right, height = c.h + frame.top + frame.bottom;
        Fill(t, left, top, width, frame.top, kFace);
        Fill(t, left, c.y, frame.left, c.h, kFace);
        Fill(t, c.x + c.w, c.y, frame.right, c.h, kFace);
        Fill(t, left, c.y + c.h, width, frame.bottom, kFace);
        Edge(t, left, top, width, height, kFace, kDark);
        Edge(t, left + 1, top + 1, width - 2, height - 2, kLight, kShadow);
        DrawCaption(w, t, active);
    } else if (w->border) {
        Edge(t, c.x - 1, c.y - 1, c.w + 2, c.h + 2, kDark, kDark);
    }
}
}  // namespace

void WebChanged(void)
{
    changed = true;
}

SDL_Rect WebCloseBoxOf(const BackendWindow* window)
{
    if (!window->caption || !window->closeBox || window->placed.w < kCloseWidth + 4)
        return SDL_Rect{0, 0, 0, 0};
    const SDL_Rect& c = window->placed;
    return SDL_Rect{c.x + c.w - 2 - kCloseWidth, c.y - kCaptionHeight - 1 + 2, kCloseWidth, kCloseHeight};
}

void WebRenderTitle(BackendWindow* window)
{
    delete[] window->titleMask;
    window->titleMask = nullptr;
    window->titleWidth = window->titleHeight = 0;
    if (!captionFaceTried) {
        captionFaceTried = true;
        captionFace = TextOpenFace("ＭＳ Ｐゴシック", 12);
    }
    char text[256];
    size_t length = TextUtf8ToCp932(window->title, strlen(window->title), text, sizeof text);
    if (!captionFace || length == 0)
        return;
    int width = TextMeasure(captionFace, text, length), height = TextCellHeight(captionFace);
    if (width <= 0 || height <= 0)
        return;
    window->titleMask = new (std::nothrow) uint8_t[static_cast<size_t>(width) * height]();
    if (!window->titleMask)
        return;
    window->titleWidth = width;
    window->titleHeight = height;
    TextDraw8(captionFace, text, length, 0, 0, 1, window->titleMask, width, height, width);
}

void SdlComposePage(void)
{
    SDL_Window* canvas = WebCanvas();
    if (!canvas)
        return;
    if (WebFollowView(canvas))
        changed = true;
    if (!changed)
        return;
    SDL_Surface* surface = SDL_GetWindowSurface(canvas);
    if (!surface || surface->format->BytesPerPixel != 4)
        return;
    changed = false;
    Uint32 format = surface->format->format;
    Target t{static_cast<uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4,
             format == SDL_PIXELFORMAT_BGR888 || format == SDL_PIXELFORMAT_ABGR8888};
    BackendWindow* order[kWebMaxDrawn];
    int count = WebDrawOrder(order, kWebMaxDrawn);
    BackendWindow* main = count > 0 && order[0] == WebMainWindow() ? order[0] : nullptr;
    if (main) {
        PlaceMain(main, t);
        DrawMain(main, t);
    } else {
        Fill(t, 0, 0, t.width, t.height, kDark);
    }
    BackendWindow* focus = WebFocusWindow();
    for (int i = main ? 1 : 0; i < count; ++i) {
        PlaceOther(order[i], main, t);
        DrawFrame(order[i], t, order[i] == focus);
        DrawClient(order[i], t);
    }
    SDL_UpdateWindowSurface(canvas);
}
