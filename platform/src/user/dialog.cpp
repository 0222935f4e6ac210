// The dialog manager: DialogBoxParamA, EndDialog, the dialog window and
// its modal loop.
//
// A dialog comes from an extended template (DIALOGEX) of the program's
// resources. Its font is the template's face at its point size on a 96-dpi
// screen; a dialog unit is a quarter of the font's average character width
// across and an eighth of its cell height down. As Windows places a
// template without DS_CENTER or DS_ABSALIGN, the dialog's client area
// starts at the template's (x, y) from the owner's client origin, kept on
// the screen. The owner is disabled while the dialog runs; it gets activation
// and the focus back when the dialog ends.
//
// The dialog procedure sees every message of the dialog window first;
// when it returns FALSE the dialog's own handling applies: WM_CLOSE posts
// WM_COMMAND IDCANCEL, activation gives the focus back to the control that
// last had it, WM_PAINT paints the face and the controls, a right click
// opens no menu. The modal loop
// dispatches every message of the thread, as Windows' does; WM_QUIT ends it
// and is posted again. Templates with a menu or a window class of their
// own, centred, absolutely placed or placed by the system, and controls
// other than buttons and statics, are not supported: the dialog fails (-1).
#include "user/dialog.h"

#include <string.h>
#include <strings.h>

#include "kernel/resource.h"
#include "text/cp932.h"
#include "user/dialog_template.h"

