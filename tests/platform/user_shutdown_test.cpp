// ExitWindowsEx. Recording, which every test program starts in, answers as
// told and starts nothing. The real path runs with a script written here in
// systemctl's place: recording is off only while ExitWindowsEx is pointed
// at a stand-in, never with systemctl in reach.
#include <gtest/gtest.h>

#include <errno.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "user/user_private.h"

namespace {
constexpr UINT kLogOff = 0x00;    // EWX_LOGOFF
constexpr UINT kReboot = 0x02;    // EWX_REBOOT
constexpr UINT kPowerOff = 0x08;  // EWX_POWEROFF

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

// Points ExitWindowsEx at `program` and stops recording, for the scope's
// length only.
class StandIn {
public:
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

// A directory of its own per test, for the stand-in and what it leaves.
class ShutdownProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        char path[] = "/tmp/hiren-shutdown-XXXXXX";
        ASSERT_NE(mkdtemp(path), nullptr);
        dir = path;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::string Write(const std::string& name, const std::string& text, mode_t mode)
    {
        std::string path = dir + "/" + name;
        std::ofstream(path) << text;
        chmod(path.c_str(), mode);
        return path;
    }
    bool Exists(const std::string& name) { return access((dir + "/" + name).c_str(), F_OK) == 0; }
    std::string Read(const std::string& name)
    {
        std::ostringstream text;
        text << std::ifstream(dir + "/" + name).rdbuf();
        return text.str();
    }
    // Waits at most 10 s for `name` to appear.
    bool Await(const std::string& name)
    {
        for (int tries = 0; tries < 1000 && !Exists(name); ++tries)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return Exists(name);
    }

    std::string dir;
};
}  // namespace

TEST(ShutdownRecording, CountsTheFlagsAndAnswersAsTold)
{
    PlatformRecordShutdown(TRUE, TRUE);
    EXPECT_EQ(PlatformShutdownRequests(), 0);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_TRUE(ExitWindowsEx(kLogOff, 0));
    EXPECT_EQ(PlatformShutdownRequests(), 2);
    EXPECT_EQ(PlatformLastShutdownFlags(), kLogOff);

    // Recording afresh, refusing.
    PlatformRecordShutdown(TRUE, FALSE);
    EXPECT_EQ(PlatformShutdownRequests(), 0);
    EXPECT_EQ(FailureOf(EWX_SHUTDOWN), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(PlatformShutdownRequests(), 1);
    EXPECT_EQ(PlatformLastShutdownFlags(), static_cast<UINT>(EWX_SHUTDOWN));
}

// The stand-in, found through PATH as systemctl is, logs its arguments and
// then waits for "go" (10 s at most) before it writes "done". Recording and
// the actions other than EWX_SHUTDOWN start nothing; EWX_SHUTDOWN starts it
// once and returns while it still waits, leaving us no child to reap.
TEST_F(ShutdownProgram, PowerOffIsHandedOverWithoutWaiting)
{
    Write("hiren-poweroff",
          "#!/bin/sh\necho \"$*\" >> " + dir + "/args\nn=0\nwhile [ ! -e " + dir + "/go ] && [ $n -lt 100 ]; do\n" +
              "    sleep 0.1; n=$((n + 1))\ndone\n: > " + dir + "/done\n",
          0755);
    std::string path = getenv("PATH") ? getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (dir + ":" + path).c_str(), 1);

    UserShutdownUseProgram("hiren-poweroff");
    PlatformRecordShutdown(TRUE, TRUE);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(PlatformShutdownRequests(), 1);
    PlatformRecordShutdown(TRUE, FALSE);
    UserShutdownUseProgram(nullptr);
    {
        StandIn standIn("hiren-poweroff");
        for (UINT flags : {kLogOff, kReboot, kPowerOff, EWX_SHUTDOWN | kReboot})
            EXPECT_EQ(FailureOf(flags), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED)) << flags;
        EXPECT_EQ(FailureOf(EWX_SHUTDOWN), 0u);
    }
    setenv("PATH", path.c_str(), 1);
    EXPECT_FALSE(Exists("done"));
    EXPECT_TRUE(NoChildren());

    Write("go", "", 0644);
    ASSERT_TRUE(Await("done"));
    EXPECT_EQ(Read("args"), "poweroff\n");
    EXPECT_TRUE(NoChildren());
}

// Not found (by path or in PATH), not executable, not a program (its exec
// fails after the fork): each fails at once, leaving no child.
TEST_F(ShutdownProgram, AProgramThatCannotStartIsNotSupported)
{
    const std::string programs[] = {dir + "/absent", "hiren-no-such-program", Write("plain", "#!/bin/sh\n", 0644),
                                    Write("empty", "", 0755)};
    for (const std::string& program : programs) {
        StandIn standIn(program);
        EXPECT_EQ(FailureOf(EWX_SHUTDOWN), static_cast<DWORD>(ERROR_NOT_SUPPORTED)) << program;
        EXPECT_TRUE(NoChildren()) << program;
    }
}
