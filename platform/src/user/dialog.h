// The dialog manager and its controls: the state of a modal dialog, the
// keyboard interface, the control classes and the painting they share.
//
// A dialog is a top-level window of the dialog class; its controls are
// child windows (Window::control holds their state) that the dialog paints
// on its WM_PAINT, after the dialog's face, in the z-order.
#pragma once

#include <string>

#include "user/user_private.h"

// The classic 3-D colours, 0x00RRGGBB.
constexpr uint32_t kColourFace = 0xC0C0C0;        // COLOR_3DFACE
constexpr uint32_t kColourLight = 0xDFDFDF;       // COLOR_3DLIGHT
constexpr uint32_t kColourHighlight = 0xFFFFFF;   // COLOR_3DHILIGHT
constexpr uint32_t kColourShadow = 0x808080;      // COLOR_3DSHADOW, grey text
constexpr uint32_t kColourDarkShadow = 0x000000;  // COLOR_3DDKSHADOW
constexpr uint32_t kColourText = 0x000000;        // COLOR_BTNTEXT
constexpr uint32_t kColourWindow = 0xFFFFFF;      // COLOR_WINDOW

constexpr WORD kButtonClicked = 0;  // BN_CLICKED

struct Dialog {
    HWND handle;
    DLGPROC procedure;
    HINSTANCE instance;
    HFONT font;
    int baseX;  // dialog base units: average character width
    int baseY;  // and cell height of the font, in pixels
    HWND owner;
    HWND focus;     // the control that has, or last had, the focus
    int defaultId;  // the BS_DEFPUSHBUTTON's id, or 0
    INT_PTR result;
    bool ended;
};

// dialog.cpp
// The dialog a window is, or null.
Dialog* DialogOf(HWND window);
// The dialog a control sits in, or null.
Dialog* DialogOfControl(const Window* control);
// Gives a control the focus; while the dialog is not the active window it
// is only remembered, for when the dialog is activated.
void DialogSetFocus(Dialog* dialog, HWND control);

// dialog_keys.cpp
// The dialog's handling of a message the modal loop retrieved, as
// IsDialogMessage does (Tab, arrows, Enter, Esc, mnemonics); true when it
// took the message.
bool DialogTakeMessage(Dialog* dialog, const MSG& msg);
// The next (or previous) visible, enabled WS_TABSTOP control after
// `from`, wrapping; from the start when `from` is not a control. Null
// when there is none.
HWND DialogNextTabItem(Window* dialog, HWND from, bool previous);
// The next (or previous) visible, enabled control of `from`'s group,
// wrapping within it. A group runs from a control with WS_GROUP (or the
// first control) to the next one with WS_GROUP.
HWND DialogNextGroupItem(Window* dialog, HWND from, bool previous);

// control_button.cpp, control_static.cpp
const WindowClass* ButtonControlClass();
const WindowClass* StaticControlClass();
// BM_SETCHECK: radio buttons keep the check (and WS_TABSTOP with it);
// other controls ignore it.
void ButtonSetCheck(Window* button, bool checked);
// BM_CLICK: a press and release of the button, as with the mouse.
void ButtonClick(HWND button);
// Whether a push button is drawn as the default one: the focused push
// button, or, when the focus is on no push button, the BS_DEFPUSHBUTTON.
bool ButtonLooksDefault(const Dialog* dialog, const Window* button);

// control_paint.cpp: drawing into the dialog's pixels, clipped to them.
struct PaintTarget {
    WindowPixels* pixels;
    HDC dc;  // the dialog's DC with its font selected
};
void PaintFill(const PaintTarget& target, const RECT& rect, uint32_t colour);
void PaintPixel(const PaintTarget& target, int x, int y, uint32_t colour);
// A one-pixel frame: top and left in one colour, bottom and right in the
// other, as Windows draws each line of a 3-D edge.
void PaintFrame(const PaintTarget& target, const RECT& rect, uint32_t topLeft, uint32_t bottomRight);
void PaintRaisedEdge(const PaintTarget& target, const RECT& rect);
void PaintEtchedFrame(const PaintTarget& target, const RECT& rect);
// The dotted focus rectangle.
void PaintFocusRect(const PaintTarget& target, const RECT& rect);
// Text through DrawTextA in the dialog font; greyed (embossed) when not
// enabled.
void PaintText(const PaintTarget& target, const char* text, int length, const RECT& rect, UINT format, bool enabled);
// An icon's image, blended by its alpha.
void PaintImage(const PaintTarget& target, int x, int y, const UserIconImage& image);
int PaintLineHeight(const PaintTarget& target);
// The control's rect in the dialog's client area.
RECT ControlRect(const Window* dialog, const Window* control);
// Paints the dialog's visible controls that meet `area`.
void PaintControls(Window* dialog, HDC dc, const RECT& area);
// Each control class's drawing.
void ButtonPaint(const PaintTarget& target, const RECT& rect, const Dialog* dialog, const Window* button);
void StaticPaint(const PaintTarget& target, const RECT& rect, const Window* control);
