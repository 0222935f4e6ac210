// UTF-16 to code page 932 through iconv, for texts that come in UTF-16
// (dialog templates).
#include <errno.h>
#include <iconv.h>

#include "text/text_internal.h"

namespace {
iconv_t decoder = iconv_t(-1);

// Bytes of the UTF-16 sequence at `p` (a surrogate pair is 4), at most
// `left`.
size_t SequenceBytes(const unsigned char* p, size_t left)
{
    if (left < 2)
        return left;
    unsigned unit = p[0] | p[1] << 8;
    return unit >= 0xD800 && unit < 0xDC00 && left >= 4 ? 4 : 2;
}
}  // namespace

size_t TextUtf16ToCp932(const unsigned char* text, size_t units, char* out, size_t capacity)
{
    if (!out || capacity == 0)
        return 0;
    size_t pos = 0;
    if (decoder == iconv_t(-1))
        decoder = TextOpenCp932("CP932", "UTF-16LE", nullptr);
    if (text && decoder != iconv_t(-1)) {
        iconv(decoder, nullptr, nullptr, nullptr, nullptr);
        char* inp = const_cast<char*>(reinterpret_cast<const char*>(text));
        size_t inLeft = units * 2;
        while (inLeft > 0 && pos + 1 < capacity) {
            char* outp = out + pos;
            size_t outLeft = capacity - 1 - pos;
            size_t done = iconv(decoder, &inp, &inLeft, &outp, &outLeft);
            pos = size_t(outp - out);
            if (done != size_t(-1))
                break;
            if (errno == E2BIG || errno == EINVAL)
                break;  // full, or a pair cut at the end
            // No code page 932 character for it (or a lone surrogate): '?'.
            if (pos + 1 >= capacity)
                break;
            out[pos++] = '?';
            size_t skip = SequenceBytes(reinterpret_cast<const unsigned char*>(inp), inLeft);
            inp += skip;
            inLeft -= skip;
        }
    }
    out[pos] = '\0';
    return pos;
}
