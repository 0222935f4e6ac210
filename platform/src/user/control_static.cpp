// The static control: text (SS_LEFT, SS_CENTER), wrapped at spaces (or
// anywhere in a run without them) to the control's width, and icons
// (SS_ICON), whose title is the icon's resource id: the program's icon of
// that id, else the system's, the control taking the icon's size. Other
// static styles cannot be created. Clicks pass through to the dialog.
#include <string.h>

#include "text/cp932.h"
#include "user/dialog.h"

namespace {
constexpr DWORD kTypeMask = 0x1F;  // SS_TYPEMASK

// The bytes of the next line that fit `width`: up to an explicit line
// break, else the most whole words that fit, else the most characters (one
// at least). `next` gets where the line after it starts.
int FitLine(HDC dc, const char* text, int width, const char** next)
{
    const size_t length = strlen(text);
    size_t end = 0, lastBreak = 0;
    while (text[end] && text[end] != '\r' && text[end] != '\n') {
        size_t step = Cp932CharacterLength(text + end, length - end);
        SIZE size;
        if (end > 0 && GetTextExtentPoint32A(dc, text, static_cast<int>(end + step), &size) && size.cx > width) {
            size_t cut = lastBreak ? lastBreak : end;
            *next = text + cut;
            while (**next == ' ')
                ++*next;
            return static_cast<int>(lastBreak ? lastBreak - 1 : end);
        }
        end += step;
        if (text[end - 1] == ' ')
            lastBreak = end;
    }
    *next = text + end;
    if (**next == '\r')
        ++*next;
    if (**next == '\n')
        ++*next;
    return static_cast<int>(end);
}

void PaintWrapped(const PaintTarget& target, const RECT& rect, const Window* control, UINT align)
{
    int lineHeight = PaintLineHeight(target);
    bool enabled = !(control->style & WS_DISABLED);
    const char* line = control->text.c_str();
    for (int top = rect.top; *line && top < rect.bottom; top += lineHeight) {
        const char* next;
        int length = FitLine(target.dc, line, rect.right - rect.left, &next);
        PaintText(target, line, length, RECT{rect.left, top, rect.right, top + lineHeight}, align | DT_SINGLELINE,
                  enabled);
        line = next;
    }
}

HICON LoadStaticIcon(HINSTANCE instance, LPCSTR name)
{
    HICON icon = instance ? LoadIconA(instance, name) : nullptr;
    return icon ? icon : LoadIconA(nullptr, name);
}

LRESULT Create(Window* control, const CREATESTRUCTA* create)
{
    control->hitTransparent = true;
    switch (control->style & kTypeMask) {
    case SS_LEFT:
    case SS_CENTER:
        control->control.kind = ControlKind::Text;
        return 0;
    case SS_ICON: {
        control->control.kind = ControlKind::Icon;
        control->control.icon =
            create && create->lpszName ? LoadStaticIcon(create->hInstance, create->lpszName) : nullptr;
        if (const UserIconImage* image = UserIconOf(control->control.icon)) {
            control->client.right = control->client.left + image->width;
            control->client.bottom = control->client.top + image->height;
            control->outer = control->client;
        }
        return 0;
    }
    default:
        return -1;
    }
}

LRESULT CALLBACK StaticProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* control = UserGetWindow(handle);
    if (!control)
        return 0;
    switch (message) {
    case WM_CREATE:
        return Create(control, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_ENABLE:
        UserInvalidate(control, nullptr, true);
        return 0;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(handle, message, wParam, lParam);
        if ((control = UserGetWindow(handle)) != nullptr)
            UserInvalidate(control, nullptr, true);
        return result;
    }
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}
}  // namespace

const WindowClass* StaticControlClass()
{
    static WindowClass* staticClass = [] {
        auto* made = new WindowClass{"Static", 0xC018, WNDCLASSA{}};
        made->info.lpfnWndProc = StaticProc;
        made->info.lpszClassName = made->name.c_str();
        return made;
    }();
    return staticClass;
}

void StaticPaint(const PaintTarget& target, const RECT& rect, const Window* control)
{
    PaintFill(target, rect, kColourFace);
    if (control->control.kind == ControlKind::Icon) {
        if (const UserIconImage* image = UserIconOf(control->control.icon))
            PaintImage(target, rect.left, rect.top, *image);
        return;
    }
    UINT align = (control->style & kTypeMask) == SS_CENTER ? DT_CENTER : DT_LEFT;
    PaintWrapped(target, rect, control, align);
}
