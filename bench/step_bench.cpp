// The game step and its parts, on a prepared run of 300 live bullets of
// every kind over the full star field. Each iteration starts from the
// same saved state, so every step does the same work; the state is put
// back inside the timed loop, so its cost counts against the step. "No
// presentation": the window's DC is taken away while stepping, so the
// picture is drawn (and the top strip composed) but not blitted to the
// window.
#include <benchmark/benchmark.h>
#include <string.h>

#include "bench_support.h"
#include "core/game_context.h"
#include "display/display.h"
#include "game/game.h"
#include "screens/screens.h"

namespace {
// One plain clear of the frame: what the step is measured against.
void BM_PlainClear(benchmark::State& state)
{
    BenchPrepareStep(false);
    for (auto _ : state) {
        memset(game.frameBuffer, 0, kFrameBytes);
        benchmark::ClobberMemory();
    }
    BenchEndSteps();
    state.SetBytesProcessed(state.iterations() * kFrameBytes);
}
BENCHMARK(BM_PlainClear);

void BM_GameStep(benchmark::State& state)
{
    bool banner = state.range(0) != 0;
    BenchPrepareStep(banner);
    for (auto _ : state) {
        BenchRestoreStep();
        GameStep();
        benchmark::ClobberMemory();
    }
    BenchEndSteps();
    state.SetLabel(banner ? "banner" : "no banner");
}
BENCHMARK(BM_GameStep)->Arg(0)->Arg(1);

void BM_StepBullets(benchmark::State& state)
{
    BenchPrepareStep(false);
    for (auto _ : state) {
        BenchRestoreStep();
        StepBullets();
        benchmark::ClobberMemory();
    }
    BenchEndSteps();
    state.SetItemsProcessed(state.iterations() * kBulletPoolSize);
}
BENCHMARK(BM_StepBullets);

// Spread 0 aims exactly; 5 adds the random offset.
void BM_AimAtCraft(benchmark::State& state)
{
    BenchPrepareStep(false);
    int spread = static_cast<int>(state.range(0));
    int sum = 0;
    for (auto _ : state) {
        for (int i = 0; i < kBulletPoolSize; ++i)
            sum += AimAtCraft(game.bullets[i], spread);
        benchmark::DoNotOptimize(sum);
    }
    BenchEndSteps();
    state.SetItemsProcessed(state.iterations() * kBulletPoolSize);
}
BENCHMARK(BM_AimAtCraft)->Arg(0)->Arg(5);

// The event label and a near-miss banner of ten marks over the frame's
// top lines.
void BM_ComposeTopStrip(benchmark::State& state)
{
    BenchPrepareStep(true);
    for (auto _ : state) {
        game.nearMissBannerTimer = 100;
        benchmark::DoNotOptimize(ComposeTopStrip());
    }
    BenchEndSteps();
}
BENCHMARK(BM_ComposeTopStrip);
}  // namespace
