// A fresh program state and, when asked, the main window with its surfaces,
// on SDL's dummy video driver and a frozen clock.
#pragma once

#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include "app/app.h"
#include "app/game_context.h"
#include "app/text_tables.h"

// The stored tables are restored in place, once per process, as start-up
// does; tests that read them call this first.
inline void RestoreTextTablesOnce()
{
    static bool restored = false;
    if (!restored)
        RestoreTextTables();
    restored = true;
}

class GameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PlatformResetUser();
        PlatformSetScreenSize(1024, 768);
        PlatformSetClock(100000);
        game = GameContext{};
        game.instanceHandle = GetModuleHandleA(nullptr);
        game.frameInterval = 16;
    }

    void TearDown() override
    {
        // Closed as the program closes it, so its surfaces are freed.
        if (game.mainWindow != nullptr && IsWindow(game.mainWindow))
            DestroyWindow(game.mainWindow);
        PlatformResetUser();
        PlatformUseRealClock();
        PlatformSetGdiQuota(10000);
        game = GameContext{};
    }

    // Registers the class and creates the window as start-up does.
    void OpenMainWindow()
    {
        ASSERT_NE(InitApplication(), 0);
        game.mainWindow = CreateMainWindow();
        ASSERT_NE(game.mainWindow, nullptr);
    }

    // Handles every queued message (painting included) without blocking.
    void DrainMessages()
    {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quitSeen = true;
                quitCode = static_cast<UINT>(msg.wParam);
                continue;
            }
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }

    bool quitSeen = false;
    UINT quitCode = 0xFFFF;
};
