// wsprintfA: USER's own small printf, for the fields the game formats:
// %d with the '0' flag and a width ("%03d"), and "%%". Any other character
// after '%' is written as itself, as Windows writes an unknown type, and a
// lone '%' at the end is dropped. The output is cut at 1024 bytes, NUL
// included, as on Windows.
#include <algorithm>
#include <cstdarg>

#include "win32_private.h"

namespace {

constexpr size_t kBufferSize = 1024;

// Writes bytes while there is room for them and the final NUL.
struct Output {
    char* buffer;
    size_t length;

    void Put(char c)
    {
        if (length + 1 < kBufferSize)
            buffer[length++] = c;
    }
};

// A signed number, '-' first, padded to `width` with zeros after the sign
// or with spaces before it.
void PutNumber(Output* output, int value, size_t width, bool zeros)
{
    char digits[16];
    size_t count = 0;
    unsigned magnitude = value < 0 ? 0u - unsigned(value) : unsigned(value);
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    const size_t sign = value < 0 ? 1 : 0;
    size_t pad = width > count + sign ? width - count - sign : 0;
    for (; !zeros && pad > 0; --pad)
        output->Put(' ');
    if (sign)
        output->Put('-');
    for (; pad > 0; --pad)
        output->Put('0');
    while (count > 0)
        output->Put(digits[--count]);
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
    for (const char* cursor = format != nullptr ? format : ""; *cursor != '\0'; ++cursor) {
        if (*cursor != '%') {
            output.Put(*cursor);
            continue;
        }
        ++cursor;
        const bool zeros = *cursor == '0';
        size_t width = 0;
        for (; *cursor >= '0' && *cursor <= '9'; ++cursor)
            width = std::min<size_t>(width * 10 + size_t(*cursor - '0'), kBufferSize);
        if (*cursor == '\0')
            break;
        if (*cursor == 'd')
            PutNumber(&output, va_arg(arguments, int), width, zeros);
        else
            output.Put(*cursor);
    }
    va_end(arguments);
    buffer[output.length] = '\0';
    return int(output.length);
}
