// Realising fonts: the glyph engine's face for a font object's LOGFONTA,
// opened when the font first draws or measures and closed with the font.
#include "gdi/gdi_private.h"
#include "gdi/gdi_text.h"
#include "text/glyphs.h"

namespace {

// The stock font's height, also taken for lfHeight 0.
constexpr int kDefaultCellHeight = 16;

void CloseFace(void* cache)
{
    TextCloseFace(static_cast<TextFace*>(cache));
}

// A positive lfHeight is the cell height; a negative one the character
// (em) height, which the face's metrics turn into a cell height.
int CellHeight(const LOGFONTA& description)
{
    const LONG height = description.lfHeight;
    if (height == 0)
        return kDefaultCellHeight;
    if (height > 0)
        return int(height);
    const int em = height < -0x10000 ? 0x10000 : int(-height);
    return TextCellForEmHeight(description.lfFaceName, em);
}

}  // namespace

TextFace* GdiFontFace(GdiFont* font)
{
    if (font == nullptr)
        return nullptr;
    if (font->cache == nullptr) {
        const int cell = CellHeight(font->description);
        TextFace* face = cell > 0 ? TextOpenFace(font->description.lfFaceName, cell) : nullptr;
        if (face == nullptr)
            return nullptr;
        font->cache = face;
        font->freeCache = CloseFace;
    }
    return static_cast<TextFace*>(font->cache);
}
