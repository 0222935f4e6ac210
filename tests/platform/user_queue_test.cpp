// The queue and painting beyond the conformance tests.
#include "platform/user_fixture.h"

using UserQueue = UserTest;

namespace {
void Fill(HDC dc, int left, int top, int width, int height, COLORREF colour)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            SetPixel(dc, x, y, colour);
}
}  // namespace

// Posted messages are stamped when posted; WaitMessage returns at once for each kind.
TEST_F(UserQueue, QuitComesAfterPostedMessagesAndBeforeInputAndPainting)
{
    HWND window = Open(kFramed, 50, 50);
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, reinterpret_cast<HWND>(0x5555), 0, 0, PM_REMOVE) ||
                 PeekMessageA(nullptr, nullptr, 0, 0, PM_REMOVE));
    const std::function<void()> pending[] = {[&] { InvalidateRect(window, nullptr, FALSE); },
                                             [] { PostQuitMessage(1); },
                                             [&] { PlatformInjectKey(window, VK_SPACE, TRUE, FALSE, " "); }};
    for (const auto& make : pending) {
        make();
        EXPECT_TRUE(WaitMessage()) << &make - pending;
        Drain();
    }
    PlatformSetClock(5000);
    PostMessageA(nullptr, WM_USER, 0, 0);
    PlatformUseRealClock();
    EXPECT_TRUE(WaitMessage());
    InvalidateRect(window, nullptr, FALSE);
    PostQuitMessage(3);
    PlatformInjectKey(window, 'Q', TRUE, FALSE, "q");
    msg = Next();
    EXPECT_TRUE(msg.message == WM_USER && msg.time == 5000);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, UINT(WM_QUIT));
    msg = Next();
    EXPECT_TRUE(msg.message == WM_QUIT && msg.wParam == 3) << "PM_NOREMOVE left it";
    EXPECT_EQ(Next().message, UINT(WM_KEYDOWN));
    EXPECT_EQ(Next().message, UINT(WM_PAINT)) << "painting last";
}

// 4,096 posted messages fit, and nothing is lost or reordered.
TEST_F(UserQueue, APostFailsOnlyWhileTheQueueIsFull)
{
    int posted = 0;
    while (posted < 100000 && PostMessageA(nullptr, WM_USER, WPARAM(posted), 0))
        ++posted;
    EXPECT_EQ(posted, 4096);
    EXPECT_EQ(Next().wParam, 0u);
    EXPECT_TRUE(PostMessageA(nullptr, WM_USER, 4096, 0)) << "room for one again";
    MSG msg;
    WPARAM expected = 1;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ASSERT_EQ(msg.wParam, expected++);
    EXPECT_EQ(expected, 4097u);
}

// BeginPaint gives the union invalidated, clipped to the client, and whether to erase.
TEST_F(UserQueue, BeginPaintGivesTheInvalidAreaThroughTheWindowsOwnDc)
{
    HWND window = Open(kFramed, 100, 80);
    RECT a = {10, 10, 20, 20}, b = {90, 5, 140, 15};
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, TRUE);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    EXPECT_TRUE(dc && dc == GetDC(window) && paint.hdc == dc && paint.fErase && EndPaint(window, &paint));
    EXPECT_EQ(surfaces::Str(paint.rcPaint), "10,5,100,20");
    HWND other = Open(kFramed, 10, 10);
    EXPECT_NE(GetDC(other), dc);
    const int live = PlatformLiveGdiObjects();
    DestroyWindow(other);
    EXPECT_EQ(PlatformLiveGdiObjects(), live - 1) << "the DC goes with its window";
}

