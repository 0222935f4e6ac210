// SDL backend, X11 only: what a window is, told to the window manager the
// way a Windows program's frame would show it. The Motif hints carry the
// functions and buttons the window's style gives it (a fixed-size window
// has no maximise button, a window without a system menu no close box); an
// owned window is a dialog, transient for its owner. Other video drivers
// have no window manager to tell.
#include <SDL_syswm.h>

#if defined(HIREN_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

#include "backend/sdl_backend.h"

#if defined(HIREN_X11) && defined(SDL_VIDEO_DRIVER_X11)
namespace {
// The Motif window manager hints: flags, functions, decorations.
constexpr long kHintsFunctions = 1 << 0;
constexpr long kHintsDecorations = 1 << 1;
constexpr long kFuncResize = 1 << 1;
constexpr long kFuncMove = 1 << 2;
constexpr long kFuncMinimize = 1 << 3;
constexpr long kFuncMaximize = 1 << 4;
constexpr long kFuncClose = 1 << 5;
constexpr long kDecorBorder = 1 << 1;
constexpr long kDecorResizeHandle = 1 << 2;
constexpr long kDecorTitle = 1 << 3;
constexpr long kDecorMenu = 1 << 4;
constexpr long kDecorMinimize = 1 << 5;
constexpr long kDecorMaximize = 1 << 6;

bool X11Of(SDL_Window* window, Display** display, Window* xwindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    *display = info.info.x11.display;
    *xwindow = info.info.x11.window;
    return true;
}

void MotifHints(const BackendFrame& frame, long hints[5])
{
    long functions = 0, decorations = 0;
    if (frame.caption) {
        functions |= kFuncMove;
        decorations |= kDecorTitle | kDecorBorder;
        // A modal frame shows no icon, only the close box.
        if (frame.systemMenu && !frame.modalFrame)
            decorations |= kDecorMenu;
        if (frame.minimizeBox)
            decorations |= kDecorMinimize;
        if (frame.maximizeBox)
            decorations |= kDecorMaximize;
    }
    if (frame.border)
        decorations |= kDecorBorder;
    if (frame.sizeable) {
        functions |= kFuncResize;
        decorations |= kDecorResizeHandle;
    }
    if (frame.systemMenu)
        functions |= kFuncClose;
    if (frame.minimizeBox)
        functions |= kFuncMinimize;
    if (frame.maximizeBox)
        functions |= kFuncMaximize;
    hints[0] = kHintsFunctions | kHintsDecorations;
    hints[1] = functions;
    hints[2] = decorations;
    hints[3] = hints[4] = 0;
}
}  // namespace

void SdlX11SetFrame(SDL_Window* window, const BackendFrame& frame, SDL_Window* owner)
{
    Display* display;
    Window xwindow;
    if (!X11Of(window, &display, &xwindow))
        return;
    long hints[5];
    MotifHints(frame, hints);
    Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, xwindow, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(hints), 5);
    Display* ownerDisplay;
    Window ownerWindow;
    if (frame.dialog && X11Of(owner, &ownerDisplay, &ownerWindow)) {
        Atom type = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
        Atom dialog = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DIALOG", False);
        XChangeProperty(display, xwindow, type, XA_ATOM, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&dialog),
                        1);
        XSetTransientForHint(display, xwindow, ownerWindow);
    }
    XFlush(display);
}
#else
void SdlX11SetFrame(SDL_Window*, const BackendFrame&, SDL_Window*) {}
#endif
