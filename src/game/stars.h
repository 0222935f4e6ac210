// The scrolling star field behind the craft: three layers that move down
// the screen at different speeds.
#pragma once

// Lays the stars out anew (450 draws from NextRandom); nothing when the
// background is off.
void SetUpStars();
// Advances the scroll schedule and plots the layers the background shows.
void DrawStars();
