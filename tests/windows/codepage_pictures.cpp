// Draws the game's pictures from fixed state with the game's own routines
// and writes each, as the window or dialog shows it, to a .bmp file in the
// current directory: the title, a run's top strip with an event label, the
// result and verdict screens, and the About, benchmark, quit and
// screen-size dialogs; and the system's code page to codepage.txt.
// scripts/wine-codepages runs it under two code pages and compares the
// files. It fails by itself (exit code 1) when a picture is one colour or
// when a face the game asks for is missing: the system then draws with
// another face, and characters that face lacks all come out as one box.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "app/app.h"
#include "core/game_context.h"
#include "core/system_text.h"
#include "dialogs/dialogs.h"
#include "display/display.h"
#include "screens/screens.h"

namespace {
constexpr UINT_PTR kShownTimer = 1;
constexpr int kStripStep = 40;      // the step whose picture shows the strip
constexpr int kLongestRun = 20000;  // steps before a run counts as endless

int failures;

void Fail(const char* picture, const char* what)
{
    printf("codepage_pictures: %s: %s\n", picture, what);
    ++failures;
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A top-down 32-bit DIB section in a memory DC.
class Canvas {
public:
    Canvas(int width, int height) : width(width), height(height)
    {
        BITMAPINFO info = {};
        Describe(&info.bmiHeader);
        dc = CreateCompatibleDC(nullptr);
        bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        kept_ = SelectObject(dc, bitmap_);
    }
    ~Canvas()
    {
        SelectObject(dc, kept_);
        DeleteObject(bitmap_);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Describe(BITMAPINFOHEADER* header) const
    {
        *header = {};
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = width;
        header->biHeight = -height;
        header->biPlanes = 1;
        header->biBitCount = 32;
        header->biCompression = BI_RGB;
    }
    // The pixels as 0xRRGGBB, the unused fourth byte cleared.
    std::vector<DWORD> Pixels() const
    {
        GdiFlush();
        std::vector<DWORD> pixels(bits, bits + (bits ? width * height : 0));
        for (DWORD& p : pixels)
            p &= 0xFFFFFF;
        return pixels;
    }

    const int width, height;
    HDC dc;
    DWORD* bits = nullptr;

private:
    HBITMAP bitmap_;
    HGDIOBJ kept_;
};

// The file holds a fixed header and the pixels, so equal files are equal
// pictures.
void Write(const Canvas& picture, const std::vector<DWORD>& pixels, const char* name)
{
    BITMAPINFOHEADER header;
    picture.Describe(&header);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size() * 4);
    char path[64];
    snprintf(path, sizeof path, "%s.bmp", name);
    FILE* out = fopen(path, "wb");
    bool written = out && fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&header, sizeof header, 1, out) == 1 &&
                   fwrite(pixels.data(), 4, pixels.size(), out) == pixels.size();
    if (out)
        written = fclose(out) == 0 && written;
    if (!written)
        Fail(name, "the picture could not be written");
}

// The client area of `window` as the screen shows it; written to `name`.bmp.
std::vector<DWORD> Capture(HWND window, const char* name)
{
    RECT client;
    GetClientRect(window, &client);
    Canvas picture(client.right, client.bottom);
    HDC screen = GetDC(window);
    BitBlt(picture.dc, 0, 0, picture.width, picture.height, screen, 0, 0, SRCCOPY);
    ReleaseDC(window, screen);
    std::vector<DWORD> pixels = picture.Pixels();
    if (pixels.empty() || std::all_of(pixels.begin(), pixels.end(), [&](DWORD p) { return p == pixels[0]; }))
        Fail(name, "the picture is blank (one colour)");
    Write(picture, pixels, name);
    return pixels;
}

// The face a font asks for must be the face it gets, and it must draw
// distinct characters distinctly: a face without their glyphs draws them
// all as the same box.
void CheckFace(const char* picture, HFONT font)
{
    LOGFONTW asked = {};
    if (!font || !GetObjectW(font, sizeof asked, &asked)) {
        Fail(picture, "no font");
        return;
    }
    const wchar_t characters[] = {0x907F, 0x7DF4, 0x9589, 0x4E0A};  // 避練閉上
    Canvas cell(64, 64);
    HGDIOBJ kept = SelectObject(cell.dc, font);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(cell.dc, LF_FACESIZE, face);
    if (wcscmp(face, asked.lfFaceName) != 0)
        Fail(picture, "the face the game asks for is missing");
    SetTextColor(cell.dc, RGB(255, 255, 255));
    SetBkColor(cell.dc, RGB(0, 0, 0));
    std::vector<std::vector<DWORD>> drawn;
    bool blank = false, alike = false;
    for (wchar_t c : characters) {
        PatBlt(cell.dc, 0, 0, cell.width, cell.height, BLACKNESS);
        TextOutW(cell.dc, 0, 0, &c, 1);
        std::vector<DWORD> pixels = cell.Pixels();
        blank = blank || std::all_of(pixels.begin(), pixels.end(), [](DWORD p) { return p == 0; });
        alike = alike || std::find(drawn.begin(), drawn.end(), pixels) != drawn.end();
        drawn.push_back(pixels);
    }
    SelectObject(cell.dc, kept);
    if (blank)
        Fail(picture, "a character draws nothing");
    if (alike)
        Fail(picture, "two characters draw alike (boxes)");
}

// A run from a fixed seed on a clock the steps set themselves: the strip
// is taken early with the event's label up; then the craft climbs into
// the rain until it is hit and the result comes up.
void PlayRun()
{
    game.randomSeed = 2026;
    ActionButton();
    if (game.screen != Playing) {
        Fail("strip", "the run did not start");
        return;
    }
    for (int k = 0; k < kLongestRun && game.screen == Playing; ++k) {
        game.now = game.startTime + static_cast<DWORD>(k) * game.frameInterval;
        game.keyUp = k > kStripStep ? 1 : 0;
        GameStep();
        if (k != kStripStep)
            continue;
        if (game.screen != Playing || game.pauseStart != 0)
            Fail("strip", "the run was not being played");
        std::vector<DWORD> pixels = Capture(game.mainWindow, "strip");
        // The label "上から来るぞ" stands in white at the right of the top lines.
        int ink = 0;
        LONG left = kPictureWidth - game.bannerLabels[FromAboveLabel].width;
        for (int y = 0; y < 16 && pixels.size() == static_cast<size_t>(kFrameBytes); ++y)
            for (LONG x = left; x < kPictureWidth; ++x)
                ink += pixels[y * kPictureWidth + x] == 0xFFFFFF;
        if (ink < 20)
            Fail("strip", "no label in the top lines");
        CheckFace("strip", game.bannerFont);
    }
    if (game.screen != Result)
        Fail("result", "the run did not end in a hit");
}

// Opens a dialog with the game's procedure; once it is on screen, takes
// its picture, checks its face and closes it.
DLGPROC shownProcedure;
const char* shownName;

INT_PTR CALLBACK Capturing(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kShownTimer) {
        // A modal dialog is shown once its queue is first empty, as the
        // timer is; it may take another tick.
        if (!IsWindowVisible(dialog))
            return TRUE;
        KillTimer(dialog, kShownTimer);
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Capture(dialog, shownName);
        CheckFace(shownName, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
        EndDialog(dialog, 0);
        return TRUE;
    }
    INT_PTR result = shownProcedure(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        SetTimer(dialog, kShownTimer, 50, nullptr);
    return result;
}

void ShowDialog(int id, DLGPROC procedure, LPARAM param, const char* name)
{
    shownProcedure = procedure;
    shownName = name;
    if (RunDialog(id, game.mainWindow, Capturing, param) != 0)
        Fail(name, "the dialog did not open");
}
}  // namespace

int main()
{
    InitGameState();
    // Settings that give the title a line of each kind.
    game.bulletSetting = 3;
    game.backgroundMode = 1;
    game.boostPriority = 0;
    game.fixedEvent = 1;
    game.eventKind = 10;
    if (InitApplication() == 0 || (game.mainWindow = CreateMainWindow()) == nullptr) {
        Fail("title", "no main window");
        return 1;
    }
    Pump();
    ShowTitle();
    Capture(game.mainWindow, "title");

    PlayRun();
    Capture(game.mainWindow, "result");
    // A verdict that has a line of each kind: 51.2 s of play.
    game.frameCount = 3200;
    if (game.screen == Result)
        ActionButton();
    Capture(game.mainWindow, "verdict");

    game.hasMmx = 1;  // the About box's MMX line
    ShowDialog(IDD_ABOUT, AboutDialogProc, 0, "about");
    ShowDialog(IDD_BENCHMARK, BenchmarkDialogProc, 0, "benchmark");
    ShowDialog(IDD_QUIT, QuitDialogProc, 0, "quit");
    ShowDialog(IDD_SCREEN_SIZE, ScreenSizeDialogProc, 0, "screen-size");

    FILE* out = fopen("codepage.txt", "wb");
    if (!out || fprintf(out, "%u\n", GetACP()) < 0 || fclose(out) != 0)
        Fail("codepage.txt", "could not be written");
    DestroyWindow(game.mainWindow);
    printf("codepage_pictures: code page %u, %d problems\n", GetACP(), failures);
    return failures == 0 ? 0 : 1;
}
