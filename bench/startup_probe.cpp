// Start-up time as a player sees it: from exec of the game to the title
// screen's pixels on the X display. Runs the program RUNS times (after one
// untimed run that warms the caches), each time polling the display for
// the program's window and reading its pixels until the title's name and
// prompt show in white; then ends the program. Prints the median in ms.
//
//   startup_probe PROGRAM RUNS
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {
double NowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
}

bool WindowOfProcess(Display* display, Window window, pid_t pid)
{
    Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    if (pidAtom == None)
        return false;
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    bool match = false;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data && count == 1 && format == 32)
        match = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    if (data)
        XFree(data);
    return match;
}

// The mapped top-level window of the process, or None.
Window FindWindow(Display* display, pid_t pid)
{
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    Window found = None;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return None;
    for (unsigned i = 0; i < count && found == None; ++i) {
        XWindowAttributes attributes;
        if (WindowOfProcess(display, children[i], pid) && XGetWindowAttributes(display, children[i], &attributes) &&
            attributes.map_state == IsViewable && attributes.width >= 320 && attributes.height >= 240)
            found = children[i];
    }
    if (children)
        XFree(children);
    return found;
}

int WhitePixels(XImage* image, int top, int bottom)
{
    int white = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < 320; ++x)
            white += (XGetPixel(image, x, y) & 0xFFFFFF) == 0xFFFFFF;
    return white;
}

// The title shows: the name (rows 0-119) and the prompt (rows 200-239)
// are on screen in white.
bool TitleShown(Display* display, Window window)
{
    XImage* image = XGetImage(display, window, 0, 0, 320, 240, AllPlanes, ZPixmap);
    if (!image)
        return false;
    bool shown = WhitePixels(image, 0, 120) >= 200 && WhitePixels(image, 200, 240) >= 20;
    XDestroyImage(image);
    return shown;
}

int IgnoreErrors(Display*, XErrorEvent*)
{
    return 0;  // a window may vanish between two requests
}

double TimeOneStart(Display* display, const char* program)
{
    double start = NowMs();
    pid_t pid = fork();
    if (pid == 0) {
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }
    double elapsed = -1;
    while (NowMs() - start < 10000) {
        Window window = FindWindow(display, pid);
        if (window != None && TitleShown(display, window)) {
            elapsed = NowMs() - start;
            break;
        }
        usleep(500);
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return elapsed;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fputs("usage: startup_probe PROGRAM RUNS\n", stderr);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        fputs("startup_probe: no X display\n", stderr);
        return 1;
    }
    XSetErrorHandler(IgnoreErrors);
    int runs = atoi(argv[2]);
    TimeOneStart(display, argv[1]);  // warms the caches
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        double ms = TimeOneStart(display, argv[1]);
        if (ms < 0) {
            fputs("startup_probe: the title never showed\n", stderr);
            return 1;
        }
        times.push_back(ms);
        fprintf(stderr, "startup run %d: %.1f ms\n", i + 1, ms);
    }
    std::sort(times.begin(), times.end());
    printf("%.1f\n", times[times.size() / 2]);
    XCloseDisplay(display);
    return 0;
}
