// DIB sections: CreateDIBSection and SetDIBColorTable.
#include "gdi/gdi_private.h"

#include <cstring>

// 8 bpp with a colour table or 32 bpp, BI_RGB, DIB_RGB_COLORS, in memory of
// our own (no file mapping). The bits are zeroed and stay at the address
// returned for the bitmap's life; rows are DWORD-aligned.
HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset)
{
    if (bits != nullptr)
        *bits = nullptr;
    if (info == nullptr || usage != DIB_RGB_COLORS || section != nullptr)
        return nullptr;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biCompression != BI_RGB)
        return nullptr;
    if (header.biBitCount != 8 && header.biBitCount != 32)
        return nullptr;
    if (header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN)
        return nullptr;
    const bool topDown = header.biHeight < 0;
    const int height = topDown ? -header.biHeight : header.biHeight;
    GdiBitmap* bitmap = GdiNewBitmap(header.biWidth, height, header.biBitCount, topDown, true);
    if (bitmap == nullptr)
        return nullptr;
    if (header.biBitCount == 8) {
        // The table follows the header, whatever the header's size.
        const int count = header.biClrUsed == 0 || header.biClrUsed > 256 ? 256 : int(header.biClrUsed);
        const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const uint8_t*>(info) + header.biSize);
        std::memcpy(bitmap->colours, table, sizeof(RGBQUAD) * size_t(count));
        bitmap->colourCount = count;
    }
    if (bits != nullptr)
        *bits = bitmap->bits;
    return reinterpret_cast<HBITMAP>(static_cast<GdiObject*>(bitmap));
}

// Sets entries of the colour table of the DIB section selected into the DC;
// returns how many were set (entries past the table's end are not).
UINT WINAPI SetDIBColorTable(HDC handle, UINT start, UINT count, const RGBQUAD* colours)
{
    GdiDc* dc = GdiLookupDc(handle);
    if (dc == nullptr || colours == nullptr || dc->window != nullptr)
        return 0;
    GdiBitmap* bitmap = dc->state.bitmap;
    if (!bitmap->dibSection || bitmap->bitsPerPixel > 8 || start >= UINT(bitmap->colourCount))
        return 0;
    const UINT available = UINT(bitmap->colourCount) - start;
    const UINT set = count < available ? count : available;
    std::memcpy(bitmap->colours + start, colours, sizeof(RGBQUAD) * set);
    return set;
}
