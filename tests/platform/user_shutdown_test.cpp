// ExitWindowsEx. Recording, which every test program starts in, answers as
// told and reaches nothing. The real path runs against a dbus-daemon started
// here with a fake logind on it: recording is off only while ExitWindowsEx
// is pointed at that private bus, never with the system bus in reach.
#include <gtest/gtest.h>
#include <platform_seams.h>
#include <systemd/sd-bus.h>
#include <windows.h>

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
#include <memory>
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

// 0 when ExitWindowsEx grants the request, else its last error.
DWORD FailureOf(UINT flags)
{
    SetLastError(0);
    return ExitWindowsEx(flags, 0) ? 0 : GetLastError();
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

// A dbus-daemon of our own that lets anyone own any name; it dies with the
// thread that started it at the latest.
struct PrivateDaemon {
    // The problem, or "" once the daemon listens at `address`.
    std::string Start()
    {
        char config[] = "/tmp/hiren-bus-XXXXXX";
        int file = mkstemp(config);
        if (file < 0)
            return "no temporary file";
        dprintf(file,
                "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>\n"
                "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");  // all may send, receive, own
        close(file);
        int out[2];
        std::string configArgument = std::string("--config-file=") + config;
        const char* argv[] = {"dbus-daemon", configArgument.c_str(), "--print-address", "--nofork", "--nopidfile",
                              nullptr};
        pid_t parent = getpid();
        pid = pipe2(out, O_CLOEXEC) == 0 ? fork() : -1;
        if (pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (getppid() != parent)
                _exit(1);
            dup2(out[1], STDOUT_FILENO);
            int quiet = open("/dev/null", O_WRONLY);
            if (quiet >= 0)
                dup2(quiet, STDERR_FILENO);
            execvp(argv[0], const_cast<char* const*>(argv));
            _exit(127);
        }
        if (pid > 0) {
            // The daemon prints its address once it listens.
            close(out[1]);
            FILE* printed = fdopen(out[0], "r");
            char line[256] = "";
            pollfd wait = {out[0], POLLIN, 0};
            if (poll(&wait, 1, 10000) > 0 && fgets(line, sizeof line, printed))
                address = std::string(line, strcspn(line, "\n"));
            fclose(printed);
        }
        unlink(config);
        return address.empty() ? "dbus-daemon did not start (is it installed?)" : "";
    }

    ~PrivateDaemon()
    {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (address.rfind("unix:path=", 0) == 0)  // a socket file stays behind a killed daemon
            unlink(address.substr(10, address.find(',') - 10).c_str());
    }

    std::string address;
    pid_t pid = -1;
};

enum class Answer { Absent, Grant, Deny, Fail, Silent };

// logind's PowerOff(b) on the private bus, in a thread of its own: counts
// the calls and answers as told (Silent: never).
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

    std::string problem;  // empty while serving
    std::atomic<int> calls{0};
    std::atomic<int> interactiveCalls{0};  // with interactive = true and a prompt allowed

private:
    static int PowerOff(sd_bus_message* call, void* data, sd_bus_error*)
    {
        auto* self = static_cast<FakeLogind*>(data);
        int interactive = 0;
        int r = sd_bus_message_read(call, "b", &interactive);
        if (r < 0)
            return r;
        ++self->calls;
        self->interactiveCalls += interactive && sd_bus_message_get_allow_interactive_authorization(call) > 0;
        if (self->answer == Answer::Silent) {
            self->held.push_back(sd_bus_message_ref(call));
            return 1;
        }
        if (self->answer == Answer::Grant)
            return sd_bus_reply_method_return(call, "");
        return sd_bus_reply_method_errorf(
            call, self->answer == Answer::Deny ? SD_BUS_ERROR_ACCESS_DENIED : SD_BUS_ERROR_FAILED, "No power off.");
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
        int r;
        if ((r = sd_bus_new(&bus)) >= 0 && (r = sd_bus_set_address(bus, address.c_str())) >= 0 &&
            (r = sd_bus_set_bus_client(bus, 1)) >= 0 && (r = sd_bus_start(bus)) >= 0 &&
            (r = sd_bus_add_object_vtable(bus, &slot, "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
                                          vtable, this)) >= 0)
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
    std::vector<sd_bus_message*> held;
};

class ShutdownOnBus : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        daemon = new PrivateDaemon;
        problem = daemon->Start();
    }
    static void TearDownTestSuite()
    {
        delete daemon;
        daemon = nullptr;
    }
    void SetUp() override
    {
        if (!problem.empty())
            GTEST_SKIP() << "no private bus: " << problem;
    }

    static PrivateDaemon* daemon;
    static std::string problem;
};