namespace {
constexpr DWORD kDsAbsAlign = 0x01;                             // DS_ABSALIGN
constexpr short kDefaultPosition = static_cast<short>(0x8000);  // CW_USEDEFAULT in 16 bits
constexpr int kFallbackBaseX = 6;                               // base units when the font cannot be measured
constexpr int kFallbackBaseY = 12;
constexpr int kScreenDpi = 96;
constexpr WORD kDefaultPoints = 9;  // the system's dialog font, for templates without one
const char kDefaultFace[] = "ＭＳ Ｐゴシック";

LRESULT CALLBACK DialogWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

const WindowClass* DialogClass()
{
    static WindowClass* dialogClass = [] {
        auto* made = new WindowClass{"#32770", 0x8002, WNDCLASSA{}};
        made->info.style = CS_DBLCLKS;
        made->info.lpfnWndProc = DialogWindowProc;
        made->info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        made->info.lpszClassName = made->name.c_str();
        return made;
    }();
    return dialogClass;
}

// MulDiv: the product over the divisor, rounded half away from zero.
int MulDiv(int value, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    int64_t product = static_cast<int64_t>(value) * numerator;
    if (denominator < 0) {
        product = -product;
        denominator = -denominator;
    }
    int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

HFONT MakeFont(const DialogTemplate& dialogTemplate)
{
    LOGFONTA description{};
    bool own = dialogTemplate.hasFont;
    description.lfHeight = -MulDiv(own ? dialogTemplate.pointSize : kDefaultPoints, kScreenDpi, 72);
    description.lfWeight = own ? dialogTemplate.weight : FW_NORMAL;
    description.lfItalic = own ? dialogTemplate.italic : 0;
    description.lfCharSet = own ? dialogTemplate.charset : SHIFTJIS_CHARSET;
    const std::string face = own ? dialogTemplate.faceName : std::string(kDefaultFace);
    // Cut to the field, never inside a double-byte character.
    size_t length = 0;
    while (length < face.size()) {
        size_t step = Cp932IsLeadByte(static_cast<unsigned char>(face[length])) ? 2 : 1;
        if (length + step > LF_FACESIZE - 1 || length + step > face.size())
            break;
        length += step;
    }
    memcpy(description.lfFaceName, face.data(), length);
    return CreateFontIndirectA(&description);
}

// Windows' base units of a font: the average width of the 52 letters,
// rounded as GdiGetCharDimensions rounds it, and the cell height.
void MeasureBaseUnits(HFONT font, int* x, int* y)
{
    *x = kFallbackBaseX;
    *y = kFallbackBaseY;
    HDC dc = font ? CreateCompatibleDC(nullptr) : nullptr;
    if (!dc)
        return;
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size;
    if (old && GetTextExtentPoint32A(dc, kLetters, 52, &size) && size.cx > 0 && size.cy > 0) {
        *x = (size.cx / 26 + 1) / 2;
        *y = size.cy;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
}

struct Place {
    int x, y, width, height;  // the outer rect
};

Place Placement(const DialogTemplate& dialogTemplate, DWORD style, DWORD exStyle, const Dialog& dialog)
{
    RECT rect{0, 0, MulDiv(dialogTemplate.cx, dialog.baseX, 4), MulDiv(dialogTemplate.cy, dialog.baseY, 8)};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    int screenWidth = UserScreenWidth(), screenHeight = UserScreenHeight();
    POINT at{rect.left + MulDiv(dialogTemplate.x, dialog.baseX, 4),
             rect.top + MulDiv(dialogTemplate.y, dialog.baseY, 8)};
    if (Window* owner = UserGetWindow(dialog.owner)) {
        at.x += owner->client.left;
        at.y += owner->client.top;
    }
    // Kept on the screen.
    int over = at.x + width + kFixedFrame - screenWidth;
    at.x -= over > 0 ? over : 0;
    over = at.y + height + kFixedFrame - screenHeight;
    at.y -= over > 0 ? over : 0;
    at.x = at.x < 0 ? 0 : at.x;
    at.y = at.y < 0 ? 0 : at.y;
    return Place{at.x, at.y, width, height};
}

// Windows takes class ordinals 0-5 as 0x80-0x85.
const WindowClass* ControlClassFor(const DialogName& name)
{
    if (name.isOrdinal) {
        WORD ordinal = name.ordinal < 0x80 ? static_cast<WORD>(name.ordinal + 0x80) : name.ordinal;
        return ordinal == kDialogClassButton   ? ButtonControlClass()
               : ordinal == kDialogClassStatic ? StaticControlClass()
                                               : nullptr;
    }
    if (!name.present)
        return nullptr;
    return strcasecmp(name.text.c_str(), "BUTTON") == 0   ? ButtonControlClass()
           : strcasecmp(name.text.c_str(), "STATIC") == 0 ? StaticControlClass()
                                                          : nullptr;
}

bool CreateControls(Dialog* dialog, const DialogTemplate& dialogTemplate)
{
    for (const DialogItemTemplate& item : dialogTemplate.items) {
        const WindowClass* controlClass = ControlClassFor(item.windowClass);
        if (!controlClass)
            return false;
        LPCSTR title = item.title.isOrdinal ? MAKEINTRESOURCEA(item.title.ordinal) : item.title.text.c_str();
        HWND control = UserCreateWindow(
            controlClass, item.exStyle, title, (item.style | WS_CHILD) & ~WS_POPUP, MulDiv(item.x, dialog->baseX, 4),
            MulDiv(item.y, dialog->baseY, 8), MulDiv(item.cx, dialog->baseX, 4), MulDiv(item.cy, dialog->baseY, 8),
            dialog->handle, reinterpret_cast<HMENU>(static_cast<intptr_t>(item.id)), dialog->instance, nullptr);
        Window* window = UserGetWindow(control);
        if (!window)
            return false;
        if (window->control.kind == ControlKind::PushButton && (item.style & 0x0F) == BS_DEFPUSHBUTTON)
            dialog->defaultId = item.id;
    }
    return true;
}

// WM_INITDIALOG, the focus it asks for, and showing a visible template.
bool Start(Dialog* dialog, DWORD templateStyle, LPARAM param)
{
    HWND handle = dialog->handle;
    Window* window = UserGetWindow(handle);
    HWND focus = DialogNextTabItem(window, nullptr, false);
    focus = focus ? focus : DialogNextGroupItem(window, nullptr, false);
    LRESULT answer = SendMessageA(handle, WM_INITDIALOG, reinterpret_cast<WPARAM>(focus), param);
    if ((window = UserGetWindow(handle)) == nullptr)
        return false;
    if (answer) {
        // The procedure may have changed the tab order: ask again.
        focus = DialogNextTabItem(window, nullptr, false);
        focus = focus ? focus : DialogNextGroupItem(window, nullptr, false);
        if (focus)
            DialogSetFocus(dialog, focus);
    }
    if ((templateStyle & WS_VISIBLE) && !window->visible && !dialog->ended) {
        ShowWindow(handle, SW_SHOWNORMAL);
        UpdateWindow(handle);
    }
    return UserGetWindow(handle) != nullptr;
}

// Runs until EndDialog; 0 when the dialog was destroyed under it.
INT_PTR Loop(Dialog* dialog)
{
    HWND handle = dialog->handle;
    bool firstEmpty = true;
    MSG msg;
    while (!dialog->ended) {
        if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            Window* window = UserGetWindow(handle);
            if (firstEmpty && window && !window->visible) {
                ShowWindow(handle, SW_SHOWNORMAL);  // the queue went empty the first time
            } else if (!WaitMessage()) {
                return -1;
            }
            firstEmpty = false;
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!UserGetWindow(handle))
            return 0;
        if (!DialogTakeMessage(dialog, msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (!UserGetWindow(handle))
            return 0;
    }
    return dialog->result;
}

// EndDialog's work on the windows: the owner enabled again, the dialog
// hidden, and the owner activated if the dialog was active.
void Finish(Dialog* dialog)
{
    HWND handle = dialog->handle;
    if (UserGetWindow(dialog->owner))
        EnableWindow(dialog->owner, TRUE);
    HWND focus = UserFocusWindow();
    if (focus && UserIsDescendant(handle, focus))
        UserSetFocus(handle);
    Window* window = UserGetWindow(handle);
    if (!window)
        return;
    bool wasActive = UserActiveWindow() == handle;
    if (window->visible) {
        window->visible = false;
        window->style &= ~WS_VISIBLE;
        BackendShowWindow(window->backend, false);
    }
    if (!wasActive)
        return;
    Window* owner = UserGetWindow(dialog->owner);
    UserActivate(owner ? dialog->owner : nullptr);
    if ((owner = UserGetWindow(dialog->owner)) != nullptr && owner->visible && !owner->minimized)
        BackendFocusWindow(owner->backend);
}

INT_PTR Run(const DialogTemplate& dialogTemplate, HINSTANCE instance, HWND owner, DLGPROC procedure, LPARAM param)
{
    Dialog dialog{};
    dialog.procedure = procedure;
    dialog.instance = instance;
    dialog.owner = owner;
    dialog.font = MakeFont(dialogTemplate);
    MeasureBaseUnits(dialog.font, &dialog.baseX, &dialog.baseY);
    DWORD style = dialogTemplate.style;
    DWORD exStyle = dialogTemplate.exStyle | ((style & DS_MODALFRAME) ? WS_EX_DLGMODALFRAME : 0);
    Place place = Placement(dialogTemplate, style, exStyle, dialog);

    bool ownerDisabled = owner && IsWindowEnabled(owner);
    if (ownerDisabled)
        EnableWindow(owner, FALSE);
    INT_PTR result = -1;
    HWND handle = UserCreateWindow(DialogClass(), exStyle, dialogTemplate.title.c_str(), style & ~WS_VISIBLE, place.x,
                                   place.y, place.width, place.height, owner, nullptr, instance, nullptr);
    if (Window* window = UserGetWindow(handle)) {
        window->dialog = &dialog;
        dialog.handle = handle;
        if (Window* ownerWindow = UserGetWindow(owner))
            BackendSetModalFor(window->backend, ownerWindow->backend);
        if (CreateControls(&dialog, dialogTemplate) && Start(&dialog, style, param))
            result = Loop(&dialog);
        if (UserGetWindow(handle)) {
            if (!dialog.ended) {
                dialog.ended = true;  // WM_QUIT, or controls that could not be made
                Finish(&dialog);
            }
            DestroyWindow(handle);
        }
        if (Window* left = UserGetWindow(handle))
            left->dialog = nullptr;  // still being destroyed further up: the state goes now
    }
    if (ownerDisabled && UserGetWindow(owner) && !IsWindowEnabled(owner))
        EnableWindow(owner, TRUE);
    // A dialog that ended before it was shown never took activation: the
    // owner, which lost the focus when it was disabled, gets it back.
    if (owner && UserActiveWindow() == owner && !UserFocusWindow())
        UserSetFocus(owner);
    if (dialog.font)
        DeleteObject(dialog.font);
    return result;
}

void SaveFocus(Dialog* dialog)
{
    HWND focus = UserFocusWindow();
    if (focus && UserIsDescendant(dialog->handle, focus))
        dialog->focus = focus;
}

// To the control that last had the focus, else the first tab stop; with
// neither the dialog keeps it.
void RestoreFocus(Dialog* dialog)
{
    Window* window = UserGetWindow(dialog->handle);
    if (!window || window->minimized || dialog->ended)
        return;
    Window* focus = UserGetWindow(dialog->focus);
    if (!focus || !UserIsDescendant(dialog->handle, dialog->focus) || !focus->visible || (focus->style & WS_DISABLED))
        dialog->focus = DialogNextTabItem(window, nullptr, false);
    if (dialog->focus)
        UserSetFocus(dialog->focus);
}

LRESULT Paint(Dialog* dialog, HWND handle, WPARAM wParam, LPARAM lParam)
{
    Window* window = UserGetWindow(handle);
    RECT area = window->invalid ? window->invalidRect : RECT{0, 0, window->pixels.width, window->pixels.height};
    HDC dc = UserWindowDc(window);
    // The face under the invalid area, as the dialog erases its background.
    if (window->erase && dc) {
        PaintFill(PaintTarget{&window->pixels, dc}, area, kColourFace);
        window->erase = false;
    }
    INT_PTR answer = dialog->procedure ? dialog->procedure(handle, WM_PAINT, wParam, lParam) : FALSE;
    if ((window = UserGetWindow(handle)) == nullptr)
        return 0;
    if (!answer) {
        PAINTSTRUCT paint;
        if (BeginPaint(handle, &paint))
            EndPaint(handle, &paint);
    }
    if (dc)
        PaintControls(window, dc, area);
    return 0;
}

LRESULT DefaultHandling(Dialog* dialog, HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        PostMessageA(handle, WM_COMMAND, MAKEWPARAM(IDCANCEL, kButtonClicked),
                     reinterpret_cast<LPARAM>(GetDlgItem(handle, IDCANCEL)));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            SaveFocus(dialog);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus(dialog);
        return 0;
    case WM_RBUTTONUP:
        return 0;  // only the caption, drawn by the system, has the system menu
    default:
        return DefWindowProcA(handle, message, wParam, lParam);
    }
}

LRESULT CALLBACK DialogWindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* dialog = DialogOf(handle);
    if (!dialog)
        return DefWindowProcA(handle, message, wParam, lParam);  // before the dialog is set up
    if (message == WM_PAINT)
        return Paint(dialog, handle, wParam, lParam);
    INT_PTR answer = dialog->procedure ? dialog->procedure(handle, message, wParam, lParam) : FALSE;
    if (answer)
        return message == WM_INITDIALOG ? answer : 0;
    if (!UserGetWindow(handle))
        return 0;
    return DefaultHandling(dialog, handle, message, wParam, lParam);
}
}  // namespace

Dialog* DialogOf(HWND handle)
{
    Window* window = UserGetWindow(handle);
    return window ? window->dialog : nullptr;
}

Dialog* DialogOfControl(const Window* control)
{
    return control && control->parent ? DialogOf(control->parent) : nullptr;
}

void DialogSetFocus(Dialog* dialog, HWND control)
{
    dialog->focus = control;
    if (UserActiveWindow() == dialog->handle)
        UserSetFocus(control);
}

// A bad owner gives 0, as on Windows; a template that cannot be found or
// read, or a dialog that cannot be shown, gives -1.
INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure, LPARAM param)
{
    if (owner && !UserGetWindow(owner)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    DWORD size = 0;
    const BYTE* data = IS_INTRESOURCE(templateName) ? ResourceFind(kResourceDialog, templateName, &size) : nullptr;
    if (!data) {
        SetLastError(kErrorResourceNameNotFound);
        return -1;
    }
    DialogTemplate dialogTemplate;
    if (!DialogParseTemplate(data, size, &dialogTemplate) || dialogTemplate.menu.present ||
        dialogTemplate.windowClass.present || (dialogTemplate.style & (WS_CHILD | DS_CENTER | kDsAbsAlign)) ||
        dialogTemplate.x == kDefaultPosition) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    return Run(dialogTemplate, instance, UserRootWindow(owner), procedure, param);
}

// Ends the modal loop once the current message is handled: the owner is
// enabled and activated again at once, the dialog destroyed by the loop.
BOOL WINAPI EndDialog(HWND handle, INT_PTR result)
{
    Dialog* dialog = DialogOf(handle);
    if (!dialog) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    dialog->result = result;
    dialog->ended = true;
    Finish(dialog);
    PostMessageA(handle, WM_NULL, 0, 0);  // wakes a loop that waits
    return TRUE;
}
