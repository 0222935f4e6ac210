// The headless simulation harness: plays a run step by step on a frozen
// clock (step k at start + k x interval) with scripted steering, and
// checksums the frame each step produced. Shared by the trace tool, the
// game tests and the soak.
#pragma once

#include <stddef.h>
#include <windows.h>

#include <string>
#include <vector>

struct TraceOptions {
    DWORD seed = 1;
    int steps = 1000;
    DWORD interval = 16;      // the step interval, and the spacing of `now`
    DWORD t0 = 1000000;       // the clock when the run starts
    LONG event = -1;          // a commanded event 0..11; -1: the director chooses
    LONG bulletSetting = 1;   // 0..3: 30, 50, 100, 200 bullets
    LONG backgroundMode = 2;  // 0 none, 1 near stars, 2 all stars
    // Comma-separated tokens, letters then a count (1 when omitted),
    // repeated: L R U D hold the arrows, l r u d deflect the joystick
    // (u up), N nothing; letters combine ("RU20", "LR5").
    std::string script;
    bool invulnerable = false;  // bullets in the hit zone do not end the run
};

// One token of a script: the six direction fields for `steps` steps.
struct ScriptToken {
    LONG keyLeft, keyRight, keyUp, keyDown, joyX, joyY;
    int steps;
};

// Parses a script; false (and nothing parsed) for a malformed one.
bool ParseScript(const std::string& script, std::vector<ScriptToken>* tokens);

// zlib's CRC-32 (reflected polynomial 0xEDB88320), continued from `crc`.
DWORD Crc32(const void* data, size_t length, DWORD crc = 0);

// Starts a run with the options on the open main window, from the
// process-start state of what carries over between runs (the star scroll).
void StartTraceRun(const TraceOptions& options);
// Plays step `k` at t0 + k x interval with the script's input; false when
// the run had already ended (nothing is played).
bool TraceStep(const TraceOptions& options, int k);
// CRC-32 of the frame image.
DWORD FrameChecksum();

// The frame image moved into a buffer with guard bytes on both sides, to
// catch any write outside the 320 x 240 bytes. The window then no longer
// shows the frame.
class GuardedFrame {
public:
    void Install();
    bool Intact() const;
    void Remove();

private:
    static constexpr int kGuard = 4096;
    static constexpr BYTE kFill = 0xA5;
    alignas(16) BYTE bytes_[kGuard + 320 * 240 + kGuard];
    BYTE* saved_ = nullptr;
};
