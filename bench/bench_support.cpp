#include "bench_support.h"

#include <stdio.h>
#include <string.h>

#include "app/app.h"
#include "core/game_context.h"
#include "game/game.h"
#include "screens/screens.h"

void BenchOpenWindow()
{
    InitGameState();
    game.invulnerable = true;
    if (InitApplication() == 0 || (game.mainWindow = CreateMainWindow()) == nullptr) {
        fputs("bench: the main window could not be made\n", stderr);
        ExitProcess(1);
    }
    BenchDrainMessages();
}

bool BenchDrainMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            return false;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

void BenchStartRun(LONG bulletSetting, LONG background, DWORD interval, LONG boostPriority)
{
    game.boostPriority = boostPriority;
    game.bulletSetting = bulletSetting;
    game.backgroundMode = background;
    game.frameInterval = interval;
    game.fixedEvent = 0;
    game.eventKind = NoEvent;
    game.screen = Title;
    StartRun();
}

void BenchFillPool(DWORD seed)
{
    game.randomSeed = seed;
    game.playerX = 152;
    game.playerY = 44;
    game.homingCount = 0;
    game.nearMissCount = 0;
    game.nearMissBannerTimer = 0;
    game.nearMissMarks = 0;
    game.eventKind = 0;
    game.hitPhase = 0;
    for (int i = 0; i < kBulletPoolSize; ++i) {
        Bullet& b = game.bullets[i];
        // Anywhere in the field but a box around the craft's near zone.
        do {
            b.x = static_cast<DWORD>(NextRandom() * 2 + (NextRandom() & 1)) % kFieldRight;
            b.y = static_cast<DWORD>(NextRandom() * 2 + (NextRandom() & 1)) % kFieldTop;
        } while ((b.x >> 6) + 40 > 152 && (b.x >> 6) < 152 + 60 && (b.y >> 6) + 40 > 44 && (b.y >> 6) < 44 + 60);
        b.near = 0;
        b.kind = static_cast<BYTE>(i % 6);
        b.direction = static_cast<BYTE>(NextRandom() & 63);
        b.param1 = 0;
        b.param2 = 0;
        switch (b.kind) {
        case Homing:
            ++game.homingCount;
            b.param2 = static_cast<signed char>(NextRandom() % 64 - 32);
            break;
        case Seeking:
            b.param1 = static_cast<signed char>(12 + (NextRandom() & 7));
            break;
        case Slow:
            b.param1 = static_cast<signed char>((NextRandom() & 3) * 16);
            break;
        case Drift:
            b.param1 = static_cast<signed char>(NextRandom() % 64 - 32);
            b.param2 = static_cast<signed char>(NextRandom() % 64 - 32);
            break;
        default:
            break;
        }
    }
    game.activeBullets = kBulletPoolSize;
    game.bulletQuota = kBulletPoolSize;
}

namespace {
GameContext savedStep;
}  // namespace

void BenchPrepareStep(bool banner)
{
    if (!game.mainWindow)
        BenchOpenWindow();
    if (game.running == 0)
        BenchStartRun(3, 2, 16, 0);
    BenchFillPool(12345);
    game.now = game.startTime + 1000;  // no quota growth, no event due
    game.fixedEvent = banner ? 1 : 0;
    if (banner) {
        game.eventKind = 8;
        game.nearMissBannerTimer = 100;
        game.nearMissMarks = 10;
    }
    savedStep = game;
}

void BenchRestoreStep()
{
    game = savedStep;
    game.windowDc = nullptr;
}

void BenchEndSteps()
{
    game = savedStep;
}

long BenchPeakRssKb()
{
    FILE* status = fopen("/proc/self/status", "r");
    if (!status)
        return -1;
    char line[256];
    long kb = -1;
    while (fgets(line, sizeof line, status))
        if (strncmp(line, "VmHWM:", 6) == 0)
            sscanf(line + 6, "%ld", &kb);
    fclose(status);
    return kb;
}
