// Cell heights for a character (em) height, as GDI sizes a font whose
// lfHeight is negative: the em is `emHeight` pixels and the cell is the
// face's Windows ascent plus descent at that scale.
#include "text/text_internal.h"

namespace {

// The cell height of `face`'s font file at `ppem` pixels per em, or 0.
int CellAtPpem(const TextFace* face, long ppem)
{
    FT_Face ft = TextFtFace(face);
    if (!FT_IS_SCALABLE(ft))
        return 0;
    const TextCellUnits units = TextWindowsCell(ft);
    long cell = (ppem * units.total + units.em / 2) / units.em;
    return cell < 1 ? 1 : int(cell);
}

}  // namespace

int TextCellForEmHeight(const char* faceNameCp932, int emHeight)
{
    // Large enough for any cell the engine opens, small enough not to overflow.
    constexpr int kLargestEm = 1 << 16;
    if (emHeight <= 0)
        return 0;
    if (emHeight > kLargestEm)
        emHeight = kLargestEm;
    // Any size of the face tells its design metrics; the em height itself
    // is the size most likely to be wanted again.
    TextFace* probe = TextOpenFace(faceNameCp932, emHeight < 1024 ? emHeight : 1024);
    if (!probe)
        return 0;
    int cell = CellAtPpem(probe, emHeight);
    TextCloseFace(probe);
    // Bitmap-only faces have no design metrics: the em stands for the cell.
    return cell > 0 ? cell : emHeight;
}
