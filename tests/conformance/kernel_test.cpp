// KERNEL and WinMM calls the game makes: the heap, its own module, the
// clock, priority and the shutdown privilege.
#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

TEST(Kernel, HeapModuleAndClock)
{
    BYTE* block = static_cast<BYTE*>(HeapAlloc(GetProcessHeap(), 0, 76800));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 76800; ++i)
        block[i] = BYTE(i);
    EXPECT_EQ(block[76799], BYTE(76799));
    EXPECT_TRUE(HeapFree(GetProcessHeap(), 0, block));
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));

    const DWORD before = timeGetTime();
    Sleep(30);
    const DWORD elapsed = timeGetTime() - before;  // modulo 2^32, as the game takes it
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 2000u);
}

// Raising may be refused where the system does not allow it, with
// ERROR_ACCESS_DENIED; going back to normal always works.
TEST(Kernel, ProcessAndThreadGoToHighAndBackToNormal)
{
    const BOOL process = SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    EXPECT_TRUE(process || GetLastError() == 5) << GetLastError();
    const BOOL thread = SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
    EXPECT_TRUE(thread || GetLastError() == 5) << GetLastError();
    EXPECT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
    EXPECT_TRUE(SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS));
}

// The steps before asking Windows to shut down (nothing here asks).
// Systems without token security fail the first with
// ERROR_CALL_NOT_IMPLEMENTED; elsewhere each works, the last even when the
// token lacks the privilege (ERROR_NOT_ALL_ASSIGNED then).
TEST(Kernel, ShutdownPrivilegeIsEnabledOrTokensAreNotImplemented)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        EXPECT_EQ(GetLastError(), DWORD(ERROR_CALL_NOT_IMPLEMENTED));
        return;
    }
    TOKEN_PRIVILEGES privileges = {};
    ASSERT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid));
    EXPECT_EQ(privileges.Privileges[0].Luid.LowPart, 19u);
    EXPECT_EQ(privileges.Privileges[0].Luid.HighPart, 0);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    EXPECT_TRUE(AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr));
    EXPECT_TRUE(GetLastError() == 0 || GetLastError() == 1300) << GetLastError();
    EXPECT_TRUE(CloseHandle(token));
    EXPECT_FALSE(CloseHandle(nullptr));
    EXPECT_EQ(GetLastError(), 6u) << "ERROR_INVALID_HANDLE";
}
