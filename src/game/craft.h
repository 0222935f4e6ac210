// The craft: its pictures, its lean, its movement and its explosion.
#pragma once

#include <windows.h>

constexpr int kCraftImages = 12;
constexpr int kSpriteBytes = 256;

// 12 pictures of 16 x 16 palette indices, row 0 the lowest line; 0 is
// transparent. Pictures 0..6 are the explosion, 7..11 the craft's poses.
struct CraftSprites {
    BYTE bytes[kCraftImages * kSpriteBytes];
};
extern const CraftSprites craftSprites;
// Byte offsets of the pictures: entries 0..15 by hitPhase, 16..20 by pose.
extern const WORD spriteOffsets[21];

// Steps the lean state machine with this step's horizontal input.
void UpdatePose(LONG dx);
// One alive step: counts it, moves the craft by the input and returns the
// offset of the picture to draw.
WORD MoveCraft();
// Draws a picture with its row 0 at (playerX, playerY); 0 bytes skipped.
void DrawCraftSprite(WORD offset);
