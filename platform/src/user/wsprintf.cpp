// wsprintfA: USER's own small printf. Each field is %[-][#][0][width]
// [.precision][l|h]type with type c, d, i, u, x, X or s; "%%" gives '%'
// and an unknown type is written as a plain character. The output is cut
// at 1024 bytes, NUL included, as on Windows.
#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstring>

namespace {

constexpr size_t kBufferSize = 1024;

// Writes bytes while there is room for them and the final NUL.
struct Output {
    char* buffer;
    size_t length;

    bool full() const { return length + 1 >= kBufferSize; }
    void put(char c)
    {
        if (!full())
            buffer[length++] = c;
    }
    void put(const char* text, size_t count)
    {
        for (size_t i = 0; i < count && !full(); ++i)
            buffer[length++] = text[i];
    }
    void repeat(char c, size_t count)
    {
        for (size_t i = 0; i < count && !full(); ++i)
            buffer[length++] = c;
    }
};

enum class Kind { Character, Signed, Unsigned, Hex, String, Unknown };

struct Field {
    bool left = false;      // '-': pad on the right
    bool hexPrefix = false; // '#': 0x before hex digits
    bool zeros = false;     // '0': pad numbers with zeros
    size_t width = 0;
    size_t precision = 0;   // strings: at most this many bytes; numbers: at least this many digits
    bool upper = false;
    Kind kind = Kind::Unknown;
};

// Reads one field after its '%'; returns the bytes it took. An unknown
// type is left unread, to be written as text.
size_t parseField(const char* cursor, Field* field)
{
    const char* p = cursor;
    if (*p == '-')
        field->left = true, ++p;
    if (*p == '#')
        field->hexPrefix = true, ++p;
    if (*p == '0')
        field->zeros = true, ++p;
    for (; *p >= '0' && *p <= '9'; ++p)
        field->width = std::min<size_t>(field->width * 10 + size_t(*p - '0'), kBufferSize);
    if (*p == '.')
        for (++p; *p >= '0' && *p <= '9'; ++p)
            field->precision = std::min<size_t>(field->precision * 10 + size_t(*p - '0'), kBufferSize);
    // Windows' long and short are int-sized in a variadic call.
    if (*p == 'l' || *p == 'h')
        ++p;
    switch (*p) {
    case 'c': field->kind = Kind::Character; break;
    case 'd':
    case 'i': field->kind = Kind::Signed; break;
    case 'u': field->kind = Kind::Unsigned; break;
    case 'X': field->upper = true; field->kind = Kind::Hex; break;
    case 'x': field->kind = Kind::Hex; break;
    case 's': field->kind = Kind::String; break;
    default: return size_t(p - cursor);
    }
    if (field->left)
        field->zeros = false;
    return size_t(p - cursor) + 1;
}

// The digits of a number, '-' first for a negative signed one; returns
// their count.
size_t formatNumber(const Field& field, int value, char* out)
{
    const char* digits = field.upper ? "0123456789ABCDEF" : "0123456789abcdef";
    const unsigned base = field.kind == Kind::Hex ? 16 : 10;
    unsigned magnitude = unsigned(value);
    size_t length = 0;
    if (field.kind == Kind::Signed && value < 0) {
        out[length++] = '-';
        magnitude = 0u - magnitude;
    }
    char reversed[16];
    size_t count = 0;
    do {
        reversed[count++] = digits[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    while (count > 0)
        out[length++] = reversed[--count];
    return length;
}

// A number: its sign, then zeros up to the precision (or, with '0', up to
// the width), then its digits; spaces pad to the width.
void writeNumber(Output* output, const Field& field, int value)
{
    char number[24];
    const size_t length = formatNumber(field, value, number);
    const size_t sign = number[0] == '-' ? 1 : 0;
    const size_t prefix = field.kind == Kind::Hex && field.hexPrefix ? 2 : 0;
    size_t body = std::max(length, field.precision);
    if (field.zeros && field.width > body + prefix)
        body = field.width - prefix;
    if (!field.left && field.width > body + prefix)
        output->repeat(' ', field.width - body - prefix);
    if (prefix != 0)
        output->put(field.upper ? "0X" : "0x", 2);
    output->put(number, sign);
    output->repeat('0', body - length);
    output->put(number + sign, length - sign);
    if (field.left && field.width > body + prefix)
        output->repeat(' ', field.width - body - prefix);
}

// Text of `length` bytes, padded with spaces to the width.
void writeText(Output* output, const Field& field, const char* text, size_t length)
{
    if (!field.left && field.width > length)
        output->repeat(' ', field.width - length);
    output->put(text, length);
    if (field.left && field.width > length)
        output->repeat(' ', field.width - length);
}

void writeString(Output* output, const Field& field, const char* text)
{
    if (text == nullptr)
        text = "(null)";
    size_t length = 0;
    while (text[length] != '\0' && (field.precision == 0 || length < field.precision))
        ++length;
    writeText(output, field, text, length);
}

}  // namespace

// Returns the number of bytes written, the NUL not counted.
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    if (buffer == nullptr)
        return 0;
    Output output{buffer, 0};
    va_list arguments;
    va_start(arguments, format);
    const char* cursor = format != nullptr ? format : "";
    while (*cursor != '\0' && !output.full()) {
        if (*cursor != '%' || cursor[1] == '%') {
            output.put(*cursor);
            cursor += *cursor == '%' ? 2 : 1;
            continue;
        }
        Field field;
        cursor += 1 + parseField(cursor + 1, &field);
        // A width is held to the room left, so a field's own text still fits.
        field.width = std::min(field.width, kBufferSize - 1 - output.length);
        switch (field.kind) {
        case Kind::Character: {
            const char c = char(va_arg(arguments, int));
            writeText(&output, field, &c, 1);
            break;
        }
        case Kind::Signed:
        case Kind::Unsigned:
        case Kind::Hex:
            writeNumber(&output, field, va_arg(arguments, int));
            break;
        case Kind::String:
            writeString(&output, field, va_arg(arguments, const char*));
            break;
        case Kind::Unknown:
            break;
        }
    }
    va_end(arguments);
    buffer[output.length] = '\0';
    return int(output.length);
}
