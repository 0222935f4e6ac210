// font_subset_check CHARS ORIGINAL SUBSET [ORIGINAL SUBSET]...
//
// The web page draws with faces cut down by tools/subset-fonts; the Linux
// build draws with the whole faces they came from. The text must come out
// the same: for every character of CHARS (UTF-8) and the .notdef glyph, at
// every size from 5 to 90 pixels per em (the game's cells are 12 to 80
// pixels), each face pair is hinted and rendered as platform/src/text does
// (FT_LOAD_TARGET_MONO, FT_RENDER_MODE_MONO) and must give the same
// bitmap, placement and advance; the face-wide metrics the platform sizes
// by must be the same too, and the cut face must not carry the IPA names.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr FT_UInt kSmallestPpem = 5;
constexpr FT_UInt kLargestPpem = 90;
constexpr int kReportedFaults = 20;

int faults = 0;

void Fault(const std::string& what)
{
    if (++faults <= kReportedFaults)
        fprintf(stderr, "font_subset_check: %s\n", what.c_str());
}

template <typename T>
void Same(const std::string& what, T original, T subset)
{
    if (original != subset) {
        std::ostringstream message;
        message << what << ": original " << original << ", subset " << subset;
        Fault(message.str());
    }
}

std::string CodePoint(FT_ULong cp)
{
    char text[16];
    snprintf(text, sizeof text, "U+%04lX", static_cast<unsigned long>(cp));
    return text;
}

std::vector<FT_ULong> ReadCharacters(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<FT_ULong> chars;
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        FT_ULong cp = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < text.size(); ++k)
            cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += length;
        if (cp != '\n')
            chars.push_back(cp);
    }
    return chars;
}

// The face-wide figures the platform sizes a face by (its cell is the
// Windows ascent plus descent) and tells a fixed pitch by.
void CompareFaces(const std::string& name, FT_Face a, FT_Face b)
{
    Same(name + " units per em", a->units_per_EM, b->units_per_EM);
    Same(name + " fixed width", FT_IS_FIXED_WIDTH(a), FT_IS_FIXED_WIDTH(b));
    auto* hheaA = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(a, FT_SFNT_HHEA));
    auto* hheaB = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(b, FT_SFNT_HHEA));
    auto* os2A = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(a, FT_SFNT_OS2));
    auto* os2B = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(b, FT_SFNT_OS2));
    if (!hheaA || !hheaB || !os2A || !os2B) {
        Fault(name + ": an hhea or OS/2 table is missing");
        return;
    }
    Same(name + " hhea ascender", hheaA->Ascender, hheaB->Ascender);
    Same(name + " hhea descender", hheaA->Descender, hheaB->Descender);
    Same(name + " usWinAscent", os2A->usWinAscent, os2B->usWinAscent);
    Same(name + " usWinDescent", os2A->usWinDescent, os2B->usWinDescent);
    // A derived face may not be named as the IPA faces are.
    const std::string family = b->family_name ? b->family_name : "";
    const std::string postscript = FT_Get_Postscript_Name(b) ? FT_Get_Postscript_Name(b) : "";
    if (family.empty() || family.find("IPA") != std::string::npos || postscript.find("IPA") != std::string::npos)
        Fault(name + ": the subset is named '" + family + "' ('" + postscript + "')");
}

// Hinted and rendered as the platform draws text; returns false when the
// glyph does not load in both.
bool CompareGlyph(const std::string& name, FT_Face a, FT_UInt indexA, FT_Face b, FT_UInt indexB)
{
    FT_Error errorA = FT_Load_Glyph(a, indexA, FT_LOAD_TARGET_MONO);
    FT_Error errorB = FT_Load_Glyph(b, indexB, FT_LOAD_TARGET_MONO);
    Same(name + " load error", errorA, errorB);
    if (errorA || errorB)
        return false;
    FT_GlyphSlot sa = a->glyph, sb = b->glyph;
    Same(name + " advance", sa->advance.x, sb->advance.x);
    Same(name + " linear advance", sa->linearHoriAdvance, sb->linearHoriAdvance);
    Same(name + " format", int(sa->format), int(sb->format));
    errorA = sa->format == FT_GLYPH_FORMAT_BITMAP ? 0 : FT_Render_Glyph(sa, FT_RENDER_MODE_MONO);
    errorB = sb->format == FT_GLYPH_FORMAT_BITMAP ? 0 : FT_Render_Glyph(sb, FT_RENDER_MODE_MONO);
    Same(name + " render error", errorA, errorB);
    if (errorA || errorB)
        return false;
    const FT_Bitmap& ba = sa->bitmap;
    const FT_Bitmap& bb = sb->bitmap;
    Same(name + " left", sa->bitmap_left, sb->bitmap_left);
    Same(name + " top", sa->bitmap_top, sb->bitmap_top);
    Same(name + " width", ba.width, bb.width);
    Same(name + " rows", ba.rows, bb.rows);
    Same(name + " pixel mode", int(ba.pixel_mode), int(bb.pixel_mode));
    if (ba.width != bb.width || ba.rows != bb.rows || ba.pixel_mode != bb.pixel_mode)
        return true;
    const size_t rowBytes = ba.pixel_mode == FT_PIXEL_MODE_MONO ? (ba.width + 7) / 8 : ba.width;
    for (unsigned r = 0; r < ba.rows; ++r) {
        if (memcmp(ba.buffer + ptrdiff_t(r) * ba.pitch, bb.buffer + ptrdiff_t(r) * bb.pitch, rowBytes) != 0) {
            Fault(name + ": pixels differ in row " + std::to_string(r));
            break;
        }
    }
    return true;
}

