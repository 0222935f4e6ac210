// Internals of the glyph engine shared by face.cpp, render.cpp and
// codepage.cpp.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <iconv.h>
#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <vector>

#include "text/cp932.h"
#include "text/glyphs.h"

// ---- Code page 932 ------------------------------------------------------

// Code point for a character code (a single byte, or lead << 8 | trail),
// kCp932Invalid where code page 932 defines none. Built from iconv on
// first use; never fails afterwards.
constexpr uint16_t kCp932Invalid = 0xFFFF;
const uint16_t* Cp932Table();

// iconv_open between code page 932 ("CP932", as `to` or `from`) and
// another encoding; where the C library has only Shift-JIS, a Shift-JIS
// converter, and `shiftJis` (when given) says so. (iconv_t)-1 when neither.
iconv_t TextOpenCp932(const char* to, const char* from, bool* shiftJis);

// Walks `length` bytes of code page 932 text one character at a time.
// A lead byte whose trail byte lies beyond `length` or is NUL is dropped
// without reading past the end.
struct Cp932Cursor {
    const unsigned char* p;
    const unsigned char* end;

    Cp932Cursor(const char* text, size_t length) : p(reinterpret_cast<const unsigned char*>(text)), end(p + length) {}

    // Stores the next character code; false at the end of the text.
    bool Next(unsigned* code)
    {
        while (p < end) {
            unsigned char b = *p++;
            if (!Cp932IsLeadByte(b)) {
                *code = b;
                return true;
            }
            if (p == end || *p == 0)
                continue;  // cut or broken pair: drop the lead
            *code = (unsigned(b) << 8) | *p++;
            return true;
        }
        return false;
    }
};

// ---- Faces ---------------------------------------------------------------

// One font file opened with FreeType, shared by every TextFace on it and
// kept for the life of the process.
struct FaceFile;

struct Glyph {
    int16_t left;  // bitmap origin relative to the pen, pixels right
    int16_t top;   // rows from the top of the bitmap up to the baseline
    uint16_t width;
    uint16_t height;
    int32_t advance;  // pixels
    uint32_t offset;  // first pixel in TextFace::coverage (one byte each)
};

struct TextFace {
    FaceFile* file;
    FT_Size size;
    int cellHeight;
    int ascent;
    bool fixedPitch;  // half-width characters `halfWidth`, others twice that
    int halfWidth;
    int refs;  // open handles; 0 while kept idle for reuse
    unsigned idleStamp;

    // Glyph cache keyed by character code: 256 pages of 256 slots, each
    // an index into `glyphs` or -1, pages made on first use.
    std::unique_ptr<int32_t[]> pages[256];
    std::vector<Glyph> glyphs;
    std::vector<uint8_t> coverage;  // 1 where the glyph covers the pixel
};

FT_Face TextFtFace(const TextFace* face);

// A scalable face's Windows cell in font units: usWinAscent and
// usWinDescent where the OS/2 table gives them, else hhea's (else
// FreeType's) ascender and descender. `total` is their sum, or the em when
// they add up to nothing.
struct TextCellUnits {
    long ascender, descender, em, total;
};
TextCellUnits TextWindowsCell(FT_Face face);

// Loads and renders the glyph for a character code into the face's cache.
// Returns its index in face->glyphs.
int32_t TextLoadGlyph(TextFace* face, unsigned code);

inline const Glyph& TextGlyph(TextFace* face, unsigned code)
{
    const int32_t* page = face->pages[code >> 8].get();
    if (page) {
        int32_t index = page[code & 0xFF];
        if (index >= 0)
            return face->glyphs[index];
    }
    return face->glyphs[TextLoadGlyph(face, code)];
}

// Walks the glyphs of `length` bytes of text with the top of the cell at
// (x, y), clipped to a width x height target, and calls
// row(targetRow, left, coverage, c0, c1) for every glyph row inside it:
// coverage[c] for c in c0..c1-1 is the glyph's pixel at column left + c.
template <typename RowFunction>
void TextWalkRows(TextFace* face, const char* text, size_t length, int x, int y, int width, int height, RowFunction row)
{
    long long pen = x;
    const long long baseline = (long long)y + face->ascent;
    // Glyphs reach at most about a cell beyond their pen position.
    const long long reach = 2LL * face->cellHeight;
    Cp932Cursor cursor(text, length);
    unsigned code;
    while (pen - reach < width && cursor.Next(&code)) {
        const Glyph& g = TextGlyph(face, code);
        if (g.width) {
            const long long left = pen + g.left, top = baseline - g.top;
            long long c0 = left < 0 ? -left : 0, c1 = g.width;
            long long r0 = top < 0 ? -top : 0, r1 = g.height;
            if (c1 > width - left)
                c1 = width - left;
            if (r1 > height - top)
                r1 = height - top;
            const uint8_t* src = face->coverage.data() + g.offset;
            for (long long r = r0; r < r1; ++r)
                row(top + r, left, src + r * g.width, c0, c1);
        }
        pen += g.advance;
    }
}
