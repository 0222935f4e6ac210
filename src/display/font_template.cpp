#include "display/font_template.h"

LOGFONTA fontTemplate = {
    80,                  // lfHeight: set by each user
    0,                   // lfWidth
    0,                   // lfEscapement
    0,                   // lfOrientation
    FW_DONTCARE,         // lfWeight
    0,                   // lfItalic
    0,                   // lfUnderline
    0,                   // lfStrikeOut
    SHIFTJIS_CHARSET,    // lfCharSet
    OUT_DEVICE_PRECIS,   // lfOutPrecision
    CLIP_DEFAULT_PRECIS, // lfClipPrecision
    DRAFT_QUALITY,       // lfQuality
    DEFAULT_PITCH | FF_DONTCARE,
    "ＭＳ 明朝",
};
