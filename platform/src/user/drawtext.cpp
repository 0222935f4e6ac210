// DrawTextA on GDI's text calls: the text is cut into lines at CR/LF
// (unless DT_SINGLELINE), '&' prefixes are taken out and the first one's
// character underlined (unless DT_NOPREFIX), and each line is placed by
// the alignment flags and drawn clipped to the rectangle.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "gdi/gdi_text.h"

namespace {

constexpr char kPrefix = '&';

// One line as drawn: prefixes resolved, at most kCapacity bytes (more is
// dropped, as Windows drops it).
struct Line {
    static constexpr int kCapacity = 1024;
    char text[kCapacity];
    int length;
    int prefixOffset;  // byte offset of the underlined character, or -1
};

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes of the character at `text`, a lead byte and its trail byte
// counting as one unless the trail is missing.
size_t characterLength(const char* text, size_t remaining)
{
    if (remaining >= 2 && isLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0')
        return 2;
    return 1;
}

bool isLineBreak(char c)
{
    return c == '\r' || c == '\n';
}

void append(Line* line, const char* character, size_t length)
{
    if (line->length + int(length) > Line::kCapacity)
        return;
    std::memcpy(line->text + line->length, character, length);
    line->length += int(length);
}

// Copies the next line of `text` into `line` and returns the bytes it
// took, its line break included. Without DT_NOPREFIX an '&' is dropped and
// marks the next character (the first such one is underlined), "&&" gives
// one '&', and an '&' that is the last byte stays as it is.
size_t nextLine(const char* text, size_t count, UINT format, Line* line)
{
    line->length = 0;
    line->prefixOffset = -1;
    size_t at = 0;
    while (at < count) {
        if (isLineBreak(text[at]) && !(format & DT_SINGLELINE)) {
            ++at;
            if (at < count && isLineBreak(text[at]) && text[at] != text[at - 1])
                ++at;
            break;
        }
        if (text[at] == kPrefix && !(format & DT_NOPREFIX) && count - at > 1) {
            ++at;
            if (text[at] == kPrefix) {
                append(line, &text[at], 1);
                ++at;
            } else if (line->prefixOffset < 0) {
                line->prefixOffset = line->length;
            }
            continue;
        }
        const size_t length = characterLength(text + at, count - at);
        append(line, text + at, length);
        at += length;
    }
    if (line->prefixOffset >= line->length)
        line->prefixOffset = -1;
    return at;
}

int clampToInt(int64_t value)
{
    return int(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

// The line's left edge: DT_CENTER centres it, DT_RIGHT puts its end at
// the right edge, else it starts at the left edge.
int lineLeft(const RECT& rect, int width, UINT format)
{
    if (format & DT_CENTER)
        return clampToInt((int64_t(rect.left) + rect.right - width) / 2);
    if (format & DT_RIGHT)
        return clampToInt(int64_t(rect.right) - width);
    return rect.left;
}

// The line's top for single-line text: DT_VCENTER centres it, DT_BOTTOM
// puts its bottom on the bottom edge; otherwise `y` stands.
int lineTop(const RECT& rect, int height, int y, UINT format)
{
    if (!(format & DT_SINGLELINE))
        return y;
    if (format & DT_VCENTER)
        return clampToInt(int64_t(rect.top) + (int64_t(rect.bottom) - rect.top) / 2 - height / 2);
    if (format & DT_BOTTOM)
        return clampToInt(int64_t(rect.bottom) - height);
    return y;
}

// Underlines the prefixed character: from its left edge up to one pixel
// short of its right edge, just below the baseline.
void drawUnderscore(HDC dc, int x, int y, const Line& line, const RECT& clip)
{
    SIZE before, through;
    const int offset = line.prefixOffset;
    const size_t length = characterLength(line.text + offset, size_t(line.length - offset));
    if (!GetTextExtentPoint32A(dc, line.text, offset, &before) ||
        !GetTextExtentPoint32A(dc, line.text, offset + int(length), &through))
        return;
    GdiTextUnderline(dc, clampToInt(int64_t(x) + before.cx), clampToInt(int64_t(x) + through.cx - 1), y, &clip);
}

}  // namespace

// Returns the height drawn: from the rectangle's top to the bottom of the
// last line (so with DT_VCENTER or DT_BOTTOM, the offset of the text's
// bottom from the top), at least 1; the line height for empty
// NUL-terminated text, 0 for a zero count or on failure.
int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format)
{
    if (count == 0 || rect == nullptr || (text == nullptr && count > 0))
        return 0;
    SIZE cell;
    if (!GetTextExtentPoint32A(dc, "", 0, &cell))
        return 0;
    const int lineHeight = cell.cy;
    size_t remaining = text == nullptr ? 0 : count < 0 ? std::strlen(text) : size_t(count);
    if (remaining == 0)
        return lineHeight;

    const RECT bounds = *rect;
    Line line;
    int64_t y = bounds.top;
    bool lastLine;
    do {
        // A line reaching past the bottom is the last one drawn.
        lastLine = y + lineHeight > bounds.bottom;
        const size_t used = nextLine(text, remaining, format, &line);
        text += used;
        remaining -= used;

        SIZE size;
        if (!GetTextExtentPoint32A(dc, line.text, line.length, &size))
            return 0;
        const int x = lineLeft(bounds, size.cx, format);
        y = lineTop(bounds, size.cy, clampToInt(y), format);
        if (!GdiTextOutClipped(dc, x, int(y), &bounds, line.text, line.length))
            return 0;
        if (line.prefixOffset >= 0)
            drawUnderscore(dc, x, int(y), line, bounds);
        y += lineHeight;
    } while (remaining > 0 && !lastLine);

    const int64_t height = y - bounds.top;
    return height != 0 ? clampToInt(height) : 1;
}
