// GameContext: the one record that holds the whole state of the program,
// grouped by the subsystem that owns each field, with the types of its
// parts. It lives in zero-filled static storage, so every field not given a
// start value begins at 0. Below it, the two rules every part applies to
// it: the random generator and the wrap-safe clock comparisons.
#pragma once

#include <windows.h>

// The Windows headers still define the 16-bit pointer qualifier "near" as
// nothing; the bullet's near-miss flag needs the word.
#undef near

enum Screen : LONG {
    Title = 0,
    Playing = 1,
    Result = 2,
    Verdict = 3,
};

// The attack events: for ten seconds every new bullet follows one rule.
enum AttackEvent : LONG {
    NoEvent = 0,
    AimedEvent = 1,         // aimed exactly at the craft
    Seeking12Event = 2,     // seeking, turning every 12 steps
    Seeking16Event = 3,     // seeking, turning every 16 steps
    Seeking20Event = 4,     // seeking, turning every 20 steps
    SeekingMixedEvent = 5,  // seeking, turning every 12..19 steps
    FastEvent = 6,          // fast
    SlowEvent = 7,          // slow
    HomingEvent = 8,        // homing, up to four at a time
    RampageEvent = 9,       // random headings; half as many bullets again
    FromAboveEvent = 10,    // all from the top edge, most of them falling
    MixedEvent = 11,        // each bullet by the rule of a random event
};
constexpr int kEventKinds = 12;

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

// One layer of the star field.
struct StarLayer {
    WORD x[50];         // star column, 0..319
    WORD y[50];         // star base row, 0..239
    BYTE colour[50];    // palette index 1..14
    LONG scrollOffset;  // 0..239, added to every base row
};

enum StarLayerIndex { NearStars = 0, FarStars = 1, MiddleStars = 2 };

// Where a label lies in the banner strip, in pixels.
struct BannerLabel {
    LONG x;      // left edge in the strip
    LONG width;  // measured width
};

// The labels cut from the banner strip, in strip order ("誘導弾投下" is the
// tail of "加速誘導弾投下").
enum BannerLabelIndex {
    BoostedHomingLabel,  // "加速誘導弾投下"
    HomingLabel,         // "誘導弾投下"
    PreciseLabel,        // "精密射撃開始"
    FastLabel,           // "高速弾"
    SlowLabel,           // "低速弾"
    FromAboveLabel,      // "上から来るぞ"
    RampageLabel,        // "暴走"
    NearMissLabel,       // "絶妙"
    kBannerLabelCount
};

// No joystick answered at start-up.
constexpr DWORD kNoJoystick = 167;

struct GameContext {
    // Start-up and frame loop
    HINSTANCE instanceHandle;  // the program's module: class, icon, dialogs
    HWND mainWindow;           // set once CreateMainWindow has returned
    LONG running;              // 1 while the loop is to run game steps
    DWORD now;                 // clock read by the pass that found the queue empty
    DWORD nextFrameTime;       // time at or after which the next step is due
    DWORD frameInterval;       // ms between steps; 0 = as fast as possible
    LONG hasMmx;               // 1 when the processor offers MMX
    DWORD randomSeed;          // state of NextRandom

    // Window messages and input
    LONG keyLeft;      // -1 while left is held
    LONG keyRight;     // +1 while right is held
    LONG keyUp;        // +1 while up is held
    LONG keyDown;      // -1 while down is held
    LONG joyX;         // -1 left, 0 centre, +1 right
    LONG joyY;         // +1 up, 0 centre, -1 down
    DWORD joystickId;  // captured joystick, kNoJoystick if none

