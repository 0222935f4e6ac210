// ExitWindowsEx. Recording, which every test program starts in, answers as
// told and reaches nothing. The real path runs against a dbus-daemon started
// here with a fake logind on it: recording is off only while ExitWindowsEx
// is pointed at that private bus, never with the system bus in reach.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <systemd/sd-bus.h>
#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "user/shutdown_bus.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr UINT kReboot = 0x02;  // EWX_REBOOT
constexpr DWORD kLongTimeoutMs = 25000;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Points ExitWindowsEx at a private bus and stops recording, for the
// scope's length only; the bus is set before recording stops and recording
// is back before the bus is let go.
class OnPrivateBus {
public:
    OnPrivateBus(const std::string& address, DWORD timeoutMs)
    {
        if (address.empty())
            abort();  // an empty address must never reach ExitWindowsEx unrecorded
        UserShutdownUseBus(address.c_str(), timeoutMs);
        PlatformRecordShutdown(FALSE, FALSE);
    }
    ~OnPrivateBus()
    {
        PlatformRecordShutdown(TRUE, FALSE);
        UserShutdownUseBus(nullptr, 0);
    }
};

std::string FindProgram(const char* name)
{
    const char* path = getenv("PATH");
    std::string dirs = std::string(path ? path : "") + ":/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string candidate = dirs.substr(start, end - start) + "/" + name;
        if (end > start && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return "";
}

// A dbus-daemon of our own that lets anyone own any name; it dies with the
// thread that started it at the latest.
class PrivateDaemon {
public:
    bool Start()
    {
        std::string program = FindProgram("dbus-daemon");
        if (program.empty())
            return Fail("dbus-daemon is not installed");
        char dirTemplate[] = "/tmp/hiren-bus-XXXXXX";
        if (!mkdtemp(dirTemplate))
            return Fail("no temporary directory");
        dir = dirTemplate;
        std::string config = dir + "/bus.conf";
        FILE* file = fopen(config.c_str(), "w");
        if (!file)
            return Fail("cannot write the bus configuration");
        fprintf(file,
                "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                "<busconfig>\n"
                "  <type>session</type>\n"
                "  <listen>unix:path=%s/bus</listen>\n"
                "  <auth>EXTERNAL</auth>\n"
                "  <policy context=\"default\">\n"
                "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                "    <allow eavesdrop=\"true\"/>\n"
                "    <allow own=\"*\"/>\n"
                "  </policy>\n"
                "</busconfig>\n",
                dir.c_str());
        fclose(file);

        int out[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return Fail("no pipe");
        std::string configArgument = "--config-file=" + config;
        const char* argv[] = {program.c_str(), configArgument.c_str(), "--print-address", "--nofork",
                              "--nopidfile", nullptr};
        pid_t parent = getpid();
        pid = fork();
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(1);
            dup2(out[1], STDOUT_FILENO);
            int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0)
                dup2(quiet, STDERR_FILENO);
            execv(argv[0], const_cast<char* const*>(argv));
            _exit(127);
        }
        close(out[1]);
        if (pid < 0) {
            close(out[0]);
            return Fail("cannot fork");
        }
        bool read = ReadAddress(out[0]);
        close(out[0]);
        return read || Fail("dbus-daemon did not start");
    }

    void Stop()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            Clock::time_point start = Clock::now();
            while (waitpid(pid, nullptr, WNOHANG) == 0) {
                if (SecondsSince(start) > 2) {
                    kill(pid, SIGKILL);
                    waitpid(pid, nullptr, 0);
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            pid = -1;
        }
        if (!dir.empty()) {
            unlink((dir + "/bus").c_str());
            unlink((dir + "/bus.conf").c_str());
            rmdir(dir.c_str());
            dir.clear();
        }
        address.clear();
    }

    bool Running() const { return !address.empty(); }

    std::string address;
    std::string why;

private:
    bool Fail(const char* reason)
    {
        why = reason;
        return false;
    }

    // The daemon prints its address once it listens.
    bool ReadAddress(int fd)
    {
        std::string text;
        Clock::time_point start = Clock::now();
        while (text.find('\n') == std::string::npos && SecondsSince(start) < 10) {
            pollfd wait = {fd, POLLIN, 0};
            if (poll(&wait, 1, 100) <= 0)
                continue;
            char buffer[256];
            ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got <= 0)
                return false;
            text.append(buffer, static_cast<size_t>(got));
        }
        size_t end = text.find('\n');
        if (end == std::string::npos || end == 0)
            return false;
        address = text.substr(0, end);
        return true;
    }

    pid_t pid = -1;
    std::string dir;
};

