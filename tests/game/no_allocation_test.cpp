// A crowded run through the real loop in every mode: no new, the C heap as it was, no GDI object made.
#include <malloc.h>
#include <stdlib.h>

#include <new>

#include "game_fixture.h"

namespace {
long allocations;  // C++ allocations made while `counting`
bool counting;
}  // namespace

// The library's other forms of new come down to this one; weak, so valgrind still pairs them.
__attribute__((weak)) void* operator new(std::size_t size)
{
    allocations += counting;
    if (void* p = malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
__attribute__((weak)) void operator delete(void* p) noexcept
{
    free(p);
}
__attribute__((weak)) void operator delete(void* p, std::size_t) noexcept
{
    free(p);
}

class NoAllocation : public GameTest {
protected:
    void TearDown() override
    {
        counting = false;
        GameTest::TearDown();
    }
    // Steps through the loop, an arrow pressed or let go every 25th (uncounted).
    void Steps(int steps, const char* counted = nullptr)
    {
        const int objects = PlatformLiveGdiObjects();
        const size_t heap = mallinfo2().uordblks;
        allocations = 0;
        UINT code;
        for (int i = 0; i < steps; ++i) {
            counting = false;
            if (i % 25 == 0)
                PlatformInjectKey(game.mainWindow, VK_LEFT + (i / 50) % 4, (i / 25) % 2 == 0, FALSE, nullptr);
            counting = counted != nullptr;
            const DWORD before = game.frameCount;
            PlatformAdvanceClock(16);
            for (int pass = 0; pass < 50 && game.frameCount == before; ++pass)
                ASSERT_TRUE(FrameLoopPass(&code));
            ASSERT_EQ(game.frameCount, before + 1) << "the due step ran";
        }
        counting = false;
        EXPECT_TRUE(!counted ||
                    (allocations == 0 && mallinfo2().uordblks == heap && PlatformLiveGdiObjects() == objects))
            << counted << ": " << allocations << " new, C heap in use " << heap << " to " << mallinfo2().uordblks;
    }
};

TEST_F(NoAllocation, StepsAndTheLoopAllocateNothing)
{
    allocations = 0;
    counting = true;
    int* volatile counted = new int(7);  // kept in a volatile: the new is not elided
    counting = false;
    delete counted;
    ASSERT_EQ(allocations, 1) << "the counter sees a new";
    OpenMainWindow();
    game.bulletSetting = 3;
    game.fixedEvent = 1;
    game.invulnerable = true;
    game.eventKind = HomingEvent;  // its label is up on every step
    StartRun();
    ASSERT_EQ(game.running, 1);
    game.nextFrameTime = timeGetTime() + 16;
    Steps(200);  // the pool fills, caches and the system's buffers settle
    ASSERT_FALSE(HasFatalFailure());
    const DWORD score = game.nearMissScore;
    Steps(1000, "in 1,000 steps");
    EXPECT_TRUE(game.activeBullets > 150u && game.nearMissScore > score) << "a crowded run, near-miss banners up";
    // The change of mode allocates (the window's new size), the steps after it do not.
    for (int mode : {1, 2}) {
        ApplyScreenMode(mode);
        Steps(50);
        Steps(200, mode == 1 ? "in 640 x 480" : "in full screen");
    }
    EXPECT_EQ(game.running, 1);
}
