#include "trace_harness.h"

#include <string.h>

#include <platform_seams.h>

#include "core/game_context.h"
#include "display/display.h"
#include "screens/screens.h"

namespace {
std::vector<ScriptToken> script;
int scriptLength;  // steps in one pass of the script

struct CrcTable {
    DWORD entries[256];
};

constexpr CrcTable MakeCrcTable()
{
    CrcTable table{};
    for (DWORD n = 0; n < 256; ++n) {
        DWORD c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table.entries[n] = c;
    }
    return table;
}

constexpr CrcTable kCrcTable = MakeCrcTable();

void HandleMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Steer(int k)
{
    ScriptToken input = {0, 0, 0, 0, 0, 0, 1};
    if (scriptLength > 0) {
        int at = k % scriptLength;
        for (const ScriptToken& token : script) {
            if (at < token.steps) {
                input = token;
                break;
            }
            at -= token.steps;
        }
    }
    game.keyLeft = input.keyLeft;
    game.keyRight = input.keyRight;
    game.keyUp = input.keyUp;
    game.keyDown = input.keyDown;
    game.joyX = input.joyX;
    game.joyY = input.joyY;
}
}  // namespace

DWORD Crc32(const void* data, size_t length, DWORD crc)
{
    const BYTE* p = static_cast<const BYTE*>(data);
    crc = ~crc;
    for (size_t i = 0; i < length; ++i)
        crc = kCrcTable.entries[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

bool ParseScript(const std::string& text, std::vector<ScriptToken>* tokens)
{
    tokens->clear();
    size_t i = 0;
    while (i < text.size()) {
        ScriptToken token = {0, 0, 0, 0, 0, 0, 0};
        bool letters = false;
        for (; i < text.size() && strchr("LRUDlrudN", text[i]) && text[i] != '\0'; ++i, letters = true) {
            switch (text[i]) {
            case 'L':
                token.keyLeft = -1;
                break;
            case 'R':
                token.keyRight = 1;
                break;
            case 'U':
                token.keyUp = 1;
                break;
            case 'D':
                token.keyDown = -1;
                break;
            case 'l':
                token.joyX = -1;
                break;
            case 'r':
                token.joyX = 1;
                break;
            case 'u':
                token.joyY = 1;
                break;
            case 'd':
                token.joyY = -1;
                break;
            default:
                break;
            }
        }
        long count = 0;
        bool digits = false;
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && count < 1000000; ++i, digits = true)
            count = count * 10 + (text[i] - '0');
        if (!letters || (digits && count == 0) || (i < text.size() && text[i] != ',')) {
            tokens->clear();
            return false;
        }
        token.steps = digits ? static_cast<int>(count) : 1;
        tokens->push_back(token);
        if (i < text.size())
            ++i;  // the comma
    }
    return true;
}

void StartTraceRun(const TraceOptions& options)
{
    script.clear();
    scriptLength = 0;
    if (ParseScript(options.script, &script))
        for (const ScriptToken& token : script)
            scriptLength += token.steps;
    game.invulnerable = options.invulnerable;
    game.boostPriority = 0;
    game.bulletSetting = options.bulletSetting;
    game.backgroundMode = options.backgroundMode;
    game.frameInterval = options.interval;
    game.fixedEvent = options.event >= 0 ? 1 : 0;
    game.eventKind = options.event >= 0 ? options.event : 0;
    game.randomSeed = options.seed;
    // What carries over from run to run starts as at process start.
    game.scrollPhase = 0;
    for (StarLayer& layer : game.starLayers)
        layer.scrollOffset = 0;
    game.screen = Title;
    HandleMessages();
    // StartRun sleeps a millisecond before it reads the clock.
    PlatformSetClock(options.t0 - 1);
    StartRun();
}

bool TraceStep(const TraceOptions& options, int k)
{
    HandleMessages();
    if (game.running == 0)
        return false;
    game.now = options.t0 + static_cast<DWORD>(k) * options.interval;
    PlatformSetClock(game.now);
    Steer(k);
    GameStep();
    return true;
}

DWORD FrameChecksum()
{
    return Crc32(game.frameBuffer, kFrameBytes);
}

void GuardedFrame::Install()
{
    memset(bytes_, kFill, sizeof(bytes_));
    memset(bytes_ + kGuard, 0, kFrameBytes);
    saved_ = game.frameBuffer;
    game.frameBuffer = bytes_ + kGuard;
}

bool GuardedFrame::Intact() const
{
    const BYTE* after = bytes_ + kGuard + kFrameBytes;
    for (int i = 0; i < kGuard; ++i)
        if (bytes_[i] != kFill || after[i] != kFill)
            return false;
    return true;
}

void GuardedFrame::Remove()
{
    game.frameBuffer = saved_;
}
