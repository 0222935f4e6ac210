// USER: window classes and windows, the message queue, painting, the
// system menu, dialogs, cursors, text, system metrics and the message box.
#pragma once

#include "windef.h"

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// Class styles
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_BYTEALIGNCLIENT 0x1000

// Window styles
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_MINIMIZEBOX 0x00020000L

#define CW_USEDEFAULT ((int)0x80000000)

#define GWL_STYLE (-16)

// ShowWindow
#define SW_HIDE 0
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWDEFAULT 10

// SetWindowPos
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_FRAMECHANGED 0x0020
#define HWND_TOP ((HWND)0)

// GetSystemMetrics
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1

// PeekMessage
#define PM_REMOVE 0x0001

// Messages
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_ACTIVATE 0x0006
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112

// WM_SYSCOMMAND
#define SC_CLOSE 0xF060

// Menus
#define MF_STRING 0x00000000L
#define MF_BYCOMMAND 0x00000000L

// Virtual keys
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_NUMPAD2 0x62
#define VK_NUMPAD4 0x64
#define VK_NUMPAD6 0x66
#define VK_NUMPAD8 0x68
#define VK_F12 0x7B

// Buttons and dialogs
#define BST_CHECKED 0x0001
#define IDOK 1
#define IDCANCEL 2

// Message box
#define MB_ICONERROR 0x00000010L

#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_WAIT MAKEINTRESOURCEA(32514)

// DrawTextA
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_SINGLELINE 0x00000020
#define DT_NOPREFIX 0x00000800

// ExitWindowsEx
#define EWX_SHUTDOWN 0x00000001

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG;

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT;

#ifdef __cplusplus
extern "C" {
#endif

// Classes carry no extra bytes: cbClsExtra and cbWndExtra must be 0.
ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass);
// Top-level windows only. Sends WM_CREATE before it returns; a -1 result
// from it destroys the window and returns null.
HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                            int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param);
BOOL WINAPI IsWindow(HWND window);
BOOL WINAPI ShowWindow(HWND window, int command);
BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle);
// GWL_STYLE only: there are no window extra bytes.
LONG WINAPI GetWindowLongA(HWND window, int index);
LONG WINAPI SetWindowLongA(HWND window, int index, LONG value);
BOOL WINAPI SetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
// SM_CXSCREEN and SM_CYSCREEN.
int WINAPI GetSystemMetrics(int index);

// The queue of the program's one thread. PeekMessageA takes the messages
// of one window, or of all (null); a message range of 0, 0 takes every
// message.
BOOL WINAPI PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags);
BOOL WINAPI WaitMessage(void);
BOOL WINAPI TranslateMessage(const MSG* msg);
LRESULT WINAPI DispatchMessageA(const MSG* msg);
BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int exitCode);
LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The keyboard state as of the last message taken from the queue: the high
// bit of a key's byte is set while it is down, the low bit toggles.
SHORT WINAPI GetKeyState(int virtualKey);
BOOL WINAPI GetKeyboardState(PBYTE state);
BOOL WINAPI SetKeyboardState(PBYTE state);

// Every window has its own DC (CS_OWNDC), kept for the window's life. The
// invalid area is one window's (not null: every window).
HDC WINAPI GetDC(HWND window);
HDC WINAPI BeginPaint(HWND window, PAINTSTRUCT* paint);
BOOL WINAPI EndPaint(HWND window, const PAINTSTRUCT* paint);
BOOL WINAPI InvalidateRect(HWND window, const RECT* rect, BOOL erase);

// The window menu: Minimize, Close, and string items inserted by command
// (MF_BYCOMMAND | MF_STRING); it is not reverted (`revert` FALSE).
HMENU WINAPI GetSystemMenu(HWND window, BOOL revert);
BOOL WINAPI InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text);

// One line of text (DT_SINGLELINE) in a rectangle, placed by DT_CENTER,
// DT_RIGHT, DT_VCENTER and DT_BOTTOM, with '&' prefixes unless
// DT_NOPREFIX; `count` is a byte count or -1 for a NUL-terminated string.
// Returns the text's height.
int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
// Formats into `buffer` (at most 1024 bytes, as on Windows): %d with the
// '0' flag and a width, and %%. Returns the length.
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);

// The program's icons; cursors: the system's IDC_ARROW and IDC_WAIT.
HICON WINAPI LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name);
HCURSOR WINAPI SetCursor(HCURSOR cursor);
// The cursor's display counter: shown while it is 0 or more.
int WINAPI ShowCursor(BOOL show);

// Dialogs: a modal dialog from an extended template (DIALOGEX) of the
// program's resources, owned by `owner`, which is disabled while it runs.
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure, LPARAM param);
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);
HWND WINAPI GetDlgItem(HWND dialog, int id);
BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
BOOL WINAPI SetWindowTextA(HWND window, LPCSTR text);
BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int check);
UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
BOOL WINAPI EnableWindow(HWND window, BOOL enable);
BOOL WINAPI IsWindowEnabled(HWND window);
HWND WINAPI GetActiveWindow(void);

// EWX_SHUTDOWN asks the system to power off, as a desktop program does:
// `systemctl poweroff` is started and not waited for; it asks logind, so
// the system's own policy decides. TRUE once it runs; FALSE when it cannot
// be started.
BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason);

// Shows the text and caption (code page 932) and waits for the user.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

#ifdef __cplusplus
}
#endif