enum class Answer { Grant, Deny, Fail, Silent };

// logind's PowerOff(b) on the private bus, in a thread of its own: notes
// each call and answers as told (Silent: never).
class FakeLogind {
public:
    FakeLogind(const std::string& address, Answer answer) : answer(answer)
    {
        std::future<std::string> result = started.get_future();
        thread = std::thread([this, address] { Serve(address); });
        problem = result.get();
    }
    ~FakeLogind()
    {
        stop = true;
        thread.join();
    }

    int Calls()
    {
        std::lock_guard<std::mutex> hold(lock);
        return static_cast<int>(interactive.size());
    }
    // Every call had interactive = true and allowed a prompt.
    bool AllInteractive()
    {
        std::lock_guard<std::mutex> hold(lock);
        for (size_t i = 0; i < interactive.size(); ++i)
            if (!interactive[i] || !promptAllowed[i])
                return false;
        return true;
    }

    std::string problem;  // empty while serving

private:
    static int PowerOff(sd_bus_message* call, void* data, sd_bus_error*)
    {
        auto* self = static_cast<FakeLogind*>(data);
        int value = 0;
        int r = sd_bus_message_read(call, "b", &value);
        if (r < 0)
            return r;
        {
            std::lock_guard<std::mutex> hold(self->lock);
            self->interactive.push_back(value != 0);
            self->promptAllowed.push_back(sd_bus_message_get_allow_interactive_authorization(call) > 0);
        }
        switch (self->answer) {
        case Answer::Grant:
            return sd_bus_reply_method_return(call, "");
        case Answer::Deny:
            return sd_bus_reply_method_errorf(call, SD_BUS_ERROR_ACCESS_DENIED, "Not allowed to power off.");
        case Answer::Fail:
            return sd_bus_reply_method_errorf(call, SD_BUS_ERROR_FAILED, "Could not power off.");
        case Answer::Silent:
            self->held.push_back(sd_bus_message_ref(call));
            return 1;
        }
        return -EINVAL;
    }

    void Serve(const std::string& address)
    {
        static const sd_bus_vtable vtable[] = {
            SD_BUS_VTABLE_START(0),
            SD_BUS_METHOD("PowerOff", "b", "", PowerOff, SD_BUS_VTABLE_UNPRIVILEGED),
            SD_BUS_VTABLE_END,
        };
        sd_bus* bus = nullptr;
        sd_bus_slot* slot = nullptr;
        int r = sd_bus_new(&bus);
        if (r >= 0)
            r = sd_bus_set_address(bus, address.c_str());
        if (r >= 0)
            r = sd_bus_set_bus_client(bus, 1);
        if (r >= 0)
            r = sd_bus_start(bus);
        if (r >= 0)
            r = sd_bus_add_object_vtable(bus, &slot, "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                         vtable, this);
        if (r >= 0)
            r = sd_bus_request_name(bus, "org.freedesktop.login1", 0);
        started.set_value(r < 0 ? std::string("fake logind: ") + strerror(-r) : std::string());
        while (r >= 0 && !stop) {
            r = sd_bus_process(bus, nullptr);
            if (r == 0)
                r = sd_bus_wait(bus, 20000);
        }
        for (sd_bus_message* call : held)
            sd_bus_message_unref(call);
        sd_bus_slot_unref(slot);
        sd_bus_flush_close_unref(bus);
    }

    Answer answer;
    std::promise<std::string> started;
    std::thread thread;
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::vector<bool> interactive;    // guarded by lock
    std::vector<bool> promptAllowed;  // guarded by lock
    std::vector<sd_bus_message*> held;
};

class ShutdownOnBus : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        daemon = new PrivateDaemon;
        daemon->Start();
    }
    static void TearDownTestSuite()
    {
        daemon->Stop();
        delete daemon;
        daemon = nullptr;
    }
    void SetUp() override
    {
        if (!daemon->Running())
            GTEST_SKIP() << "no private bus: " << daemon->why;
    }

    static PrivateDaemon* daemon;
};

