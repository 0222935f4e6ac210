// A fresh program state, the main window when asked, a frozen clock; reference pictures of texts.
#pragma once

#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <string>

#include "app/app.h"
#include "core/game_context.h"
#include "core/processor.h"
#include "display/display.h"
#include "game/game.h"
#include "screens/screens.h"
#include "trace_harness.h"

class GameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlatformResetUser();
        PlatformSetScreenSize(1024, 768);
        PlatformSetClock(100000);
        game = GameContext{};
        game.instanceHandle = GetModuleHandleA(nullptr);
        game.hasMmx = DetectMmx() == 0;  // as start-up finds it: the frame is cleared by MMX stores
        game.frameInterval = 16;
        game.backgroundMode = 2;
        game.bulletSetting = 1;                                                     // but the priority left alone
        [[maybe_unused]] static const bool restored = (RestoreTextTables(), true);  // in place, once, as start-up
        BuildSlopeTable();
    }
    void TearDown() override
    {
        if (game.mainWindow != nullptr && IsWindow(game.mainWindow))
            DestroyWindow(game.mainWindow);  // as the program closes it
        PlatformResetUser();
        PlatformUseRealClock();
        PlatformSetGdiQuota(10000);
        game = GameContext{};
    }
    // The window made as start-up makes it, its first messages handled.
    void OpenMainWindow()
    {
        ASSERT_NE(InitApplication(), 0);
        ASSERT_NE(game.mainWindow = CreateMainWindow(), nullptr);
        DrainMessages();
    }
    // Handles every queued message without blocking; a WM_QUIT's code is kept.
    void DrainMessages()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            quitCode = msg.message == WM_QUIT ? static_cast<int>(msg.wParam) : quitCode;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    static LRESULT Send(UINT m, WPARAM w, LPARAM l = 0) { return MainWindowProc(game.mainWindow, m, w, l); }
    // The frame image's palette index at (x, row), and as hex digits ('.' for 0) from (left, bottom) up.
    static BYTE At(int x, int row) { return game.frameBuffer[row * 320 + x]; }
    static std::string Indices(int left, int bottom, int columns, int rows)
    {
        std::string box;
        for (int row = bottom; row < bottom + rows; ++row)
            for (int x = left; x < left + columns; ++x)
                box += ".123456789ABCDEF"[At(x, row)];
        return box;
    }
    // ShowCursor's counter, read by a balanced pair of calls.
    static int CursorCount()
    {
        const int count = ShowCursor(TRUE) - 1;
        ShowCursor(FALSE);
        return count;
    }
    int quitCode = -1;  // none seen
};

class WindowTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        OpenMainWindow();
    }
};

// Lines drawn white the screens' way into a picture whose white a screen's picture must match.
class ReferencePicture {
public:
    ReferencePicture()
    {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 320, -240, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits;
        kept_ = SelectObject(dc_, CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        SetTextColor(dc_, RGB(255, 255, 255));
        SetBkMode(dc_, TRANSPARENT);
    }
    ~ReferencePicture()
    {
        DeleteObject(SelectObject(dc_, kept_));
        DeleteDC(dc_);
    }
    // A line in the game's face at `height`, as the screens draw it.
    void Draw(const char* text, RECT box, UINT format, LONG height)
    {
        LOGFONTA description = fontTemplate;
        description.lfHeight = height;
        HGDIOBJ kept = SelectObject(dc_, CreateFontIndirectA(&description));
        DrawTextA(dc_, text, -1, &box, format);
        DeleteObject(SelectObject(dc_, kept));
    }
    // Pixels of rows top..bottom white in just one of the reference and `dc` (`inkOnly`: missing from `dc`).
    int Differences(HDC dc, int top, int bottom, bool inkOnly = false) const
    {
        int differences = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 320; ++x)
                differences += White(dc_, x, y) ? !White(dc, x, y) : White(dc, x, y) && !inkOnly;
        return differences;
    }
    static bool White(HDC dc, int x, int y) { return GetPixel(dc, x, y) == RGB(255, 255, 255); }
    // Pixels of `colour` in `dc`, rows top..bottom, columns left..right.
    static int Count(HDC dc, int top, int bottom, COLORREF colour = RGB(255, 255, 255), int left = 0, int right = 320)
    {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                count += GetPixel(dc, x, y) == colour;
        return count;
    }
    HDC dc_ = CreateCompatibleDC(nullptr);
    HGDIOBJ kept_;
};
