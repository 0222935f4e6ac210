// DrawTextA on GDI's text calls, for one line: DT_SINGLELINE, which every
// caller passes. '&' prefixes are taken out and the first one's character
// underlined (unless DT_NOPREFIX), and the line is placed by the alignment
// flags and drawn clipped to the rectangle.
#include <algorithm>
#include <cstring>

#include "gdi/gdi_text.h"
#include "text/cp932.h"

namespace {

constexpr char kPrefix = '&';

// The line as drawn: prefixes resolved, at most kCapacity bytes (more is
// dropped, as Windows drops it).
struct Line {
    static constexpr int kCapacity = 1024;
    char text[kCapacity];
    int length;
    int prefixOffset;  // byte offset of the underlined character, or -1
};

void Append(Line* line, const char* character, size_t length)
{
    if (line->length + int(length) > Line::kCapacity)
        return;
    std::memcpy(line->text + line->length, character, length);
    line->length += int(length);
}

// Copies `count` bytes of text into `line`. Without DT_NOPREFIX an '&' is
// dropped and marks the next character (the first such one is
// underlined), "&&" gives one '&', and an '&' that is the last byte stays
// as it is.
void ResolvePrefixes(const char* text, size_t count, UINT format, Line* line)
{
    line->length = 0;
    line->prefixOffset = -1;
    for (size_t at = 0; at < count;) {
        if (text[at] == kPrefix && !(format & DT_NOPREFIX) && count - at > 1) {
            ++at;
            if (text[at] == kPrefix) {
                Append(line, &text[at], 1);
                ++at;
            } else if (line->prefixOffset < 0) {
                line->prefixOffset = line->length;
            }
            continue;
        }
        const size_t length = Cp932CharacterLength(text + at, count - at);
        Append(line, text + at, length);
        at += length;
    }
    if (line->prefixOffset >= line->length)
        line->prefixOffset = -1;
}

int ClampToInt(int64_t value)
{
    return int(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The line's left edge: DT_CENTER centres it, DT_RIGHT puts its end at
// the right edge, else it starts at the left edge.
int LineLeft(const RECT& rect, int width, UINT format)
{
    if (format & DT_CENTER)
        return ClampToInt((int64_t(rect.left) + rect.right - width) / 2);
    if (format & DT_RIGHT)
        return ClampToInt(int64_t(rect.right) - width);
    return rect.left;
}

// The line's top: DT_VCENTER centres it, DT_BOTTOM puts its bottom on the
// bottom edge, else it starts at the top edge.
int LineTop(const RECT& rect, int height, UINT format)
{
    if (format & DT_VCENTER)
        return ClampToInt(int64_t(rect.top) + (int64_t(rect.bottom) - rect.top) / 2 - height / 2);
    if (format & DT_BOTTOM)
        return ClampToInt(int64_t(rect.bottom) - height);
    return rect.top;
}

// Underlines the prefixed character: from its left edge up to one pixel
// short of its right edge, just below the baseline.
void DrawUnderscore(HDC dc, int x, int y, const Line& line, const RECT& clip)
{
    SIZE before, through;
    const int offset = line.prefixOffset;
    const size_t length = Cp932CharacterLength(line.text + offset, size_t(line.length - offset));
    if (!GetTextExtentPoint32A(dc, line.text, offset, &before) ||
        !GetTextExtentPoint32A(dc, line.text, offset + int(length), &through))
        return;
    GdiTextUnderline(dc, ClampToInt(int64_t(x) + before.cx), ClampToInt(int64_t(x) + through.cx - 1), y, &clip);
}

}  // namespace

// Returns the height drawn: from the rectangle's top to the bottom of the
// line (so with DT_VCENTER or DT_BOTTOM, the offset of the text's bottom
// from the top), at least 1; the line height for empty text; 0 for a zero
// count, for text without DT_SINGLELINE, or on failure.
int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    if (count == 0 || rect == nullptr || text == nullptr || !(format & DT_SINGLELINE))
        return 0;
    const size_t length = count < 0 ? std::strlen(text) : size_t(count);
    SIZE size;
    if (length == 0)
        return GetTextExtentPoint32A(dc, "", 0, &size) ? size.cy : 0;
    Line line;
    ResolvePrefixes(text, length, format, &line);
    if (!GetTextExtentPoint32A(dc, line.text, line.length, &size))
        return 0;
    const RECT bounds = *rect;
    const int x = LineLeft(bounds, size.cx, format);
    const int y = LineTop(bounds, size.cy, format);
    if (!GdiTextOutClipped(dc, x, y, &bounds, line.text, line.length))
        return 0;
    if (line.prefixOffset >= 0)
        DrawUnderscore(dc, x, y, line, bounds);
    const int64_t height = int64_t(y) + size.cy - bounds.top;
    return height != 0 ? ClampToInt(height) : 1;
}
