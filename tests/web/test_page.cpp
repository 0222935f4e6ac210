// The test page's hooks: the game as the web page runs it, plus what the
// browser tests and the web figures read and set from the page. The
// page's address chooses the start state: "?clock=T" freezes the clock at
// T ms before the program starts (the seed is read from it too), and only
// HirenTestAdvanceClock moves it; with "invulnerable" among its parameters
// no bullet ends a run.
#include <emscripten.h>
#include <platform_seams.h>

#include <vector>

#include "core/game_context.h"
#include "step_clock.h"

namespace {
EM_JS(double, AskedClock, (), {
    var asked = new URLSearchParams(location.search).get("clock");
    return asked ? Number(asked) : -1;
});
EM_JS(int, AskedInvulnerable, (), { return new URLSearchParams(location.search).has("invulnerable") ? 1 : 0; });
EM_JS(int, PageVisible, (), { return document.visibilityState == "visible" ? 1 : 0; });

// Each recorded step: when it started (ms of the monotonic clock that
// timeGetTime reads), how late after its due time, and whether the page
// was visible then.
struct StepStart {
    double at;
    double late;
    bool visible;
};
std::vector<StepStart> steps;
bool recording;
int stepsStarted;  // every step, recorded or not

void StepStarting()
{
    ++stepsStarted;
    if (!recording)
        return;
    double now = StepClockMs();
    if (game.frameInterval == 0) {
        steps.push_back(StepStart{now, 0, true});  // at full speed every step is due
        return;
    }
    steps.push_back(StepStart{now, now - StepDueMs(now, game.nextFrameTime), PageVisible() != 0});
}

struct PageStart {
    PageStart()
    {
        double clock = AskedClock();
        if (clock >= 0)
            PlatformSetClock(static_cast<DWORD>(clock));
        game.invulnerable = AskedInvulnerable() != 0;
        game.stepStarting = StepStarting;
    }
} pageStart;
}  // namespace

extern "C" {
EMSCRIPTEN_KEEPALIVE void HirenTestAdvanceClock(int ms)
{
    PlatformAdvanceClock(static_cast<DWORD>(ms));
}

// The screen up (0 title, 1 playing, 2 result, 3 verdict), the steps the
// craft lived in this run, whether it is paused, the steps started since
// the page started.
EMSCRIPTEN_KEEPALIVE int HirenTestScreen()
{
    return game.screen;
}

EMSCRIPTEN_KEEPALIVE int HirenTestFrameCount()
{
    return static_cast<int>(game.frameCount);
}

EMSCRIPTEN_KEEPALIVE int HirenTestPaused()
{
    return game.pauseStart != 0;
}

EMSCRIPTEN_KEEPALIVE int HirenTestStepsStarted()
{
    return stepsStarted;
}

// Recording the steps' starts: 1 starts afresh, 0 stops.
EMSCRIPTEN_KEEPALIVE void HirenTestRecordSteps(int on)
{
    if (on) {
        steps.clear();
        steps.reserve(1 << 17);
    }
    recording = on != 0;
}

EMSCRIPTEN_KEEPALIVE int HirenTestStepsRecorded()
{
    return static_cast<int>(steps.size());
}

// Steps that started within `ms` of the first recorded one.
EMSCRIPTEN_KEEPALIVE int HirenTestStepsWithin(double ms)
{
    int count = 0;
    for (const StepStart& step : steps)
        count += step.at - steps.front().at < ms;
    return count;
}

// From the first recorded step's start to the last one's.
EMSCRIPTEN_KEEPALIVE double HirenTestStepSpan()
{
    return steps.empty() ? 0 : steps.back().at - steps.front().at;
}

// Steps that started more than `ms` after their due time while the page
// was visible.
EMSCRIPTEN_KEEPALIVE int HirenTestLateSteps(double ms)
{
    int count = 0;
    for (const StepStart& step : steps)
        count += step.visible && step.late > ms;
    return count;
}

EMSCRIPTEN_KEEPALIVE double HirenTestLatestStep()
{
    double latest = 0;
    for (const StepStart& step : steps)
        latest = step.visible && step.late > latest ? step.late : latest;
    return latest;
}
}
