// The popup menu's picture: the classic look, its items and their text.
#include <gtest/gtest.h>

#include "text/glyphs.h"
#include "user/menu_view.h"

namespace {
class MenuPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        face = TextOpenFace("ＭＳ Ｐゴシック", 12);
        view.face = face;
        view.entries = {
            MenuEntry{MenuItem{SC_MINIMIZE, MF_STRING, "最小化(&N)"}, true, true, 0, 0},
            MenuEntry{MenuItem{0, MF_SEPARATOR, ""}, false, false, 0, 0},
            MenuEntry{MenuItem{3000, MF_STRING, "バージョン情報(&V)"}, true, false, 0, 0},
            MenuEntry{MenuItem{SC_CLOSE, MF_STRING, "閉じる(&C)\tAlt+F4"}, true, false, 0, 0},
        };
        view.selected = 2;
        MenuViewLayout(&view);
        MenuViewDraw(&view);
    }

    void TearDown() override
    {
        if (face)
            TextCloseFace(face);
    }

    uint32_t At(int x, int y) const { return view.pixels[static_cast<size_t>(y) * view.width + x]; }

    // How many pixels of `colour` lie across the entry from x = left to right.
    int CountIn(int index, int left, int right, uint32_t colour, int top = 0, int height = 0) const
    {
        const MenuEntry& entry = view.entries[static_cast<size_t>(index)];
        int count = 0;
        for (int y = entry.top + top; y < entry.top + (height ? top + height : entry.height); ++y)
            for (int x = left; x < right; ++x)
                count += At(x, y) == colour;
        return count;
    }

    TextFace* face = nullptr;
    MenuView view{};
};
}  // namespace

TEST_F(MenuPicture, HasRaisedEdgesANavySelectionAGrooveAndEngravedGreyItems)
{
    ASSERT_GE(view.width, 100);
    int w = view.width, h = view.height;
    const MenuEntry& separator = view.entries[1];
    const MenuEntry& chosen = view.entries[2];
    EXPECT_EQ(At(0, 0), kMenuFace);
    EXPECT_EQ(At(1, 1), kMenuHilight);
    EXPECT_EQ(At(w - 1, h - 1), kMenuDarkShadow);
    EXPECT_LT(separator.height, chosen.height) << "a separator is thin";
    EXPECT_EQ(At(kMenuInset, chosen.top), kMenuSelection);
    EXPECT_EQ(At(kMenuInset, view.entries[0].top), kMenuFace) << "other items keep the face";
    EXPECT_EQ(At(1, chosen.top), kMenuHilight) << "the selection stays inside the edges";
    int middle = separator.top + separator.height / 2 - 1;
    EXPECT_EQ(At(w / 2, middle), kMenuShadow) << "the separator's groove";
    EXPECT_EQ(At(w / 2, middle + 1), kMenuHilight);

    EXPECT_EQ(MenuViewEntryAt(view, 10, chosen.top + chosen.height - 1), 2);
    EXPECT_EQ(MenuViewEntryAt(view, 1, chosen.top), -1) << "on the edge";
    EXPECT_EQ(MenuViewEntryAt(view, 10, h - 1), -1);

    EXPECT_EQ(CountIn(0, kMenuInset, w - kMenuInset, kMenuText), 0) << "greyed: no black text";
    if (face) {
        EXPECT_GT(CountIn(0, kMenuInset, w - kMenuInset, kMenuShadow), 10);
        EXPECT_GT(CountIn(0, kMenuInset, w - kMenuInset, kMenuHilight), 10);
    }

    EXPECT_EQ(MenuMnemonic("閉じる(&c)\tAlt+F4"), 'C');
    EXPECT_EQ(MenuMnemonic("A&&B"), 0);
    EXPECT_EQ(MenuMnemonic("x\t&Y"), 0) << "not in the accelerator";
}

TEST_F(MenuPicture, DrawsLabelsAcceleratorsAndMnemonicUnderlines)
{
    if (!face)
        GTEST_SKIP() << "no Japanese face installed";
    int w = view.width;
    EXPECT_GT(CountIn(2, kMenuInset, w, kMenuSelectionText), 10) << "white text on the selection";

    // The label at the left, the accelerator at the right, a gap between.
    int gapLeft = kMenuInset + 16 + TextMeasure(face, "閉じる(C)", 9) + 1;
    int gapRight = w - kMenuInset - 16 - TextMeasure(face, "Alt+F4", 6) - 1;
    ASSERT_LT(gapLeft, gapRight);
    EXPECT_GT(CountIn(3, kMenuInset, gapLeft, kMenuText), 10);
    EXPECT_EQ(CountIn(3, gapLeft, gapRight, kMenuText), 0);
    EXPECT_GT(CountIn(3, gapRight, w - kMenuInset, kMenuText), 5);

    // '&' is not drawn and the letter after it is underlined: a solid run
    // under "C" one pixel below the baseline.
    const MenuEntry& close = view.entries[3];
    int underline = (close.height - TextCellHeight(face)) / 2 + TextAscent(face) + 1;
    int start = kMenuInset + 16 + TextMeasure(face, "閉じる(", 7);
    int letter = TextMeasure(face, "C", 1);
    EXPECT_EQ(CountIn(3, start, start + letter, kMenuText, underline, 1), letter);
    EXPECT_EQ(CountIn(3, kMenuInset + 16, start - 1, kMenuText, underline, 1), 0) << "only the mnemonic";
}
