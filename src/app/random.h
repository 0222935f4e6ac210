// The program's one pseudo-random generator.
#pragma once

// Advances game.randomSeed and returns 0..32767.
int NextRandom();
