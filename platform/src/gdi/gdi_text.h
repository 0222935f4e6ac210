// GDI's text output as USER's DrawTextA needs it beyond TextOutA: output
// clipped to a rectangle (ExtTextOut with ETO_CLIPPED) and the line under
// a mnemonic character. Also the face a font object stands for.
#pragma once

#include "win32_private.h"

struct GdiFont;
struct TextFace;

// The glyph engine's face for a font, opened on first use and kept with
// the font until it is freed; null when no face can be loaded.
TextFace* GdiFontFace(GdiFont* font);

// TextOutA with the output, background included, limited to `clip` when
// it is not null.
BOOL GdiTextOutClipped(HDC dc, int x, int y, const RECT* clip, LPCSTR text, int count);

// A one-pixel line in the text colour from x0 up to x1 (excluded) on the
// row just below the baseline of text whose cell top is at cellTop;
// limited to `clip` when it is not null.
BOOL GdiTextUnderline(HDC dc, int x0, int x1, int cellTop, const RECT* clip);
