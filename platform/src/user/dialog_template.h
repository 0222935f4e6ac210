// Dialog templates (RT_DIALOG resources) in the extended form (DIALOGEX,
// DLGTEMPLATEEX), the form of every template the game has, read into
// plain structures with the texts in code page 932.
#pragma once

#include <string>
#include <vector>

#include "win32_private.h"

// A name or title field: absent, an ordinal (0xFFFF, id) or a string.
struct DialogName {
    bool present;
    bool isOrdinal;
    WORD ordinal;
    std::string text;  // code page 932
};

constexpr WORD kDialogClassButton = 0x0080;
constexpr WORD kDialogClassStatic = 0x0082;

struct DialogItemTemplate {
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;  // dialog units
    int id;
    DialogName windowClass;
    DialogName title;  // an ordinal for icons: the icon's resource id
};

struct DialogTemplate {
    DWORD exStyle;
    DWORD style;
    short x, y, cx, cy;
    DialogName menu;
    DialogName windowClass;
    std::string title;  // code page 932
    // The font block, present with DS_SETFONT.
    bool hasFont;
    WORD pointSize;
    WORD weight;
    BYTE italic;
    BYTE charset;
    std::string faceName;  // code page 932
    std::vector<DialogItemTemplate> items;
};

// Reads `size` bytes of template. False when the data is not an extended
// template (the old DIALOG form is not read) or is cut short or damaged
// anywhere: nothing is read beyond `size`.
bool DialogParseTemplate(const BYTE* data, size_t size, DialogTemplate* out);
