// The game step and the frame loop allocate nothing: a thousand steps of
// a crowded run through the real loop (present, message pumping, keys
// pressed and released, the event label and near-miss banners), then
// more in the two stretched screen modes, without one operator new, with
// the C heap holding what it held before and no GDI object made.
#include <malloc.h>
#include <stdlib.h>

#include <new>

#include <mmsystem.h>

#include "display/display.h"
#include "game_fixture.h"
#include "screens/screens.h"
#include "trace_harness.h"

namespace {
// C++ allocations made while `counting`.
long allocations;
bool counting;

void* Allocate(std::size_t size)
{
    if (counting)
        ++allocations;
    return malloc(size ? size : 1);
}
}  // namespace

// Every form of operator new goes through the counter; the matching
// deletes free what malloc gave. Weak, as in platform_tests: valgrind's
// memcheck then still pairs each new with its delete.
__attribute__((weak)) void* operator new(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
__attribute__((weak)) void* operator new[](std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}
__attribute__((weak)) void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
__attribute__((weak)) void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
__attribute__((weak)) void operator delete(void* p) noexcept
{
    free(p);
}
__attribute__((weak)) void operator delete[](void* p) noexcept
{
    free(p);
}
__attribute__((weak)) void operator delete(void* p, std::size_t) noexcept
{
    free(p);
}
__attribute__((weak)) void operator delete[](void* p, std::size_t) noexcept
{
    free(p);
}
__attribute__((weak)) void operator delete(void* p, const std::nothrow_t&) noexcept
{
    free(p);
}
__attribute__((weak)) void operator delete[](void* p, const std::nothrow_t&) noexcept
{
    free(p);
}

namespace {
class NoAllocation : public GameTest {
protected:
    void TearDown() override
    {
        counting = false;
        GameTest::TearDown();
    }

    // Runs passes of the loop until one more step was played; the clock
    // moves on by one interval first.
    void OneStep()
    {
        DWORD before = game.frameCount;
        PlatformAdvanceClock(16);
        UINT code;
        for (int pass = 0; pass < 50 && game.frameCount == before; ++pass)
            ASSERT_TRUE(FrameLoopPass(&code));
        ASSERT_EQ(game.frameCount, before + 1) << "the due step ran";
    }

    // `steps` steps, with a key pressed or let go every 25th; the keys are
    // injected with counting off (they are the test's, not the loop's).
    void Steps(int steps)
    {
        static const UINT keys[] = {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN};
        for (int i = 0; i < steps; ++i) {
            if (i % 25 == 0) {
                bool wasCounting = counting;
                counting = false;
                PlatformInjectKey(game.mainWindow, keys[(i / 50) % 4], (i / 25) % 2 == 0, FALSE, nullptr);
                counting = wasCounting;
            }
            OneStep();
            if (HasFatalFailure())
                return;
        }
    }
};
}  // namespace

TEST_F(NoAllocation, TheCounterSeesEveryNew)
{
    counting = true;
    int* volatile single = new int(7);
    int* volatile several = new int[9]();
    counting = false;
    delete single;
    delete[] several;
    EXPECT_EQ(allocations, 2);
    allocations = 0;
}

TEST_F(NoAllocation, StepsAndTheLoopAllocateNothing)
{
    OpenMainWindow();
    DrainMessages();
    game.boostPriority = 0;
    game.bulletSetting = 3;
    game.backgroundMode = 2;
    game.fixedEvent = 1;
    game.eventKind = 8;  // its label is up on every step
    game.invulnerable = true;
    StartRun();
    ASSERT_EQ(game.running, 1);
    game.nextFrameTime = timeGetTime() + 16;

    Steps(200);  // the pool fills, caches and the system's buffers settle
    ASSERT_FALSE(HasFatalFailure());
    int objects = PlatformLiveGdiObjects();
    struct mallinfo2 heap = mallinfo2();
    DWORD score = game.nearMissScore;
    allocations = 0;
    counting = true;
    Steps(1000);
    counting = false;
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(allocations, 0) << "operator new in 1,000 steps";
    EXPECT_EQ(mallinfo2().uordblks, heap.uordblks) << "C heap in use";
    EXPECT_EQ(PlatformLiveGdiObjects(), objects);
    EXPECT_GT(game.activeBullets, 150u) << "a crowded run";
    EXPECT_GT(game.nearMissScore, score) << "near-miss banners came up";

    // The stretched modes: the change itself allocates (the window's new
    // size), the steps after it do not.
    for (int mode : {1, 2}) {
        ApplyScreenMode(mode);
        Steps(50);
        ASSERT_FALSE(HasFatalFailure());
        heap = mallinfo2();
        counting = true;
        Steps(200);
        counting = false;
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_EQ(allocations, 0) << "operator new in screen mode " << mode;
        EXPECT_EQ(mallinfo2().uordblks, heap.uordblks) << "C heap in screen mode " << mode;
    }
    EXPECT_EQ(game.running, 1);
}
