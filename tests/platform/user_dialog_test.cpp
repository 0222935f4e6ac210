// The program's dialogs from their templates, and damaged templates.
#include <cstring>

#include "kernel/resource.h"
#include "platform/user_fixture.h"
#include "user/dialog.h"
#include "user/dialog_template.h"

namespace {
constexpr int kAbout = 102, kBenchmark = 103, kQuit = 104, kScreenSize = 105;
constexpr int kNormal = 3019, kVga = 3020, kFull = 3021;
}  // namespace

// Each test's script runs from WM_INITDIALOG of a dialog of `owner`.
class UserDialog : public UserTest {
protected:
    static inline std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> script;
    static inline std::vector<SeenMessage> dialogSeen;

    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        dialogSeen.push_back(SeenMessage{dialog, message, wParam, lParam});
        return script ? script(dialog, message, wParam, lParam) : FALSE;
    }
    void SetUp() override
    {
        UserTest::SetUp();
        dialogSeen.clear();
        script = nullptr;
        owner = Open(kFramed, 320, 200);
    }
    INT_PTR Run(int id, HWND by = nullptr)
    {
        return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), by ? by : owner, Procedure, 0);
    }
    static std::vector<int> Commands()
    {
        std::vector<int> ids;
        for (const SeenMessage& seen : dialogSeen)
            if (seen.message == WM_COMMAND)
                ids.push_back(LOWORD(seen.wParam));
        return ids;
    }
    // A control's rect in its dialog's client area.
    static RECT InDialog(HWND dialog, HWND control)
    {
        RECT rect, client = UserGetWindow(dialog)->client;
        GetWindowRect(control, &rect);
        return RECT{rect.left - client.left, rect.top - client.top, rect.right - client.left, rect.bottom - client.top};
    }

    HWND owner = nullptr;
};

// Tab, Space, Enter, arrows, mnemonics, Esc; disabled controls skipped; focus kept on reactivation.
TEST_F(UserDialog, TheKeyboard)
{
    bool again = false;  // the focus was taken away and given back
    int clicks = 0;      // a click on the dialog's face ends the typing
    script = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            for (UINT key : {VK_SPACE, VK_TAB, VK_SPACE, VK_TAB, VK_SPACE, VK_TAB, VK_SPACE})
                Press(dialog, key);  // OK, 取消, 標準サイズ, round to OK
            Press(dialog, VK_TAB, nullptr, VK_SHIFT);
            Press(dialog, VK_SPACE);  // 標準サイズ
            Press(dialog, VK_TAB, nullptr, VK_SHIFT);
            Press(dialog, VK_RETURN);  // 取消
            for (UINT key : {VK_DOWN, VK_RIGHT, VK_UP})
                Press(dialog, key);  // 標準サイズ (checked already), 640x480, 標準サイズ
            Press(dialog, 'Z', nullptr, VK_MENU);
            Press(dialog, 'V', nullptr, VK_MENU);
            Press(dialog, 'F');  // here 取消 and 640x480 are disabled
            Press(dialog, 'V', nullptr, VK_MENU);
            Press(dialog, VK_UP);  // past 640x480
            PlatformInjectClick(dialog, 1, 1);
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kFull) {
            EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
            EnableWindow(GetDlgItem(dialog, kVga), FALSE);
        }
        if (message == WM_COMMAND && Commands().size() == 11 && !again) {
            again = true;
            PlatformInjectActivation(dialog, FALSE);
            PlatformInjectActivation(dialog, TRUE);
            Press(dialog, VK_SPACE);
            Press(dialog, VK_ESCAPE);
            PlatformInjectClick(dialog, 1, 1);
        }
        if (message == WM_LBUTTONUP && (!again || ++clicks == 2))
            EndDialog(dialog, 0);
        return message == WM_INITDIALOG;
    };
    Run(kScreenSize);
    EXPECT_EQ(Commands(), (std::vector<int>{IDOK, IDCANCEL, kNormal, IDOK, kNormal, IDCANCEL, kVga, kNormal, kVga,
                                            kFull, kNormal, kNormal, IDCANCEL}));
}

