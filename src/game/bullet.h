// The bullet record and the pool that holds them.
#pragma once

#include <windows.h>

// The Windows headers still define the 16-bit pointer qualifier "near" as
// nothing; the bullet's near-miss flag needs the word.
#undef near

constexpr int kBulletPoolSize = 300;

enum BulletKind : BYTE {
    Straight = 0,  // fixed direction, base speed
    Homing = 1,    // accelerates toward the craft on each axis
    Fast = 2,      // fixed direction, fast speed
    Slow = 3,      // fixed direction, slow speed
    Seeking = 4,   // turns toward the craft every param1 steps
    Drift = 5,     // constant velocity from the record
};

// Positions are in 1/64 pixel, y growing upward on the screen.
struct Bullet {
    DWORD x;
    DWORD y;
    BYTE near;       // 1 while counted in nearMissCount
    BYTE kind;       // BulletKind
    BYTE direction;  // 0..63, 16 pointing up
    signed char param1;
    signed char param2;
};
