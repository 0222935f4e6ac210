// Faces: Windows face names resolved through fontconfig (in a web page,
// to font files of known names), font files opened once with FreeType,
// and a TextFace per (file, cell height) with its own FreeType size and
// glyph cache. Recently closed faces stay warm for a while so a font made
// and deleted every frame does not render again.
#ifndef __EMSCRIPTEN__
#include <fontconfig/fontconfig.h>
#endif
#include <ft2build.h>
#include FT_ADVANCES_H
#include FT_TRUETYPE_TABLES_H

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "text/text_internal.h"

struct FaceFile {
    std::string path;
    int index;
    FT_Face face;
    bool fixedPitch;
};

namespace {

constexpr int kMaxCellHeight = 1024;
constexpr int kIdleFacesKept = 8;

struct NameEntry {
    std::string name;  // code page 932 face name as given
    FaceFile* file;
};

// Process-wide state, never destroyed: faces may be used from other
// objects' destructors at exit.
struct Registry {
    FT_Library library = nullptr;
    bool libraryTried = false;
    std::vector<FaceFile*> files;  // open for the life of the process
    std::vector<NameEntry> names;
    std::vector<TextFace*> faces;  // open or idle
    unsigned idleClock = 0;
};

Registry& R()
{
    static Registry* registry = new Registry();
    return *registry;
}

FT_Library Library()
{
    Registry& r = R();
    if (!r.libraryTried) {
        r.libraryTried = true;
        if (FT_Init_FreeType(&r.library) != 0)
            r.library = nullptr;
    }
    return r.library;
}

bool ContainsAsciiNoCase(const std::string& s, const char* word)
{
    size_t n = strlen(word);
    for (size_t i = 0; i + n <= s.size(); ++i) {
        size_t k = 0;
        while (k < n && tolower(static_cast<unsigned char>(s[i + k])) == word[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

bool Contains(const std::string& s, const char* part)
{
    return s.find(part) != std::string::npos;
}

// The IPA family standing in for a Windows Japanese face name, and the
// generic family to fall back on. Names are compared as UTF-8 (u8
// literals: plain ones are code page 932 here).
void MapFamily(const std::string& utf8, const char** family, const char** generic)
{
    bool mincho = Contains(utf8, u8"明朝") || ContainsAsciiNoCase(utf8, "mincho");
    bool gothic = Contains(utf8, u8"ゴシック") || ContainsAsciiNoCase(utf8, "gothic");
    bool proportional = Contains(utf8, u8"Ｐ明朝") || Contains(utf8, u8"P明朝") || Contains(utf8, u8"Ｐゴシック") ||
                        Contains(utf8, u8"Pゴシック") || ContainsAsciiNoCase(utf8, "pmincho") ||
                        ContainsAsciiNoCase(utf8, "pgothic");
    *family = nullptr;
    *generic = "sans-serif";
    if (mincho) {
        *family = proportional ? "IPAPMincho" : "IPAMincho";
        *generic = "serif";
    } else if (gothic) {
        *family = proportional ? "IPAPGothic" : "IPAGothic";
    }
}

FT_UShort DesignAdvance(FT_Face face, FT_ULong cp)
{
    FT_UInt index = FT_Get_Char_Index(face, cp);
    FT_Fixed advance = 0;
    if (index == 0 || FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &advance) != 0)
        return 0;
    return FT_UShort(advance);
}

// Fixed pitch in the double-byte sense: Latin letters share one advance
// and an ideograph takes two of them.
bool IsFixedPitch(FT_Face face)
{
    if (FT_IS_FIXED_WIDTH(face))
        return true;
    FT_UShort zero = DesignAdvance(face, '0');
    if (zero == 0 || DesignAdvance(face, 'i') != zero || DesignAdvance(face, 'W') != zero)
        return false;
    int ideograph = DesignAdvance(face, 0x4E00);
    return ideograph == 0 || abs(ideograph - 2 * zero) <= 1;
}

FaceFile* OpenFile(const char* path, int index)
{
    for (FaceFile* file : R().files)
        if (file->index == index && file->path == path)
            return file;
    FT_Library library = Library();
    FT_Face face;
    if (!library || FT_New_Face(library, path, index, &face) != 0)
        return nullptr;
    if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes == 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    FT_Select_Charmap(face, FT_ENCODING_UNICODE);
    FaceFile* file = new FaceFile{path, index, face, IsFixedPitch(face)};
    R().files.push_back(file);
    return file;
}

#ifdef __EMSCRIPTEN__
// A page has no fontconfig: the faces are files in the page's own file
// system (/fonts, cmake/web_fonts.cmake). A page carries either the IPA
// faces as released, under their own file names, or two faces cut down to
// the game's characters and renamed: the Mincho stands in for both Mincho
// families, the P Gothic for both Gothic ones (the game asks for "ＭＳ 明朝"
// and "ＭＳ Ｐゴシック" only).
struct PageFace {
    const char* family;
    const char* released;
    const char* cut;
};
constexpr PageFace kPageFaces[] = {
    {"IPAMincho", "ipam.ttf", "HirenMincho.ttf"},
    {"IPAPMincho", "ipamp.ttf", "HirenMincho.ttf"},
    {"IPAGothic", "ipag.ttf", "HirenPGothic.ttf"},
    {"IPAPGothic", "ipagp.ttf", "HirenPGothic.ttf"},
};

FaceFile* MatchFile(const char*, const char* family, const char* generic)
{
    if (!family)
        family = strcmp(generic, "serif") == 0 ? "IPAMincho" : "IPAGothic";
    for (const PageFace& face : kPageFaces) {
        if (strcmp(face.family, family) != 0)
            continue;
        FaceFile* file = OpenFile((std::string("/fonts/") + face.released).c_str(), 0);
        return file ? file : OpenFile((std::string("/fonts/") + face.cut).c_str(), 0);
    }
    return nullptr;
}
#else
FaceFile* MatchFile(const char* utf8, const char* family, const char* generic)
{
    FaceFile* file = nullptr;
    if (FcInit()) {
        FcPattern* pattern = FcPatternCreate();
        // A Japanese font installed under the Windows name itself wins;
        // any other name gets the nearest Japanese face, as only that can
        // draw the game's text.
        if (family) {
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(utf8));
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        }
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(generic));
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcChar8* path = nullptr;
        int index = 0;
        if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            file = OpenFile(reinterpret_cast<const char*>(path), index);
        }
        if (match)
            FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    return file;
}
#endif

FaceFile* Resolve(const char* nameCp932)
{
    for (const NameEntry& entry : R().names)
        if (entry.name == nameCp932)
            return entry.file;

    char utf8[256];
    TextCp932ToUtf8(nameCp932, strlen(nameCp932), utf8, sizeof utf8);
    const char* family;
    const char* generic;
    MapFamily(utf8, &family, &generic);

    FaceFile* file = MatchFile(utf8, family, generic);
    if (file)
        R().names.push_back(NameEntry{nameCp932, file});
    return file;
}

// Sizes the face so its Windows cell (usWinAscent + usWinDescent, else
// hhea) is `cellHeight` pixels, as GDI does for a positive lfHeight.
bool SetSize(TextFace* tf)
{
    FT_Face face = tf->file->face;
    if (FT_New_Size(face, &tf->size) != 0)
        return false;
    FT_Activate_Size(tf->size);
    int cell = tf->cellHeight;
    if (FT_IS_SCALABLE(face)) {
        const TextCellUnits units = TextWindowsCell(face);
        long ppem = (cell * units.em + units.total / 2) / units.total;
        if (ppem < 1)
            ppem = 1;
        if (FT_Set_Pixel_Sizes(face, 0, FT_UInt(ppem)) != 0)
            return false;
        tf->ascent = int((2 * units.ascender * ppem + units.em) / (2 * units.em));
    } else {
        int best = 0;
        for (int i = 1; i < face->num_fixed_sizes; ++i)
            if (abs(face->available_sizes[i].height - cell) < abs(face->available_sizes[best].height - cell))
                best = i;
        if (FT_Select_Size(face, best) != 0)
            return false;
        tf->ascent = int((face->size->metrics.ascender + 32) >> 6);
    }
    if (tf->ascent < 0)
        tf->ascent = 0;
    if (tf->ascent > cell)
        tf->ascent = cell;

    tf->fixedPitch = tf->file->fixedPitch;
    tf->halfWidth = (face->size->metrics.x_ppem + 1) / 2;
    FT_UInt zero = FT_Get_Char_Index(face, '0');
    if (tf->fixedPitch && zero && FT_Load_Glyph(face, zero, FT_LOAD_TARGET_MONO) == 0) {
        int advance = int((face->glyph->advance.x + 32) >> 6);
        if (advance > 0)
            tf->halfWidth = advance;
    }
    return true;
}

void Destroy(TextFace* face)
{
    if (face->size)
        FT_Done_Size(face->size);
    delete face;
}

}  // namespace

FT_Face TextFtFace(const TextFace* face)
{
    return face->file->face;
}

TextCellUnits TextWindowsCell(FT_Face face)
{
    TextCellUnits units{face->ascender, -face->descender, face->units_per_EM ? face->units_per_EM : 2048, 0};
    auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (hhea)
        units.ascender = hhea->Ascender, units.descender = -hhea->Descender;
    auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0)
        units.ascender = os2->usWinAscent, units.descender = os2->usWinDescent;
    units.total = units.ascender + units.descender > 0 ? units.ascender + units.descender : units.em;
    return units;
}

