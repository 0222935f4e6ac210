// The bullets: aiming, spawning, the pass that tests, moves and draws
// them each step, and the attack director that keeps the pool filled.
#pragma once

#include <windows.h>

#include "game/bullet.h"

// The direction 0..63 from the bullet's position toward the craft's centre;
// a spread of 3 or 5 adds a random offset (one draw), 0 aims exactly.
int AimAtCraft(const Bullet& bullet, int spread);

// Writes a new bullet into `slot` (entry activeBullets of the pool) by the
// rule of the event in force; the caller counts it.
void SpawnBullet(Bullet& slot);

// One step of the bullets: removes those that left the field, scores near
// misses, detects the hit, moves and draws every bullet, then lets the
// director add one.
void StepBullets();

// Moves one bullet by the rule of its kind.
void MoveBullet(Bullet& bullet);
// Draws the picture of `kind` over columns X-4..X-1 and rows Y-4..Y-1,
// clipped to the frame.
void DrawBullet(BYTE kind, LONG pixelX, LONG pixelY);

// The attack director, the tail of StepBullets: tops the pool up, grows
// the quota and starts and ends the events.
void RunDirector();
