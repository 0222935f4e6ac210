// Internals of the glyph engine shared by face.cpp, render.cpp and
// codepage.cpp.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SIZES_H

#include <stddef.h>
#include <stdint.h>

#include <memory>
#include <mutex>
#include <vector>

#include "text/glyphs.h"

// ---- Code page 932 ------------------------------------------------------

inline bool Cp932IsLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Code point for a character code (a single byte, or lead << 8 | trail),
// kCp932Invalid where code page 932 defines none. Built from iconv on
// first use; never fails afterwards.
constexpr uint16_t kCp932Invalid = 0xFFFF;
const uint16_t* Cp932Table();

// Walks `length` bytes of code page 932 text one character at a time.
// A lead byte whose trail byte lies beyond `length` or is NUL is dropped
// without reading past the end.
struct Cp932Cursor {
    const unsigned char* p;
    const unsigned char* end;

    Cp932Cursor(const char* text, size_t length)
        : p(reinterpret_cast<const unsigned char*>(text)), end(p + length) {}

    // Stores the next character code; false at the end of the text.
    bool Next(unsigned* code) {
        while (p < end) {
            unsigned char b = *p++;
            if (!Cp932IsLead(b)) {
                *code = b;
                return true;
            }
            if (p == end || *p == 0) continue;  // cut or broken pair: drop the lead
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
    int16_t left;      // bitmap origin relative to the pen, pixels right
    int16_t top;       // rows from the top of the bitmap up to the baseline
    uint16_t width;
    uint16_t height;
    int32_t advance;   // pixels
    uint32_t offset;   // first pixel in TextFace::coverage (one byte each)
};

struct TextFace {
    FaceFile* file;
    FT_Size size;
    int cellHeight;
    int ascent;
    bool fixedPitch;   // half-width characters `halfWidth`, others twice that
    int halfWidth;
    int refs;          // open handles; 0 while kept idle for reuse
    unsigned idleStamp;

    // Glyph cache keyed by character code: 256 pages of 256 slots, each
    // an index into `glyphs` or -1, pages made on first use.
    std::unique_ptr<int32_t[]> pages[256];
    std::vector<Glyph> glyphs;
    std::vector<uint8_t> coverage;  // 1 where the glyph covers the pixel
};

// Guards FreeType and the face lists; taken on open, close and on a glyph
// cache miss, never in the steady state of drawing.
std::mutex& TextLock();

FT_Face TextFtFace(const TextFace* face);

// Loads and renders the glyph for a character code into the face's cache
// (caller holds TextLock). Returns its index in face->glyphs.
int32_t TextLoadGlyph(TextFace* face, unsigned code);

inline const Glyph& TextGlyph(TextFace* face, unsigned code) {
    const int32_t* page = face->pages[code >> 8].get();
    if (page) {
        int32_t index = page[code & 0xFF];
        if (index >= 0) return face->glyphs[index];
    }
    std::lock_guard<std::mutex> hold(TextLock());
    return face->glyphs[TextLoadGlyph(face, code)];
}
