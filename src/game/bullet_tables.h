// The playfield of the bullets and the two tables all bullet motion uses:
// the velocity of each of the 64 directions at three speeds, and the slope
// of each direction for aiming.
#pragma once

#include <windows.h>

// The field, in 1/64 pixel: 324 x 244 pixels, a 4-pixel margin beyond the
// frame on the right and at the top (a bullet's picture lies below and
// left of its position).
constexpr DWORD kFieldRight = 20736;
constexpr DWORD kFieldTop = 15616;

enum SpeedTier { BaseSpeed = 0, FastSpeed = 1, SlowSpeed = 2 };

// One step's movement, in 1/64 pixel.
struct Velocity {
    LONG dx;
    LONG dy;
};

struct VelocityTable {
    Velocity entries[3][64];
    constexpr const Velocity* operator[](int tier) const { return entries[tier]; }
};

namespace velocity_detail {
constexpr long double kPi = 3.141592653589793238462643383279502884L;

// Taylor series; exact enough for angles below a right angle.
constexpr long double Sine(long double a)
{
    long double term = a, sum = a;
    for (int n = 1; n < 20; ++n) {
        term *= -a * a / ((2 * n) * (2 * n + 1));
        sum += term;
    }
    return sum;
}

constexpr long double Cosine(long double a)
{
    long double term = 1, sum = 1;
    for (int n = 1; n < 20; ++n) {
        term *= -a * a / ((2 * n - 1) * (2 * n));
        sum += term;
    }
    return sum;
}

// Entry k is R cos and R sin of k * 5.625 degrees, each truncated toward
// zero. The first quarter is computed and the other three mirror it, so
// the exact values (R, 0 and their negatives) come out exact.
constexpr VelocityTable Build()
{
    VelocityTable table{};
    const LONG radii[3] = {64, 80, 48};
    for (int tier = 0; tier < 3; ++tier) {
        for (int j = 0; j < 16; ++j) {
            long double angle = kPi * j / 32;
            LONG c = static_cast<LONG>(radii[tier] * Cosine(angle));
            LONG s = j == 0 ? 0 : static_cast<LONG>(radii[tier] * Sine(angle));
            table.entries[tier][j] = {c, s};
            table.entries[tier][j + 16] = {-s, c};
            table.entries[tier][j + 32] = {-c, -s};
            table.entries[tier][j + 48] = {s, -c};
        }
    }
    return table;
}
}  // namespace velocity_detail

// velocityTable[tier][direction]: direction 0 points right, 16 up.
inline constexpr VelocityTable velocityTable = velocity_detail::Build();

// |dx * 1024 / dy| of each direction at base speed; 65536 where dy is 0.
extern LONG slopeTable[64];

// Fills slopeTable; run once at start-up.
void BuildSlopeTable();
