// The 8-bit frame to the display: the step's present (PresentImage) into
// the window's pixels in each screen mode, and all the way to the screen
// (the pixels uploaded and shown by the next message call).
#include <benchmark/benchmark.h>
#include <platform_seams.h>
#include <windows.h>

#include "bench_support.h"
#include "core/game_context.h"
#include "display/display.h"

namespace {
void OpenWindowOnce()
{
    if (!game.mainWindow)
        BenchOpenWindow();
}

void BM_ClearFrameBuffer(benchmark::State& state)
{
    OpenWindowOnce();
    LONG kept = game.hasMmx;
    game.hasMmx = static_cast<LONG>(state.range(0));
    for (auto _ : state) {
        ClearFrameBuffer();
        benchmark::ClobberMemory();
    }
    game.hasMmx = kept;
    state.SetBytesProcessed(state.iterations() * kFrameBytes);
}
BENCHMARK(BM_ClearFrameBuffer)->Arg(0)->Arg(1);

// Mode 0, 1 or 2 (the whole 1024 x 768 test screen); with or without the
// composed top strip.
void BM_PresentFrame(benchmark::State& state)
{
    OpenWindowOnce();
    ApplyScreenMode(static_cast<int>(state.range(0)));
    BenchDrainMessages();
    HDC strip = state.range(1) != 0 ? game.composeDc : nullptr;
    for (auto _ : state)
        PresentImage(game.frameDc, strip);
    ApplyScreenMode(0);
    BenchDrainMessages();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PresentFrame)->ArgsProduct({{0, 1, 2}, {0, 1}});

void BM_PresentToScreen(benchmark::State& state)
{
    OpenWindowOnce();
    ApplyScreenMode(static_cast<int>(state.range(0)));
    BenchDrainMessages();
    MSG msg;
    for (auto _ : state) {
        PresentImage(game.frameDc);
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // puts it on screen
    }
    ApplyScreenMode(0);
    BenchDrainMessages();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PresentToScreen)->Arg(0)->Arg(1);
}  // namespace

int main(int argc, char** argv)
{
    PlatformRecordShutdown(TRUE, FALSE);
    PlatformSetScreenSize(1024, 768);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
