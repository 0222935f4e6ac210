// There are no token privileges here: the token calls fail with
// ERROR_CALL_NOT_IMPLEMENTED and leave their outputs alone, and only the
// current process and thread are kernel handles (the conformance tests
// close a token where there is one, and null).
#include <gtest/gtest.h>

#include "win32_private.h"

TEST(NoTokenSecurity, TokenCallsAreNotImplementedAndWriteNothing)
{
    HANDLE token = reinterpret_cast<HANDLE>(intptr_t(0x1234));
    SetLastError(0);
    EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_EQ(token, reinterpret_cast<HANDLE>(intptr_t(0x1234)));

    LUID luid = {0xAAAAAAAAu, 0x5555};
    SetLastError(0);
    EXPECT_FALSE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_EQ(luid.LowPart, 0xAAAAAAAAu);
    EXPECT_EQ(luid.HighPart, 0x5555);

    TOKEN_PRIVILEGES wanted = {};
    wanted.PrivilegeCount = 1;
    TOKEN_PRIVILEGES previous = {};
    previous.PrivilegeCount = 77;
    DWORD length = 99;
    SetLastError(0);
    EXPECT_FALSE(AdjustTokenPrivileges(token, FALSE, &wanted, sizeof previous, &previous, &length));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
    EXPECT_EQ(previous.PrivilegeCount, 77u);
    EXPECT_EQ(length, 99u);
}

TEST(NoTokenSecurity, OnlyThePseudoHandlesClose)
{
    EXPECT_TRUE(CloseHandle(GetCurrentProcess()));
    EXPECT_TRUE(CloseHandle(GetCurrentThread()));
    for (HANDLE handle : {reinterpret_cast<HANDLE>(intptr_t(0x7FFF0000)), GetProcessHeap(), HANDLE(nullptr)}) {
        SetLastError(0);
        EXPECT_FALSE(CloseHandle(handle)) << handle;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
}
