// hiren-trace: plays one run headless, on SDL's dummy video driver and a
// frozen clock, and prints the state after every step, so that any two
// builds can be compared step by step. A line holds 17 fields:
//
//   k now frame-crc activeBullets bulletQuota eventKind homingCount
//   nearMissCount nearMissScore nearMissMarks nearMissBannerTimer hitPhase
//   playerX playerY pose frameCount randomSeed
//
// frame-crc is zlib's CRC-32 of the frame buffer's 76,800 bytes in memory
// order. The trace stops after --steps lines, or after the step that ended
// the run.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <platform_seams.h>

#include "app/app.h"
#include "core/game_context.h"
#include "trace_harness.h"

namespace {
const char kUsage[] =
    "usage: hiren-trace [--seed S] [--steps N] [--interval I] [--t0 T] [--bullets B]\n"
    "                   [--background M] [--event E] [--script SCRIPT] [--invulnerable]\n"
    "  --interval  the step interval in ms, also the spacing of the clock (16)\n"
    "  --t0        the clock when the run starts (1000000)\n"
    "  --event     every step plays attack event E (0..11), as a typed command fixes it\n"
    "  --script    input per step, e.g. R30,U10,N50: L R U D arrows, l r u d joystick,\n"
    "              N nothing, letters combine, a count repeats (1 when omitted)\n"
    "  --invulnerable  test only: bullets in the hit zone do not end the run\n";

bool ParseNumber(const char* text, unsigned long long high, unsigned long long* value)
{
    char* end = nullptr;
    unsigned long long n = strtoull(text, &end, 10);
    if (end == text || *end != '\0' || text[0] == '-' || n > high)
        return false;
    *value = n;
    return true;
}

bool ParseOptions(int argc, char** argv, TraceOptions* options)
{
    for (int i = 1; i < argc; ++i) {
        const char* name = argv[i];
        if (strcmp(name, "--invulnerable") == 0) {
            options->invulnerable = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const char* text = argv[++i];
        unsigned long long n = 0;
        if (strcmp(name, "--script") == 0) {
            std::vector<ScriptToken> tokens;
            if (!ParseScript(text, &tokens))
                return false;
            options->script = text;
        } else if (strcmp(name, "--seed") == 0 && ParseNumber(text, 0xFFFFFFFFull, &n))
            options->seed = static_cast<DWORD>(n);
        else if (strcmp(name, "--steps") == 0 && ParseNumber(text, 100000000, &n))
            options->steps = static_cast<int>(n);
        else if (strcmp(name, "--interval") == 0 && ParseNumber(text, 1000, &n))
            options->interval = static_cast<DWORD>(n);
        else if (strcmp(name, "--t0") == 0 && ParseNumber(text, 0xFFFFFFFFull, &n))
            options->t0 = static_cast<DWORD>(n);
        else if (strcmp(name, "--event") == 0 && ParseNumber(text, 11, &n))
            options->event = static_cast<LONG>(n);
        else if (strcmp(name, "--bullets") == 0 && ParseNumber(text, 3, &n))
            options->bulletSetting = static_cast<LONG>(n);
        else if (strcmp(name, "--background") == 0 && ParseNumber(text, 2, &n))
            options->backgroundMode = static_cast<LONG>(n);
        else
            return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv)
{
    TraceOptions options;
    if (!ParseOptions(argc, argv, &options)) {
        fputs(kUsage, stderr);
        return 2;
    }
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    PlatformSetClock(options.t0 - 1);
    InitGameState();
    if (InitApplication() == 0 || (game.mainWindow = CreateMainWindow()) == nullptr) {
        fputs("hiren-trace: the main window could not be made\n", stderr);
        return 1;
    }
    StartTraceRun(options);
    for (int k = 0; k < options.steps && TraceStep(options, k); ++k) {
        printf("%d %u %08x %u %u %d %u %u %u %u %d %u %d %d %u %u %u\n", k, static_cast<unsigned>(game.now),
               static_cast<unsigned>(FrameChecksum()), static_cast<unsigned>(game.activeBullets),
               static_cast<unsigned>(game.bulletQuota), static_cast<int>(game.eventKind),
               static_cast<unsigned>(game.homingCount), static_cast<unsigned>(game.nearMissCount),
               static_cast<unsigned>(game.nearMissScore), static_cast<unsigned>(game.nearMissMarks),
               static_cast<int>(game.nearMissBannerTimer), static_cast<unsigned>(game.hitPhase),
               static_cast<int>(game.playerX), static_cast<int>(game.playerY), static_cast<unsigned>(game.pose),
               static_cast<unsigned>(game.frameCount), static_cast<unsigned>(game.randomSeed));
        if (game.running == 0)
            break;  // this step ended the run
    }
    DestroyWindow(game.mainWindow);
    return 0;
}
