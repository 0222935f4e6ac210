// What the benchmark programs share: the game's window opened as at
// start-up, a run being played, and a prepared pool of 300 bullets.
#pragma once

#include <windows.h>

// Starts the game's state and opens its main window, as AppMain does, and
// handles what the opening queued. Bullets never end a bench's runs
// (game.invulnerable).
void BenchOpenWindow();
// Handles every message waiting; false once WM_QUIT was taken.
bool BenchDrainMessages();

// Starts a run on the title screen with these settings: the bullet
// setting 0..3, the star layers 0..2, the step interval (0: full speed)
// and `boostPriority` (1, the default, raises the process's class where
// allowed; the thread's priority is raised by every run). Bullets never
// end it.
void BenchStartRun(LONG bulletSetting, LONG background, DWORD interval, LONG boostPriority);

// Fills the pool with 300 live bullets of every kind, spread over the
// field and clear of the craft, with no event, no banner and no near miss
// pending. `seed` picks the spread.
void BenchFillPool(DWORD seed);

// A run of 300 bullets over the full star field, saved so that every step
// from it does the same work: with `banner`, event 8's label (the widest)
// and a near-miss banner of ten marks are up; without, nothing is.
void BenchPrepareStep(bool banner);
// Puts the saved state back, without the window's DC: a step from it draws
// the frame and composes the top strip but presents nothing.
void BenchRestoreStep();
// Puts the saved state back with the window's DC.
void BenchEndSteps();

// Peak resident memory of this process so far, in kB.
long BenchPeakRssKb();
