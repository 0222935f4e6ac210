// GDI: device contexts, bitmaps, DIB sections, blits and font objects.
#pragma once

#include "windef.h"

#define BI_RGB 0
#define DIB_RGB_COLORS 0

#define SRCCOPY 0x00CC0020
#define SRCPAINT 0x00EE0086
#define BLACKNESS 0x00000042

#define COLORONCOLOR 3

#define TRANSPARENT 1

#define LF_FACESIZE 32
#define FW_DONTCARE 0
#define SHIFTJIS_CHARSET 128
#define OUT_DEVICE_PRECIS 5
#define CLIP_DEFAULT_PRECIS 0
#define DRAFT_QUALITY 1
#define DEFAULT_PITCH 0
#define FF_DONTCARE 0

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
} BITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
} BITMAPINFO;

typedef struct tagLOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
} LOGFONTA;

#ifdef __cplusplus
extern "C" {
#endif

// Memory contexts start with a 1 x 1 monochrome bitmap selected, as on
// Windows; a null reference context means the screen.
HDC WINAPI CreateCompatibleDC(HDC reference);
BOOL WINAPI DeleteDC(HDC dc);
// Pushes the context's state; returns the new depth (1 for the first save).
int WINAPI SaveDC(HDC dc);
// Negative levels count back from the top; positive levels are absolute.
BOOL WINAPI RestoreDC(HDC dc, int savedLevel);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
BOOL WINAPI DeleteObject(HGDIOBJ object);

// A bitmap in the format of the context's device (the display's format
// for a window context; monochrome for a memory context's default bitmap).
HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height);
// Supports 8 bits per pixel with a colour table and 32 bits per pixel,
// bottom-up (positive height) or top-down, BI_RGB, DIB_RGB_COLORS.
HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
UINT WINAPI SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colours);

// SRCCOPY and SRCPAINT; PatBlt BLACKNESS. Every destination pixel of a
// StretchBlt takes the source pixel under its centre, as COLORONCOLOR.
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop);
BOOL WINAPI PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
int WINAPI SetStretchBltMode(HDC dc, int mode);

// Fonts: a positive lfHeight is the cell height in pixels; faces are
// resolved to the nearest installed Japanese face. Text is code page 932
// bytes and drawn without anti-aliasing.
HFONT WINAPI CreateFontIndirectA(const LOGFONTA* description);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour);
int WINAPI SetBkMode(HDC dc, int mode);
BOOL WINAPI TextOutA(HDC dc, int x, int y, LPCSTR text, int count);
BOOL WINAPI GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);

#ifdef __cplusplus
}
#endif