// Dialog units are the font's base units; the dialog sits at its owner's client origin.
TEST_F(UserDialog, DialogsAreSizedInTheUnitsOfTheirFont)
{
    const struct {
        int id, points, width, height, control, x, y, cx, cy;  // the control's place in units
        const char* title;
    } dialogs[] = {{kScreenSize, 9, 128, 52, IDCANCEL, 72, 32, 50, 14, "画面サイズ設定"},
                   {kQuit, 10, 141, 47, 3018, 97, 31, 40, 12, "確認"}};
    SetWindowPos(owner, nullptr, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (const auto& expected : dialogs) {
        LOGFONTA description = {};
        description.lfHeight = -(expected.points * 96 + 36) / 72;
        description.lfCharSet = SHIFTJIS_CHARSET;
        strcpy(description.lfFaceName, "ＭＳ Ｐゴシック");
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(dc, CreateFontIndirectA(&description));
        SIZE letters;
        GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
        DeleteObject(SelectObject(dc, previous));
        DeleteDC(dc);
        const int baseX = (letters.cx / 26 + 1) / 2, baseY = letters.cy;
        auto across = [&](int units) { return (units * baseX + 2) / 4; };
        auto down = [&](int units) { return (units * baseY + 4) / 8; };
        script = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
            if (message != WM_INITDIALOG)
                return FALSE;
            const RECT &at = UserGetWindow(dialog)->client, &ownerAt = UserGetWindow(owner)->client;
            const int x = across(expected.x), y = down(expected.y);
            EXPECT_EQ(surfaces::Str(at),
                      surfaces::Str(RECT{ownerAt.left, ownerAt.top, ownerAt.left + across(expected.width),
                                         ownerAt.top + down(expected.height)}));
            EXPECT_EQ(surfaces::Str(InDialog(dialog, GetDlgItem(dialog, expected.control))),
                      surfaces::Str(RECT{x, y, x + across(expected.cx), y + down(expected.cy)}));
            EXPECT_EQ(UserGetWindow(dialog)->text, expected.title);
            return EndDialog(dialog, 1) && false;
        };
        EXPECT_EQ(Run(expected.id), 1);
    }
}

// Clicks on every kind of control; the close box and WM_CLOSE give IDCANCEL, the owner's nothing.
TEST_F(UserDialog, ClicksAndTheCloseBox)
{
    script = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        Window* window = UserGetWindow(dialog);
        if (message == WM_INITDIALOG) {
            EnableWindow(window->children[3], FALSE);  // the second button with id 1
            for (HWND control : {GetDlgItem(dialog, 3017), window->children[3], window->children[0]})
                PlatformInjectClick(control, 4, 4);  // the text, the disabled button, the icon
            PlatformInjectClick(GetDlgItem(dialog, 3018), 3, 3);
            PlatformInjectClick(dialog, InDialog(dialog, GetDlgItem(dialog, 3018)).right - 2, 2);  // the face
        }
        if (message == WM_LBUTTONUP && HIWORD(lParam) == 2)
            EndDialog(dialog, 0);  // the clicks are over
        if (message == WM_COMMAND) {
            EXPECT_TRUE(UserFocusWindow() == GetDlgItem(dialog, 3018) && wParam == MAKEWPARAM(3018, kButtonClicked));
            EndDialog(dialog, LOWORD(wParam) + 100);
        }
        return message == WM_INITDIALOG;
    };
    EXPECT_TRUE(Run(kQuit) == 3118 && Commands().size() == 1);

    dialogSeen.clear();
    std::vector<UINT> checks;
    script = [&](HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            EXPECT_TRUE(CheckRadioButton(dialog, IDOK, kFull, kNormal)) << "push buttons in the range";
            PlatformInjectClick(GetDlgItem(dialog, kFull), 20, 4);  // on its text
            PlatformInjectClick(dialog, 1, 2);
        }
        if (message == WM_LBUTTONUP && HIWORD(lParam) == 2)
            EndDialog(dialog, 0);
        if (message == WM_COMMAND && LOWORD(wParam) == kFull) {
            for (int id : {IDOK, IDCANCEL, kNormal, kVga, kFull})
                checks.push_back(IsDlgButtonChecked(dialog, id));
            PlatformInjectCloseBox(dialog);
            PlatformInjectCloseBox(owner);
        }
        if (message == WM_COMMAND && Commands().size() == 2)
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        if (message == WM_COMMAND && Commands().size() == 3)
            EndDialog(dialog, 7);
        return message == WM_INITDIALOG;
    };
    EXPECT_EQ(Run(kScreenSize), 7);
    EXPECT_EQ(checks, (std::vector<UINT>{0, 0, 0, 0, BST_CHECKED}));
    EXPECT_EQ(Commands(), (std::vector<int>{kFull, IDCANCEL, IDCANCEL}));
    EXPECT_TRUE(IsWindow(owner));
}

