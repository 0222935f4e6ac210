// The system menu: its items, opening it, choosing with the keyboard, its picture.
#include "backend/sdl_backend.h"
#include "platform/user_fixture.h"
#include "text/glyphs.h"
#include "user/menu_view.h"

class UserMenu : public UserTest {
protected:
    static std::vector<WPARAM> Commands()
    {
        std::vector<WPARAM> commands;
        for (const SeenMessage& command : Only({WM_SYSCOMMAND}))
            commands.push_back(command.wParam);
        return commands;
    }
};

// Alt+Space selects the first item, a right click none; the arrows wrap; its keys stay in it.
TEST_F(UserMenu, TheKeyboardChoosesWhateverOpenedIt)
{
    HWND window = Open(kFramed, 50, 50);
    EXPECT_EQ(GetSystemMenu(Open(WS_POPUP, 50, 50), FALSE), nullptr) << "only with WS_SYSMENU";
    HMENU menu = GetSystemMenu(window, FALSE);
    ASSERT_TRUE(menu && InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, 3000, "バージョン情報(&V)"));
    std::vector<UINT> ids;
    for (const MenuItem& item : UserGetWindow(window)->systemMenu)
        ids.push_back((item.flags & MF_SEPARATOR) ? 0 : item.id);
    EXPECT_EQ(ids, (std::vector<UINT>{SC_MINIMIZE, 0, 3000, SC_CLOSE}));
    const struct {
        bool click;
        std::vector<UINT> keys;
        std::vector<WPARAM> commands;
    } cases[] = {
        {false, {VK_UP, VK_UP, VK_RETURN}, {SC_KEYMENU, 3000}},  // round to Close, then the item above it
        {false, {VK_ESCAPE}, {SC_KEYMENU}},
        {true, {VK_RETURN, VK_DOWN, VK_RETURN}, {SC_KEYMENU, SC_MINIMIZE}},  // nothing selected: nothing chosen
        {false, {'N'}, {SC_KEYMENU, SC_MINIMIZE}},                           // 最小化(&N)
    };
    for (const auto& c : cases) {
        ShowWindow(window, SW_RESTORE);
        seen.clear();
        if (c.click)
            PlatformInjectRightClick(window, 10, 20);
        else
            Press(window, VK_SPACE, " ", VK_MENU);
        for (UINT key : c.keys)
            Press(window, key);
        Press(window, 'A');
        Drain();
        EXPECT_EQ(Commands(), c.commands) << c.keys[0];
        EXPECT_TRUE(Count(WM_KEYDOWN) == 1 && First(WM_KEYDOWN).wParam == 'A') << "only the key after the menu";
    }
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE, 0) << "minimised by the last";
    ShowWindow(window, SW_RESTORE);
    Press(window, VK_SPACE, " ", VK_MENU);
    Press(window, 'C');  // 閉じる(&C)
    Drain();
    EXPECT_FALSE(IsWindow(window));
}

// The window sees Alt+Space; a click elsewhere closes the menu and reaches its window.
TEST_F(UserMenu, ARightClickStandsForAltSpace)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectRightClick(window, 10, 20);
    Press(window, VK_ESCAPE);
    Drain();
    EXPECT_EQ(Order({WM_RBUTTONUP, WM_SYSKEYDOWN, WM_SYSCOMMAND}),
              (Messages{WM_RBUTTONUP, WM_SYSKEYDOWN, WM_SYSCOMMAND}));
    const SeenMessage key = First(WM_SYSKEYDOWN), command = First(WM_SYSCOMMAND);
    EXPECT_TRUE(key.wParam == VK_SPACE && (key.lParam & (1 << 29)) && command.lParam == ' ') << "Alt+Space";

    seen.clear();
    BackendWindow* backend = UserGetWindow(window)->backend;
    PlatformInjectRightClick(window, 10, 20);
    BackendPushButton(backend, BackendButton::Left, true, 30, 30);
    BackendPushButton(backend, BackendButton::Left, false, 30, 30);
    PlatformInjectRightClick(window, 10, 20);
    PlatformInjectRightClick(window, 30, 30);
    Press(window, VK_DOWN);
    Press(window, VK_RETURN);
    Drain();
    EXPECT_EQ(Count(WM_LBUTTONDOWN), 1) << "the click reached the window";
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_KEYMENU, SC_KEYMENU, SC_MINIMIZE}));

    HWND popup = Open(WS_POPUP, 50, 50);
    PlatformInjectRightClick(popup, 10, 10);
    Drain();
    EXPECT_TRUE(Count(WM_RBUTTONUP, popup) == 1 && Count(WM_SYSKEYDOWN, popup) == 0);
}

