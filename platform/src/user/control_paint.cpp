// Drawing a dialog's controls: fills, edges and focus rectangles written
// straight into the dialog's pixels, text through DrawTextA on the
// dialog's DC in the dialog's font. Everything is clipped to the pixels;
// nothing here allocates.
#include "user/dialog.h"

namespace {
RECT Clip(const PaintTarget& target, const RECT& rect)
{
    RECT r{rect.left > 0 ? rect.left : 0, rect.top > 0 ? rect.top : 0,
           rect.right < target.pixels->width ? rect.right : target.pixels->width,
           rect.bottom < target.pixels->height ? rect.bottom : target.pixels->height};
    return r;
}

bool Meets(const RECT& a, const RECT& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

uint32_t Blend(uint32_t under, uint32_t over, uint32_t alpha)
{
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        uint32_t a = (under >> shift) & 0xFF, b = (over >> shift) & 0xFF;
        result |= ((a * (255 - alpha) + b * alpha + 127) / 255) << shift;
    }
    return result;
}
}  // namespace

void PaintFill(const PaintTarget& target, const RECT& rect, uint32_t colour)
{
    RECT r = Clip(target, rect);
    if (r.right <= r.left || r.bottom <= r.top || !target.pixels->pixels)
        return;
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = target.pixels->pixels + static_cast<size_t>(y) * target.pixels->width;
        for (int x = r.left; x < r.right; ++x)
            row[x] = colour;
    }
    target.pixels->dirty = true;
}

void PaintPixel(const PaintTarget& target, int x, int y, uint32_t colour)
{
    if (x < 0 || y < 0 || x >= target.pixels->width || y >= target.pixels->height || !target.pixels->pixels)
        return;
    target.pixels->pixels[static_cast<size_t>(y) * target.pixels->width + x] = colour;
    target.pixels->dirty = true;
}

void PaintFrame(const PaintTarget& target, const RECT& rect, uint32_t topLeft, uint32_t bottomRight)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    PaintFill(target, RECT{rect.left, rect.top, rect.right - 1, rect.top + 1}, topLeft);
    PaintFill(target, RECT{rect.left, rect.top, rect.left + 1, rect.bottom - 1}, topLeft);
    PaintFill(target, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, bottomRight);
    PaintFill(target, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, bottomRight);
}

void PaintRaisedEdge(const PaintTarget& target, const RECT& rect)
{
    PaintFrame(target, rect, kColourLight, kColourDarkShadow);
    PaintFrame(target, RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, kColourHighlight,
               kColourShadow);
}

void PaintEtchedFrame(const PaintTarget& target, const RECT& rect)
{
    PaintFrame(target, rect, kColourShadow, kColourHighlight);
    PaintFrame(target, RECT{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1}, kColourHighlight,
               kColourShadow);
}

void PaintFocusRect(const PaintTarget& target, const RECT& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return;
    for (int x = rect.left; x < rect.right; x += 2) {
        PaintPixel(target, x, rect.top, kColourText);
        PaintPixel(target, x, rect.bottom - 1, kColourText);
    }
    for (int y = rect.top; y < rect.bottom; y += 2) {
        PaintPixel(target, rect.left, y, kColourText);
        PaintPixel(target, rect.right - 1, y, kColourText);
    }
}

void PaintText(const PaintTarget& target, const char* text, int length, const RECT& rect, UINT format, bool enabled)
{
    if (!text || length == 0 || !text[0])
        return;
    SetBkMode(target.dc, TRANSPARENT);
    RECT area = rect;
    if (!enabled) {
        // Embossed: white one pixel down and right, grey over it.
        RECT shadow{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
        SetTextColor(target.dc, RGB(255, 255, 255));
        DrawTextA(target.dc, text, length, &shadow, format);
    }
    SetTextColor(target.dc, enabled ? RGB(0, 0, 0) : RGB(128, 128, 128));
    DrawTextA(target.dc, text, length, &area, format);
}

void PaintImage(const PaintTarget& target, int left, int top, const UserIconImage& image)
{
    for (int y = 0; y < image.height; ++y) {
        int row = top + y;
        if (row < 0 || row >= target.pixels->height)
            continue;
        for (int x = 0; x < image.width; ++x) {
            int column = left + x;
            uint32_t argb = image.argb[static_cast<size_t>(y) * image.width + x];
            uint32_t alpha = argb >> 24;
            if (column < 0 || column >= target.pixels->width || alpha == 0)
                continue;
            uint32_t& pixel = target.pixels->pixels[static_cast<size_t>(row) * target.pixels->width + column];
            pixel = alpha == 0xFF ? argb & 0xFFFFFF : Blend(pixel, argb & 0xFFFFFF, alpha);
        }
    }
    target.pixels->dirty = true;
}

int PaintLineHeight(const PaintTarget& target)
{
    SIZE size{0, 0};
    GetTextExtentPoint32A(target.dc, "", 0, &size);
    return size.cy;
}

RECT ControlRect(const Window* dialog, const Window* control)
{
    int dx = dialog->client.left, dy = dialog->client.top;
    return RECT{control->client.left - dx, control->client.top - dy, control->client.right - dx,
                control->client.bottom - dy};
}

void PaintControls(Window* dialog, HDC dc, const RECT& area)
{
    if (!dialog->pixels.pixels)
        return;
    Dialog* state = dialog->dialog;
    HGDIOBJ oldFont = state && state->font ? SelectObject(dc, state->font) : nullptr;
    PaintTarget target{&dialog->pixels, dc};
    // The z-order puts the first control on top: paint from the last.
    for (size_t i = dialog->children.size(); i-- > 0;) {
        Window* control = UserGetWindow(dialog->children[i]);
        if (!control || !control->visible)
            continue;
        RECT rect = ControlRect(dialog, control);
        if (!Meets(rect, area))
            continue;
        if (control->control.kind == ControlKind::Text || control->control.kind == ControlKind::Icon)
            StaticPaint(target, rect, control);
        else
            ButtonPaint(target, rect, state, control);
    }
    if (oldFont)
        SelectObject(dc, oldFont);
}