// The owner's messages dispatched (keys to the dialog); WM_QUIT ends it and is posted again.
TEST_F(UserDialog, TheModalLoopAndItsEnds)
{
    HWND shown = nullptr;
    handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
        return window == owner && message == WM_PAINT && shown && EndDialog(shown, 9) && false;
    };
    PostMessageA(owner, WM_USER, 7, 0);
    InvalidateRect(owner, nullptr, TRUE);
    Press(owner, 'V', nullptr, VK_MENU);
    script = [&](HWND dialog, UINT, WPARAM, LPARAM) -> INT_PTR { return (shown = dialog) == nullptr; };
    EXPECT_EQ(Run(kScreenSize), 9);
    EXPECT_TRUE(Count(WM_USER, owner) == 1 && Count(WM_SYSKEYDOWN, owner) == 0);
    EXPECT_EQ(Commands(), (std::vector<int>{kVga})) << "Alt+V reached the dialog";
    handler = nullptr;
    script = [](HWND, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            PostQuitMessage(3);
        return FALSE;
    };
    EXPECT_EQ(Run(kAbout), 0);
    EXPECT_TRUE(IsWindowEnabled(owner) && GetActiveWindow() == owner);
    const MSG quit = Next();
    EXPECT_TRUE(quit.message == WM_QUIT && quit.wParam == 3);
    EXPECT_TRUE(DialogBoxParamA(nullptr, "NAMED", owner, Procedure, 0) == -1 &&
                Run(kAbout, reinterpret_cast<HWND>(0x7777)) == 0 && !EndDialog(owner, 1));
    script = [&](HWND dialog, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG)
            PostMessageA(dialog, WM_USER, 0, 0);
        return message == WM_USER && DestroyWindow(owner) && false;
    };
    EXPECT_TRUE(Run(kBenchmark) == 0 && !IsWindow(owner) && dialogSeen.back().message == WM_DESTROY);
}

