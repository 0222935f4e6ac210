// A new bullet: placed on an edge of the field and given its kind by the
// attack event in force.
#include "core/game_context.h"
#include "game/game.h"

namespace {
enum Edge { BottomEdge = 0, TopEdge = 1, LeftEdge = 2, RightEdge = 3 };

void Aim(Bullet& slot, int spread)
{
    slot.direction = static_cast<BYTE>(AimAtCraft(slot, spread));
}

void MakeHoming(Bullet& slot, signed char verticalVelocity)
{
    slot.kind = Homing;
    slot.param1 = 0;
    slot.param2 = verticalVelocity;
    ++game.homingCount;
}

// FromAboveEvent: everything comes from the top edge, most of it falling.
void SpawnFromAbove(Bullet& slot)
{
    slot.x = static_cast<DWORD>(NextRandom()) % kFieldRight;
    int r = NextRandom();
    slot.y = kFieldTop;
    int selector = r >> 12;
    auto fall = static_cast<signed char>(1 - r % 96);  // -94 .. 1
    switch (selector) {
    case 0:
        slot.kind = Seeking;
        slot.param1 = 12;
        Aim(slot, 5);
        break;
    case 1:
        Aim(slot, 5);
        break;
    case 3:
        MakeHoming(slot, fall);
        break;
    default:
        slot.kind = Drift;
        slot.param2 = fall;
        break;
    }
}

void PlaceOnEdge(Bullet& slot, int edge)
{
    DWORD r = static_cast<DWORD>(NextRandom());
    switch (edge) {
    case BottomEdge:
        slot.x = r % kFieldRight;
        slot.y = 0;
        break;
    case TopEdge:
        slot.x = r % kFieldRight;
        slot.y = kFieldTop;
        break;
    case LeftEdge:
        slot.x = 0;
        slot.y = r % kFieldTop;
        break;
    default:
        slot.x = kFieldRight;
        slot.y = r % kFieldTop;
        break;
    }
}

// RampageEvent: a random direction that heads into the field or along its
// edge.
BYTE DirectionInto(int edge)
{
    int d = NextRandom() & 31;
    switch (edge) {
    case BottomEdge:
        return static_cast<BYTE>(d);
    case TopEdge:
        return static_cast<BYTE>(d + 32);
    case LeftEdge:
        return static_cast<BYTE>(d <= 15 ? d : d + 32);
    default:
        return static_cast<BYTE>(d + 16);
    }
}
}  // namespace

void SpawnBullet(Bullet& slot)
{
    int r1 = NextRandom();
    // A slot may hold a removed bullet's bytes: nothing carries over.
    slot.near = 0;
    slot.kind = Straight;
    slot.direction = 0;
    slot.param1 = 0;
    slot.param2 = 0;

    LONG event = game.eventKind;
    if (event == MixedEvent) {
        // Each bullet takes the rule of a random event; FromAboveEvent and
        // MixedEvent here give the rule of no event.
        event = ((r1 >> 8) % 11) + 1;
    } else if (event == FromAboveEvent) {
        SpawnFromAbove(slot);
        return;
    }

    int edge = r1 & 3;
    PlaceOnEdge(slot, edge);
    if (event == RampageEvent) {
        slot.direction = DirectionInto(edge);
        return;
    }

    switch (event) {
    case AimedEvent:
        Aim(slot, 0);
        break;
    case Seeking12Event:
    case Seeking16Event:
    case Seeking20Event:
        slot.kind = Seeking;
        slot.param1 = static_cast<signed char>(12 + 4 * (event - Seeking12Event));
        Aim(slot, 5);
        break;
    case SeekingMixedEvent:
        slot.kind = Seeking;
        slot.param1 = static_cast<signed char>(12 + (NextRandom() & 7));
        Aim(slot, 5);
        break;
    case FastEvent:
        slot.kind = Fast;
        Aim(slot, 5);
        break;
    case SlowEvent:
        slot.kind = Slow;
        slot.param1 = static_cast<signed char>((NextRandom() & 3) * 16);
        Aim(slot, 5);
        break;
    case HomingEvent:
        if (game.homingCount < 4) {
            MakeHoming(slot, 0);
            break;
        }
        Aim(slot, 5);
        break;
    default:
        Aim(slot, 5);
        break;
    }
}
