// Drawing text as runs of covered pixels, for targets that the direct
// drawing functions cannot address: bottom-up rows, packed 1-bit pixels.
#include "text/text_internal.h"

void TextDrawSpans(TextFace* face, const char* text, size_t length, int x, int y, int width, int height,
                   TextSpanFunction span, void* context) {
    if (!face || !text || !span || width <= 0 || height <= 0) return;
    long long pen = x;
    const long long baseline = (long long)y + face->ascent;
    const long long reach = 2LL * face->cellHeight;
    Cp932Cursor cursor(text, length);
    unsigned code;
    while (pen - reach < width && cursor.Next(&code)) {
        const Glyph& g = TextGlyph(face, code);
        if (g.width) {
            const long long left = pen + g.left, top = baseline - g.top;
            long long c0 = left < 0 ? -left : 0, c1 = g.width;
            long long r0 = top < 0 ? -top : 0, r1 = g.height;
            if (c1 > width - left) c1 = width - left;
            if (r1 > height - top) r1 = height - top;
            const uint8_t* src = face->coverage.data() + g.offset;
            for (long long r = r0; r < r1; ++r) {
                const uint8_t* s = src + r * g.width;
                for (long long c = c0; c < c1;) {
                    if (!s[c]) {
                        ++c;
                        continue;
                    }
                    long long end = c + 1;
                    while (end < c1 && s[end]) ++end;
                    span(context, int(top + r), int(left + c), int(left + end));
                    c = end;
                }
            }
        }
        pen += g.advance;
    }
}
