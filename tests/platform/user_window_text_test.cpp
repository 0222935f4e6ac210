// The window text: SetWindowTextA through WM_SETTEXT to the window's
// procedure and, for a top-level window, to the system's title in UTF-8;
// GetWindowTextA through WM_GETTEXT, cut to the buffer.
#include <SDL.h>

#include "backend/sdl_backend.h"
#include "user/user_private.h"
#include "user_fixture.h"

using UserWindowText = UserTest;

TEST_F(UserWindowText, SetWindowTextSetsTheSystemsTitleAndGetWindowTextReadsItBack)
{
    HWND window = Open(kFramed, 100, 100);
    SDL_Window* system = UserGetWindow(window)->backend->window;
    char text[64];
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 6);
    EXPECT_STREQ(text, "テスト") << "the name it was created with";

    EXPECT_TRUE(SetWindowTextA(window, "避練 - 画面"));
    std::vector<SeenMessage> set = Only({WM_SETTEXT});
    ASSERT_EQ(set.size(), 1u);
    EXPECT_STREQ(reinterpret_cast<const char*>(set[0].lParam), "避練 - 画面");
    EXPECT_STREQ(SDL_GetWindowTitle(system), u8"避練 - 画面");
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 11);
    EXPECT_STREQ(text, "避練 - 画面");
    EXPECT_EQ(Count(WM_GETTEXT), 2);

    // Cut to the buffer, never inside a double-byte character.
    EXPECT_EQ(GetWindowTextA(window, text, 4), 2);
    EXPECT_STREQ(text, "避");
    EXPECT_EQ(GetWindowTextA(window, text, 5), 4);
    EXPECT_STREQ(text, "避練");
    EXPECT_EQ(GetWindowTextA(window, text, 1), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(GetWindowTextA(window, nullptr, 8), 0);
    EXPECT_EQ(GetWindowTextA(window, text, -1), 0);

    EXPECT_TRUE(SetWindowTextA(window, nullptr));
    EXPECT_EQ(GetWindowTextA(window, text, sizeof text), 0);
    EXPECT_STREQ(SDL_GetWindowTitle(system), "");

    HWND bogus = reinterpret_cast<HWND>(0x7777);
    lstrcpyA(text, "x");
    EXPECT_FALSE(SetWindowTextA(bogus, "a"));
    EXPECT_EQ(GetWindowTextA(bogus, text, sizeof text), 0);
    EXPECT_STREQ(text, "") << "emptied";
}