long ComparePair(FT_Library library, const std::vector<FT_ULong>& chars, const char* original, const char* subset)
{
    FT_Face a, b;
    if (FT_New_Face(library, original, 0, &a) != 0 || FT_New_Face(library, subset, 0, &b) != 0) {
        Fault(std::string("cannot open ") + original + " or " + subset);
        return 0;
    }
    FT_Select_Charmap(a, FT_ENCODING_UNICODE);
    FT_Select_Charmap(b, FT_ENCODING_UNICODE);
    const std::string name = subset;
    CompareFaces(name, a, b);

    // Each character's glyph in both faces; a character the original lacks
    // draws as .notdef (index 0) in both, which is compared too.
    std::vector<FT_UInt> indexA{0}, indexB{0};
    std::vector<FT_ULong> shown{0};
    for (FT_ULong cp : chars) {
        FT_UInt ia = FT_Get_Char_Index(a, cp), ib = FT_Get_Char_Index(b, cp);
        if ((ia == 0) != (ib == 0)) {
            Fault(name + ": " + CodePoint(cp) + (ib == 0 ? " is missing" : " is there but not in the original"));
            continue;
        }
        if (ia == 0)
            continue;
        indexA.push_back(ia);
        indexB.push_back(ib);
        shown.push_back(cp);
    }

    long rendered = 0;
    for (FT_UInt ppem = kSmallestPpem; ppem <= kLargestPpem; ++ppem) {
        if (FT_Set_Pixel_Sizes(a, 0, ppem) != 0 || FT_Set_Pixel_Sizes(b, 0, ppem) != 0) {
            Fault(name + ": cannot size to " + std::to_string(ppem) + " ppem");
            continue;
        }
        const std::string at = name + " at " + std::to_string(ppem) + " ppem";
        for (size_t i = 0; i < shown.size(); ++i)
            rendered += CompareGlyph(at + " " + (i == 0 ? std::string(".notdef") : CodePoint(shown[i])), a, indexA[i],
                                     b, indexB[i]);
    }
    printf("%s: %zu characters and .notdef at %u..%u ppem: %ld glyphs compared\n", subset, shown.size() - 1,
           kSmallestPpem, kLargestPpem, rendered);
    FT_Done_Face(a);
    FT_Done_Face(b);
    return rendered;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        fprintf(stderr, "usage: font_subset_check CHARS ORIGINAL SUBSET [ORIGINAL SUBSET]...\n");
        return 2;
    }
    const std::vector<FT_ULong> chars = ReadCharacters(argv[1]);
    // The game shows numbers and typed words: all of printable ASCII.
    for (FT_ULong cp = 0x20; cp < 0x7F; ++cp)
        if (std::find(chars.begin(), chars.end(), cp) == chars.end())
            Fault("the character list lacks " + CodePoint(cp));
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) {
        fprintf(stderr, "font_subset_check: no FreeType\n");
        return 1;
    }
    long rendered = 0;
    for (int i = 2; i + 1 < argc; i += 2)
        rendered += ComparePair(library, chars, argv[i], argv[i + 1]);
    FT_Done_FreeType(library);
    if (faults > 0) {
        fprintf(stderr, "font_subset_check: %d differences\n", faults);
        return 1;
    }
    if (rendered == 0) {
        fprintf(stderr, "font_subset_check: nothing compared\n");
        return 1;
    }
    printf("font_subset_check: every glyph draws the same\n");
    return 0;
}
