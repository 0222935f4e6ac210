// Code page 932 <-> Unicode through iconv. Drawing decodes through a table
// of every character code, filled once from iconv, so that it never
// allocates or calls iconv per character.
#include <errno.h>
#include <iconv.h>
#include <string.h>

#include "text/text_internal.h"

namespace {

uint16_t decodeTable[0x10000];
bool decodeTableBuilt;

// Decodes `bytes` (one character) to a single BMP code point, or
// kCp932Invalid.
uint16_t DecodeOne(iconv_t cd, const unsigned char* bytes, size_t count)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char in[2];
    memcpy(in, bytes, count);
    unsigned char out[8];
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = count, outLeft = sizeof out;
    if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == size_t(-1) || inLeft != 0 || sizeof out - outLeft != 4)
        return kCp932Invalid;
    uint32_t cp = out[0] | out[1] << 8 | out[2] << 16 | uint32_t(out[3]) << 24;
    return cp < 0xFFFF ? uint16_t(cp) : kCp932Invalid;
}

// Where Microsoft's code page 932 maps a Shift-JIS code to another
// character than plain Shift-JIS does.
constexpr uint16_t kMicrosoftMappings[][2] = {
    {0x815F, 0xFF3C}, {0x8160, 0xFF5E}, {0x8161, 0x2225}, {0x817C, 0xFF0D},
    {0x8191, 0xFFE0}, {0x8192, 0xFFE1}, {0x81CA, 0xFFE2},
};

void BuildTable()
{
    for (auto& entry : decodeTable)
        entry = kCp932Invalid;
    bool shiftJis = false;
    iconv_t cd = TextOpenCp932("UTF-32LE", "CP932", &shiftJis);
    if (cd == iconv_t(-1)) {
        for (unsigned b = 0; b < 0x80; ++b)
            decodeTable[b] = uint16_t(b);  // ASCII at least
        return;
    }
    for (unsigned b = 0; b < 0x100; ++b) {
        if (Cp932IsLeadByte(uint8_t(b)))
            continue;
        unsigned char one = uint8_t(b);
        decodeTable[b] = DecodeOne(cd, &one, 1);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Cp932IsLeadByte(uint8_t(lead)))
            continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            unsigned char pair[2] = {uint8_t(lead), uint8_t(trail)};
            decodeTable[lead << 8 | trail] = DecodeOne(cd, pair, 2);
        }
    }
    iconv_close(cd);
    if (shiftJis) {
        decodeTable[0x5C] = 0x5C;
        decodeTable[0x7E] = 0x7E;
        for (const auto& mapping : kMicrosoftMappings)
            decodeTable[mapping[0]] = mapping[1];
    }
}

// Appends the UTF-8 form of `cp` if it fits before the NUL.
bool PutUtf8(uint32_t cp, char* out, size_t capacity, size_t* pos)
{
    unsigned char buf[3];
    size_t n;
    if (cp < 0x80) {
        buf[0] = uint8_t(cp);
        n = 1;
    } else if (cp < 0x800) {
        buf[0] = uint8_t(0xC0 | cp >> 6);
        buf[1] = uint8_t(0x80 | (cp & 0x3F));
        n = 2;
    } else {
        buf[0] = uint8_t(0xE0 | cp >> 12);
        buf[1] = uint8_t(0x80 | (cp >> 6 & 0x3F));
        buf[2] = uint8_t(0x80 | (cp & 0x3F));
        n = 3;
    }
    if (*pos + n >= capacity)
        return false;
    memcpy(out + *pos, buf, n);
    *pos += n;
    return true;
}

// UTF-8 to code page 932 conversions share one iconv handle.
iconv_t encoder = iconv_t(-1);

}  // namespace

iconv_t TextOpenCp932(const char* to, const char* from, bool* shiftJis)
{
    iconv_t cd = iconv_open(to, from);
    if (shiftJis)
        *shiftJis = false;
    if (cd != iconv_t(-1))
        return cd;
    // A C library that knows only Shift-JIS (musl, in the web build).
    const bool toCp932 = strcmp(to, "CP932") == 0;
    cd = iconv_open(toCp932 ? "SHIFT_JIS" : to, toCp932 ? from : "SHIFT_JIS");
    if (shiftJis)
        *shiftJis = cd != iconv_t(-1);
    return cd;
}

const uint16_t* Cp932Table()
{
    if (!decodeTableBuilt) {
        BuildTable();
        decodeTableBuilt = true;
    }
    return decodeTable;
}

size_t TextCp932ToUtf8(const char* text, size_t length, char* out, size_t capacity)
{
    if (!out || capacity == 0)
        return 0;
    size_t pos = 0;
    if (text) {
        const uint16_t* table = Cp932Table();
        Cp932Cursor cursor(text, length);
        unsigned code;
        while (cursor.Next(&code)) {
            uint16_t cp = table[code];
            if (!PutUtf8(cp == kCp932Invalid ? '?' : cp, out, capacity, &pos))
                break;
        }
    }
    out[pos] = '\0';
    return pos;
}

size_t TextUtf8ToCp932(const char* text, size_t length, char* out, size_t capacity)
{
    if (!out || capacity == 0)
        return 0;
    size_t pos = 0;
    if (encoder == iconv_t(-1))
        encoder = TextOpenCp932("CP932", "UTF-8", nullptr);
    if (text && encoder != iconv_t(-1)) {
        iconv(encoder, nullptr, nullptr, nullptr, nullptr);
        char* inp = const_cast<char*>(text);
        size_t inLeft = length;
        while (inLeft > 0 && pos + 1 < capacity) {
            char* outp = out + pos;
            size_t outLeft = capacity - 1 - pos;
            size_t done = iconv(encoder, &inp, &inLeft, &outp, &outLeft);
            pos = size_t(outp - out);
            if (done != size_t(-1))
                break;
            if (errno == E2BIG || errno == EINVAL)
                break;  // full, or cut at the end
            // Not valid UTF-8, or no code page 932 character for it: one '?'
            // for the whole sequence.
            if (pos + 1 >= capacity)
                break;
            out[pos++] = '?';
            ++inp;
            --inLeft;
            while (inLeft > 0 && (static_cast<unsigned char>(*inp) & 0xC0) == 0x80) {
                ++inp;
                --inLeft;
            }
        }
    }
    out[pos] = '\0';
    return pos;
}
