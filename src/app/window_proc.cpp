// The main window's procedure: creation, destruction and painting go to
// the display surfaces; everything else takes the system's defaults.
#include "app/app.h"
#include "app/system_text.h"
#include "display/surfaces.h"

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return CreateSurfaces(window) ? 0 : -1;
    case WM_DESTROY:
        DestroySurfaces();
        return 0;
    case WM_PAINT:
        PaintWindow(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