// The icons, the default button, a disabled button's grey text, a radio button's dot.
TEST_F(UserDialog, WhatTheDialogsLookLike)
{
    const COLORREF shadow = RGB(128, 128, 128), white = RGB(255, 255, 255);
    HWND dialog = nullptr;
    auto at = [&](int x, int y) { return GetPixel(GetDC(dialog), x, y); };
    std::function<void()> look;
    script = [&](HWND shown, UINT message, WPARAM, LPARAM) -> INT_PTR {
        if (message == WM_USER) {
            UpdateWindow(dialog = shown);
            look();
            EndDialog(shown, 1);
        }
        return message == WM_INITDIALOG && PostMessageA(shown, WM_USER, 0, 0);
    };
    look = [&] {
        EXPECT_TRUE(at(0, 0) == RGB(192, 192, 192) && at(5, 16) == RGB(0x20, 0x58, 0xD0) && at(15, 9) == white &&
                    at(16, 21) == white)
            << "a white question mark on a blue disc";
    };
    EXPECT_EQ(Run(kQuit), 1);
    look = [&] {
        EXPECT_TRUE(at(0, 0) == 0 && at(16, 16) == white && at(16, 8) == RGB(0, 0, 255) && at(6, 16) == RGB(255, 0, 0))
            << "icon 101 as the resource has it";
    };
    EXPECT_EQ(Run(kAbout), 1);
    look = [&] {
        CheckRadioButton(dialog, kNormal, kFull, kVga);
        const RECT o = InDialog(dialog, GetDlgItem(dialog, IDOK)), c = InDialog(dialog, GetDlgItem(dialog, IDCANCEL));
        const RECT vga = InDialog(dialog, GetDlgItem(dialog, kVga));
        EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
        UpdateWindow(dialog);
        EXPECT_TRUE(at(o.left, o.top) == 0 && at(o.left + 1, o.top + 1) == RGB(223, 223, 223) &&
                    at(o.left + 4, o.top + 4) == 0 && at(c.left, c.top) != 0);
        const int middle = vga.top + (vga.bottom - vga.top - 12) / 2 + 5;
        EXPECT_TRUE(at(vga.left + 4, middle) == 0 && at(vga.left + 5, middle - 5) == shadow) << "the dot, the rim";
        int grey = 0;
        for (int y = c.top + 3; y < c.bottom - 3; ++y)
            for (int x = c.left + 3; x < c.right - 3; ++x)
                grey += at(x, y) == shadow ? 1 : at(x, y) == 0 ? -1000 : 0;
        EXPECT_GT(grey, 10) << "disabled: grey text, no black";
    };
    EXPECT_TRUE(Run(kScreenSize) == 1 && Commands().empty());
}

// Cut, overcounted, unterminated or old-form (no DIALOGEX signature) templates are refused.
TEST(UserDialogTemplate, WholeTemplatesAreReadAndDamagedOnesRefused)
{
    DialogTemplate parsed;
    for (int id : {kAbout, kBenchmark, kQuit, kScreenSize}) {
        DWORD size = 0;
        const BYTE* data = ResourceFind(kResourceDialog, MAKEINTRESOURCEA(id), &size);
        ASSERT_NE(data, nullptr);
        std::vector<BYTE> bytes(data, data + size);
        size_t end = bytes.size();  // trailing padding may go
        while (end > 0 && bytes[end - 1] == 0 && end % 2 == 0 && bytes.size() - end < 3)
            --end;
        for (size_t cut = 0; cut + 2 < end; ++cut)
            EXPECT_FALSE(DialogParseTemplate(bytes.data(), cut, &parsed)) << id << " cut to " << cut;
        ++bytes[16];  // cDlgItems: one item more than there is
        EXPECT_FALSE(DialogParseTemplate(bytes.data(), bytes.size(), &parsed)) << id;
        --bytes[16];
        EXPECT_TRUE(DialogParseTemplate(bytes.data(), bytes.size(), &parsed)) << id;
    }
    EXPECT_TRUE(parsed.title == "画面サイズ設定" && parsed.pointSize == 9 && parsed.faceName == "ＭＳ Ｐゴシック");
    ASSERT_EQ(parsed.items.size(), 5u);
    EXPECT_EQ(parsed.items[3].title.text, "640x480(&V)");
    const WORD old[] = {WORD(WS_POPUP), WORD(WS_POPUP >> 16), 0, 0, 0, 0, 0, 40, 30, 0, 0, 0};
    EXPECT_FALSE(DialogParseTemplate(reinterpret_cast<const BYTE*>(old), sizeof old, &parsed)) << "the old form";
    const WORD title[] = {1, 0xFFFF, 0, 0, 0, 0, 0, 0x8000, 0, 0, 0, 1, 1, 0, 0, 'a', 'b', 0};
    EXPECT_FALSE(DialogParseTemplate(reinterpret_cast<const BYTE*>(title), sizeof title - 2, &parsed)) << "no NUL";
    EXPECT_TRUE(DialogParseTemplate(reinterpret_cast<const BYTE*>(title), sizeof title, &parsed));
}
