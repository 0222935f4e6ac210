// Bitmaps: allocation, their drawing surface and CreateCompatibleBitmap.
#include "gdi/gdi_private.h"

#include <cstdlib>
#include <cstring>

namespace {

// Larger bitmaps fail instead of asking for absurd amounts of memory.
constexpr int64_t kMaxBitmapBytes = int64_t(1) << 30;

HBITMAP HandleOf(GdiBitmap* bitmap)
{
    return reinterpret_cast<HBITMAP>(static_cast<GdiObject*>(bitmap));
}

}  // namespace

GdiBitmap* GdiNewBitmap(int width, int height, int bitsPerPixel, bool topDown, bool dibSection)
{
    if (width <= 0 || height <= 0 || !GdiHasRoom())
        return nullptr;
    const int64_t stride = ((int64_t(width) * bitsPerPixel + 31) / 32) * 4;
    const int64_t bytes = stride * height;
    if (bytes > kMaxBitmapBytes)
        return nullptr;
    auto* bits = static_cast<uint8_t*>(std::calloc(size_t(bytes), 1));
    if (bits == nullptr)
        return nullptr;
    auto* bitmap = new GdiBitmap();
    bitmap->magic = kGdiMagic;
    bitmap->kind = GdiKind::Bitmap;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->bitsPerPixel = bitsPerPixel;
    bitmap->stride = int(stride);
    bitmap->topDown = topDown;
    bitmap->dibSection = dibSection;
    bitmap->bits = bits;
    if (bitsPerPixel == 1) {
        bitmap->colourCount = 2;
        bitmap->colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    }
    GdiRegister(bitmap);
    return bitmap;
}

void GdiBitmapSurface(const GdiBitmap* bitmap, GdiSurface* surface)
{
    if (bitmap->topDown) {
        surface->origin = bitmap->bits;
        surface->pitch = bitmap->stride;
    } else {
        surface->origin = bitmap->bits + ptrdiff_t(bitmap->height - 1) * bitmap->stride;
        surface->pitch = -ptrdiff_t(bitmap->stride);
    }
    surface->width = bitmap->width;
    surface->height = bitmap->height;
    surface->bitsPerPixel = bitmap->bitsPerPixel;
    surface->colours = bitmap->bitsPerPixel <= 8 ? bitmap->colours : nullptr;
    surface->colourCount = bitmap->bitsPerPixel <= 8 ? bitmap->colourCount : 0;
    surface->id = bitmap;
}

// Window DCs and the screen (a null DC) make display-format bitmaps
// (32 bpp, 0x00RRGGBB). A memory DC makes one like the bitmap it holds:
// monochrome for its initial bitmap, and, as Wine and Windows do, a DIB
// section of the same format and colour table when it holds a DIB section.
HBITMAP WINAPI CreateCompatibleBitmap(HDC handle, int width, int height)
{
    if (width < 0 || height < 0)
        return nullptr;
    const GdiBitmap* model = nullptr;
    if (handle != nullptr) {
        GdiDc* dc = GdiLookupDc(handle);
        if (dc == nullptr)
            return nullptr;
        if (dc->window == nullptr)
            model = dc->state.bitmap;
    }
    if (width == 0 || height == 0)
        return HandleOf(GdiNewBitmap(1, 1, 1, true, false));
    if (model == nullptr)
        return HandleOf(GdiNewBitmap(width, height, 32, true, false));
    if (!model->dibSection)
        return HandleOf(GdiNewBitmap(width, height, model->bitsPerPixel, true, false));
    GdiBitmap* bitmap = GdiNewBitmap(width, height, model->bitsPerPixel, false, true);
    if (bitmap != nullptr && model->bitsPerPixel <= 8) {
        bitmap->colourCount = model->colourCount;
        std::memcpy(bitmap->colours, model->colours, sizeof bitmap->colours);
    }
    return HandleOf(bitmap);
}
