// The button control: push buttons (BS_PUSHBUTTON, BS_DEFPUSHBUTTON),
// automatic radio buttons (BS_AUTORADIOBUTTON) and group boxes
// (BS_GROUPBOX); other button styles cannot be created.
//
// A button is pressed by the left mouse button (it takes the focus and
// the mouse until the button is released) or by the space bar while it has
// the focus; released over it, it is clicked: an automatic radio button
// checks itself and unchecks the other automatic radio buttons of its
// group, then the parent hears WM_COMMAND (id, BN_CLICKED). A disabled
// button takes no part. Group boxes are only drawn; clicks pass through.
#include "user/dialog.h"

namespace {
constexpr DWORD kTypeMask = 0x0F;  // BS_TYPEMASK
constexpr int kRadioSize = 12;     // the radio button's circle
constexpr int kRadioGap = 4;       // between the circle and the text
constexpr int kGroupTextLeft = 8;  // the group box's text from its left edge

void Invalidate(Window* button)
{
    // The dialog repaints all: which push button looks default may change.
    if (Window* parent = UserGetWindow(button->parent))
        UserInvalidate(parent, nullptr, true);
}

void Clicked(Window* button)
{
    HWND handle = button->handle;
    if (button->control.kind == ControlKind::RadioButton) {
        ButtonSetCheck(button, true);
        Window* parent = UserGetWindow(button->parent);
        size_t count = parent ? parent->children.size() : 0;
        HWND other = parent ? DialogNextGroupItem(parent, handle, false) : nullptr;
        for (size_t i = 0; i < count && other && other != handle; ++i) {
            Window* sibling = UserGetWindow(other);
            if (sibling && sibling->control.kind == ControlKind::RadioButton)
                ButtonSetCheck(sibling, false);
            other = DialogNextGroupItem(parent, other, false);
        }
    }
    if ((button = UserGetWindow(handle)) != nullptr && button->parent)
        SendMessageA(button->parent, WM_COMMAND, MAKEWPARAM(button->id, kButtonClicked),
                     reinterpret_cast<LPARAM>(handle));
}

void Press(Window* button, bool pressed)
{
    if (button->control.pressed != pressed) {
        button->control.pressed = pressed;
        Invalidate(button);
    }
}

void TakeFocus(Window* button)
{
    if (Dialog* dialog = DialogOfControl(button))
        DialogSetFocus(dialog, button->handle);
    else
        UserSetFocus(button->handle);
}

LRESULT Create(Window* button)
{
    switch (button->style & kTypeMask) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        button->control.kind = ControlKind::PushButton;
        return 0;
    case BS_AUTORADIOBUTTON:
        button->control.kind = ControlKind::RadioButton;
        return 0;
    case BS_GROUPBOX:
        button->control.kind = ControlKind::GroupBox;
        button->hitTransparent = true;
        return 0;
    default:
        return -1;
    }
}

LRESULT CALLBACK ButtonProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* button = UserGetWindow(handle);
    if (!button)
        return 0;
    bool usable = button->control.kind != ControlKind::GroupBox && !(button->style & WS_DISABLED);
    switch (message) {
    case WM_CREATE:
        return Create(button);
    case WM_LBUTTONDOWN:
        if (!usable)
            return 0;
        TakeFocus(button);
        if ((button = UserGetWindow(handle)) == nullptr)
            return 0;
        UserSetCapture(handle);
        Press(button, true);
        return 0;
    case WM_LBUTTONUP: {
        if (UserCapture() == handle)
            UserSetCapture(nullptr);
        if (!button->control.pressed)
            return 0;
        Press(button, false);
        int x = static_cast<SHORT>(LOWORD(lParam)), y = static_cast<SHORT>(HIWORD(lParam));
        if (x >= 0 && y >= 0 && x < button->client.right - button->client.left &&
            y < button->client.bottom - button->client.top)
            Clicked(button);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && usable)
            Press(button, true);
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && button->control.pressed) {
            Press(button, false);
            Clicked(button);
        }
        return 0;
    case WM_SETFOCUS:
        if (Dialog* dialog = DialogOfControl(button))
            dialog->focus = handle;
        Invalidate(button);
        return 0;
    case WM_KILLFOCUS:
        button->control.pressed = false;  // a press in progress is dropped
        Invalidate(button);
        return 0;
    case WM_ENABLE:
        Invalidate(button);
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(handle, message, wParam, lParam);
        Invalidate(button);
        return result;
    }
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