// It would close a menu just opened with Alt+Space.
TEST_F(UserMenu, AModifierAlreadyHeldWhenTheFocusArrivesIsNoKeyPress)
{
    HWND window = Open(kFramed, 50, 50);
    SDL_Event focus{}, alt{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.windowID = alt.key.windowID = SDL_GetWindowID(UserGetWindow(window)->backend->window);
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    alt.type = SDL_KEYDOWN;
    alt.key.state = SDL_PRESSED;
    alt.key.keysym = SDL_Keysym{SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT, 0};
    SDL_PushEvent(&focus);
    SDL_PushEvent(&alt);
    Drain();
    EXPECT_EQ(Count(WM_SYSKEYDOWN), 0);
    SDL_Delay(5);  // a press of its own, later
    SDL_PushEvent(&alt);
    Drain();
    EXPECT_EQ(Count(WM_SYSKEYDOWN), 1);
}

// Raised edges, navy selection, grooved separator, grey items, accelerator right, mnemonic.
TEST(MenuPicture, DrawsTheItemsInTheClassicLook)
{
    TextFace* face = TextOpenFace("ＭＳ Ｐゴシック", 12);
    MenuView view{{MenuEntry{MenuItem{SC_MINIMIZE, MF_STRING, "最小化(&N)"}, true, true, 0, 0},
                   MenuEntry{MenuItem{0, MF_SEPARATOR, ""}, false, false, 0, 0},
                   MenuEntry{MenuItem{3000, MF_STRING, "バージョン情報(&V)"}, true, false, 0, 0},
                   MenuEntry{MenuItem{SC_CLOSE, MF_STRING, "閉じる(&C)\tAlt+F4"}, true, false, 0, 0}},
                  face,
                  0,
                  0,
                  2,
                  {}};
    MenuViewLayout(&view);
    MenuViewDraw(&view);
    const int w = view.width, h = view.height;
    auto at = [&](int x, int y) { return view.pixels[size_t(y) * size_t(w) + size_t(x)]; };
    auto count = [&](int entry, int left, int right, uint32_t colour, int top = 0, int rows = 0) {
        const MenuEntry& e = view.entries[size_t(entry)];
        int n = 0;
        for (int y = e.top + top; y < e.top + (rows ? top + rows : e.height); ++y)
            for (int x = left; x < right; ++x)
                n += at(x, y) == colour;
        return n;
    };
    const MenuEntry &separator = view.entries[1], &chosen = view.entries[2], &close = view.entries[3];
    EXPECT_TRUE(at(0, 0) == kMenuFace && at(1, 1) == kMenuHilight && at(w - 1, h - 1) == kMenuDarkShadow);
    EXPECT_TRUE(at(w / 2, separator.top + separator.height / 2 - 1) == kMenuShadow &&
                at(w / 2, separator.top + separator.height / 2) == kMenuHilight)
        << "the groove";
    EXPECT_TRUE(at(kMenuInset, chosen.top) == kMenuSelection && at(1, chosen.top) == kMenuHilight);
    EXPECT_GT(count(2, kMenuInset, w, kMenuSelectionText), 10) << "white text on the selection";
    EXPECT_TRUE(count(0, kMenuInset, w - kMenuInset, kMenuText) == 0 &&
                count(0, kMenuInset, w - kMenuInset, kMenuShadow) > 10);
    EXPECT_TRUE(MenuViewEntryAt(view, 10, chosen.top + chosen.height - 1) == 2 && MenuViewEntryAt(view, 1, 5) == -1);
    const int gapLeft = kMenuInset + 16 + TextMeasure(face, "閉じる(C)", 9) + 1;
    const int gapRight = w - kMenuInset - 16 - TextMeasure(face, "Alt+F4", 6) - 1;
    EXPECT_TRUE(gapLeft < gapRight && count(3, gapLeft, gapRight, kMenuText) == 0 &&
                count(3, gapRight, w - kMenuInset, kMenuText) > 5);
    const int underline = (close.height - TextCellHeight(face)) / 2 + TextAscent(face) + 1;
    const int start = kMenuInset + 16 + TextMeasure(face, "閉じる(", 7), letter = TextMeasure(face, "C", 1);
    EXPECT_EQ(count(3, start, start + letter, kMenuText, underline, 1), letter);
    EXPECT_EQ(count(3, kMenuInset + 16, start - 1, kMenuText, underline, 1), 0) << "only the mnemonic";
    EXPECT_TRUE(MenuMnemonic("閉じる(&c)\tAlt+F4") == 'C' && MenuMnemonic("A&&B") == 0 && MenuMnemonic("x\t&Y") == 0);
    TextCloseFace(face);
}
