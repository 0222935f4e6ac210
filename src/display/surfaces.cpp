// Building and freeing the surfaces of the main window.
#include <string.h>

#include "core/game_context.h"
#include "core/processor.h"
#include "core/system_text.h"
#include "display/display.h"

const LOGFONTA fontTemplate = {
    80,                   // lfHeight: each text sets its own
    0,                    // lfWidth
    0,                    // lfEscapement
    0,                    // lfOrientation
    FW_DONTCARE,          // lfWeight
    0,                    // lfItalic
    0,                    // lfUnderline
    0,                    // lfStrikeOut
    SHIFTJIS_CHARSET,     // lfCharSet
    OUT_DEVICE_PRECIS,    // lfOutPrecision
    CLIP_DEFAULT_PRECIS,  // lfClipPrecision
    DRAFT_QUALITY,        // lfQuality
    DEFAULT_PITCH | FF_DONTCARE,
    "ＭＳ 明朝",
};

HFONT MakeFont(LONG height)
{
    LOGFONTA description = fontTemplate;
    description.lfHeight = height;
    return CreateFontIndirectA(&description);
}

void ClearFrameBuffer()
{
    if (game.hasMmx) {
        MmxClear(game.frameBuffer, kFrameBytes);
        return;
    }
    StringFill32(game.frameBuffer, kFrameBytes / 4);
}

void FreeSurfaces()
{
    if (game.frameDc) {
        RestoreDC(game.frameDc, -1);
        SelectObject(game.frameDc, game.savedFrameBitmap);
    }
    if (game.composeDc)
        RestoreDC(game.composeDc, -1);
    if (game.bannerDc)
        RestoreDC(game.bannerDc, -1);
    if (game.frameBitmap)
        DeleteObject(game.frameBitmap);
    if (game.composeBitmap)
        DeleteObject(game.composeBitmap);
    if (game.frameDc)
        DeleteDC(game.frameDc);
    if (game.composeDc)
        DeleteDC(game.composeDc);
    if (game.bannerDc)
        DeleteDC(game.bannerDc);
    if (game.bannerBitmap)
        DeleteObject(game.bannerBitmap);
    if (game.bannerFont)
        DeleteObject(game.bannerFont);
    game.frameBitmap = nullptr;
    game.frameBuffer = nullptr;
    game.composeBitmap = nullptr;
    game.bannerBitmap = nullptr;
    game.frameDc = game.composeDc = game.bannerDc = nullptr;
    game.bannerFont = nullptr;
}

bool SurfacesComplete()
{
    return game.windowDc && game.frameBitmap && game.frameBuffer && game.composeBitmap && game.frameDc &&
           game.composeDc && game.bannerDc && game.bannerFont && game.bannerBitmap;
}

BOOL CreateSurfaces(HWND window)
{
    HANDLE heap = GetProcessHeap();
    BITMAPINFO* info = static_cast<BITMAPINFO*>(HeapAlloc(heap, 0, sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD)));
    if (info == nullptr)
        return FALSE;
    memset(&info->bmiHeader, 0, sizeof(info->bmiHeader));
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = kPictureWidth;
    info->bmiHeader.biHeight = kPictureHeight;  // bottom-up
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = 8;
    info->bmiHeader.biCompression = BI_RGB;
    info->bmiHeader.biClrUsed = 16;
    memcpy(info->bmiColors, basePalette, sizeof(basePalette));

    game.windowDc = GetDC(window);
    void* bits = nullptr;
    game.frameBitmap = CreateDIBSection(game.windowDc, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    game.frameBuffer = static_cast<BYTE*>(bits);
    game.composeBitmap = CreateCompatibleBitmap(game.windowDc, kPictureWidth, kPictureHeight);
    if (game.frameBuffer)
        ClearFrameBuffer();

    game.frameDc = CreateCompatibleDC(game.windowDc);
    game.composeDc = CreateCompatibleDC(game.windowDc);
    game.bannerDc = CreateCompatibleDC(game.windowDc);
    SaveDC(game.frameDc);
    SaveDC(game.composeDc);
    SaveDC(game.bannerDc);

    game.savedFrameBitmap = static_cast<HBITMAP>(SelectObject(game.frameDc, game.frameBitmap));
    SetDIBColorTable(game.frameDc, 0, 16, basePalette);
    HeapFree(heap, 0, info);
    SelectObject(game.composeDc, game.composeBitmap);

    game.bannerFont = MakeFont(kStripLines);
    SelectObject(game.composeDc, game.bannerFont);
    return TRUE;
}