PrivateDaemon* ShutdownOnBus::daemon;
std::string ShutdownOnBus::problem;
}  // namespace

TEST(ShutdownRecording, CountsTheFlagsAndAnswersAsTold)
{
    PlatformRecordShutdown(TRUE, TRUE);
    EXPECT_EQ(PlatformShutdownRequests(), 0);
    EXPECT_TRUE(ExitWindowsEx(EWX_SHUTDOWN, 0));
    EXPECT_TRUE(ExitWindowsEx(EWX_LOGOFF, 0));
    EXPECT_EQ(PlatformShutdownRequests(), 2);
    EXPECT_EQ(PlatformLastShutdownFlags(), static_cast<UINT>(EWX_LOGOFF));

    // Recording afresh, refusing.
    PlatformRecordShutdown(TRUE, FALSE);
    EXPECT_EQ(PlatformShutdownRequests(), 0);
    EXPECT_EQ(FailureOf(EWX_POWEROFF), static_cast<DWORD>(ERROR_ACCESS_DENIED));
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
    EXPECT_EQ(logind.calls.load(), 0);
}

TEST_F(ShutdownOnBus, OnlyPowerOffIsAskedInteractivelyAndGranted)
{
    FakeLogind logind(daemon->address, Answer::Grant);
    ASSERT_EQ(logind.problem, "");
    OnPrivateBus bus(daemon->address, kLongTimeoutMs);
    for (UINT flags : {static_cast<UINT>(EWX_LOGOFF), kReboot, EWX_SHUTDOWN | kReboot})
        EXPECT_EQ(FailureOf(flags), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED)) << flags;
    EXPECT_EQ(logind.calls.load(), 0);
    EXPECT_EQ(FailureOf(EWX_SHUTDOWN), 0u);
    EXPECT_EQ(FailureOf(EWX_POWEROFF), 0u);
    EXPECT_EQ(logind.calls.load(), 2);
    EXPECT_EQ(logind.interactiveCalls.load(), 2);
}

// A refusal is access denied; no logind, another error or no answer in
// time are not supported, each as soon as it is known.
TEST_F(ShutdownOnBus, FailuresAreAccessDeniedOrNotSupportedInTime)
{
    struct {
        Answer answer;
        DWORD timeoutMs, error;
        double least;
    } const cases[] = {{Answer::Absent, kLongTimeoutMs, ERROR_NOT_SUPPORTED, 0},
                       {Answer::Deny, kLongTimeoutMs, ERROR_ACCESS_DENIED, 0},
                       {Answer::Fail, kLongTimeoutMs, ERROR_NOT_SUPPORTED, 0},
                       {Answer::Silent, 300, ERROR_NOT_SUPPORTED, 0.25}};
    for (const auto& with : cases) {
        SCOPED_TRACE(static_cast<int>(with.answer));
        std::unique_ptr<FakeLogind> logind;
        if (with.answer != Answer::Absent)
            logind = std::make_unique<FakeLogind>(daemon->address, with.answer);
        ASSERT_EQ(logind ? logind->problem : "", "");
        OnPrivateBus bus(daemon->address, with.timeoutMs);
        Clock::time_point start = Clock::now();
        EXPECT_EQ(FailureOf(EWX_SHUTDOWN), with.error);
        EXPECT_GE(SecondsSince(start), with.least);
        EXPECT_LT(SecondsSince(start), 5.0);
        EXPECT_EQ(logind ? logind->calls.load() : 1, 1);
    }
}

TEST(ShutdownWithoutBus, NoBusListeningFailsAtOnce)
{
    OnPrivateBus bus("unix:path=/nonexistent/hiren-no-bus", kLongTimeoutMs);
    Clock::time_point start = Clock::now();
    EXPECT_EQ(FailureOf(EWX_SHUTDOWN), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_LT(SecondsSince(start), 5.0);
}