// As one present, not while hidden; the message box answers OK, captioned by the system.
TEST_F(UserQueue, DrawingReachesTheScreenAtTheNextQueueCall)
{
    HWND hidden = Open(kFramed, 16, 16, false);
    InvalidateRect(hidden, nullptr, FALSE);
    SetPixel(GetDC(hidden), 3, 3, RGB(9, 8, 7));
    Drain();
    EXPECT_TRUE(Count(WM_PAINT) == 0 && PlatformPresentCount(hidden) == 0);
    ShowWindow(hidden, SW_SHOW);
    Drain();
    EXPECT_TRUE(Count(WM_PAINT) == 1 && PlatformPresentCount(hidden) == 1);
    EXPECT_EQ(PlatformReadWindowPixel(hidden, 3, 3), RGB(9, 8, 7));

    HWND window = Open(kFramed, 64, 48);
    const unsigned before = PlatformPresentCount(window);
    HDC dc = GetDC(window);
    SetPixel(dc, 5, 6, RGB(255, 0, 0));
    Fill(dc, 10, 10, 4, 4, RGB(255, 255, 255));
    EXPECT_EQ(PlatformReadWindowPixel(window, 5, 6), RGB(0, 0, 0)) << "drawn, not yet shown";
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_TRUE(PlatformReadWindowPixel(window, 5, 6) == RGB(255, 0, 0) &&
                PlatformReadWindowPixel(window, 11, 11) == RGB(255, 255, 255));
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(PlatformPresentCount(window), before + 1) << "many draws, one present; nothing new, none";
    SetPixel(dc, 0, 0, RGB(0, 0, 255));
    PostMessageA(window, WM_USER, 0, 0);
    WaitMessage();
    EXPECT_EQ(PlatformReadWindowPixel(window, 0, 0), RGB(0, 0, 255)) << "waiting shows it too";
    SetPixel(dc, 1, 0, RGB(0, 255, 0));
    EXPECT_EQ(MessageBoxA(window, nullptr, nullptr, MB_ICONERROR), IDOK);
    EXPECT_EQ(PlatformReadWindowPixel(window, 1, 0), RGB(0, 255, 0)) << "and the message box";
    EXPECT_TRUE(PlatformLastMessageBoxText() == std::string() &&
                PlatformLastMessageBoxCaption() == std::string("エラー"));
    EXPECT_EQ(PlatformReadWindowPixel(window, 64, 0), CLR_INVALID);
}

// A resize keeps the corner and repaints all; only changes are written out.
TEST_F(UserQueue, EveryPresentShowsTheWholePicture)
{
    HWND window = Open(kFramed, 32, 32);
    HDC dc = GetDC(window);
    Fill(dc, 0, 0, 32, 32, RGB(255, 255, 255));
    Drain();
    RECT repainted = {};
    handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
        PAINTSTRUCT paint;
        if (message != WM_PAINT || !BeginPaint(window, &paint))
            return false;
        repainted = paint.rcPaint;
        return EndPaint(window, &paint) != FALSE;
    };
    SetClientSize(window, 37, 5);
    Drain();
    EXPECT_EQ(surfaces::Str(repainted), "0,0,37,5") << "CS_HREDRAW | CS_VREDRAW";
    EXPECT_TRUE(PlatformReadWindowPixel(window, 31, 4) == RGB(255, 255, 255) &&
                PlatformReadWindowPixel(window, 36, 4) == RGB(0, 0, 0))
        << "kept, and the new area black";
    auto shownAsDrawn = [&] {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 37; ++x)
                if (PlatformReadWindowPixel(window, x, y) != GetPixel(dc, x, y))
                    return testing::AssertionFailure() << "differs at " << x << "," << y;
        return testing::AssertionSuccess();
    };
    for (COLORREF colour : {RGB(255, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0)}) {
        SetPixel(dc, 16, 1, colour);
        Drain();
        EXPECT_EQ(PlatformReadWindowPixel(window, 16, 1), colour);
    }
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    SetPixel(dc, 36, 4, RGB(0, 0, 255));
    Drain();
    EXPECT_TRUE(shownAsDrawn());
    SetClientSize(window, 20, 3);
    Drain();
    SetClientSize(window, 37, 5);
    Fill(dc, 0, 0, 37, 5, RGB(255, 255, 255));
    SetPixel(dc, 36, 4, RGB(0, 0, 255));
    Drain();
    EXPECT_TRUE(shownAsDrawn()) << "the whole picture after the size came back";
}
