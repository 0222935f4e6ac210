// GDI objects: the handle table, stock objects, DeleteObject and the count
// of live objects.
#include "gdi/gdi_private.h"

#include <cstdlib>
#include <cstring>
#include <unordered_set>

namespace {

GdiBitmap* BuildStockBitmap()
{
    // The 1 x 1 monochrome bitmap every memory DC starts with.
    static uint8_t bits[4];
    static GdiBitmap bitmap;
    bitmap.magic = kGdiMagic;
    bitmap.kind = GdiKind::Bitmap;
    bitmap.stock = true;
    bitmap.width = 1;
    bitmap.height = 1;
    bitmap.bitsPerPixel = 1;
    bitmap.stride = 4;
    bitmap.topDown = true;
    bitmap.bits = bits;
    bitmap.colourCount = 2;
    bitmap.colours[1] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
    return &bitmap;
}

GdiFont* BuildStockFont()
{
    // The system font: no face name, the text module picks its default face.
    static GdiFont font;
    font.magic = kGdiMagic;
    font.kind = GdiKind::Font;
    font.stock = true;
    font.description.lfHeight = 16;
    font.description.lfWeight = FW_NORMAL;
    font.description.lfCharSet = DEFAULT_CHARSET;
    return &font;
}

// Windows' default per-process GDI object quota.
constexpr int kDefaultQuota = 10000;

struct Table {
    GdiBitmap* stockBitmap = BuildStockBitmap();
    GdiFont* stockFont = BuildStockFont();
    std::unordered_set<const void*> live{stockBitmap, stockFont};
    int counted = 0;  // live objects that are not stock
    int quota = kDefaultQuota;
    uint64_t nextSerial = 1;
};

Table& TheTable()
{
    static Table instance;
    return instance;
}

}  // namespace

void GdiRegister(GdiObject* object)
{
    object->serial = ++TheTable().nextSerial;
    TheTable().live.insert(object);
    if (!object->stock)
        ++TheTable().counted;
}

bool GdiHasRoom()
{
    return TheTable().counted < TheTable().quota;
}

void GdiUnregister(GdiObject* object)
{
    if (TheTable().live.erase(object) != 0 && !object->stock)
        --TheTable().counted;
    object->magic = 0;
}

GdiObject* GdiLookup(const void* handle)
{
    if (handle == nullptr)
        return nullptr;
    if (TheTable().live.count(handle) == 0)
        return nullptr;
    auto* object = static_cast<GdiObject*>(const_cast<void*>(handle));
    return object->magic == kGdiMagic ? object : nullptr;
}

GdiBitmap* GdiLookupBitmap(const void* handle)
{
    GdiObject* object = GdiLookup(handle);
    return object && object->kind == GdiKind::Bitmap ? static_cast<GdiBitmap*>(object) : nullptr;
}

GdiFont* GdiLookupFont(const void* handle)
{
    GdiObject* object = GdiLookup(handle);
    return object && object->kind == GdiKind::Font ? static_cast<GdiFont*>(object) : nullptr;
}

GdiDc* GdiLookupDc(const void* handle)
{
    GdiObject* object = GdiLookup(handle);
    return object && object->kind == GdiKind::Dc ? static_cast<GdiDc*>(object) : nullptr;
}

GdiBitmap* GdiStockBitmap()
{
    return TheTable().stockBitmap;
}

GdiFont* GdiStockFont()
{
    return TheTable().stockFont;
}

void GdiFreeBitmap(GdiBitmap* bitmap)
{
    if (bitmap->stock)
        return;
    GdiUnregister(bitmap);
    std::free(bitmap->bits);
    delete bitmap;
}

void GdiFreeFont(GdiFont* font)
{
    if (font->stock)
        return;
    GdiUnregister(font);
    if (font->freeCache != nullptr && font->cache != nullptr)
        font->freeCache(font->cache);
    delete font;
}

// As in Wine, an object still selected into a DC is only marked: it goes
// when the DC lets go of it, and the call reports success.
BOOL WINAPI DeleteObject(HGDIOBJ handle)
{
    GdiObject* object = GdiLookup(handle);
    if (object == nullptr || object->kind == GdiKind::Dc)
        return FALSE;
    if (object->stock)
        return TRUE;
    if (object->kind == GdiKind::Bitmap) {
        auto* bitmap = static_cast<GdiBitmap*>(object);
        if (bitmap->selectedIn != nullptr)
            bitmap->deletePending = true;
        else
            GdiFreeBitmap(bitmap);
    } else {
        auto* font = static_cast<GdiFont*>(object);
        if (font->selectCount > 0)
            font->deletePending = true;
        else
            GdiFreeFont(font);
    }
    return TRUE;
}

int GdiLiveObjects()
{
    return TheTable().counted;
}

void GdiSetQuota(int quota)
{
    TheTable().quota = quota;
}
