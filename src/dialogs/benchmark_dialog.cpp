// The benchmark ("動作テスト"): each button runs one of the operations the
// game step depends on 999 times and shows the total time under it.
#include <windows.h>

#include <mmsystem.h>

#include "core/game_context.h"
#include "core/processor.h"
#include "core/system_text.h"
#include "dialogs/dialogs.h"
#include "display/display.h"

namespace {
constexpr int kRepetitions = 999;

// The static under each button that shows its time; 0 for other ids.
int ResultStatic(int button)
{
    switch (button) {
    case IDC_PLAIN_FILL:
        return IDC_PLAIN_FILL_TIME;
    case IDC_PLAIN_COPY:
        return IDC_PLAIN_COPY_TIME;
    case IDC_MMX_FILL:
        return IDC_MMX_FILL_TIME;
    case IDC_MMX_COPY:
        return IDC_MMX_COPY_TIME;
    case IDC_DIB_TO_DC:
        return IDC_DIB_TO_DC_TIME;
    case IDC_DIB_TO_DDB:
        return IDC_DIB_TO_DDB_TIME;
    case IDC_DDB_TO_DIB:
        return IDC_DDB_TO_DIB_TIME;
    default:
        return 0;
    }
}

void RunOnce(int button)
{
    switch (button) {
    case IDC_PLAIN_FILL:
        StringFill32(game.benchBuffer, kFrameBytes / 4);
        break;
    case IDC_PLAIN_COPY:
        StringCopy32(game.frameBuffer, game.benchBuffer, kFrameBytes / 4);
        break;
    case IDC_MMX_FILL:
        MmxClear(game.frameBuffer, kFrameBytes);
        break;
    case IDC_MMX_COPY:
        MmxCopy(game.frameBuffer, game.benchBuffer, kFrameBytes);
        break;
    case IDC_DIB_TO_DC:
        PresentImage(game.frameDc);
        break;
    case IDC_DIB_TO_DDB:
        BitBlt(game.composeDc, 0, 0, kPictureWidth, kPictureHeight, game.frameDc, 0, 0, SRCCOPY);
        break;
    case IDC_DDB_TO_DIB:
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
    if (button == IDC_DIB_TO_DC) {
        ShowWindow(dialog, SW_HIDE);
        RaiseToTop(game.mainWindow);
    }
    DWORD start = timeGetTime();
    for (int i = 0; i < kRepetitions; ++i)
        RunOnce(button);
    DWORD end = timeGetTime();
    SetCursor(kept);
    if (button == IDC_DIB_TO_DC) {
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
        EnableWindow(GetDlgItem(dialog, IDC_PLAIN_FILL), memory);
        EnableWindow(GetDlgItem(dialog, IDC_PLAIN_COPY), memory);
        EnableWindow(GetDlgItem(dialog, IDC_MMX_COPY), memory && game.hasMmx);
        EnableWindow(GetDlgItem(dialog, IDC_MMX_FILL), memory && game.hasMmx);
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
        bool needsBuffer = id == IDC_PLAIN_FILL || id == IDC_PLAIN_COPY || id == IDC_MMX_COPY;
        bool needsMmx = id == IDC_MMX_FILL || id == IDC_MMX_COPY;
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
