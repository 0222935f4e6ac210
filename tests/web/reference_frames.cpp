// The Linux build's pictures that the browser tests hold the page to: the
// game under SDL's dummy driver on a frozen clock, played with keys given
// to the window as the keyboard gives them. Each picture is the client area
// of a window as the window system shows it, written as a binary PPM file.
//
//   reference_frames OUTDIR WORD...  title.ppm; title-WORD.ppm after each word
//                                    typed on the title (one after another);
//                                    about.ppm, screen-size.ppm, quit.ppm;
//                                    title-640.ppm (the 640 x 480 mode);
//                                    pause.ppm: the pause over a frame of
//                                    colour 1 (dark red) everywhere, and
//                                    pause-after-result.ppm: the same once
//                                    a result has been shown
//   reference_frames --run OUTDIR T  from a clock frozen at T ms (the seed
//                                    too), a run left alone, a step every
//                                    16 ms until the hit: result.ppm and
//                                    verdict.ppm, and result-ink.ppm: the
//                                    result's lines over black; prints
//                                    "steps: N"
#include <ctype.h>
#include <platform_seams.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "core/game_context.h"
#include "dialogs/dialogs.h"
#include "display/display.h"
#include "resources/resource.h"
#include "screens/screens.h"

namespace {
constexpr UINT kCapture = WM_USER + 0x150;
constexpr int kLongestRun = 200000;  // steps before a run counts as endless

std::string outDir;
bool closed;

[[noreturn]] void Fail(const char* what)
{
    fprintf(stderr, "reference_frames: %s\n", what);
    exit(1);
}

// Runs the frame loop until it would wait: no message queued, no step due.
void Settle()
{
    for (int passes = 0; !closed; ++passes) {
        MSG msg;
        bool queued = PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) != FALSE;
        bool due = game.running != 0 && game.pauseStart == 0 &&
                   (game.frameInterval == 0 || TimeReached(timeGetTime(), game.nextFrameTime));
        if (!queued && !due)
            return;
        if (passes > 1000000)
            Fail("the frame loop never came to rest");
        UINT exitCode;
        closed = !FrameLoopPass(&exitCode);
    }
}

// A key pressed and let go, typing `c` when it is a character.
void Press(UINT virtualKey, char c = 0)
{
    const char text[2] = {c, 0};
    PlatformInjectKey(game.mainWindow, virtualKey, TRUE, FALSE, c ? text : nullptr);
    PlatformInjectKey(game.mainWindow, virtualKey, FALSE, FALSE, nullptr);
    Settle();
}

void Type(const char* word)
{
    for (const char* c = word; *c; ++c)
        Press(isalpha(static_cast<unsigned char>(*c)) ? toupper(static_cast<unsigned char>(*c)) : *c, *c);
}

// Writes `width` x `height` pixels read by `at` (0x00RRGGBB) to OUTDIR/name.ppm.
template <typename Read>
void Write(const char* name, int width, int height, Read at)
{
    std::vector<unsigned char> rgb;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = at(x, y);
            if (c == CLR_INVALID)
                Fail("a window shows no pixels");
            for (int shift : {0, 8, 16})  // a COLORREF is 0x00BBGGRR
                rgb.push_back(static_cast<unsigned char>(c >> shift));
        }
    std::string path = outDir + "/" + name + ".ppm";
    FILE* out = fopen(path.c_str(), "wb");
    bool written = out && fprintf(out, "P6\n%d %d\n255\n", width, height) > 0 &&
                   fwrite(rgb.data(), 1, rgb.size(), out) == rgb.size();
    if (!out || fclose(out) != 0 || !written)
        Fail("a picture could not be written");
}

// The client area of `window` as the window system shows it.
void Capture(HWND window, const char* name)
{
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // what was drawn is shown
    RECT client;
    GetClientRect(window, &client);
    Write(name, client.right, client.bottom, [&](int x, int y) { return PlatformReadWindowPixel(window, x, y); });
}

// A dialog run with the game's procedure; once it is shown and active it
// is painted, taken and closed.
DLGPROC shownProcedure;
const char* shownName;

