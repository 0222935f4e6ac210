// A fresh program state and, when asked, the main window with its surfaces,
// on SDL's dummy video driver and a frozen clock.
#pragma once

#include <gtest/gtest.h>
#include <platform_seams.h>
#include <windows.h>

#include <memory>

#include "app/app.h"
#include "core/game_context.h"
#include "game/game.h"
#include "screens/screens.h"
#include "trace_harness.h"

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
        // The start settings; boostPriority stays 0, so the test process
        // keeps its priority unless a test asks otherwise.
        game.frameInterval = 16;
        game.backgroundMode = 2;
        game.bulletSetting = 1;
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

    // ShowCursor's counter, read by a balanced pair of calls.
    static int CursorCount()
    {
        int count = ShowCursor(TRUE) - 1;
        ShowCursor(FALSE);
        return count;
    }

    bool quitSeen = false;
    UINT quitCode = 0xFFFF;
};

// The main window open, the title up and its first messages handled.
class WindowTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        OpenMainWindow();
        DrainMessages();
    }
};

// Runs played by the simulation harness (trace_harness.h) on the open
// window; Guard() moves the frame image into a guarded buffer.
class TraceTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        BuildSlopeTable();
    }

    void TearDown() override
    {
        if (frame)
            frame->Remove();
        WindowTest::TearDown();
    }

    void Guard()
    {
        frame = std::make_unique<GuardedFrame>();
        frame->Install();
    }

    // The counters agree with the live bullets, the pool and its quota keep
    // to the pool's size, and nothing was written outside the frame.
    ::testing::AssertionResult Consistent() const
    {
        if (game.activeBullets > kBulletPoolSize || game.bulletQuota > kBulletPoolSize)
            return ::testing::AssertionFailure() << game.activeBullets << " live, quota " << game.bulletQuota;
        DWORD homing = 0, near = 0;
        for (DWORD i = 0; i < game.activeBullets; ++i) {
            homing += game.bullets[i].kind == Homing;
            near += game.bullets[i].near;
        }
        if (homing != game.homingCount || near != game.nearMissCount)
            return ::testing::AssertionFailure() << "counted " << game.homingCount << " homing and "
                                                 << game.nearMissCount << " near of " << homing << " and " << near;
        if (frame && !frame->Intact())
            return ::testing::AssertionFailure() << "a write outside the frame";
        return ::testing::AssertionSuccess();
    }

    std::unique_ptr<GuardedFrame> frame;
};
