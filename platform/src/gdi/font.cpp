// Font objects: a copy of the caller's LOGFONTA. Glyphs and metrics belong
// to the text functions, which open the face for it (font_face.cpp).
#include "gdi/gdi_private.h"

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* description)
{
    if (description == nullptr || !GdiHasRoom())
        return nullptr;
    auto* font = new GdiFont();
    font->magic = kGdiMagic;
    font->kind = GdiKind::Font;
    font->description = *description;
    font->description.lfFaceName[LF_FACESIZE - 1] = '\0';
    GdiRegister(font);
    return reinterpret_cast<HFONT>(static_cast<GdiObject*>(font));
}
