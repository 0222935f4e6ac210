// SDL backend, X11 only: what a window is, told to the window manager the
// way a Windows program's frame would show it. The Motif hints carry the
// functions and buttons the window's style gives it (a fixed-size window
// has no maximise button, a window without a system menu no close box); an
// owned window is a dialog, transient for its owner. The title is also
// given as compound text (WM_NAME), as X clients of old read it. Other
// video drivers have no window manager to tell.
#include <SDL_syswm.h>

#if defined(HIREN_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
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
XErrorHandler previousHandler;

// SDL wakes its event wait by sending an event to a window of ours; one
// sent to a window just destroyed (a closed menu or dialog) fails with
// BadWindow, which Xlib's default handler turns into an exit. Nothing is
// lost by such an event going nowhere.
int IgnoreGoneWindows(Display* display, XErrorEvent* error)
{
    constexpr unsigned char kSendEvent = 25;  // X_SendEvent
    if (error->error_code == BadWindow && error->request_code == kSendEvent)
        return 0;
    return previousHandler ? previousHandler(display, error) : 0;
}
}  // namespace

void SdlX11Init(void)
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && SDL_strcmp(driver, "x11") == 0 && !previousHandler)
        previousHandler = XSetErrorHandler(IgnoreGoneWindows);
}

bool SdlX11HasWindowManager(SDL_Window* window)
{
    Display* display;
    Window xwindow;
    if (!X11Of(window, &display, &xwindow))
        return true;  // not X11: the video driver's own business
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None)
        return false;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool found = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type, &format,
                                    &count, &after, &data) == Success &&
                 data && count == 1;
    if (data)
        XFree(data);
    return found;
}

void SdlX11SetTitle(SDL_Window* window, const char* titleUtf8)
{
    Display* display;
    Window xwindow;
    if (!X11Of(window, &display, &xwindow))
        return;
    char* list[] = {const_cast<char*>(titleUtf8 ? titleUtf8 : "")};
    XTextProperty property;
    if (Xutf8TextListToTextProperty(display, list, 1, XCompoundTextStyle, &property) < Success)
        return;
    XSetWMName(display, xwindow, &property);
    XFree(property.value);
    XFlush(display);
}

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
void SdlX11Init(void) {}
bool SdlX11HasWindowManager(SDL_Window*)
{
    return true;
}
void SdlX11SetTitle(SDL_Window*, const char*) {}
void SdlX11SetFrame(SDL_Window*, const BackendFrame&, SDL_Window*) {}
#endif
