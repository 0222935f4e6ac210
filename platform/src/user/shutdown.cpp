// ExitWindowsEx: powering off is asked of logind over the system bus, the
// way a desktop program does it: PowerOff(interactive = true), so polkit
// and the system's own policy decide, prompting the user if they want to.
// Logging off and restarting are not offered.
//
// Failures: a refusal (an access or authorization error reply, or a bus that
// will not let us connect) is ERROR_ACCESS_DENIED; anything else (no bus, no
// logind, another error reply, no answer in time) is ERROR_NOT_SUPPORTED. The whole request,
// connecting included, takes at most kTimeout: long enough for a password
// prompt. A request that ran out of time may still be carried out by logind.
//
// While recording (a test seam), nothing reaches any bus.
#include <platform_seams.h>
#include <systemd/sd-bus.h>

#include <errno.h>

#include <chrono>
#include <mutex>
#include <string>

#include "user/shutdown_bus.h"
#include "kernel/security_log.h"

namespace {
using Clock = std::chrono::steady_clock;

constexpr UINT kActionMask = 0xFF;
constexpr UINT kReboot = 0x02;
constexpr DWORD kTimeoutMs = 25000;

std::mutex lock;
bool recording;          // guarded by lock, like everything below
BOOL recordedAnswer;
int requests;
UINT lastFlags;
bool systemBus = true;
std::string busAddress;  // when not the system bus
DWORD busTimeoutMs = kTimeoutMs;

uint64_t Remaining(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<uint64_t>(left) : 0;
}

int Open(bool system, const std::string& address, sd_bus** bus)
{
    if (system)
        return sd_bus_open_system(bus);
    int r = sd_bus_new(bus);
    if (r < 0)
        return r;
    if ((r = sd_bus_set_address(*bus, address.c_str())) < 0 || (r = sd_bus_set_bus_client(*bus, 1)) < 0 ||
        (r = sd_bus_start(*bus)) < 0) {
        *bus = sd_bus_unref(*bus);
        return r;
    }
    return 0;
}

// Runs the connection until it is ready for calls or the deadline passes.
int WaitReady(sd_bus* bus, Clock::time_point deadline)
{
    for (;;) {
        int r = sd_bus_is_ready(bus);
        if (r != 0)
            return r;
        if (sd_bus_is_open(bus) <= 0)
            return -ENOTCONN;
        r = sd_bus_process(bus, nullptr);
        if (r < 0)
            return r;
        if (r > 0)
            continue;
        uint64_t left = Remaining(deadline);
        if (left == 0)
            return -ETIMEDOUT;
        r = sd_bus_wait(bus, left);
        if (r < 0)
            return r;
    }
}

// A failed request's last error: refusals are access errors, by the reply's
// error name, or by errno where nothing answered.
DWORD ErrorOf(int r, const sd_bus_error& error)
{
    if (sd_bus_error_is_set(&error))
        return sd_bus_error_has_names(&error, SD_BUS_ERROR_ACCESS_DENIED, SD_BUS_ERROR_AUTH_FAILED,
                                      SD_BUS_ERROR_INTERACTIVE_AUTHORIZATION_REQUIRED)
                   ? ERROR_ACCESS_DENIED
                   : ERROR_NOT_SUPPORTED;
    return r == -EACCES || r == -EPERM ? ERROR_ACCESS_DENIED : ERROR_NOT_SUPPORTED;
}

// Calls logind's PowerOff; returns 0 or the last error for the failure.
DWORD PowerOff(bool system, const std::string& address, DWORD timeout)
{
    Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout);
    sd_bus* bus = nullptr;
    sd_bus_message* call = nullptr;
    sd_bus_error error = SD_BUS_ERROR_NULL;
    int r = Open(system, address, &bus);
    if (r >= 0 && (r = WaitReady(bus, deadline)) >= 0 &&
        (r = sd_bus_message_new_method_call(bus, &call, "org.freedesktop.login1", "/org/freedesktop/login1",
                                            "org.freedesktop.login1.Manager", "PowerOff")) >= 0 &&
        (r = sd_bus_message_append(call, "b", 1)) >= 0 &&
        (r = sd_bus_message_set_allow_interactive_authorization(call, 1)) >= 0) {
        uint64_t left = Remaining(deadline);
        r = left == 0 ? -ETIMEDOUT : sd_bus_call(bus, call, left, &error, nullptr);
    }
    DWORD result = r < 0 ? ErrorOf(r, error) : 0;
    sd_bus_error_free(&error);
    sd_bus_message_unref(call);
    sd_bus_flush_close_unref(bus);
    return result;
}
}  // namespace

BOOL WINAPI ExitWindowsEx(UINT flags, DWORD reason)
{
    std::unique_lock<std::mutex> hold(lock);
    if (recording) {
        SecurityNote('X');
        ++requests;
        lastFlags = flags;
        if (!recordedAnswer)
            SetLastError(ERROR_ACCESS_DENIED);
        return recordedAnswer;
    }
    bool system = systemBus;
    std::string address = busAddress;
    DWORD timeout = busTimeoutMs;
    hold.unlock();

    UINT action = flags & kActionMask;
    if ((action & kReboot) || !(action & (EWX_SHUTDOWN | EWX_POWEROFF))) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return FALSE;
    }
    DWORD failure = PowerOff(system, address, timeout);
    if (failure == 0)
        return TRUE;
    SetLastError(failure);
    return FALSE;
}

void PlatformRecordShutdown(BOOL record, BOOL succeed)
{
    std::lock_guard<std::mutex> hold(lock);
    recording = record != FALSE;
    recordedAnswer = succeed ? TRUE : FALSE;
    requests = 0;
    lastFlags = 0;
}

int PlatformShutdownRequests(void)
{
    std::lock_guard<std::mutex> hold(lock);
    return requests;
}

UINT PlatformLastShutdownFlags(void)
{
    std::lock_guard<std::mutex> hold(lock);
    return lastFlags;
}

void UserShutdownUseBus(const char* address, DWORD timeoutMs)
{
    std::lock_guard<std::mutex> hold(lock);
    systemBus = address == nullptr;
    busAddress = address ? address : "";
    busTimeoutMs = address ? timeoutMs : kTimeoutMs;
}
