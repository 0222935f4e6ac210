// A popup menu's layout and pixels, in the classic look: grey face, 3-D
// edges, the chosen item navy with white text. Item texts are code page
// 932; '&' marks the mnemonic (not drawn, the next letter underlined) and
// text after '\t' is right-aligned.
#pragma once

#include <vector>

#include "user/user_private.h"

struct TextFace;

constexpr uint32_t kMenuFace = 0xC0C0C0;
constexpr uint32_t kMenuHilight = 0xFFFFFF;     // inner top-left edge
constexpr uint32_t kMenuShadow = 0x808080;      // inner bottom-right edge, grey text
constexpr uint32_t kMenuDarkShadow = 0x000000;  // outer bottom-right edge
constexpr uint32_t kMenuSelection = 0x000080;
constexpr uint32_t kMenuSelectionText = 0xFFFFFF;
constexpr uint32_t kMenuText = 0x000000;

constexpr int kMenuInset = 3;  // two edges and one pixel of face

struct MenuEntry {
    MenuItem item;
    bool enabled;  // can be chosen
    bool grayed;   // drawn grey
    int top;
    int height;
};

struct MenuView {
    std::vector<MenuEntry> entries;
    TextFace* face;  // may be null: items are drawn without text
    int width;
    int height;
    int selected;  // index or -1
    std::vector<uint32_t> pixels;
};

// Sizes the view for its entries and face, and allocates its pixels.
void MenuViewLayout(MenuView* view);
void MenuViewDraw(MenuView* view);
// The entry at (x, y) in the view, or -1.
int MenuViewEntryAt(const MenuView& view, int x, int y);
// The upper-case ASCII letter or digit after '&', or 0.
char MenuMnemonic(const std::string& text);
