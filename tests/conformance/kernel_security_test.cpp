// Enabling the shutdown privilege, as a program does before asking Windows
// to shut down. Systems without token security fail the first step with
// ERROR_CALL_NOT_IMPLEMENTED; otherwise every step works. Nothing here
// asks for a shutdown.
#include <gtest/gtest.h>
#include <windows.h>

namespace {
constexpr DWORD kNotAllAssigned = 1300;  // ERROR_NOT_ALL_ASSIGNED
constexpr DWORD kShutdownPrivilege = 19;  // SE_SHUTDOWN_PRIVILEGE's LUID
}  // namespace

TEST(KernelSecurity, ShutdownPrivilegeIsEnabledOrTokensAreNotImplemented)
{
    HANDLE token = nullptr;
    SetLastError(0);
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
        return;
    }
    ASSERT_NE(token, nullptr);

    TOKEN_PRIVILEGES privileges = {};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid));
    EXPECT_EQ(privileges.Privileges[0].Luid.LowPart, kShutdownPrivilege);
    EXPECT_EQ(privileges.Privileges[0].Luid.HighPart, 0);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;

    // Succeeds even when the token lacks the privilege; the last error
    // then tells so.
    SetLastError(0xDEAD);
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    DWORD error = GetLastError();
    EXPECT_TRUE(error == ERROR_SUCCESS || error == kNotAllAssigned) << error;

    EXPECT_TRUE(CloseHandle(token));
}

TEST(KernelSecurity, PseudoHandlesCloseAndNullDoesNot)
{
    EXPECT_TRUE(CloseHandle(GetCurrentProcess()));
    EXPECT_TRUE(CloseHandle(GetCurrentThread()));
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}