void PaintPushButton(const PaintTarget& target, RECT rect, const Dialog* dialog, const Window* button)
{
    bool enabled = !(button->style & WS_DISABLED);
    PaintFill(target, rect, kColourFace);
    if (ButtonLooksDefault(dialog, button)) {
        PaintFrame(target, rect, kColourDarkShadow, kColourDarkShadow);
        rect = RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    }
    RECT text = rect;
    if (button->control.pressed) {
        PaintFrame(target, rect, kColourShadow, kColourShadow);
        text = RECT{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    } else {
        PaintRaisedEdge(target, rect);
    }
    PaintText(target, button->text.c_str(), -1, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled);
    if (UserFocusWindow() == button->handle)
        PaintFocusRect(target, RECT{rect.left + 3, rect.top + 3, rect.right - 3, rect.bottom - 3});
}

// The classic radio button: a sunken white circle, a dot when checked.
void PaintRadioButton(const PaintTarget& target, const RECT& rect, const Window* button)
{
    bool enabled = !(button->style & WS_DISABLED);
    PaintFill(target, rect, kColourFace);
    int left = rect.left, top = rect.top + (rect.bottom - rect.top - kRadioSize) / 2;
    for (int y = 0; y < kRadioSize; ++y) {
        for (int x = 0; x < kRadioSize; ++x) {
            // Half-pixel units from the centre.
            int dx = 2 * x + 1 - kRadioSize, dy = 2 * y + 1 - kRadioSize, distance = dx * dx + dy * dy;
            bool upperLeft = dx + dy < 0;
            uint32_t colour;
            if (button->control.checked && distance <= 4 * 4)
                colour = enabled ? kColourText : kColourShadow;
            else if (distance <= 8 * 8)
                colour = enabled ? kColourWindow : kColourFace;
            else if (distance <= 10 * 10)
                colour = upperLeft ? kColourDarkShadow : kColourLight;
            else if (distance <= 12 * 12)
                colour = upperLeft ? kColourShadow : kColourHighlight;
            else
                continue;
            PaintPixel(target, left + x, top + y, colour);
        }
    }
    RECT text{rect.left + kRadioSize + kRadioGap, rect.top, rect.right, rect.bottom};
    PaintText(target, button->text.c_str(), -1, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, enabled);
    if (UserFocusWindow() == button->handle) {
        SIZE size{0, 0};
        GetTextExtentPoint32A(target.dc, button->text.c_str(), static_cast<int>(button->text.size()), &size);
        int middle = (rect.top + rect.bottom) / 2;
        PaintFocusRect(target, RECT{text.left - 1, middle - size.cy / 2 - 1,
                                    text.left + size.cx + 1 < rect.right ? text.left + size.cx + 1 : rect.right,
                                    middle - size.cy / 2 + size.cy + 1});
    }
}

// An etched frame around the box, its text over the top edge.
void PaintGroupBox(const PaintTarget& target, const RECT& rect, const Window* box)
{
    int lineHeight = PaintLineHeight(target);
    PaintEtchedFrame(target, RECT{rect.left, rect.top + lineHeight / 2, rect.right, rect.bottom});
    if (box->text.empty())
        return;
    SIZE size{0, 0};
    GetTextExtentPoint32A(target.dc, box->text.c_str(), static_cast<int>(box->text.size()), &size);
    int right =
        rect.left + kGroupTextLeft + size.cx + 1 < rect.right ? rect.left + kGroupTextLeft + size.cx + 1 : rect.right;
    RECT text{rect.left + kGroupTextLeft, rect.top, right, rect.top + lineHeight};
    PaintFill(target, RECT{text.left - 1, text.top, text.right, text.bottom}, kColourFace);
    PaintText(target, box->text.c_str(), -1, text, DT_LEFT | DT_TOP | DT_SINGLELINE, !(box->style & WS_DISABLED));
}
}  // namespace

const WindowClass* ButtonControlClass()
{
    static WindowClass* buttonClass = [] {
        auto* made = new WindowClass{"Button", 0xC017, WNDCLASSA{}};
        made->info.style = CS_DBLCLKS;
        made->info.lpfnWndProc = ButtonProc;
        made->info.lpszClassName = made->name.c_str();
        return made;
    }();
    return buttonClass;
}

void ButtonSetCheck(Window* button, bool checked)
{
    if (button->control.kind != ControlKind::RadioButton)
        return;
    // A radio button's WS_TABSTOP goes with its check, as on Windows.
    button->style = checked ? button->style | WS_TABSTOP : button->style & ~WS_TABSTOP;
    if (button->control.checked != checked) {
        button->control.checked = checked;
        Invalidate(button);
    }
}

void ButtonClick(HWND button)
{
    SendMessageA(button, WM_LBUTTONDOWN, kMkLButton, 0);
    if (UserGetWindow(button))
        SendMessageA(button, WM_LBUTTONUP, 0, 0);
}

bool ButtonLooksDefault(const Dialog* dialog, const Window* button)
{
    if (button->control.kind != ControlKind::PushButton)
        return false;
    Window* focus = UserGetWindow(UserFocusWindow());
    if (focus && focus->parent == button->parent && focus->control.kind == ControlKind::PushButton)
        return focus == button;
    return dialog && dialog->defaultId && button->id == dialog->defaultId;
}

void ButtonPaint(const PaintTarget& target, const RECT& rect, const Dialog* dialog, const Window* button)
{
    switch (button->control.kind) {
    case ControlKind::PushButton:
        PaintPushButton(target, rect, dialog, button);
        break;
    case ControlKind::RadioButton:
        PaintRadioButton(target, rect, button);
        break;
    case ControlKind::GroupBox:
        PaintGroupBox(target, rect, button);
        break;
    default:
        break;
    }
}
