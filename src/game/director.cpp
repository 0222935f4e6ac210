// The attack director: how many bullets fly and what kind arrive. It
// tops the pool up by one bullet a step, raises the quota every three
// seconds, and every few seconds may start a ten-second attack event.
#include "core/game_context.h"
#include "game/game.h"

namespace {
constexpr DWORD kQuotaPeriod = 3000;
constexpr DWORD kQuietPeriod = 5000;
constexpr DWORD kEventPeriod = 10000;
constexpr DWORD kQuotaLimit = 299;
// 3 chances in 8 of starting an event at each decision.
constexpr int kEventChance = 12288;

void StartEvent(DWORD now, int r)
{
    game.nextEventTime = now + kEventPeriod;
    game.eventKind = r % 11 + 1;  // AimedEvent .. MixedEvent
    if (game.eventKind != RampageEvent)
        return;
    // The rampage brings half as many bullets again, up to the full pool.
    game.savedQuota = game.bulletQuota;
    game.bulletQuota = game.bulletQuota > 200 ? 300 : game.bulletQuota + game.bulletQuota / 2;
}
}  // namespace

void RunDirector()
{
    DWORD now = game.now;
    if (game.activeBullets < game.bulletQuota && game.activeBullets < kBulletPoolSize) {
        // A step that adds a bullet decides nothing else.
        SpawnBullet(game.bullets[game.activeBullets]);
        ++game.activeBullets;
        return;
    }
    // The quota rests during the director's own events and resumes after.
    if (TimeAfter(now, game.nextQuotaTime) && game.bulletQuota < kQuotaLimit &&
        (game.eventKind == NoEvent || game.fixedEvent)) {
        ++game.bulletQuota;
        game.nextQuotaTime = now + kQuotaPeriod;
    }
    // A commanded event holds for the whole run.
    if (game.fixedEvent || !TimeAfter(now, game.nextEventTime))
        return;
    if (game.eventKind != NoEvent) {
        // Bullets beyond the restored quota stay until they leave.
        if (game.eventKind == RampageEvent)
            game.bulletQuota = game.savedQuota;
        game.eventKind = NoEvent;
        game.nextEventTime = now + kQuietPeriod;
        return;
    }
    int r = NextRandom();
    if (r < kEventChance)
        StartEvent(now, r);
    else
        game.nextEventTime = now + kQuietPeriod;
}
