// Glyph engine: FreeType faces found through fontconfig, drawing and
// measuring code page 932 strings without anti-aliasing. Shared by GDI's
// text functions and USER's menus and dialogs.
#pragma once

#include <stddef.h>
#include <stdint.h>

struct TextFace;

// Opens the face that stands in for a Windows face name (code page 932
// bytes, e.g. "ＭＳ 明朝") with the given cell height in pixels. Japanese
// Mincho names resolve to a fixed-pitch Mincho face, Gothic names to a
// proportional Gothic face, anything else to the nearest Japanese face.
// Returns null when no face can be loaded.
TextFace* TextOpenFace(const char* faceNameCp932, int cellHeight);
void TextCloseFace(TextFace* face);

// Cell metrics in pixels: ascent + descent = cell height.
int TextAscent(const TextFace* face);
int TextCellHeight(const TextFace* face);

// Width in pixels of `length` bytes of code page 932 text. A lead byte
// whose trail byte lies beyond `length` is not read past.
int TextMeasure(TextFace* face, const char* text, size_t length);

// Draws `length` bytes of code page 932 text with the top of the cell at
// (x, y) into 32-bit 0x00RRGGBB pixels; every covered pixel becomes
// `colour`, others are untouched. Clipped to the target.
void TextDraw32(TextFace* face, const char* text, size_t length, int x, int y, uint32_t colour, uint32_t* pixels,
                int width, int height, int stride);
// The same into 8-bit pixels, writing `index`.
void TextDraw8(TextFace* face, const char* text, size_t length, int x, int y, uint8_t index, uint8_t* pixels, int width,
               int height, int stride);

// The cell height in pixels of the face for a name whose character (em)
// height is `emHeight` pixels, as GDI sizes a negative lfHeight; 0 when no
// face can be loaded or emHeight is not positive.
int TextCellForEmHeight(const char* faceNameCp932, int emHeight);

// Calls `span` for each run of covered pixels, columns [x0, x1) of row y,
// of the text drawn as TextDraw32 would with the top of the cell at (x, y),
// clipped to width x height. For targets the functions above cannot
// address (bottom-up rows, packed pixels).
typedef void (*TextSpanFunction)(void* context, int y, int x0, int x1);
void TextDrawSpans(TextFace* face, const char* text, size_t length, int x, int y, int width, int height,
                   TextSpanFunction span, void* context);

// Code page 932 to UTF-8 (for window titles and message boxes). Writes at
// most `capacity` bytes including the NUL; returns the length written.
size_t TextCp932ToUtf8(const char* text, size_t length, char* out, size_t capacity);
// UTF-8 to code page 932 (for typed characters); same contract.
size_t TextUtf8ToCp932(const char* text, size_t length, char* out, size_t capacity);
// `units` UTF-16LE code units (2 bytes each, any alignment) to code page
// 932 (for dialog templates); characters it lacks become '?'. Same contract.
size_t TextUtf16ToCp932(const unsigned char* text, size_t units, char* out, size_t capacity);
