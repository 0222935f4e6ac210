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
            MenuEntry{MenuItem{SC_MINIMIZE, MF_STRING, "最小化(&N)"}, true, false, 0, 0},
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

    // How many pixels of `colour` lie in the rectangle.
    int CountIn(int left, int top, int right, int bottom, uint32_t colour) const
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += At(x, y) == colour;
        return count;
    }

    const MenuEntry& Entry(int index) const { return view.entries[static_cast<size_t>(index)]; }

    TextFace* face = nullptr;
    MenuView view{};
};
}  // namespace

TEST_F(MenuPicture, HasRaisedEdgesAGreyFaceAndANavySelection)
{
    ASSERT_GE(view.width, 100);
    ASSERT_EQ(view.pixels.size(), static_cast<size_t>(view.width) * view.height);
    int w = view.width, h = view.height;
    EXPECT_EQ(At(0, 0), kMenuFace);
    EXPECT_EQ(At(1, 1), kMenuHilight);
    EXPECT_EQ(At(w - 1, h - 1), kMenuDarkShadow);
    EXPECT_EQ(At(w - 2, h - 2), kMenuShadow);
    EXPECT_EQ(At(w - 1, 5), kMenuDarkShadow);

    EXPECT_EQ(Entry(0).top, kMenuInset);
    EXPECT_EQ(Entry(1).top, Entry(0).top + Entry(0).height);
    EXPECT_EQ(h, Entry(3).top + Entry(3).height + kMenuInset);
    EXPECT_LT(Entry(1).height, Entry(0).height) << "a separator is thin";

    const MenuEntry& chosen = Entry(2);
    EXPECT_EQ(At(kMenuInset, chosen.top), kMenuSelection);
    EXPECT_EQ(At(w - kMenuInset - 1, chosen.top + chosen.height - 1), kMenuSelection);
    EXPECT_EQ(At(kMenuInset, Entry(0).top), kMenuFace) << "other items keep the face";
    EXPECT_EQ(At(1, chosen.top), kMenuHilight) << "the selection stays inside the edges";
    EXPECT_EQ(At(2, chosen.top), kMenuFace);

    int middle = Entry(1).top + Entry(1).height / 2 - 1;
    EXPECT_EQ(At(w / 2, middle), kMenuShadow) << "the separator's groove";
    EXPECT_EQ(At(w / 2, middle + 1), kMenuHilight);

    EXPECT_EQ(MenuViewEntryAt(view, 10, chosen.top), 2);
    EXPECT_EQ(MenuViewEntryAt(view, 10, chosen.top + chosen.height - 1), 2);
    EXPECT_EQ(MenuViewEntryAt(view, 10, Entry(3).top), 3);
    EXPECT_EQ(MenuViewEntryAt(view, 1, chosen.top), -1) << "on the edge";
    EXPECT_EQ(MenuViewEntryAt(view, 10, h - 1), -1);
}

TEST_F(MenuPicture, DrawsLabelsAcceleratorsAndMnemonicUnderlines)
{
    if (!face)
        GTEST_SKIP() << "no Japanese face installed";
    int w = view.width;
    const MenuEntry& first = Entry(0);
    const MenuEntry& chosen = Entry(2);
    const MenuEntry& close = Entry(3);
    EXPECT_GT(CountIn(kMenuInset, first.top, w / 2, first.top + first.height, kMenuText), 10) << "black label";
    EXPECT_GT(CountIn(kMenuInset, chosen.top, w, chosen.top + chosen.height, kMenuSelectionText), 10)
        << "white text on the selection";

    // The accelerator sits at the right, the label at the left.
    int labelWidth = TextMeasure(face, "閉じる(C)", 9);
    int acceleratorWidth = TextMeasure(face, "Alt+F4", 6);
    EXPECT_GE(w, labelWidth + acceleratorWidth + 2 * kMenuInset);
    int gapLeft = kMenuInset + 16 + labelWidth + 1;
    int gapRight = w - kMenuInset - 16 - acceleratorWidth - 1;
    ASSERT_LT(gapLeft, gapRight);
    EXPECT_EQ(CountIn(gapLeft, close.top, gapRight, close.top + close.height, kMenuText), 0) << "a gap between";
    EXPECT_GT(CountIn(gapRight, close.top, w - kMenuInset, close.top + close.height, kMenuText), 5);

    // '&' is not drawn and the letter after it is underlined: a solid run
    // under "C" one pixel below the baseline.
    int textTop = close.top + (close.height - TextCellHeight(face)) / 2;
    int underline = textTop + TextAscent(face) + 1;
    int start = kMenuInset + 16 + TextMeasure(face, "閉じる(", 7);
    int letter = TextMeasure(face, "C", 1);
    EXPECT_EQ(CountIn(start, underline, start + letter, underline + 1, kMenuText), letter);
    EXPECT_EQ(CountIn(kMenuInset + 16, underline, start - 1, underline + 1, kMenuText), 0) << "only the mnemonic";
}

TEST_F(MenuPicture, GreyedItemsAreEngravedAndMnemonicsAreFound)
{
    view.entries[0].grayed = true;
    view.selected = -1;
    MenuViewDraw(&view);
    const MenuEntry& first = Entry(0);
    int right = view.width - kMenuInset;
    EXPECT_EQ(CountIn(kMenuInset, first.top, right, first.top + first.height, kMenuText), 0);
    if (face) {
        EXPECT_GT(CountIn(kMenuInset, first.top, right, first.top + first.height, kMenuShadow), 10);
        EXPECT_GT(CountIn(kMenuInset, first.top, right, first.top + first.height, kMenuHilight), 10);
    }
    EXPECT_EQ(MenuMnemonic("最小化(&N)"), 'N');
    EXPECT_EQ(MenuMnemonic("閉じる(&c)\tAlt+F4"), 'C');
    EXPECT_EQ(MenuMnemonic("A&&B"), 0);
    EXPECT_EQ(MenuMnemonic("x\t&Y"), 0) << "not in the accelerator";
}
