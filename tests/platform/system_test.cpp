// Priority on nice values; ExitWindowsEx recorded, or run with a script in systemctl's place.
#include <gtest/gtest.h>

#include <errno.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "user/user_private.h"

namespace {
constexpr UINT kLogOff = 0x00, kReboot = 0x02, kPowerOff = 0x08;  // EWX_*

int Nice()
{
    return getpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)));
}

// 0 when ExitWindowsEx hands the request over, else its last error.
DWORD FailureOf(UINT flags)
{
    SetLastError(0);
    return ExitWindowsEx(flags, 0) ? 0 : GetLastError();
}

// Have we no child at all, running or a zombie?
bool NoChildren()
{
    return waitpid(-1, nullptr, WNOHANG) == -1 && errno == ECHILD;
}

// Points ExitWindowsEx at `program` with recording off, for the scope.
struct StandIn {
    explicit StandIn(const std::string& program)
    {
        if (program.empty() || std::filesystem::path(program).filename() == "systemctl")
            abort();  // the real one must never run unrecorded
        UserShutdownUseProgram(program.c_str());
        PlatformRecordShutdown(FALSE, FALSE);
    }
    ~StandIn()
    {
        PlatformRecordShutdown(TRUE, FALSE);
        UserShutdownUseProgram(nullptr);
    }
};
}  // namespace

// The game's one thread gets the class's nice value plus the thread's step.
TEST(KernelPriority, TheClassAndTheThreadsStepAddUp)
{
    if (Nice() != 0)
        GTEST_SKIP() << "runs from nice 0 only";
    EXPECT_FALSE(SetPriorityClass(GetCurrentThread(), HIGH_PRIORITY_CLASS));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 7));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Nice(), 0) << "refused calls change nothing";
    if (!SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS))
        GTEST_SKIP() << "the system refuses raising here";
    EXPECT_EQ(Nice(), -10);
    const struct {
        bool thread;
        int value, nice;
    } steps[] = {
        {true, THREAD_PRIORITY_HIGHEST, -15}, {false, NORMAL_PRIORITY_CLASS, -5}, {true, THREAD_PRIORITY_NORMAL, 0}};
    for (const auto& step : steps) {
        ASSERT_TRUE(step.thread ? SetThreadPriority(GetCurrentThread(), step.value)
                                : SetPriorityClass(GetCurrentProcess(), DWORD(step.value)));
        EXPECT_EQ(Nice(), step.nice) << step.value;
    }
}

// Only EWX_SHUTDOWN starts the program (through PATH), leaving no child; one that cannot start fails.
TEST(ShutdownProgram, PowerOffIsHandedOverWithoutWaiting)
{
    char temporary[] = "/tmp/hiren-shutdown-XXXXXX";
    ASSERT_NE(mkdtemp(temporary), nullptr);
    const std::string dir = temporary;
    const std::shared_ptr<void> removeDir(nullptr, [&](void*) { std::filesystem::remove_all(dir); });
    auto write = [&](const std::string& name, const std::string& text, mode_t mode) {
        std::ofstream(dir + "/" + name) << text;
        chmod((dir + "/" + name).c_str(), mode);
        return dir + "/" + name;
    };
    auto exists = [&](const std::string& name) { return access((dir + "/" + name).c_str(), F_OK) == 0; };
    write("hiren-poweroff",
          "#!/bin/sh\necho \"$*\" >> " + dir + "/args\nn=0\nwhile [ ! -e " + dir + "/go ] && [ $n -lt 100 ]; do\n" +
              "    sleep 0.1; n=$((n + 1))\ndone\n: > " + dir + "/done\n",
          0755);
    const std::string path = getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (dir + ":" + path).c_str(), 1);
    {
        StandIn standIn("hiren-poweroff");
        for (UINT flags : {kLogOff, kReboot, kPowerOff, EWX_SHUTDOWN | kReboot})
            EXPECT_EQ(FailureOf(flags), DWORD(ERROR_CALL_NOT_IMPLEMENTED)) << flags;
        EXPECT_EQ(FailureOf(EWX_SHUTDOWN), 0u);
    }
    setenv("PATH", path.c_str(), 1);
    EXPECT_TRUE(!exists("done") && NoChildren());
    write("go", "", 0644);
    for (int tries = 0; tries < 1000 && !exists("done"); ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(exists("done"));
    std::ostringstream args;
    args << std::ifstream(dir + "/args").rdbuf();
    EXPECT_EQ(args.str(), "poweroff\n");
    for (const std::string& program : {dir + "/absent", std::string("hiren-no-such-program"),
                                       write("plain", "#!/bin/sh\n", 0644), write("empty", "", 0755)}) {
        StandIn standIn(program);
        EXPECT_EQ(FailureOf(EWX_SHUTDOWN), DWORD(ERROR_NOT_SUPPORTED)) << program;
        EXPECT_TRUE(NoChildren()) << program;
    }
}