INT_PTR CALLBACK Capturing(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kCapture) {
        MSG paint;
        while (PeekMessageA(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            DispatchMessageA(&paint);
        Capture(dialog, shownName);
        EndDialog(dialog, 0);
        return TRUE;
    }
    INT_PTR result = shownProcedure(dialog, message, wParam, lParam);
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE)
        PostMessageA(dialog, kCapture, 0, 0);
    return result;
}

void CaptureDialog(int id, DLGPROC procedure, LPARAM param, const char* name)
{
    shownProcedure = procedure;
    shownName = name;
    if (RunDialog(id, game.mainWindow, Capturing, param) != 0)
        Fail("a dialog did not open");
    Settle();
}

void Start(DWORD clock)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    PlatformSetClock(clock);  // the seed is read from it too
    InitGameState();
    if (InitApplication() == 0 || (game.mainWindow = CreateMainWindow()) == nullptr)
        Fail("no main window");
    Settle();
}

// Steps a run on, 16 ms at a time, until it has ended.
void PlayToTheHit()
{
    for (int k = 0; game.screen == Playing; ++k) {
        if (k == kLongestRun || game.pauseStart != 0)
            Fail("the run did not end in a hit");
        PlatformAdvanceClock(16);
        Settle();
    }
}

// Starts a run, makes its frame colour 1 everywhere and pauses it: the
// pause's picture of record.
void PausePicture(const char* name)
{
    Press(VK_RETURN, '\r');
    if (game.screen != Playing)
        Fail("Enter started no run");
    memset(game.frameBuffer, 1, kFrameBytes);
    Press(VK_ESCAPE, 0x1B);
    if (game.pauseStart == 0)
        Fail("Esc did not pause the run");
    Write(name, kPictureWidth, kPictureHeight, [](int x, int y) { return GetPixel(game.composeDc, x, y); });
}

void Pictures(char** words, int count)
{
    Start(1000000);
    Capture(game.mainWindow, "title");
    for (int i = 0; i < count; ++i) {
        Type(words[i]);
        Capture(game.mainWindow, ("title-" + std::string(words[i])).c_str());
    }
    game.hasMmx = 0;  // as WebAssembly's processor reports: no MMX line
    CaptureDialog(IDD_ABOUT, AboutDialogProc, 0, "about");
    CaptureDialog(IDD_SCREEN_SIZE, ScreenSizeDialogProc, 0, "screen-size");
    CaptureDialog(IDD_QUIT, QuitDialogProc, 0, "quit");
    ApplyScreenMode(1);
    Settle();
    Capture(game.mainWindow, "title-640");
    ApplyScreenMode(0);
    Settle();

    PausePicture("pause");
    // Once a result has been drawn, the notice stands over the frame
    // without a background of its own.
    Press(VK_RETURN, '\r');
    PlayToTheHit();
    Press(VK_RETURN, '\r');
    Press(VK_RETURN, '\r');
    PausePicture("pause-after-result");
}

void Run(DWORD clock)
{
    Start(clock);
    Press(VK_RETURN, '\r');
    PlayToTheHit();
    if (game.screen != Result)
        Fail("the run did not end in a hit");
    Capture(game.mainWindow, "result");
    printf("steps: %lu\n", static_cast<unsigned long>(game.frameCount));
    Press(VK_RETURN, '\r');
    Capture(game.mainWindow, "verdict");
    // The result's ink alone: its lines over a black picture.
    PatBlt(game.composeDc, 0, 0, kPictureWidth, kPictureHeight, BLACKNESS);
    ShowResult(0);
    Capture(game.mainWindow, "result-ink");
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && strcmp(argv[1], "--run") == 0) {
        outDir = argv[2];
        Run(static_cast<DWORD>(strtoul(argv[3], nullptr, 10)));
    } else if (argc >= 2 && argv[1][0] != '-') {
        outDir = argv[1];
        Pictures(argv + 2, argc - 2);
    } else {
        Fail("usage: reference_frames OUTDIR WORD... | --run OUTDIR CLOCK");
    }
    if (closed)
        Fail("the game closed");
    return 0;
}