    // Display surfaces and screen modes
    HDC windowDc;              // the window's own DC, kept for its life
    HBITMAP frameBitmap;       // DIB section of the frame image
    BYTE* frameBuffer;         // its 320 x 240 palette indices, bottom-up
    HDC frameDc;               // memory DC holding frameBitmap
    HBITMAP savedFrameBitmap;  // what frameDc held before frameBitmap
    HBITMAP composeBitmap;     // display-format picture for screens and text
    HDC composeDc;             // memory DC holding composeBitmap and bannerFont
    HDC bannerDc;              // memory DC for the banner strip
    HFONT bannerFont;          // the 16-pixel font kept in composeDc
    LONG screenMode;           // 0 standard, 1 640 x 480, 2 full screen
    LONG outputWidth;          // stretched picture size in modes 1 and 2
    LONG outputHeight;
    LONG stripHeight;  // height of the top 16 lines when stretched

    // Run lifecycle
    Screen screen;       // the screen now up; Playing during a run
    DWORD pauseStart;    // when the run was paused; 0 while not paused
    DWORD startTime;     // when the run started, moved on by pauses
    LONG boostPriority;  // 1: raise the priority class while playing

    // Frame step: craft, explosion and stars
    LONG playerX;             // craft's left edge, 0..304
    LONG playerY;             // craft's lowest buffer row, 0..224
    DWORD pose;               // 0 hard left .. 2 level .. 4 hard right
    WORD poseHold;            // counter of the lean state machine
    DWORD hitPhase;           // 0 alive; explosion frame 1..15; 16 ends
    DWORD frameCount;         // steps the craft was alive in this run
    LONG backgroundMode;      // 0 no stars, 1 near layer, 2 all layers
    StarLayer starLayers[3];  // near, far, middle
    DWORD scrollPhase;        // 0..11: which layers scroll this step

    // Bullets
    Bullet bullets[kBulletPoolSize];
    DWORD activeBullets;  // live bullets fill bullets[0 .. activeBullets)
    DWORD homingCount;    // live Homing bullets

    // Near misses and the hit
    DWORD nearMissCount;       // live bullets flagged near
    DWORD nearMissScore;       // the run's near-miss score
    DWORD nearMissMarks;       // marks on the near-miss banner, 1..10
    LONG nearMissBannerTimer;  // steps the near-miss banner stays up
    DWORD hitTime;             // when the craft was hit; 0 until then

    // Attack director
    DWORD bulletQuota;    // bullets the pool is topped up to
    DWORD nextQuotaTime;  // when the quota next grows
    DWORD nextEventTime;  // when the event next switches
    LONG eventKind;       // AttackEvent in force
    LONG fixedEvent;      // 1: every run plays eventKind
    DWORD savedQuota;     // quota before the rampage raised it; back at its end

    // Event banner strip
    BannerLabel bannerLabels[kBannerLabelCount];  // the labels in the strip
    LONG markWidth;                               // width of one "!" mark
    LONG stripWidth;                              // width of the whole strip
    HBITMAP bannerBitmap;                         // the strip, white on black, in bannerDc

    // Typed commands
    LONG bulletSetting;    // 0..3: 30, 50, 100 or 200 bullets
    DWORD commandIndex;    // the word the matcher is following, 0..20
    DWORD commandMatched;  // its characters matched so far

    // Benchmark dialog
    BYTE* benchBuffer;  // 76,800 bytes while the dialog is open

    // Test seams. The game never sets them: left at 0 they change nothing.
    // The tests, the trace tool and the benchmarks set them.
    bool invulnerable;       // a bullet in the hit zone does not end the run
    void (*stepStarting)();  // called by the frame loop just before each step
};

inline GameContext game;

// The program's one pseudo-random generator: advances game.randomSeed and
// returns 0..32767.
inline int NextRandom()
{
    game.randomSeed = game.randomSeed * 214013u + 2531011u;
    return static_cast<int>((game.randomSeed >> 16) & 0x7FFF);
}

// timeGetTime wraps around every 2^32 ms (about 49.7 days), so a due time
// is reached when the distance from it, taken modulo 2^32, is not negative:
// the test holds across the wrap.
inline bool TimeReached(DWORD now, DWORD due)
{
    return static_cast<LONG>(now - due) >= 0;
}

// Strictly after `due`, wrap-safe in the same way.
inline bool TimeAfter(DWORD now, DWORD due)
{
    return static_cast<LONG>(now - due) > 0;
}
