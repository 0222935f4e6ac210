// Reading extended dialog templates with a cursor over their 16-bit words.
// Every read is checked against the template's size, and every control
// item starts on a DWORD boundary from the template's start, as the
// resource compiler lays it out.
#include "user/dialog_template.h"

#include <string.h>

#include "text/glyphs.h"

namespace {
constexpr WORD kExtendedVersion = 1;
constexpr WORD kExtendedSignature = 0xFFFF;
constexpr size_t kSmallestItem = 30;  // fixed part, two empty names, extra count

class Cursor {
public:
    Cursor(const BYTE* data, size_t size) : data(data), size(size) {}

    bool Word(WORD* out)
    {
        if (size - pos < 2)
            return false;
        memcpy(out, data + pos, 2);
        pos += 2;
        return true;
    }

    bool Dword(DWORD* out)
    {
        if (size - pos < 4)
            return false;
        memcpy(out, data + pos, 4);
        pos += 4;
        return true;
    }

    bool Short(short* out)
    {
        WORD word;
        if (!Word(&word))
            return false;
        *out = static_cast<short>(word);
        return true;
    }

    bool Skip(size_t count)
    {
        if (size - pos < count)
            return false;
        pos += count;
        return true;
    }

    // A NUL-terminated UTF-16 string, converted.
    bool String(std::string* out)
    {
        size_t start = pos, units = 0;
        WORD unit = 1;
        while (unit != 0) {
            if (!Word(&unit))
                return false;
            units += unit != 0;
        }
        // At most two code page 932 bytes per UTF-16 unit, and the NUL.
        std::vector<char> converted(units * 2 + 1);
        size_t length = TextUtf16ToCp932(data + start, units, converted.data(), converted.size());
        out->assign(converted.data(), length);
        return true;
    }

    // 0x0000: none; 0xFFFF and an ordinal; else a string.
    bool Name(DialogName* out)
    {
        *out = DialogName{false, false, 0, {}};
        WORD first;
        if (size - pos < 2)
            return false;
        memcpy(&first, data + pos, 2);
        if (first == 0) {
            pos += 2;
            return true;
        }
        out->present = true;
        if (first == 0xFFFF) {
            pos += 2;
            out->isOrdinal = true;
            return Word(&out->ordinal);
        }
        return String(&out->text);
    }

    // The next DWORD boundary; padding missing at the very end is allowed.
    void Align()
    {
        size_t aligned = (pos + 3) & ~size_t(3);
        pos = aligned < size ? aligned : size;
    }

    size_t Left() const { return size - pos; }

private:
    const BYTE* data;
    size_t size;
    size_t pos = 0;
};

// An item: help id, extended style, style, place and size, id, class,
// title and its creation data, which the game's controls have none of and
// which is passed over.
bool ReadItem(Cursor* cursor, DialogItemTemplate* item)
{
    cursor->Align();
    *item = DialogItemTemplate{};
    DWORD helpId, id;
    WORD extra;
    if (!cursor->Dword(&helpId) || !cursor->Dword(&item->exStyle) || !cursor->Dword(&item->style) ||
        !cursor->Short(&item->x) || !cursor->Short(&item->y) || !cursor->Short(&item->cx) ||
        !cursor->Short(&item->cy) || !cursor->Dword(&id))
        return false;
    item->id = static_cast<int>(id);
    return cursor->Name(&item->windowClass) && cursor->Name(&item->title) && cursor->Word(&extra) &&
           cursor->Skip(extra);
}

bool ReadFont(Cursor* cursor, DialogTemplate* out)
{
    WORD italicAndCharset;
    out->hasFont = true;
    if (!cursor->Word(&out->pointSize) || !cursor->Word(&out->weight) || !cursor->Word(&italicAndCharset))
        return false;
    out->italic = static_cast<BYTE>(italicAndCharset & 0xFF);
    out->charset = static_cast<BYTE>(italicAndCharset >> 8);
    return cursor->String(&out->faceName);
}
}  // namespace

bool DialogParseTemplate(const BYTE* data, size_t size, DialogTemplate* out)
{
    if (!data || !out)
        return false;
    *out = DialogTemplate{};
    Cursor cursor(data, size);
    WORD version, signature, count;
    DWORD helpId;
    if (!cursor.Word(&version) || !cursor.Word(&signature) || version != kExtendedVersion ||
        signature != kExtendedSignature || !cursor.Dword(&helpId) || !cursor.Dword(&out->exStyle) ||
        !cursor.Dword(&out->style) || !cursor.Word(&count) || !cursor.Short(&out->x) || !cursor.Short(&out->y) ||
        !cursor.Short(&out->cx) || !cursor.Short(&out->cy) || !cursor.Name(&out->menu) ||
        !cursor.Name(&out->windowClass) || !cursor.String(&out->title))
        return false;
    if ((out->style & DS_SETFONT) && !ReadFont(&cursor, out))
        return false;
    if (count > cursor.Left() / kSmallestItem + 1)
        return false;  // more items than the bytes could hold
    out->items.resize(count);
    for (DialogItemTemplate& item : out->items) {
        if (!ReadItem(&cursor, &item))
            return false;
    }
    return true;
}
