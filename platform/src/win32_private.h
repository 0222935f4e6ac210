// The Windows API as platform/ uses it inside: the game's (windows.h,
// mmsystem.h) and the tests' (platform_seams.h), and beyond them the names
// and calls the layer's own parts pass between them: the messages, styles
// and controls of windows and dialogs, the errors it reports, and sending
// a message.
#pragma once

#include <platform_seams.h>

#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)((WORD)((DWORD_PTR)(l)&0xffff) | (DWORD)((WORD)((DWORD_PTR)(h)&0xffff)) << 16))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))

// ---- KERNEL ---------------------------------------------------------------

#define ERROR_SUCCESS 0
#define ERROR_ACCESS_DENIED 5
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_NOT_SUPPORTED 50
#define ERROR_INVALID_PARAMETER 87
#define ERROR_INVALID_WINDOW_HANDLE 1400
#define ERROR_CANNOT_FIND_WND_CLASS 1407
#define ERROR_CLASS_ALREADY_EXISTS 1410

// ---- GDI ------------------------------------------------------------------

#define BLACKONWHITE 1
#define HALFTONE 4
#define OPAQUE 2
#define FW_NORMAL 400
#define DEFAULT_CHARSET 1

// ---- USER -----------------------------------------------------------------

#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_MAXIMIZE 0x01000000L
#define WS_BORDER 0x00800000L
#define WS_DLGFRAME 0x00400000L
#define WS_THICKFRAME 0x00040000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_EX_DLGMODALFRAME 0x00000001L

#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SWP_NOACTIVATE 0x0010

#define WM_NULL 0x0000
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_SYSCHAR 0x0106
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205

#define SC_MINIMIZE 0xF020
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120

#define MF_SEPARATOR 0x00000800L

// Dialog templates and controls.
#define DS_SETFONT 0x40L
#define DS_MODALFRAME 0x80L
#define DS_CENTER 0x0800L
#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BST_UNCHECKED 0x0000
#define SS_LEFT 0x00000000L
#define SS_CENTER 0x00000001L
#define SS_ICON 0x00000003L
#define IDI_QUESTION MAKEINTRESOURCEA(32514)

#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000

// Keys of the keyboard map beyond those the game and the tests name.
#define VK_BACK 0x08
#define VK_PAUSE 0x13
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_NUMPAD0 0x60
#define VK_NUMPAD1 0x61
#define VK_NUMPAD3 0x63
#define VK_NUMPAD5 0x65
#define VK_NUMPAD7 0x67
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F11 0x7A

typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA;

// ---- WinMM ----------------------------------------------------------------

#define JOYERR_PARMS 165
#define JOYERR_NOCANDO 166
#define JOYERR_UNPLUGGED 167
#define MMSYSERR_NODRIVER 6
#define MMSYSERR_INVALPARAM 11
#define MM_JOY1BUTTONUP 0x3B7
#define JOY_BUTTON2 0x0002
#define JOY_BUTTON3 0x0004
#define JOY_BUTTON4 0x0008

#ifdef __cplusplus
extern "C" {
#endif

void WINAPI SetLastError(DWORD errorCode);
// Calls the window's procedure at once.
LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Sends WM_PAINT at once when the window has something to paint.
BOOL WINAPI UpdateWindow(HWND window);

#ifdef __cplusplus
}
#endif
