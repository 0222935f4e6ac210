// Helpers for the GDI text tests: the game's font description, a font
// selected into a DC for a test's span, and pixel snapshots to compare.
#pragma once

#include <windows.h>

#include <cstring>
#include <vector>

#include "conformance/gdi_surfaces.h"

namespace text_gdi_test {

// The fixed-pitch Japanese face the game asks for.
const char kMincho[] = "ＭＳ 明朝";

// A description like the game's: Shift-JIS "ＭＳ 明朝", draft quality.
inline LOGFONTA GameFont(int height, const char* face = kMincho)
{
    LOGFONTA description;
    std::memset(&description, 0, sizeof description);
    description.lfHeight = height;
    description.lfWeight = FW_DONTCARE;
    description.lfCharSet = SHIFTJIS_CHARSET;
    description.lfOutPrecision = OUT_DEVICE_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DRAFT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::strncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return description;
}

// Creates a font and selects it into `dc`; puts the old font back and
// deletes this one at the end.
class SelectedFont {
public:
    SelectedFont(HDC dc, const LOGFONTA& description) : dc_(dc), font_(CreateFontIndirectA(&description))
    {
        previous_ = SelectObject(dc_, font_);
    }
    ~SelectedFont()
    {
        SelectObject(dc_, previous_);
        DeleteObject(font_);
    }
    SelectedFont(const SelectedFont&) = delete;
    SelectedFont& operator=(const SelectedFont&) = delete;

    bool valid() const { return font_ != nullptr && previous_ != nullptr; }

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

inline SIZE Extent(HDC dc, const char* text, int count = -1)
{
    SIZE size = {-1, -1};
    GetTextExtentPoint32A(dc, text, count < 0 ? int(std::strlen(text)) : count, &size);
    return size;
}

// Every pixel of a 32 bpp surface, row by row from the top.
inline std::vector<uint32_t> Snapshot(const gdi_test::DibSurface& surface, int width, int height)
{
    std::vector<uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(surface.pixel(x, y));
    return pixels;
}

}  // namespace text_gdi_test
