// The controls of a dialog by id: GetDlgItem, SetDlgItemTextA and the
// radio buttons' checks.
#include "user/dialog.h"

namespace {
constexpr DWORD kErrorControlIdNotFound = 1421;  // ERROR_CONTROL_ID_NOT_FOUND
}  // namespace

// The first child with the id, in the z-order (the template's order).
HWND WINAPI GetDlgItem(HWND dialog, int id)
{
    Window* window = UserGetWindow(dialog);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    for (HWND handle : window->children) {
        Window* child = UserGetWindow(handle);
        if (child && child->id == id)
            return handle;
    }
    SetLastError(kErrorControlIdNotFound);
    return nullptr;
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text)
{
    HWND control = GetDlgItem(dialog, id);
    return control && SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

// Checks `check` and unchecks the other radio buttons whose ids lie in
// first..last; other controls there are left alone.
BOOL WINAPI CheckRadioButton(HWND dialog, int first, int last, int check)
{
    Window* window = UserGetWindow(dialog);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    for (HWND handle : window->children) {
        Window* child = UserGetWindow(handle);
        if (child && child->id >= first && child->id <= last)
            ButtonSetCheck(child, child->id == check);
    }
    return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND dialog, int id)
{
    Window* control = UserGetWindow(GetDlgItem(dialog, id));
    return control && control->control.kind == ControlKind::RadioButton && control->control.checked ? BST_CHECKED
                                                                                                    : BST_UNCHECKED;
}
