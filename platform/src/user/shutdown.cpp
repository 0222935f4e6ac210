// ExitWindowsEx: EWX_SHUTDOWN is handed to `systemctl poweroff`, which asks
// logind itself, the way a desktop program does it: interactively, so
// polkit and the system's own policy decide, prompting the user if they
// want to. Other actions (logging off, restarting) are not offered.
//
// As on Windows the call returns at once and the shutdown goes on without
// us: TRUE means the request was handed over (the program runs), not that
// it was granted. The program is not our child (a double fork: the process
// in between exits at once), so the game neither waits for it nor leaves a
// zombie; it runs in a session of its own, reading nothing (stdin is
// /dev/null), holding none of the game's files. FALSE with
// ERROR_NOT_SUPPORTED when it could not be started (not found, not
// runnable, no process to spare).
//
// While recording (a test seam), nothing is started. A web page has no
// system to power off: there the request is refused (ERROR_ACCESS_DENIED).
#include <errno.h>
#include <fcntl.h>
#ifndef __EMSCRIPTEN__
#include <linux/close_range.h>
#endif
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "kernel/kernel_seams.h"
#include "user/user_private.h"

namespace {
constexpr UINT kActionMask = 0xFF;

#ifndef __EMSCRIPTEN__

// The program's path: as given when it has a slash, else the first
// executable of that name in PATH; "" when there is none.
std::string Find(const std::string& name)
{
    if (name.empty() || name.find('/') != std::string::npos)
        return access(name.c_str(), X_OK) == 0 ? name : "";
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (size_t start = 0;;) {
        size_t end = dirs.find(':', start);
        std::string dir = dirs.substr(start, end == std::string::npos ? end : end - start);
        if (!dir.empty() && access((dir + "/" + name).c_str(), X_OK) == 0)
            return dir + "/" + name;
        if (end == std::string::npos)
            return "";
        start = end + 1;
    }
}

// Runs `path poweroff` as a grandchild; true once its exec succeeded. A
// failed fork or exec sends its errno up a pipe that the exec closes.
// Between fork and exec only async-signal-safe calls: SDL has threads.
bool Start(const std::string& path)
{
    char* const argv[] = {const_cast<char*>(path.c_str()), const_cast<char*>("poweroff"), nullptr};
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return false;
    int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);
    pid_t middle = fork();
    if (middle == 0) {
        pid_t runner = fork();
        if (runner > 0)
            _exit(0);
        if (runner == 0) {
            setsid();
            if (nothing >= 0)
                dup2(nothing, STDIN_FILENO);
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            close_range(3, ~0U, CLOSE_RANGE_CLOEXEC);
            execv(argv[0], argv);
        }
        int error = errno;
        (void)!write(report[1], &error, sizeof error);
        _exit(127);
    }
    close(report[1]);
    if (nothing >= 0)
        close(nothing);
    bool started = middle > 0;
    if (started) {
        while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
        }
        // End of file once the exec closed the runner's end: the middle's
        // went with it, ours above.
        int error;
        ssize_t got;
        while ((got = read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
        }
        started = got == 0;
    }
    close(report[0]);
    return started;
}
#endif
}  // namespace

BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason)
{
    BOOL answer;
    if (UserShutdownRecorded(flags, &answer)) {
        TokenNote('X');
        if (!answer)
            SetLastError(ERROR_ACCESS_DENIED);
        return answer;
    }
    if ((flags & kActionMask) != EWX_SHUTDOWN) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
#ifdef __EMSCRIPTEN__
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
#else
    std::string path = Find(UserShutdownProgram());
    if (path.empty() || !Start(path)) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return FALSE;
    }
    return TRUE;
#endif
}
