// What a run plays: the bullets and the attack director, the craft and its
// controls, the star field and the banner strip. Each step of a run calls
// these in turn (see GameStep).
#pragma once

#include <windows.h>

#include "core/game_context.h"

// --- The bullets (bullet_*.cpp, director.cpp) ---

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

// The velocity of each of the 64 directions at the three speeds. Entry k
// is R cos and R sin of k * 5.625 degrees, each truncated toward zero. The
// first quarter is computed and the other three mirror it, so the exact
// values (R, 0 and their negatives) come out exact.
struct VelocityTable {
    Velocity entries[3][64];
    constexpr const Velocity* operator[](int tier) const { return entries[tier]; }

    static constexpr VelocityTable Build()
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

private:
    static constexpr long double kPi = 3.141592653589793238462643383279502884L;

    // Taylor series; exact enough for angles below a right angle.
    static constexpr long double Sine(long double a)
    {
        long double term = a, sum = a;
        for (int n = 1; n < 20; ++n) {
            term *= -a * a / ((2 * n) * (2 * n + 1));
            sum += term;
        }
        return sum;
    }

    static constexpr long double Cosine(long double a)
    {
        long double term = 1, sum = 1;
        for (int n = 1; n < 20; ++n) {
            term *= -a * a / ((2 * n - 1) * (2 * n));
            sum += term;
        }
        return sum;
    }
};

// velocityTable[tier][direction]: direction 0 points right, 16 up.
inline constexpr VelocityTable velocityTable = VelocityTable::Build();

// |dx * 1024 / dy| of each direction at base speed; 65536 where dy is 0.
extern LONG slopeTable[64];
// Fills slopeTable; run once at start-up.
void BuildSlopeTable();

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

// --- The craft and its controls (craft.cpp, craft_sprites.cpp) ---

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

// Reads the direction state from the keyboard and the joystick.
void PollInput();
// Finds and captures every joystick that answers; run at window creation.
void CaptureJoysticks(HWND window);
// Releases the captured joystick; run at window destruction.
void ReleaseJoystick();
// A movement message of joystick `id`: x in the low word, y in the high.
void JoystickMoved(DWORD id, LPARAM position);

// --- The star field (stars.cpp): three layers scrolling down the screen
// at different speeds ---

// Lays the stars out anew (450 draws from NextRandom); nothing when the
// background is off.
void SetUpStars();
// Advances the scroll schedule and plots the layers the background shows.
void DrawStars();

// --- The banner strip (banner.cpp): labels laid over the top 16 lines
// during a run, the attack event's name at the right and the near-miss
// banner "絶妙!!..." at the left ---

// At window creation, once composeDc holds bannerFont and bannerDc exists:
// measures the labels and draws the strip into a new bitmap in bannerDc.
void BuildBannerStrip();
// Each step, after the craft is drawn: when a label is up, copies the
// top 16 lines of the frame to composeDc, ORs the labels over them and
// returns true; otherwise touches nothing and returns false.
bool ComposeTopStrip();
