// What the dialogs look like: the grey face, the icons, push buttons
// raised, pressed, default and disabled, radio buttons, and static text
// centred and wrapped. Pixels are read back through the dialog's DC after
// the dialog has painted itself.
#include "user_dialog_fixture.h"

namespace {
const COLORREF kFace = RGB(192, 192, 192);
const COLORREF kLight = RGB(223, 223, 223);
const COLORREF kShadow = RGB(128, 128, 128);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

COLORREF At(HWND dialog, int x, int y)
{
    return GetPixel(GetDC(dialog), x, y);
}

int CountIn(HWND dialog, const RECT& rect, COLORREF colour)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            count += At(dialog, x, y) == colour;
    return count;
}
}  // namespace

class UserDialogPaint : public UserDialogTest {
protected:
    // Runs the dialog; `look` runs once it is shown and painted.
    void Show(int id, std::function<void(HWND)> prepare, std::function<void(HWND)> look)
    {
        Handler() = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
            if (message == WM_INITDIALOG) {
                if (prepare)
                    prepare(dialog);
                PostMessageA(dialog, WM_USER, 0, 0);
                return TRUE;
            }
            if (message == WM_USER) {
                UpdateWindow(dialog);
                look(dialog);
                EndDialog(dialog, 1);
            }
            return FALSE;
        };
        EXPECT_EQ(Run(id), 1);
    }
};

TEST_F(UserDialogPaint, TheSystemQuestionIconAndTheProgramsIconAreDrawnOnTheFace)
{
    Show(kQuit, nullptr, [](HWND dialog) {
        // A blue disc with a white question mark, the face around it.
        EXPECT_EQ(At(dialog, 0, 0), kFace);
        EXPECT_EQ(At(dialog, 5, 16), RGB(0x20, 0x58, 0xD0));
        EXPECT_EQ(At(dialog, 15, 9), kWhite);
        EXPECT_EQ(At(dialog, 16, 21), kWhite) << "the dot";
        EXPECT_EQ(At(dialog, 40, 40), kFace);
    });
    Show(kAbout, nullptr, [](HWND dialog) {
        // Icon 101 as the resource has it, rows top-down.
        EXPECT_EQ(At(dialog, 0, 0), kBlack);
        EXPECT_EQ(At(dialog, 16, 16), kWhite);
        EXPECT_EQ(At(dialog, 16, 8), RGB(0, 0, 255));
        EXPECT_EQ(At(dialog, 6, 16), RGB(255, 0, 0));
    });
}

TEST_F(UserDialogPaint, PushButtonsRiseSinkAndGreyAndARadioButtonShowsItsCheckAsADot)
{
    auto prepare = [](HWND dialog) { CheckRadioButton(dialog, kNormal, kFull, kVga); };
    Show(kScreenSize, prepare, [&](HWND dialog) {
        HWND ok = GetDlgItem(dialog, IDOK), cancel = GetDlgItem(dialog, IDCANCEL);
        RECT o = InDialog(dialog, ok), c = InDialog(dialog, cancel);
        // OK has the focus: a black frame, the raised edge inside, a dotted
        // focus rectangle.
        EXPECT_EQ(At(dialog, o.left, o.top), kBlack);
        EXPECT_EQ(At(dialog, o.left + 1, o.top + 1), kLight);
        EXPECT_EQ(At(dialog, o.left + 4, o.top + 4), kBlack) << "the focus rectangle";
        // 取消: raised only, with its text.
        EXPECT_EQ(At(dialog, c.left, c.top), kLight);
        EXPECT_EQ(At(dialog, c.left + 1, c.top + 1), kWhite);
        EXPECT_EQ(At(dialog, c.right - 2, c.bottom - 2), kShadow);
        EXPECT_GT(CountIn(dialog, RECT{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2}, kBlack), 10);

        // Held down: it takes the focus (and the default frame) and sinks.
        SendMessageA(cancel, WM_LBUTTONDOWN, 0x0001, MAKELPARAM(3, 3));
        UpdateWindow(dialog);
        EXPECT_EQ(UserFocusWindow(), cancel);
        EXPECT_EQ(At(dialog, c.left, c.top), kBlack);
        EXPECT_EQ(At(dialog, c.left + 1, c.top + 1), kShadow);
        EXPECT_EQ(At(dialog, o.left, o.top), kLight) << "OK is no longer the default";
        // Released away from it: no click, raised again.
        SendMessageA(cancel, WM_LBUTTONUP, 0, MAKELPARAM(-4, 3));
        UpdateWindow(dialog);
        EXPECT_EQ(At(dialog, c.left + 1, c.top + 1), kLight);
        EXPECT_TRUE(DialogOnly(WM_COMMAND).empty());

        // Disabled: grey embossed text, nothing black inside.
        EnableWindow(ok, FALSE);
        UpdateWindow(dialog);
        RECT inside{o.left + 3, o.top + 3, o.right - 3, o.bottom - 3};
        EXPECT_EQ(CountIn(dialog, inside, kBlack), 0);
        EXPECT_GT(CountIn(dialog, inside, kShadow), 10);

        // The checked radio button's dot in its sunken circle.
        RECT normal = InDialog(dialog, GetDlgItem(dialog, kNormal));
        RECT vga = InDialog(dialog, GetDlgItem(dialog, kVga));
        int middle = (normal.bottom - normal.top - 12) / 2 + 5;
        EXPECT_EQ(At(dialog, vga.left + 5, vga.top + middle), kBlack);
        EXPECT_EQ(At(dialog, vga.left + 5, vga.top + middle - 5), kShadow) << "the sunken rim";
        EXPECT_GT(CountIn(dialog, RECT{vga.left + 16, vga.top, vga.right, vga.bottom}, kBlack), 10) << "its text";
    });
}

TEST_F(UserDialogPaint, StaticTextIsCentredOrWrappedOnTheFace)
{
    Show(
        kQuit, [](HWND dialog) { SetDlgItemTextA(dialog, 3017, "終了"); },
        [](HWND dialog) {
            RECT text = InDialog(dialog, GetDlgItem(dialog, 3017));
            int first = -1, last = -1;
            for (int x = text.left; x < text.right; ++x)
                for (int y = text.top; y < text.bottom; ++y)
                    if (At(dialog, x, y) == kBlack) {
                        first = first < 0 ? x : first;
                        last = x;
                    }
            ASSERT_GE(first, 0);
            EXPECT_LE(abs((first - text.left) - (text.right - 1 - last)), 3) << "centred";
        });
    Show(
        kAbout,
        [](HWND dialog) {
            HWND line = GetDlgItem(dialog, 3002);
            RECT rect = InDialog(dialog, line);
            SetWindowPos(line, nullptr, 0, 0, rect.right - rect.left, 60, SWP_NOMOVE | SWP_NOZORDER);
            SetDlgItemTextA(dialog, 3002, "wrap wrap wrap wrap wrap wrap wrap wrap");
        },
        [](HWND dialog) {
            RECT rect = InDialog(dialog, GetDlgItem(dialog, 3002));
            SIZE cell;
            GetTextExtentPoint32A(GetDC(dialog), "", 0, &cell);
            EXPECT_GT(CountIn(dialog, RECT{rect.left, rect.top, rect.right, rect.top + cell.cy}, kBlack), 20);
            EXPECT_GT(CountIn(dialog, RECT{rect.left, rect.top + cell.cy, rect.right, rect.top + 2 * cell.cy}, kBlack),
                      20)
                << "a second line";
        });
}
