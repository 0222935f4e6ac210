// The game's real frame loop in a real window, on the real clock.
//
//   hiren_fullspeed speed MODE SECONDS   steps per second at full speed
//                                        (frameInterval 0, 200 bullets,
//                                        all stars) in screen mode MODE
//   hiren_fullspeed pacing STEPS         STEPS steps at the default 16 ms:
//                                        how close each starts to its due time
//   hiren_fullspeed rss SECONDS          peak resident memory over a run of
//                                        300 live bullets at full speed
//
// Each prints "name: value" lines. Bullets never end the run; the run
// raises its priority as a default run does.
#include <platform_seams.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

#include "app/app.h"
#include "bench_support.h"
#include "core/game_context.h"
#include "display/display.h"
#include "step_clock.h"

namespace {
bool timingSteps;
std::vector<double> lateness;  // ms after the due time, one per step
int missed;

// Called by the frame loop as each step starts (game.stepStarting). A step
// is missed when it starts a whole interval or more late: it then runs
// back to back with the next.
void StepStarting()
{
    if (timingSteps && game.frameInterval != 0) {
        double now = StepClockMs();
        double late = now - StepDueMs(now, game.nextFrameTime);
        lateness.push_back(late);
        if (late >= game.frameInterval)
            ++missed;
    }
}

[[noreturn]] void Fail(const char* what)
{
    fprintf(stderr, "hiren_fullspeed: %s\n", what);
    exit(1);
}

// Lets the window system map the window and settle its focus before a run
// starts, so that no late activation pauses the run.
void Settle()
{
    double end = StepClockMs() + 300;
    while (StepClockMs() < end) {
        if (!BenchDrainMessages())
            Fail("the window closed");
        Sleep(5);
    }
}

void Pass()
{
    UINT exitCode = 0;
    if (!FrameLoopPass(&exitCode))
        Fail("the window closed");
    if (game.pauseStart != 0 || game.running == 0)
        Fail("the run stopped (paused by the window system?)");
}

void RunFor(double ms)
{
    double end = StepClockMs() + ms;
    while (StepClockMs() < end)
        Pass();
}

int Speed(int mode, double seconds)
{
    ApplyScreenMode(mode);
    Settle();
    BenchStartRun(3, 2, 0, 1);
    RunFor(300);  // warm-up
    DWORD before = game.frameCount;
    double start = StepClockMs();
    RunFor(seconds * 1000);
    double elapsed = StepClockMs() - start;
    printf("steps_per_second: %.1f\n", (game.frameCount - before) * 1000.0 / elapsed);
    return 0;
}

int Pacing(int steps)
{
    Settle();
    BenchStartRun(3, 2, 16, 1);
    RunFor(500);  // warm-up
    lateness.reserve(static_cast<size_t>(steps));
    timingSteps = true;
    while (static_cast<int>(lateness.size()) < steps)
        Pass();
    timingSteps = false;
    int within = 0;
    for (double late : lateness)
        within += late <= 0.5;
    std::vector<double> sorted = lateness;
    std::sort(sorted.begin(), sorted.end());
    printf("pacing: median %.3f ms, 99th percentile %.3f ms, latest %.3f ms after the due time\n",
           sorted[sorted.size() / 2], sorted[sorted.size() * 99 / 100], sorted.back());
    printf("pacing_within_half_ms: %.2f\n", 100.0 * within / steps);
    printf("skipped_steps: %d\n", missed);
    return 0;
}

int Rss(double seconds)
{
    Settle();
    BenchStartRun(3, 2, 0, 1);
    BenchFillPool(4321);
    game.fixedEvent = 1;  // no event lowers the quota
    double end = StepClockMs() + seconds * 1000;
    while (StepClockMs() < end) {
        Pass();
        if (game.activeBullets < 280)
            BenchFillPool(game.randomSeed);  // keeps the pool full
    }
    printf("peak_rss_mb: %.1f\n", BenchPeakRssKb() / 1024.0);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    PlatformRecordShutdown(TRUE, FALSE);
    if (argc < 3)
        Fail("usage: hiren_fullspeed speed MODE SECONDS | pacing STEPS | rss SECONDS");
    BenchOpenWindow();
    game.stepStarting = StepStarting;
    if (strcmp(argv[1], "speed") == 0 && argc == 4)
        return Speed(atoi(argv[2]), atof(argv[3]));
    if (strcmp(argv[1], "pacing") == 0)
        return Pacing(atoi(argv[2]));
    if (strcmp(argv[1], "rss") == 0)
        return Rss(atof(argv[2]));
    Fail("unknown measurement");
}
