// The cost of the per-frame work built so far: clearing the frame image
// and presenting it in each screen mode. A frame is 76,800 bytes in and
// 320 x 240 (or the stretched size) pixels out.
#include <benchmark/benchmark.h>
#include <platform_seams.h>
#include <windows.h>

#include "app/app.h"
#include "app/game_context.h"
#include "display/surfaces.h"

namespace {
void OpenWindowOnce()
{
    if (game.mainWindow)
        return;
    game.instanceHandle = GetModuleHandleA(nullptr);
    InitApplication();
    game.mainWindow = CreateMainWindow();
}

void BM_ClearFrameBuffer(benchmark::State& state)
{
    OpenWindowOnce();
    game.hasMmx = static_cast<LONG>(state.range(0));
    for (auto _ : state) {
        ClearFrameBuffer();
        benchmark::DoNotOptimize(game.frameBuffer[0]);
    }
    state.SetBytesProcessed(state.iterations() * kFrameBytes);
}
BENCHMARK(BM_ClearFrameBuffer)->Arg(0)->Arg(1);

void BM_PresentFrame(benchmark::State& state)
{
    OpenWindowOnce();
    ApplyScreenMode(static_cast<int>(state.range(0)));
    MSG msg;
    for (auto _ : state) {
        PresentImage(game.frameDc);
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // puts it on screen
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PresentFrame)->Arg(0)->Arg(1)->Arg(2);
}  // namespace

int main(int argc, char** argv)
{
    PlatformSetScreenSize(1024, 768);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
