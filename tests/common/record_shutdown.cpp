// Linked into every test program. No test may ever reach the real power-off:
// before main runs, ExitWindowsEx is switched to recording, so a test that
// steps through the game's shutdown only counts the request and is refused.
// A test of the real path turns recording off only while ExitWindowsEx is
// pointed at a stand-in program it wrote itself, and turns it back on after.
#include <platform_seams.h>

namespace {
struct RecordShutdown {
    RecordShutdown() { PlatformRecordShutdown(TRUE, FALSE); }
} recordShutdown;
}  // namespace
