// Device contexts: memory and window DCs, their state, SaveDC/RestoreDC and
// object selection.
#include "gdi/gdi_private.h"

#include "user/window_pixels.h"

namespace {

// A bitmap leaves a DC: forget the owner, and free it if it was deleted
// while selected.
void ReleaseBitmap(GdiBitmap* bitmap)
{
    if (bitmap == nullptr || bitmap->stock)
        return;
    bitmap->selectedIn = nullptr;
    if (bitmap->deletePending)
        GdiFreeBitmap(bitmap);
}

void ReleaseFont(GdiFont* font)
{
    if (font == nullptr || font->stock)
        return;
    if (--font->selectCount == 0 && font->deletePending)
        GdiFreeFont(font);
}

// The bitmap previously selected, or null when this one cannot be selected:
// window DCs take no bitmap, and a bitmap lives in one DC at a time.
GdiBitmap* SelectBitmap(GdiDc* dc, GdiBitmap* bitmap)
{
    if (dc->window != nullptr || bitmap->deletePending)
        return nullptr;
    GdiBitmap* previous = dc->state.bitmap;
    if (bitmap == previous)
        return previous;
    if (!bitmap->stock) {
        if (bitmap->selectedIn != nullptr)
            return nullptr;
        bitmap->selectedIn = dc;
    }
    dc->state.bitmap = bitmap;
    dc->state.bitmapSerial = bitmap->serial;
    ReleaseBitmap(previous);
    return previous;
}

GdiFont* SelectFont(GdiDc* dc, GdiFont* font)
{
    if (font->deletePending)
        return nullptr;
    GdiFont* previous = dc->state.font;
    if (font == previous)
        return previous;
    if (!font->stock)
        ++font->selectCount;
    dc->state.font = font;
    dc->state.fontSerial = font->serial;
    ReleaseFont(previous);
    return previous;
}

// Puts a saved state back. The bitmap and font go through the select path;
// one that was deleted meanwhile, or now sits in another DC, stays out.
void RestoreState(GdiDc* dc, const GdiDcState& saved)
{
    GdiBitmap* bitmap = GdiLookupBitmap(saved.bitmap);
    if (bitmap != nullptr && bitmap->serial == saved.bitmapSerial && dc->window == nullptr)
        SelectBitmap(dc, bitmap);
    GdiFont* font = GdiLookupFont(saved.font);
    if (font != nullptr && font->serial == saved.fontSerial)
        SelectFont(dc, font);
    dc->state.stretchMode = saved.stretchMode;
    dc->state.textColour = saved.textColour;
    dc->state.backColour = saved.backColour;
    dc->state.backMode = saved.backMode;
}

GdiDc* NewDc(WindowPixels* window)
{
    if (!GdiHasRoom())
        return nullptr;
    auto* dc = new GdiDc();
    dc->magic = kGdiMagic;
    dc->kind = GdiKind::Dc;
    dc->window = window;
    GdiInitialDcState(&dc->state);
    GdiRegister(dc);
    return dc;
}

void FreeDc(GdiDc* dc)
{
    ReleaseBitmap(dc->state.bitmap);
    ReleaseFont(dc->state.font);
    GdiUnregister(dc);
    delete dc;
}

}  // namespace

void GdiInitialDcState(GdiDcState* state)
{
    state->bitmap = GdiStockBitmap();
    state->font = GdiStockFont();
    state->bitmapSerial = state->bitmap->serial;
    state->fontSerial = state->font->serial;
    state->stretchMode = BLACKONWHITE;
    state->textColour = RGB(0, 0, 0);
    state->backColour = RGB(255, 255, 255);
    state->backMode = 2;  // OPAQUE
}

bool GdiDcSurface(const GdiDc* dc, GdiSurface* surface)
{
    if (dc->window == nullptr) {
        GdiBitmapSurface(dc->state.bitmap, surface);
        return true;
    }
    const WindowPixels* target = dc->window;
    if (target->pixels == nullptr || target->width <= 0 || target->height <= 0)
        return false;
    surface->origin = reinterpret_cast<uint8_t*>(target->pixels);
    surface->pitch = ptrdiff_t(target->width) * 4;
    surface->width = target->width;
    surface->height = target->height;
    surface->bitsPerPixel = 32;
    surface->colours = nullptr;
    surface->colourCount = 0;
    surface->id = target->pixels;
    return true;
}

void GdiDcDrawn(GdiDc* dc)
{
    if (dc->window != nullptr)
        dc->window->dirty = true;
}

HDC GdiCreateWindowDc(WindowPixels* target)
{
    if (target == nullptr)
        return nullptr;
    return reinterpret_cast<HDC>(static_cast<GdiObject*>(NewDc(target)));
}

void GdiDestroyWindowDc(HDC handle)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc != nullptr && dc->window != nullptr)
        FreeDc(dc);
}

HDC WINAPI CreateCompatibleDC(HDC reference)
{
    if (reference != nullptr && GdiLookupDc(reference) == nullptr)
        return nullptr;
    return reinterpret_cast<HDC>(static_cast<GdiObject*>(NewDc(nullptr)));
}

BOOL WINAPI DeleteDC(HDC handle)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || dc->window != nullptr)
        return FALSE;
    FreeDc(dc);
    return TRUE;
}

int WINAPI SaveDC(HDC handle)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return 0;
    dc->saved.push_back(dc->state);
    return int(dc->saved.size());
}

BOOL WINAPI RestoreDC(HDC handle, int savedLevel)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return FALSE;
    const int depth = int(dc->saved.size());
    const int level = savedLevel < 0 ? depth + savedLevel + 1 : savedLevel;
    if (level < 1 || level > depth)
        return FALSE;
    const GdiDcState state = dc->saved[level - 1];
    dc->saved.resize(level - 1);
    RestoreState(dc, state);
    return TRUE;
}

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return nullptr;
    if (GdiBitmap* bitmap = GdiLookupBitmap(object))
        return static_cast<GdiObject*>(SelectBitmap(dc, bitmap));
    if (GdiFont* font = GdiLookupFont(object))
        return static_cast<GdiObject*>(SelectFont(dc, font));
    return nullptr;
}

int WINAPI SetStretchBltMode(HDC handle, int mode)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    const int previous = dc->state.stretchMode;
    dc->state.stretchMode = mode;
    return previous;
}
