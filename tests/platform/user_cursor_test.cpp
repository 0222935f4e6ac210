// Cursors: SetCursor making one current (and the mouse moving over a
// window bringing the class cursor back), and ShowCursor's display counter
// deciding whether SDL shows it.
#include <SDL.h>

#include "backend/sdl_backend.h"
#include "user/user_private.h"
#include "user_fixture.h"

class UserCursor : public UserTest {
protected:
    static bool SdlShows() { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }
};

TEST_F(UserCursor, TheWaitCursorBecomesCurrentAndTheClassCursorComesBack)
{
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    ASSERT_NE(wait, nullptr);
    EXPECT_NE(wait, arrow);
    EXPECT_EQ(LoadCursorA(GetModuleHandleA(nullptr), IDC_WAIT), nullptr) << "not one of the program's";
    EXPECT_EQ(SetCursor(wait), arrow) << "the arrow was current";
    EXPECT_EQ(SetCursor(reinterpret_cast<HCURSOR>(0x1234)), nullptr) << "not a cursor";
    EXPECT_EQ(SetCursor(wait), wait) << "the bad one changed nothing";

    HWND window = Open(kFramed, 100, 100);
    SDL_Event motion = {};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.windowID = SDL_GetWindowID(UserGetWindow(window)->backend->window);
    motion.motion.x = 5;
    motion.motion.y = 5;
    SDL_PushEvent(&motion);
    Drain();
    EXPECT_EQ(SetCursor(arrow), arrow) << "WM_SETCURSOR put the class's arrow back";
}

TEST_F(UserCursor, ShowCursorCountsAndTheCursorShowsWhileTheCountIsNotNegative)
{
    EXPECT_TRUE(PlatformCursorShown());
    EXPECT_EQ(ShowCursor(FALSE), -1);
    EXPECT_FALSE(PlatformCursorShown());
    EXPECT_FALSE(SdlShows());
    EXPECT_EQ(ShowCursor(FALSE), -2);
    EXPECT_EQ(ShowCursor(TRUE), -1);
    EXPECT_FALSE(PlatformCursorShown());
    EXPECT_EQ(ShowCursor(TRUE), 0);
    EXPECT_TRUE(PlatformCursorShown());
    EXPECT_TRUE(SdlShows());
    EXPECT_EQ(ShowCursor(TRUE), 1);

    // No current cursor shows nothing, whatever the count.
    HCURSOR arrow = SetCursor(nullptr);
    EXPECT_FALSE(PlatformCursorShown());
    EXPECT_FALSE(SdlShows());
    EXPECT_EQ(SetCursor(arrow), nullptr);
    EXPECT_TRUE(PlatformCursorShown());
    EXPECT_TRUE(SdlShows());
}
