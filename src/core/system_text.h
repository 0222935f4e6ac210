// The game's texts are code page 932 bytes. Windows reads the bytes given to
// its ...A functions in the system's own code page, so on a non-Japanese
// Windows they would show as garbage. Files that hand text to the system
// include this header: on Windows it routes those calls through wrappers
// that convert from code page 932 explicitly and call the ...W functions,
// with the same byte strings and byte counts. Elsewhere platform/ takes
// code page 932 as it is, and this header changes nothing.
#pragma once

#include <windows.h>

#ifdef _WIN32
ATOM Cp932RegisterClass(const WNDCLASSA* windowClass);
HWND Cp932CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y, int width,
                         int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
int Cp932MessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
BOOL Cp932InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text);
HFONT Cp932CreateFontIndirect(const LOGFONTA* description);
int Cp932DrawText(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
BOOL Cp932TextOut(HDC dc, int x, int y, LPCSTR text, int count);
BOOL Cp932GetTextExtentPoint32(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL Cp932SetWindowText(HWND window, LPCSTR text);
BOOL Cp932SetDlgItemText(HWND dialog, int id, LPCSTR text);
INT_PTR Cp932DialogBoxParam(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC procedure, LPARAM param);

#ifndef HIREN_SYSTEM_TEXT_IMPLEMENTATION
#define RegisterClassA Cp932RegisterClass
#define CreateWindowExA Cp932CreateWindowEx
#define DefWindowProcA DefWindowProcW
#define PeekMessageA PeekMessageW
#define DispatchMessageA DispatchMessageW
#define MessageBoxA Cp932MessageBox
#define InsertMenuA Cp932InsertMenu
#define CreateFontIndirectA Cp932CreateFontIndirect
#define DrawTextA Cp932DrawText
#define TextOutA Cp932TextOut
#define GetTextExtentPoint32A Cp932GetTextExtentPoint32
#define SetWindowTextA Cp932SetWindowText
#define SetDlgItemTextA Cp932SetDlgItemText
#define DialogBoxParamA Cp932DialogBoxParam
#endif
#endif
