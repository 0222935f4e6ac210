// Drawing text as runs of covered pixels, for targets that the direct
// drawing functions cannot address: bottom-up rows, packed 1-bit pixels.
#include "text/text_internal.h"

void TextDrawSpans(TextFace* face, const char* text, size_t length, int x, int y, int width, int height,
                   TextSpanFunction span, void* context)
{
    if (!face || !text || !span || width <= 0 || height <= 0)
        return;
    // Each run of covered pixels in a row is one span.
    TextWalkRows(face, text, length, x, y, width, height,
                 [&](long long row, long long left, const uint8_t* s, long long c0, long long c1) {
                     for (long long c = c0; c < c1;) {
                         if (!s[c]) {
                             ++c;
                             continue;
                         }
                         long long end = c + 1;
                         while (end < c1 && s[end])
                             ++end;
                         span(context, int(row), int(left + c), int(left + end));
                         c = end;
                     }
                 });
}
