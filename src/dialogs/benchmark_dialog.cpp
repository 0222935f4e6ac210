// The benchmark ("動作テスト"): each button runs one of the operations the
// game step depends on 999 times and shows the total time under it.
#include <windows.h>

#include <mmsystem.h>

#include "app/game_context.h"
#include "app/processor.h"
#include "app/system_text.h"
#include "dialogs/dialogs.h"
#include "display/surfaces.h"

namespace {
constexpr int kRepetitions = 999;

enum Button {
    PlainFill = 3003,
    PlainCopy = 3004,
    MmxFill = 3005,
    MmxCopyButton = 3006,
    DibToDc = 3007,
    DibToDdb = 3008,
    DdbToDib = 3009,
};

// The static under each button that shows its time.
int ResultStatic(int button)
{
    switch (button) {
    case PlainFill:
        return 3014;
    case PlainCopy:
        return 3016;
    case MmxFill:
        return 3013;
    case MmxCopyButton:
        return 3015;
    case DibToDc:
        return 3010;
    case DibToDdb:
        return 3012;
    case DdbToDib:
        return 3011;
    default:
        return 0;
    }
}

void RunOnce(int button)
{
    switch (button) {
    case PlainFill:
        StringFill32(game.benchBuffer, kFrameBytes / 4);
        break;
    case PlainCopy:
        StringCopy32(game.frameBuffer, game.benchBuffer, kFrameBytes / 4);
        break;
    case MmxFill:
        MmxClear(game.frameBuffer, kFrameBytes);
        break;
    case MmxCopyButton:
        MmxCopy(game.frameBuffer, game.benchBuffer, kFrameBytes);
        break;
    case DibToDc:
        PresentImage(game.frameDc);
        break;
    case DibToDdb:
        BitBlt(game.composeDc, 0, 0, kPictureWidth, kPictureHeight, game.frameDc, 0, 0, SRCCOPY);
        break;
    case DdbToDib:
        BitBlt(game.frameDc, 0, 0, kPictureWidth, kPictureHeight, game.composeDc, 0, 0, SRCCOPY);
        break;
    }
}

void RaiseToTop(HWND window)
{
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void RunTest(HWND dialog, int button)
{
    HCURSOR kept = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    // Blitting to the window is timed with the window in view.
    if (button == DibToDc) {
        ShowWindow(dialog, SW_HIDE);
        RaiseToTop(game.mainWindow);
    }
    DWORD start = timeGetTime();
    for (int i = 0; i < kRepetitions; ++i)
        RunOnce(button);
    DWORD end = timeGetTime();
    SetCursor(kept);
    if (button == DibToDc) {
        ShowWindow(dialog, SW_SHOW);
        RaiseToTop(dialog);
    }
    ShowElapsed(dialog, ResultStatic(button), end - start);
}
}  // namespace

// The difference of two clock readings, printed signed: a clock that went
// back would show as a negative time rather than billions of ms.
void ShowElapsed(HWND dialog, int id, DWORD milliseconds)
{
    char text[32];
    wsprintfA(text, "%dms", milliseconds);
    SetDlgItemTextA(dialog, id, text);
}

INT_PTR CALLBACK BenchmarkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        game.benchBuffer = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, kFrameBytes));
        // Without the work buffer the memory tests cannot run at all.
        BOOL memory = game.benchBuffer != nullptr;
        EnableWindow(GetDlgItem(dialog, PlainFill), memory);
        EnableWindow(GetDlgItem(dialog, PlainCopy), memory);
        EnableWindow(GetDlgItem(dialog, MmxCopyButton), memory && game.hasMmx);
        EnableWindow(GetDlgItem(dialog, MmxFill), memory && game.hasMmx);
        return 1;
    }
    case WM_DESTROY:
        if (game.benchBuffer) {
            HeapFree(GetProcessHeap(), 0, game.benchBuffer);
            game.benchBuffer = nullptr;
        }
        return 1;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDOK || id == IDCANCEL) {
            EndDialog(dialog, 0);
            return 1;
        }
        if (ResultStatic(id) == 0)
            return 0;
        bool needsBuffer = id == PlainFill || id == PlainCopy || id == MmxCopyButton;
        bool needsMmx = id == MmxFill || id == MmxCopyButton;
        // A disabled button cannot be pressed, but a stray command must not
        // run a test that has nothing to work on.
        if ((needsBuffer && !game.benchBuffer) || (needsMmx && !game.hasMmx))
            return 1;
        RunTest(dialog, id);
        return 1;
    }
    default:
        return 0;
    }
}
