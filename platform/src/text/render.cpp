// Measuring and drawing code page 932 text from cached 1-bit glyphs: each
// character is rendered once per face (hinted for monochrome, no
// anti-aliasing) and then copied as plain on/off pixels.
#include <limits.h>
#include <string.h>

#include "text/text_internal.h"

namespace {

// Copies a rendered glyph bitmap (mono, or grey thresholded at half) into
// the face's coverage store.
void StoreBitmap(TextFace* face, const FT_Bitmap& bitmap, Glyph* glyph)
{
    if (bitmap.width == 0 || bitmap.rows == 0 || !bitmap.buffer || bitmap.width > 0xFFFF || bitmap.rows > 0xFFFF)
        return;
    bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    if (!mono && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return;
    size_t offset = face->coverage.size();
    size_t count = size_t(bitmap.width) * bitmap.rows;
    if (offset + count > UINT32_MAX)
        return;
    face->coverage.resize(offset + count);
    uint8_t* out = face->coverage.data() + offset;
    // The pitch is what takes a row pointer one row down; the top row is
    // last in memory when it is negative.
    const unsigned char* row = bitmap.buffer;
    if (bitmap.pitch < 0)
        row -= ptrdiff_t(bitmap.pitch) * (bitmap.rows - 1);
    for (unsigned r = 0; r < bitmap.rows; ++r, row += bitmap.pitch) {
        for (unsigned c = 0; c < bitmap.width; ++c)
            *out++ = mono ? (row[c >> 3] >> (7 - (c & 7))) & 1 : row[c] >= 128;
    }
    glyph->offset = uint32_t(offset);
    glyph->width = uint16_t(bitmap.width);
    glyph->height = uint16_t(bitmap.rows);
}

int RoundedAdvance(FT_Pos advance)
{
    return advance > 0 ? int((advance + 32) >> 6) : 0;
}

template <typename Pixel>
void Draw(TextFace* face, const char* text, size_t length, int x, int y, Pixel value, Pixel* pixels, int width,
          int height, int stride)
{
    if (!face || !text || !pixels || width <= 0 || height <= 0 || stride < width)
        return;
    TextWalkRows(face, text, length, x, y, width, height,
                 [&](long long row, long long left, const uint8_t* s, long long c0, long long c1) {
                     Pixel* d = pixels + row * stride + left;
                     for (long long c = c0; c < c1; ++c)
                         if (s[c])
                             d[c] = value;
                 });
}

}  // namespace

int32_t TextLoadGlyph(TextFace* face, unsigned code)
{
    code &= 0xFFFF;
    std::unique_ptr<int32_t[]>& page = face->pages[code >> 8];
    if (!page) {
        page.reset(new int32_t[256]);
        for (int i = 0; i < 256; ++i)
            page[i] = -1;
    }
    if (page[code & 0xFF] >= 0)
        return page[code & 0xFF];

    FT_Face ft = TextFtFace(face);
    FT_Activate_Size(face->size);
    uint16_t cp = Cp932Table()[code];
    FT_UInt index = cp == kCp932Invalid ? 0 : FT_Get_Char_Index(ft, cp);

    Glyph glyph{};
    // A missing character draws nothing and advances like .notdef.
    if (FT_Load_Glyph(ft, index, FT_LOAD_TARGET_MONO) == 0) {
        FT_GlyphSlot slot = ft->glyph;
        glyph.advance = RoundedAdvance(slot->advance.x);
        if (index != 0 && (slot->format == FT_GLYPH_FORMAT_BITMAP || FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) == 0)) {
            glyph.left = int16_t(slot->bitmap_left);
            glyph.top = int16_t(slot->bitmap_top);
            StoreBitmap(face, slot->bitmap, &glyph);
        }
    }
    if (face->fixedPitch)
        glyph.advance = code > 0xFF ? 2 * face->halfWidth : face->halfWidth;

    int32_t at = int32_t(face->glyphs.size());
    face->glyphs.push_back(glyph);
    page[code & 0xFF] = at;
    return at;
}

int TextMeasure(TextFace* face, const char* text, size_t length)
{
    if (!face || !text)
        return 0;
    long long total = 0;
    Cp932Cursor cursor(text, length);
    unsigned code;
    while (cursor.Next(&code)) {
        total += TextGlyph(face, code).advance;
        if (total > INT_MAX)
            return INT_MAX;
    }
    return int(total);
}

void TextDraw32(TextFace* face, const char* text, size_t length, int x, int y, uint32_t colour, uint32_t* pixels,
                int width, int height, int stride)
{
    Draw(face, text, length, x, y, colour, pixels, width, height, stride);
}

void TextDraw8(TextFace* face, const char* text, size_t length, int x, int y, uint8_t index, uint8_t* pixels, int width,
               int height, int stride)
{
    Draw(face, text, length, x, y, index, pixels, width, height, stride);
}
