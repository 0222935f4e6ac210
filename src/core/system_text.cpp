// Code page 932 text handed to Windows through its ...W functions.
#ifdef _WIN32
#define HIREN_SYSTEM_TEXT_IMPLEMENTATION
#include "core/system_text.h"

#include <stddef.h>
#include <string.h>

namespace {
constexpr UINT kShiftJis = 932;
// Longer than any text of the game; longer texts are cut.
constexpr int kWideCapacity = 1024;

// Converts `count` bytes (-1: up to the NUL) into `wide`, NUL-terminated;
// returns the number of wide characters.
int Widen(LPCSTR text, int count, wchar_t* wide)
{
    if (text == nullptr) {
        wide[0] = 0;
        return 0;
    }
    if (count < 0)
        count = static_cast<int>(strlen(text));
    int length = count ? MultiByteToWideChar(kShiftJis, 0, text, count, wide, kWideCapacity - 1) : 0;
    wide[length] = 0;
    return length;
}
}  // namespace

ATOM Cp932RegisterClass(const WNDCLASSA* windowClass)
{
    wchar_t wideName[kWideCapacity];
    Widen(windowClass->lpszClassName, -1, wideName);
    WNDCLASSW wide;
    memcpy(&wide, windowClass, offsetof(WNDCLASSA, lpszMenuName));
    wide.lpszMenuName = nullptr;  // the game's windows have no menu bar
    wide.lpszClassName = wideName;
    return RegisterClassW(&wide);
}

HWND Cp932CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    wchar_t wideClass[kWideCapacity], wideTitle[kWideCapacity];
    Widen(className, -1, wideClass);
    Widen(title, -1, wideTitle);
    return CreateWindowExW(exStyle, wideClass, wideTitle, style, x, y, width, height, parent, menu, instance, param);
}

int Cp932MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    wchar_t wideText[kWideCapacity], wideCaption[kWideCapacity];
    Widen(text, -1, wideText);
    Widen(caption, -1, wideCaption);
    return MessageBoxW(owner, wideText, wideCaption, type);
}

BOOL Cp932InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text)
{
    wchar_t wide[kWideCapacity];
    Widen(text, -1, wide);
    return InsertMenuW(menu, position, flags, id, wide);
}

HFONT Cp932CreateFontIndirect(const LOGFONTA* description)
{
    LOGFONTW wide;
    memcpy(&wide, description, offsetof(LOGFONTA, lfFaceName));
    wchar_t face[kWideCapacity];
    int length = Widen(description->lfFaceName, static_cast<int>(strnlen(description->lfFaceName, LF_FACESIZE)), face);
    if (length >= LF_FACESIZE)
        length = LF_FACESIZE - 1;
    memcpy(wide.lfFaceName, face, length * sizeof(wchar_t));
    wide.lfFaceName[length] = 0;
    return CreateFontIndirectW(&wide);
}

int Cp932DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    wchar_t wide[kWideCapacity];
    int length = Widen(text, count, wide);
    return DrawTextW(dc, wide, length, rect, format);
}

BOOL Cp932TextOut(HDC dc, int x, int y, LPCSTR text, int count)
{
    wchar_t wide[kWideCapacity];
    int length = Widen(text, count, wide);
    return TextOutW(dc, x, y, wide, length);
}

BOOL Cp932GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size)
{
    wchar_t wide[kWideCapacity];
    int length = Widen(text, count, wide);
    return GetTextExtentPoint32W(dc, wide, length, size);
}

BOOL Cp932SetWindowText(HWND window, LPCSTR text)
{
    wchar_t wide[kWideCapacity];
    Widen(text, -1, wide);
    return SetWindowTextW(window, wide);
}

INT_PTR Cp932DialogBoxParam(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC procedure, LPARAM param)
{
    // The templates' texts are UTF-16 already; a Unicode dialog keeps them so.
    if (IS_INTRESOURCE(name))
        return DialogBoxParamW(instance, reinterpret_cast<LPCWSTR>(name), owner, procedure, param);
    wchar_t wide[kWideCapacity];
    Widen(name, -1, wide);
    return DialogBoxParamW(instance, wide, owner, procedure, param);
}

BOOL Cp932SetDlgItemText(HWND dialog, int id, LPCSTR text)
{
    wchar_t wide[kWideCapacity];
    Widen(text, -1, wide);
    return SetDlgItemTextW(dialog, id, wide);
}
#endif
