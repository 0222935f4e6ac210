// The system menu: its items, opening it with Alt+Space and with a right
// click, and choosing from it with the keyboard.
#include "backend/sdl_backend.h"
#include "user/user_private.h"
#include "user_fixture.h"

class UserMenu : public UserTest {
protected:
    static std::vector<UINT> Ids(HWND window)
    {
        std::vector<UINT> ids;
        for (const MenuItem& item : UserGetWindow(window)->systemMenu)
            ids.push_back((item.flags & MF_SEPARATOR) ? 0 : item.id);
        return ids;
    }

    static void AltSpace(HWND window) { PressWith(window, VK_MENU, VK_SPACE, " "); }

    static std::vector<WPARAM> Commands()
    {
        std::vector<WPARAM> commands;
        for (const SeenMessage& seen : Only({WM_SYSCOMMAND}))
            commands.push_back(seen.wParam);
        return commands;
    }
};

TEST_F(UserMenu, OnlyWindowsWithWsSysmenuHaveOneAndItemsGoWhereAsked)
{
    HWND framed = Open(kFramed, 50, 50);
    EXPECT_EQ(GetSystemMenu(Open(WS_POPUP, 50, 50), FALSE), nullptr);
    HMENU menu = GetSystemMenu(framed, FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(GetSystemMenu(framed, FALSE), menu);
    EXPECT_EQ(Ids(framed), (std::vector<UINT>{SC_MINIMIZE, 0, SC_CLOSE}));

    EXPECT_TRUE(InsertMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, 3000, "バージョン情報(&V)"));
    EXPECT_TRUE(InsertMenuA(menu, 4242, MF_BYCOMMAND | MF_STRING, 3001, "x")) << "no such command: appended";
    EXPECT_FALSE(InsertMenuA(menu, 0, MF_SEPARATOR, 0, nullptr)) << "string items only";
    EXPECT_EQ(Ids(framed), (std::vector<UINT>{SC_MINIMIZE, 0, 3000, SC_CLOSE, 3001}));
    EXPECT_STREQ(UserGetWindow(framed)->systemMenu[2].text.c_str(), "バージョン情報(&V)");
    EXPECT_EQ(GetSystemMenu(framed, TRUE), nullptr) << "reverting is not supported";
    EXPECT_EQ(GetSystemMenu(framed, FALSE), menu);
}

