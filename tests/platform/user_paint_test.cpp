// Painting: the invalid area behind WM_PAINT, the window's own DC, and
// drawing reaching the screen at the next call into the queue.
#include "user_fixture.h"

using UserPainting = UserTest;

namespace {
bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void FillWhite(HDC dc, int left, int top, int width, int height)
{
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            SetPixel(dc, x, y, RGB(255, 255, 255));
}
}  // namespace

TEST_F(UserPainting, EachWindowHasItsOwnDcForLifeAndBeginPaintClipsAndTellsOfErasing)
{
    HWND window = Open(kFramed, 100, 80);
    RECT a = {10, 10, 20, 20}, b = {30, 5, 40, 15};
    InvalidateRect(window, &a, FALSE);
    InvalidateRect(window, &b, TRUE);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) << "still invalid until painted";

    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc, GetDC(window)) << "the class's own DC";
    EXPECT_EQ(paint.hdc, dc);
    EXPECT_TRUE(SameRect(paint.rcPaint, RECT{10, 5, 40, 20}));
    EXPECT_TRUE(paint.fErase) << "an erase was asked for";
    EXPECT_TRUE(EndPaint(window, &paint));
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "validated";

    RECT beyond = {90, 70, 200, 200};
    InvalidateRect(window, &beyond, FALSE);
    BeginPaint(window, &paint);
    EXPECT_TRUE(SameRect(paint.rcPaint, RECT{90, 70, 100, 80})) << "clipped to the client";
    EXPECT_FALSE(paint.fErase);
    EndPaint(window, &paint);

    HWND other = Open(kFramed, 10, 10);
    EXPECT_NE(GetDC(other), dc);
    int live = PlatformLiveGdiObjects();
    DestroyWindow(other);
    EXPECT_EQ(PlatformLiveGdiObjects(), live - 1) << "the DC goes with its window";
}

TEST_F(UserPainting, UpdateWindowPaintsAtOnceOnlyWhenSomethingIsInvalid)
{
    HWND window = Open(kFramed, 100, 80);
    EXPECT_TRUE(UpdateWindow(window));
    EXPECT_EQ(Count(WM_PAINT), 0);
    InvalidateRect(window, nullptr, FALSE);
    EXPECT_TRUE(UpdateWindow(window));
    EXPECT_EQ(Count(WM_PAINT), 1) << "sent, not queued";
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) << "the default procedure validated it";
}

TEST_F(UserPainting, HiddenWindowsAreNeitherPaintedNorPresentedUntilShown)
{
    HWND window = Open(kFramed, 16, 16, false);
    InvalidateRect(window, nullptr, FALSE);
    SetPixel(GetDC(window), 3, 3, RGB(9, 8, 7));
    Drain();
    EXPECT_EQ(Count(WM_PAINT), 0);
    EXPECT_EQ(PlatformPresentCount(window), 0u);
    ShowWindow(window, SW_SHOW);
    Drain();
    EXPECT_EQ(Count(WM_PAINT), 1);
    EXPECT_EQ(PlatformPresentCount(window), 1u);
    EXPECT_EQ(PlatformReadWindowPixel(window, 3, 3), RGB(9, 8, 7));
}

TEST_F(UserPainting, DrawingReachesTheScreenAtTheNextQueueCallAsOnePresent)
{
    HWND window = Open(kFramed, 64, 48);
    unsigned before = PlatformPresentCount(window);
    HDC dc = GetDC(window);
    SetPixel(dc, 5, 6, RGB(255, 0, 0));
    FillWhite(dc, 10, 10, 4, 4);
    EXPECT_EQ(PlatformReadWindowPixel(window, 5, 6), RGB(0, 0, 0)) << "drawn, not yet shown";

    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(PlatformReadWindowPixel(window, 5, 6), RGB(255, 0, 0));
    EXPECT_EQ(PlatformReadWindowPixel(window, 11, 11), RGB(255, 255, 255));
    EXPECT_EQ(PlatformPresentCount(window), before + 1) << "many draws, one present";
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    EXPECT_EQ(PlatformPresentCount(window), before + 1) << "nothing new, nothing presented";

    SetPixel(dc, 0, 0, RGB(0, 0, 255));
    PostMessageA(window, WM_USER, 0, 0);
    WaitMessage();
    EXPECT_EQ(PlatformReadWindowPixel(window, 0, 0), RGB(0, 0, 255)) << "waiting shows it too";
    SetPixel(dc, 1, 0, RGB(0, 255, 0));
    MessageBoxA(window, "x", "y", 0);
    EXPECT_EQ(PlatformReadWindowPixel(window, 1, 0), RGB(0, 255, 0)) << "and the message box";

    EXPECT_EQ(PlatformReadWindowPixel(window, 64, 0), CLR_INVALID);
    EXPECT_EQ(PlatformReadWindowPixel(window, -1, 0), CLR_INVALID);
}

TEST_F(UserPainting, ResizingKeepsTheCornerBlackensTheRestAndRepaintsAll)
{
    HWND window = Open(kFramed, 32, 32);
    HDC dc = GetDC(window);
    FillWhite(dc, 0, 0, 32, 32);
    Drain();
    SeenMessages().clear();
    TestHandler() = [](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
        if (message != WM_PAINT)
            return false;
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EXPECT_TRUE(SameRect(paint.rcPaint, RECT{0, 0, 64, 40})) << "CS_HREDRAW | CS_VREDRAW";
        EndPaint(window, &paint);
        return true;
    };
    SetClientSize(window, 64, 40);
    Drain();
    EXPECT_EQ(Count(WM_PAINT), 1);
    EXPECT_EQ(PlatformReadWindowPixel(window, 31, 31), RGB(255, 255, 255)) << "kept";
    EXPECT_EQ(PlatformReadWindowPixel(window, 63, 39), RGB(0, 0, 0)) << "new area";
    SetPixel(dc, 63, 39, RGB(1, 2, 3));
    Drain();
    EXPECT_EQ(PlatformReadWindowPixel(window, 63, 39), RGB(1, 2, 3)) << "the DC draws into the new block";
}

// Only what changed since the last present is written out, yet each shows
// the whole picture: a pixel changed and changed back, pixels at the start
// of a run and past the last whole run of a row, and the picture after a
// size change.
TEST_F(UserPainting, EveryPresentShowsTheWholePicture)
{
    HWND window = Open(kFramed, 37, 5);
    HDC dc = GetDC(window);
    auto shownAsDrawn = [&] {
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 37; ++x)
                if (PlatformReadWindowPixel(window, x, y) != GetPixel(dc, x, y))
                    return testing::AssertionFailure() << "differs at " << x << "," << y;
        return testing::AssertionSuccess();
    };
    Drain();
    const COLORREF background = GetPixel(dc, 16, 1);
    const COLORREF other = background == RGB(0, 255, 0) ? RGB(255, 0, 0) : RGB(0, 255, 0);
    for (COLORREF colour : {other, background, other, background}) {
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
    FillWhite(dc, 0, 0, 37, 5);
    SetPixel(dc, 36, 4, RGB(0, 0, 255));
    Drain();
    EXPECT_TRUE(shownAsDrawn()) << "the whole picture after the size came back";
}
