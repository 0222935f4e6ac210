// Test seams of GDI: the count of live objects and the quota, the row
// paths of the blits, and the Windows calls only tests make, to read back
// what was drawn and how a context stands (GetPixel, SetPixel,
// GetCurrentObject).
#include "gdi/gdi_private.h"

namespace {
bool Contains(const GdiSurface& surface, int x, int y)
{
    return x >= 0 && y >= 0 && x < surface.width && y < surface.height;
}
}  // namespace

int PlatformLiveGdiObjects(void)
{
    return GdiLiveObjects();
}

void PlatformSetGdiQuota(int quota)
{
    GdiSetQuota(quota);
}

COLORREF WINAPI GetPixel(HDC handle, int x, int y)
{
    GdiDc* dc = GdiLookupDc(handle);
    GdiSurface surface;
    if (dc == nullptr || !GdiDcSurface(dc, &surface) || !Contains(surface, x, y))
        return CLR_INVALID;
    return GdiPixelToColour(surface, GdiReadPixel(surface, x, y));
}

// Returns the colour actually set: the nearest the surface can hold.
COLORREF WINAPI SetPixel(HDC handle, int x, int y, COLORREF colour)
{
    GdiDc* dc = GdiLookupDc(handle);
    GdiSurface surface;
    if (dc == nullptr || !GdiDcSurface(dc, &surface) || !Contains(surface, x, y))
        return CLR_INVALID;
    const uint32_t pixel = GdiColourToPixel(surface, colour);
    GdiWritePixel(surface, x, y, pixel);
    GdiDcDrawn(dc);
    return GdiPixelToColour(surface, pixel);
}

HGDIOBJ WINAPI GetCurrentObject(HDC handle, UINT objectType)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr)
        return nullptr;
    if (objectType == OBJ_BITMAP)
        return static_cast<GdiObject*>(dc->state.bitmap);
    if (objectType == OBJ_FONT)
        return static_cast<GdiObject*>(dc->state.font);
    return nullptr;
}

bool GdiChooseRowPath(GdiRowPath path)
{
    const bool offered = GdiRowPathOffered(path);
    GdiLimitRowPath(offered ? path : GdiRowPath::Avx2);
    return offered;
}
