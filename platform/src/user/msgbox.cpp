// MessageBoxA: shown by the system as a modal box; the text and caption
// are kept for the test seams. Under the headless dummy driver nothing is
// shown and the box returns at once; without a display the text is written
// to standard error.
#include <platform_seams.h>

#include <string>

#include "user/user_private.h"

namespace {
std::string lastText;
std::string lastCaption;
}  // namespace

// The box has one button: every type answers IDOK.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    UserPresentWindows();
    lastText = text ? text : "";
    lastCaption = caption ? caption : "エラー";  // the system's default caption
    static char textUtf8[4096];
    static char captionUtf8[512];
    UserToUtf8(lastText.c_str(), textUtf8, sizeof textUtf8);
    UserToUtf8(lastCaption.c_str(), captionUtf8, sizeof captionUtf8);
    Window* window = UserGetWindow(owner);
    BackendShowMessageBox(window ? window->backend : nullptr, captionUtf8, textUtf8, (type & MB_ICONERROR) != 0);
    return IDOK;
}

const char* PlatformLastMessageBoxText(void)
{
    return lastText.c_str();
}

const char* PlatformLastMessageBoxCaption(void)
{
    return lastCaption.c_str();
}

void UserResetMessageBox()
{
    lastText.clear();
    lastCaption.clear();
}
