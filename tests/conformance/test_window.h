// The USER tests' window: a class whose procedure records the messages it
// gets, answers WM_CREATE as told and keeps the last paint rectangle; and
// Drain, which handles every queued message as a game's loop does without
// blocking, dropping a quit so each test starts from an empty queue.
// Windows API only.
#pragma once

#include <windows.h>

#include <vector>

inline void Drain()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

struct WindowLog {
    std::vector<UINT> messages;
    HWND created = nullptr;
    LRESULT createAnswer = 0;
    int paints = 0;
    RECT paint = {0, 0, 0, 0};
};

inline WindowLog& Logged()
{
    static WindowLog log;
    return log;
}

inline LRESULT CALLBACK LoggingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Logged().messages.push_back(message);
    if (message == WM_CREATE) {
        Logged().created = window;
        return Logged().createAnswer;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        ++Logged().paints;
        Logged().paint = paint.rcPaint;
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

constexpr DWORD kFramed = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr char kWindowClass[] = "HirenConformance";

// A window of `style` whose client area AdjustWindowRectEx sizes to
// width x height, as the game makes its own.
inline HWND MakeWindow(DWORD style, int width, int height)
{
    static const ATOM atom = [] {
        WNDCLASSA windowClass = {};
        windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        windowClass.lpfnWndProc = LoggingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassA(&windowClass);
    }();
    RECT outer = {0, 0, width, height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    return atom ? CreateWindowExA(0, kWindowClass, "conformance", style, 10, 10, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)
                : nullptr;
}

inline void CloseAndDrain(HWND window)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    Drain();
}