PrivateDaemon* ShutdownOnBus::daemon;
}  // namespace

TEST(ShutdownRecording, CountsTheFlagsAndAnswersAsTold)
{
    PlatformRecordShutdown(TRUE, TRUE);
    EXPECT_EQ(PlatformShutdownRequests(), 0);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(PlatformShutdownRequests(), 1);
    EXPECT_EQ(PlatformLastShutdownFlags(), static_cast<UINT>(EWX_SHUTDOWN));
    EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_EQ(PlatformShutdownRequests(), 2);
    EXPECT_EQ(PlatformLastShutdownFlags(), static_cast<UINT>(EWX_LOGOFF));

    // Recording afresh, refusing.
    PlatformRecordShutdown(TRUE, FALSE);
    EXPECT_EQ(PlatformShutdownRequests(), 0);
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_POWEROFF, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(PlatformShutdownRequests(), 1);
    EXPECT_EQ(PlatformLastShutdownFlags(), static_cast<UINT>(EWX_POWEROFF));
}

TEST_F(ShutdownOnBus, RecordingNeverReachesTheBus)
{
    FakeLogind logind(daemon->address, Answer::Grant);
    ASSERT_EQ(logind.problem, "");
    PlatformRecordShutdown(TRUE, TRUE);
    UserShutdownUseBus(daemon->address.c_str(), kLongTimeoutMs);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    UserShutdownUseBus(nullptr, 0);
    PlatformRecordShutdown(TRUE, FALSE);
    EXPECT_EQ(logind.Calls(), 0);
}

TEST_F(ShutdownOnBus, PowerOffIsAskedInteractivelyAndGranted)
{
    FakeLogind logind(daemon->address, Answer::Grant);
    ASSERT_EQ(logind.problem, "");
    OnPrivateBus bus(daemon->address, kLongTimeoutMs);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_POWEROFF, 0));
    EXPECT_EQ(logind.Calls(), 2);
    EXPECT_TRUE(logind.AllInteractive());
}

TEST_F(ShutdownOnBus, ARefusalIsAccessDenied)
{
    FakeLogind logind(daemon->address, Answer::Deny);
    ASSERT_EQ(logind.problem, "");
    OnPrivateBus bus(daemon->address, kLongTimeoutMs);
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(logind.Calls(), 1);
}

TEST_F(ShutdownOnBus, AnotherErrorIsNotSupported)
{
    FakeLogind logind(daemon->address, Answer::Fail);
    ASSERT_EQ(logind.problem, "");
    OnPrivateBus bus(daemon->address, kLongTimeoutMs);
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(logind.Calls(), 1);
}

TEST_F(ShutdownOnBus, OnlyPowerOffIsAsked)
{
    FakeLogind logind(daemon->address, Answer::Grant);
    ASSERT_EQ(logind.problem, "");
    OnPrivateBus bus(daemon->address, kLongTimeoutMs);
    for (UINT flags : {static_cast<UINT>(EWX_LOGOFF), kReboot, EWX_SHUTDOWN | kReboot}) {
        SetLastError(0);
        EXPECT_FALSE(ExitWindowsEx(flags, 0)) << flags;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED)) << flags;
    }
    EXPECT_EQ(logind.Calls(), 0);
}

TEST_F(ShutdownOnBus, WithoutLogindItFailsAtOnce)
{
    OnPrivateBus bus(daemon->address, kLongTimeoutMs);
    Clock::time_point start = Clock::now();
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_LT(SecondsSince(start), 5.0);
}

TEST_F(ShutdownOnBus, ASilentLogindIsGivenUpOnInTime)
{
    FakeLogind logind(daemon->address, Answer::Silent);
    ASSERT_EQ(logind.problem, "");
    OnPrivateBus bus(daemon->address, 300);
    Clock::time_point start = Clock::now();
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    double waited = SecondsSince(start);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_GE(waited, 0.25);
    EXPECT_LT(waited, 5.0);
    EXPECT_EQ(logind.Calls(), 1);
}

TEST(ShutdownWithoutBus, NoBusListeningFailsAtOnce)
{
    OnPrivateBus bus("unix:path=/nonexistent/hiren-no-bus", kLongTimeoutMs);
    Clock::time_point start = Clock::now();
    SetLastError(0);
    EXPECT_FALSE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_LT(SecondsSince(start), 5.0);
}
