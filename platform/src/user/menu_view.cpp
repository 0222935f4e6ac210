// Popup menu layout and drawing with the glyph engine.
#include "user/menu_view.h"

#include <string.h>

#include "text/cp932.h"
#include "text/glyphs.h"

namespace {
constexpr int kSeparatorHeight = 9;
constexpr int kMinItemHeight = 17;
constexpr int kTextLeft = kMenuInset + 16;  // room for a check mark
constexpr int kRightMargin = 16;            // room for a submenu arrow
constexpr int kColumnGap = 12;              // between a label and its accelerator
constexpr int kMinWidth = 100;

// One column of an item's text: the label before '\t' without its '&'
// marks, or the accelerator after it.
struct Column {
    char text[256];
    size_t length;
    size_t underline;        // byte offset of the mnemonic character
    size_t underlineLength;  // 0 when there is none
};

void Split(const std::string& source, Column* label, Column* accelerator)
{
    label->length = accelerator->length = 0;
    label->underlineLength = accelerator->underlineLength = 0;
    Column* column = label;
    for (size_t i = 0; i < source.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(source[i]);
        if (c == '\t' && column == label) {
            column = accelerator;
            continue;
        }
        size_t width = Cp932CharacterLength(source.data() + i, source.size() - i);
        if (c == '&' && column == label && i + 1 < source.size()) {
            ++i;  // "&&" is a literal '&'; "&x" underlines x
            c = static_cast<unsigned char>(source[i]);
            width = Cp932CharacterLength(source.data() + i, source.size() - i);
            if (c != '&' && !column->underlineLength) {
                column->underline = column->length;
                column->underlineLength = width;
            }
        }
        if (column->length + width >= sizeof column->text)
            break;
        memcpy(column->text + column->length, source.data() + i, width);
        column->length += width;
        i += width - 1;
    }
}

int Measure(TextFace* face, const Column& column)
{
    return face && column.length ? TextMeasure(face, column.text, column.length) : 0;
}

void Fill(MenuView* view, int left, int top, int right, int bottom, uint32_t colour)
{
    left = left < 0 ? 0 : left;
    top = top < 0 ? 0 : top;
    right = right > view->width ? view->width : right;
    bottom = bottom > view->height ? view->height : bottom;
    for (int y = top; y < bottom; ++y) {
        uint32_t* row = view->pixels.data() + static_cast<size_t>(y) * view->width;
        for (int x = left; x < right; ++x)
            row[x] = colour;
    }
}

void DrawColumn(MenuView* view, const Column& column, int x, int y, uint32_t colour)
{
    if (!view->face || !column.length)
        return;
    TextDraw32(view->face, column.text, column.length, x, y, colour, view->pixels.data(), view->width, view->height,
               view->width);
    if (!column.underlineLength)
        return;
    int start = x + TextMeasure(view->face, column.text, column.underline);
    int width = TextMeasure(view->face, column.text + column.underline, column.underlineLength);
    int line = y + TextAscent(view->face) + 1;
    Fill(view, start, line, start + width, line + 1, colour);
}

void DrawItem(MenuView* view, int index)
{
    const MenuEntry& entry = view->entries[static_cast<size_t>(index)];
    int right = view->width - kMenuInset;
    if (entry.item.flags & MF_SEPARATOR) {
        int middle = entry.top + entry.height / 2 - 1;
        Fill(view, kMenuInset + 1, middle, right - 1, middle + 1, kMenuShadow);
        Fill(view, kMenuInset + 1, middle + 1, right - 1, middle + 2, kMenuHilight);
        return;
    }
    bool selected = index == view->selected;
    if (selected)
        Fill(view, kMenuInset, entry.top, right, entry.top + entry.height, kMenuSelection);
    Column label, accelerator;
    Split(entry.item.text, &label, &accelerator);
    int cell = view->face ? TextCellHeight(view->face) : 0;
    int y = entry.top + (entry.height - cell) / 2;
    int acceleratorX = right - kRightMargin - Measure(view->face, accelerator);
    if (entry.grayed && !selected) {
        // Engraved: a white copy one pixel down-right under the grey text.
        DrawColumn(view, label, kTextLeft + 1, y + 1, kMenuHilight);
        DrawColumn(view, accelerator, acceleratorX + 1, y + 1, kMenuHilight);
    }
    uint32_t colour = entry.grayed ? kMenuShadow : selected ? kMenuSelectionText : kMenuText;
    DrawColumn(view, label, kTextLeft, y, colour);
    DrawColumn(view, accelerator, acceleratorX, y, colour);
}
}  // namespace

char MenuMnemonic(const std::string& text)
{
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\t')
            return 0;
        if (Cp932IsLeadByte(c)) {
            ++i;
            continue;
        }
        if (c != '&')
            continue;
        char next = text[i + 1];
        if (next == '&') {
            ++i;
            continue;
        }
        if (next >= 'a' && next <= 'z')
            return static_cast<char>(next - 'a' + 'A');
        if ((next >= 'A' && next <= 'Z') || (next >= '0' && next <= '9'))
            return next;
        return 0;
    }
    return 0;
}

void MenuViewLayout(MenuView* view)
{
    int cell = view->face ? TextCellHeight(view->face) : 12;
    int itemHeight = cell + 6 > kMinItemHeight ? cell + 6 : kMinItemHeight;
    int labelWidth = 0, acceleratorWidth = 0;
    int y = kMenuInset;
    for (MenuEntry& entry : view->entries) {
        entry.top = y;
        entry.height = (entry.item.flags & MF_SEPARATOR) ? kSeparatorHeight : itemHeight;
        y += entry.height;
        if (entry.item.flags & MF_SEPARATOR)
            continue;
        Column label, accelerator;
        Split(entry.item.text, &label, &accelerator);
        int width = Measure(view->face, label);
        labelWidth = width > labelWidth ? width : labelWidth;
        width = Measure(view->face, accelerator);
        acceleratorWidth = width > acceleratorWidth ? width : acceleratorWidth;
    }
    int width =
        kTextLeft + labelWidth + (acceleratorWidth ? kColumnGap + acceleratorWidth : 0) + kRightMargin + kMenuInset;
    view->width = width > kMinWidth ? width : kMinWidth;
    view->height = y + kMenuInset;
    view->pixels.assign(static_cast<size_t>(view->width) * view->height, kMenuFace);
}

void MenuViewDraw(MenuView* view)
{
    int w = view->width, h = view->height;
    // Raised edge: outer light grey (the face) / black, inner white / grey.
    Fill(view, 0, 0, w, h, kMenuFace);
    Fill(view, 0, h - 1, w, h, kMenuDarkShadow);
    Fill(view, w - 1, 0, w, h, kMenuDarkShadow);
    Fill(view, 1, 1, w - 1, 2, kMenuHilight);
    Fill(view, 1, 1, 2, h - 1, kMenuHilight);
    Fill(view, 1, h - 2, w - 1, h - 1, kMenuShadow);
    Fill(view, w - 2, 1, w - 1, h - 1, kMenuShadow);
    for (size_t i = 0; i < view->entries.size(); ++i)
        DrawItem(view, static_cast<int>(i));
}

int MenuViewEntryAt(const MenuView& view, int x, int y)
{
    if (x < kMenuInset || x >= view.width - kMenuInset)
        return -1;
    for (size_t i = 0; i < view.entries.size(); ++i) {
        const MenuEntry& entry = view.entries[i];
        if (y >= entry.top && y < entry.top + entry.height)
            return static_cast<int>(i);
    }
    return -1;
}
