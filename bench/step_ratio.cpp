// The game step against one plain clear of the 76,800-byte frame, side by
// side: rounds alternate a batch of clears with a batch of steps (from the
// prepared run of 300 bullets, without presentation; see step_bench.cpp),
// and the median of the rounds' ratios is printed, for the step without
// and with the event label and near-miss banner up.
//
//   hiren_step_ratio [ROUNDS]
#include <platform_seams.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "core/game_context.h"
#include "display/display.h"
#include "screens/screens.h"

namespace {
constexpr int kBatch = 2000;

double NowNs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e9 + now.tv_nsec;
}

// Keeps the compiler from dropping a clear nobody reads.
void Touch(const void* memory)
{
    __asm__ volatile("" : : "r"(memory) : "memory");
}

double ClearNs()
{
    double start = NowNs();
    for (int i = 0; i < kBatch; ++i) {
        memset(game.frameBuffer, 0, kFrameBytes);
        Touch(game.frameBuffer);
    }
    return (NowNs() - start) / kBatch;
}

double StepNs()
{
    double start = NowNs();
    for (int i = 0; i < kBatch; ++i) {
        BenchRestoreStep();
        GameStep();
        Touch(game.frameBuffer);
    }
    return (NowNs() - start) / kBatch;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The median ratio over `rounds` rounds, and the median times.
void Measure(bool banner, int rounds, const char* name)
{
    BenchPrepareStep(banner);
    std::vector<double> ratios, clears, steps;
    for (int r = 0; r < rounds; ++r) {
        double clear = ClearNs();
        double step = StepNs();
        BenchEndSteps();
        ratios.push_back(step / clear);
        clears.push_back(clear);
        steps.push_back(step);
    }
    printf("%s_clear_ns: %.0f\n%s_ns: %.0f\n%s_ratio: %.2f\n", name, Median(clears), name, Median(steps), name,
           Median(ratios));
}
}  // namespace

int main(int argc, char** argv)
{
    PlatformRecordShutdown(TRUE, FALSE);
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    int rounds = argc > 1 ? atoi(argv[1]) : 15;
    if (rounds < 1)
        rounds = 1;
    BenchOpenWindow();
    Measure(false, 1, "warm_up");
    Measure(false, rounds, "step");
    Measure(true, rounds, "banner_step");
    return 0;
}