TEST_F(UserMenu, AltSpaceOpensItAndTheArrowsEnterAndMnemonicsChooseAndEscapeChoosesNothing)
{
    HWND window = Open(kFramed, 50, 50);
    InsertMenuA(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_STRING, 3000, "バージョン情報(&V)");
    AltSpace(window);
    Press(window, VK_UP);  // from the first item round to Close
    Press(window, VK_UP);  // the item just above it
    Press(window, VK_RETURN);
    Drain();
    std::vector<SeenMessage> commands = Only({WM_SYSCOMMAND});
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].wParam, static_cast<WPARAM>(SC_KEYMENU));
    EXPECT_EQ(commands[0].lParam, ' ');
    EXPECT_EQ(commands[1].wParam, 3000u);
    EXPECT_EQ(Count(WM_KEYDOWN), 0) << "the menu's keys do not reach the window";

    SeenMessages().clear();
    AltSpace(window);
    Press(window, VK_ESCAPE);
    Press(window, 'A');
    Drain();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU}));
    ASSERT_EQ(Count(WM_KEYDOWN), 1) << "after the menu closed, keys reach the window again";
    EXPECT_EQ(Only({WM_KEYDOWN})[0].wParam, static_cast<WPARAM>('A'));

    SeenMessages().clear();
    AltSpace(window);
    Press(window, 'N');  // 最小化(&N)
    Drain();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_MINIMIZE}));
    EXPECT_NE(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE, 0);

    ShowWindow(window, SW_RESTORE);
    SeenMessages().clear();
    AltSpace(window);
    Press(window, 'C');  // 閉じる(&C)
    Drain();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_CLOSE}));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(UserMenu, ARightClickOpensItWithNothingSelectedAndAClickOutsideClosesIt)
{
    HWND window = Open(kFramed, 50, 50);
    PlatformInjectRightClick(window, 10, 20);
    Press(window, VK_RETURN);  // nothing selected: nothing chosen
    Press(window, VK_DOWN);    // the first item
    Press(window, VK_RETURN);
    Drain();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_MINIMIZE}));
    // The click stands for Alt+Space: the window sees that key first, as a
    // game sees the key that pauses it before the menu's loop begins.
    std::vector<SeenMessage> keys = Only({WM_SYSKEYDOWN});
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>(VK_SPACE));
    EXPECT_NE(keys[0].lParam & (1 << 29), 0) << "with Alt held";
    EXPECT_EQ(Order({WM_RBUTTONUP, WM_SYSKEYDOWN, WM_SYSCOMMAND}),
              (Messages{WM_RBUTTONUP, WM_SYSKEYDOWN, WM_SYSCOMMAND, WM_SYSCOMMAND}));
    ShowWindow(window, SW_RESTORE);

    SeenMessages().clear();
    BackendWindow* backend = UserGetWindow(window)->backend;
    PlatformInjectRightClick(window, 10, 20);
    BackendPushButton(backend, BackendButton::Left, true, 30, 30);
    BackendPushButton(backend, BackendButton::Left, false, 30, 30);
    Press(window, VK_DOWN);
    Drain();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU})) << "nothing chosen";
    EXPECT_EQ(Count(WM_LBUTTONDOWN), 1) << "the click reached the window";
    EXPECT_EQ(Count(WM_KEYDOWN), 1) << "the menu had closed before the key";

    // A right click elsewhere closes the menu and opens it there again.
    SeenMessages().clear();
    PlatformInjectRightClick(window, 10, 20);
    PlatformInjectRightClick(window, 30, 30);
    Press(window, VK_DOWN);
    Press(window, VK_RETURN);
    Drain();
    EXPECT_EQ(Count(WM_RBUTTONUP), 2);
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_KEYMENU, SC_MINIMIZE}));

    // Without a system menu a right click is only a click.
    HWND popup = Open(WS_POPUP, 50, 50);
    PlatformInjectRightClick(popup, 10, 10);
    Drain();
    EXPECT_EQ(Count(WM_RBUTTONUP, popup), 1);
    EXPECT_EQ(Count(WM_SYSKEYDOWN, popup), 0);
}

// SDL reports a modifier held when a window gains the focus as a press;
// Windows sends no key-down for it. Such an Alt would close a menu that was
// just opened with Alt+Space.
TEST_F(UserMenu, AModifierAlreadyHeldWhenTheFocusArrivesIsNoKeyPress)
{
    HWND window = Open(kFramed, 50, 50);
    Uint32 id = SDL_GetWindowID(UserGetWindow(window)->backend->window);
    SDL_Event focus{};
    focus.type = SDL_WINDOWEVENT;
    focus.window.windowID = id;
    focus.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_Event alt{};
    alt.type = SDL_KEYDOWN;
    alt.key.windowID = id;
    alt.key.state = SDL_PRESSED;
    alt.key.keysym.scancode = SDL_SCANCODE_LALT;
    alt.key.keysym.sym = SDLK_LALT;
    alt.key.keysym.mod = KMOD_LALT;
    SDL_PushEvent(&focus);
    SDL_PushEvent(&alt);
    Drain();
    EXPECT_EQ(Count(WM_SYSKEYDOWN), 0);

    SDL_Delay(5);  // a press of its own, later
    SDL_PushEvent(&alt);
    Drain();
    EXPECT_EQ(Count(WM_SYSKEYDOWN), 1);
}

TEST_F(UserMenu, WithoutAMinimiseBoxMinimiseIsGreyedAndCannotBeChosen)
{
    HWND window = Open(WS_CAPTION | WS_SYSMENU, 50, 50);
    AltSpace(window);
    Press(window, VK_RETURN);  // on the greyed first item: stays open
    Press(window, 'N');
    Press(window, VK_ESCAPE);
    Drain();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU}));
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE, 0);
}
