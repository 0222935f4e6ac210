// The dialog's keyboard interface, as IsDialogMessage gives it: Tab and
// Shift+Tab move the focus among the WS_TABSTOP controls, the arrow keys
// move it within a group (checking an automatic radio button they land
// on), Enter sends the focused push button's command or else the default
// one's (IDOK without a BS_DEFPUSHBUTTON), Esc sends IDCANCEL, and a
// mnemonic letter ('&' in a control's text), with Alt or alone, clicks its
// button or moves the focus past its static text or group box. Controls
// that are hidden or disabled are skipped.
#include "user/dialog.h"
#include "user/menu_view.h"

namespace {
bool Usable(const Window* window)
{
    return window && window->visible && !(window->style & WS_DISABLED);
}

int IndexOf(const Window* dialog, HWND control)
{
    for (size_t i = 0; i < dialog->children.size(); ++i) {
        if (dialog->children[i] == control)
            return static_cast<int>(i);
    }
    return -1;
}

Window* ChildAt(const Window* dialog, int index)
{
    return UserGetWindow(dialog->children[static_cast<size_t>(index)]);
}

// The index of the first control of the group holding `index`.
int GroupStart(const Window* dialog, int index)
{
    while (index > 0) {
        Window* child = ChildAt(dialog, index);
        if (child && (child->style & WS_GROUP))
            break;
        --index;
    }
    return index;
}

// One past the last control of the group starting at `start`.
int GroupEnd(const Window* dialog, int start)
{
    int count = static_cast<int>(dialog->children.size());
    for (int i = start + 1; i < count; ++i) {
        Window* child = ChildAt(dialog, i);
        if (child && (child->style & WS_GROUP))
            return i;
    }
    return count;
}

void SendCommand(Dialog* dialog, int id, HWND control)
{
    SendMessageA(dialog->handle, WM_COMMAND, MAKEWPARAM(id, kButtonClicked), reinterpret_cast<LPARAM>(control));
}

void Enter(Dialog* dialog)
{
    Window* focus = UserGetWindow(UserFocusWindow());
    if (focus && focus->parent == dialog->handle && focus->control.kind == ControlKind::PushButton) {
        SendCommand(dialog, focus->id, focus->handle);
        return;
    }
    int id = dialog->defaultId ? dialog->defaultId : IDOK;
    HWND button = GetDlgItem(dialog->handle, id);
    if (button && !IsWindowEnabled(button))
        return;
    SendCommand(dialog, id, button);
}

void Arrow(Dialog* dialog, Window* window, bool previous)
{
    HWND next = DialogNextGroupItem(window, UserFocusWindow(), previous);
    Window* control = UserGetWindow(next);
    if (!control)
        return;
    DialogSetFocus(dialog, next);
    if (control->control.kind == ControlKind::RadioButton && !control->control.checked)
        ButtonClick(next);
}

bool IsMnemonicKey(WPARAM key)
{
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

// The control whose mnemonic is `key`, searched from after the focus.
bool Mnemonic(Dialog* dialog, Window* window, WPARAM key)
{
    int count = static_cast<int>(window->children.size());
    int from = IndexOf(window, UserFocusWindow());
    for (int step = 1; step <= count; ++step) {
        int index = ((from < 0 ? -1 : from) + step) % count;
        Window* control = ChildAt(window, index);
        if (!Usable(control) || control->control.kind == ControlKind::NoControl ||
            control->control.kind == ControlKind::Icon || MenuMnemonic(control->text) != static_cast<char>(key))
            continue;
        if (control->control.kind == ControlKind::Text || control->control.kind == ControlKind::GroupBox) {
            HWND next = DialogNextTabItem(window, control->handle, false);
            if (next)
                DialogSetFocus(dialog, next);
        } else {
            ButtonClick(control->handle);
        }
        return true;
    }
    return false;
}
}  // namespace

HWND DialogNextTabItem(Window* dialog, HWND from, bool previous)
{
    int count = static_cast<int>(dialog->children.size());
    int start = IndexOf(dialog, from);
    for (int step = 1; step <= count; ++step) {
        int index = start < 0 ? (previous ? count - step : step - 1)
                              : ((start + (previous ? -step : step)) % count + count) % count;
        Window* control = ChildAt(dialog, index);
        if (Usable(control) && (control->style & WS_TABSTOP))
            return control->handle;
    }
    return nullptr;
}

HWND DialogNextGroupItem(Window* dialog, HWND from, bool previous)
{
    int index = IndexOf(dialog, from);
    if (index < 0) {
        for (HWND handle : dialog->children) {
            if (Usable(UserGetWindow(handle)))
                return handle;
        }
        return nullptr;
    }
    int start = GroupStart(dialog, index), size = GroupEnd(dialog, start) - start;
    for (int step = 1; step < size; ++step) {
        int offset = ((index - start + (previous ? -step : step)) % size + size) % size;
        Window* control = ChildAt(dialog, start + offset);
        if (Usable(control))
            return control->handle;
    }
    return from;
}

bool DialogTakeMessage(Dialog* dialog, const MSG& msg)
{
    Window* window = UserGetWindow(dialog->handle);
    if (!window || (msg.hwnd != dialog->handle && !UserIsDescendant(dialog->handle, msg.hwnd)))
        return false;
    if (msg.message == WM_SYSKEYDOWN)
        return IsMnemonicKey(msg.wParam) && Mnemonic(dialog, window, msg.wParam);
    if (msg.message != WM_KEYDOWN)
        return false;
    switch (msg.wParam) {
    case VK_TAB: {
        HWND next = DialogNextTabItem(window, UserFocusWindow(), (GetKeyState(VK_SHIFT) & 0x8000) != 0);
        if (next)
            DialogSetFocus(dialog, next);
        return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        Arrow(dialog, window, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
        return true;
    case VK_ESCAPE:
        SendMessageA(dialog->handle, WM_COMMAND, IDCANCEL,
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog->handle, IDCANCEL)));
        return true;
    case VK_RETURN:
        Enter(dialog);
        return true;
    default:
        // A letter alone works too: no control here takes characters.
        return IsMnemonicKey(msg.wParam) && !(GetKeyState(VK_CONTROL) & 0x8000) && Mnemonic(dialog, window, msg.wParam);
    }
}
