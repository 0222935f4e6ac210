// KERNEL and WinMM calls the game makes, checked against the API alone.
#include <gtest/gtest.h>
#include <windows.h>

#include <mmsystem.h>

TEST(Kernel, ProcessHeapBlocksAreUsableAndZeroedOnRequest)
{
    HANDLE heap = GetProcessHeap();
    ASSERT_NE(heap, nullptr);
    BYTE* block = static_cast<BYTE*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 1064));
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 1064; ++i)
        ASSERT_EQ(block[i], 0);
    block[1063] = 7;
    EXPECT_TRUE(HeapFree(heap, 0, block));
}

TEST(Kernel, ModuleOfNoNameIsTheProgramItself)
{
    HMODULE module = GetModuleHandleA(nullptr);
    EXPECT_NE(module, nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), module);
}

TEST(Kernel, LastErrorIsKeptPerThread)
{
    SetLastError(ERROR_INVALID_PARAMETER);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(0);
    EXPECT_EQ(GetLastError(), 0u);
}

TEST(WinMM, TimeAdvancesInMillisecondsAcrossASleep)
{
    DWORD before = timeGetTime();
    Sleep(30);
    DWORD elapsed = timeGetTime() - before;  // modulo 2^32, like the game
    EXPECT_GE(elapsed, 25u);
    EXPECT_LT(elapsed, 2000u);
    Sleep(0);
}