TextFace* TextOpenFace(const char* faceNameCp932, int cellHeight)
{
    if (cellHeight <= 0 || cellHeight > kMaxCellHeight)
        return nullptr;
    FaceFile* file = Resolve(faceNameCp932 ? faceNameCp932 : "");
    if (!file)
        return nullptr;
    for (TextFace* face : R().faces) {
        if (face->file == file && face->cellHeight == cellHeight) {
            ++face->refs;
            return face;
        }
    }
    TextFace* face = new TextFace();
    face->file = file;
    face->cellHeight = cellHeight;
    face->refs = 1;
    if (!SetSize(face)) {
        Destroy(face);
        return nullptr;
    }
    R().faces.push_back(face);
    return face;
}

void TextCloseFace(TextFace* face)
{
    if (!face)
        return;
    std::vector<TextFace*>& faces = R().faces;
    int idle = 0;
    bool known = false;
    for (TextFace* f : faces) {
        if (f == face)
            known = true;
        if (f->refs == 0)
            ++idle;
    }
    if (!known || face->refs == 0)
        return;
    if (--face->refs > 0)
        return;
    face->idleStamp = ++R().idleClock;
    if (++idle <= kIdleFacesKept)
        return;
    // Too many idle faces: let the one idle longest go.
    size_t oldest = faces.size();
    for (size_t i = 0; i < faces.size(); ++i)
        if (faces[i]->refs == 0 && (oldest == faces.size() || faces[i]->idleStamp < faces[oldest]->idleStamp))
            oldest = i;
    Destroy(faces[oldest]);
    faces.erase(faces.begin() + ptrdiff_t(oldest));
}

int TextAscent(const TextFace* face)
{
    return face ? face->ascent : 0;
}

int TextCellHeight(const TextFace* face)
{
    return face ? face->cellHeight : 0;
}
