// KERNEL and WinMM calls the game makes: the heap, its own module, the
// clock, priority and the shutdown privilege.
#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

namespace {
constexpr DWORD kAccessDenied = 5;        // ERROR_ACCESS_DENIED
constexpr DWORD kInvalidHandle = 6;       // ERROR_INVALID_HANDLE
constexpr DWORD kNotAllAssigned = 1300;   // ERROR_NOT_ALL_ASSIGNED
constexpr DWORD kShutdownPrivilege = 19;  // SE_SHUTDOWN_PRIVILEGE's LUID
}  // namespace

TEST(Kernel, ProcessHeapBlocksAreUsable)
{
    HANDLE heap = GetProcessHeap();
    ASSERT_NE(heap, nullptr);
    BYTE* block = static_cast<BYTE*>(HeapAlloc(heap, 0, 76800));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 76800; ++i)
        block[i] = BYTE(i);
    EXPECT_EQ(block[76799], BYTE(76799));
    EXPECT_TRUE(HeapFree(heap, 0, block));
}

TEST(Kernel, ModuleOfNoNameIsTheProgramItself)
{
    HMODULE module = GetModuleHandleA(nullptr);
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), module);
}

TEST(Kernel, TimeAdvancesInMillisecondsAcrossASleep)
{
    DWORD before = timeGetTime();
    Sleep(30);
    DWORD elapsed = timeGetTime() - before;  // modulo 2^32, like the game
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 2000u);
    Sleep(0);
}

// Raising may be refused where the system does not allow it: then the call
// fails with ERROR_ACCESS_DENIED, so going back to normal always works.
TEST(Kernel, ProcessAndThreadGoToHighAndBackToNormal)
{
    if (!SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS)) {
        EXPECT_EQ(GetLastError(), kAccessDenied);
    }
    if (!SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST)) {
        EXPECT_EQ(GetLastError(), kAccessDenied);
    }
    EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
    EXPECT_TRUE(SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS));
}

// Enabling the shutdown privilege, as the game does before asking Windows
// to shut down. Systems without token security fail the first step with
// ERROR_CALL_NOT_IMPLEMENTED; otherwise every step works. Nothing here
// asks for a shutdown.
TEST(Kernel, ShutdownPrivilegeIsEnabledOrTokensAreNotImplemented)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED));
        return;
    }
    ASSERT_NE(token, nullptr);
    TOKEN_PRIVILEGES privileges = {};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid));
    EXPECT_EQ(privileges.Privileges[0].Luid.LowPart, kShutdownPrivilege);
    EXPECT_EQ(privileges.Privileges[0].Luid.HighPart, 0);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    // Succeeds even when the token lacks the privilege; the last error
    // then tells so.
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    DWORD error = GetLastError();
    EXPECT_TRUE(error == 0 || error == kNotAllAssigned) << error;
    EXPECT_TRUE(CloseHandle(token));
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(GetLastError(), kInvalidHandle);
}
