// MessageBoxA: shown by the system as a modal box. Under the headless
// dummy driver nothing is shown and the box returns at once; without a
// display the text is written to standard error.
#include "user/user_private.h"

// The box has one button: every type answers IDOK.
int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    UserPresentWindows();
    text = text ? text : "";
    caption = caption ? caption : "エラー";  // the system's default caption
    UserNoteMessageBox(text, caption);
    static char textUtf8[4096];
    static char captionUtf8[512];
    UserToUtf8(text, textUtf8, sizeof textUtf8);
    UserToUtf8(caption, captionUtf8, sizeof captionUtf8);
    Window* window = UserGetWindow(owner);
    BackendShowMessageBox(window ? window->backend : nullptr, captionUtf8, textUtf8, (type & MB_ICONERROR) != 0);
    return IDOK;
}
