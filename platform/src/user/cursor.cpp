// Cursors: the system's arrow and wait cursors, the current cursor and the
// display counter.
//
// LoadCursorA knows the system's IDC_ARROW and IDC_WAIT only; their SDL
// cursors are made on first use and the handles are valid even where the
// system has no cursors to make. SetCursor makes one current; ShowCursor
// keeps Windows' display counter, which starts at 0: the cursor is shown
// while the counter is 0 or more and a cursor is current.
#include "user/user_private.h"

namespace {
constexpr DWORD kErrorInvalidCursorHandle = 1402;  // ERROR_INVALID_CURSOR_HANDLE

char arrowCursor;  // their addresses are the handles
char waitCursor;
HCURSOR const kArrow = reinterpret_cast<HCURSOR>(&arrowCursor);
HCURSOR const kWait = reinterpret_cast<HCURSOR>(&waitCursor);

HCURSOR current = kArrow;
int displayCount;
bool shown = true;

void ShowAsCounted()
{
    bool show = displayCount >= 0 && current != nullptr;
    if (show != shown)
        BackendShowCursor(show);
    shown = show;
}

void Select(HCURSOR cursor)
{
    if (cursor == kArrow)
        BackendArrowCursor(true);
    else if (cursor == kWait)
        BackendWaitCursor(true);
}
}  // namespace

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR name)
{
    if (!instance && name == IDC_ARROW) {
        BackendArrowCursor(false);
        return kArrow;
    }
    if (!instance && name == IDC_WAIT) {
        BackendWaitCursor(false);
        return kWait;
    }
    SetLastError(kErrorResourceNameNotFound);
    return nullptr;
}

// Returns the cursor that was current; null hides the cursor.
HCURSOR WINAPI SetCursor(HCURSOR cursor)
{
    if (cursor && cursor != kArrow && cursor != kWait) {
        SetLastError(kErrorInvalidCursorHandle);
        return nullptr;
    }
    HCURSOR previous = current;
    current = cursor;
    Select(cursor);
    ShowAsCounted();
    return previous;
}

int WINAPI ShowCursor(BOOL show)
{
    displayCount += show ? 1 : -1;
    ShowAsCounted();
    return displayCount;
}

void UserApplyClassCursor(HCURSOR cursor)
{
    if (cursor != current && (cursor == kArrow || cursor == kWait))
        SetCursor(cursor);
}

void UserResetCursor()
{
    current = kArrow;
    displayCount = 0;
    ShowAsCounted();
}

bool UserCursorShown(void)
{
    return shown;
}
