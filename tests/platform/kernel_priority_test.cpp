// Priority on nice values: the game's one thread gets the class's value
// plus the thread's step, and an unprivileged process is refused without
// anything changing.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "win32_private.h"

namespace {
int Nice()
{
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}
}  // namespace

class Priority : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Nice() != 0)
            GTEST_SKIP() << "runs from nice 0 only";
    }

    void TearDown() override
    {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    }
};

TEST_F(Priority, TheClassAndTheThreadsStepAddUp)
{
    EXPECT_FALSE(SetPriorityClass(GetCurrentThread(), HIGH_PRIORITY_CLASS));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(SetThreadPriority(GetCurrentThread(), 7));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(Nice(), 0) << "refused calls change nothing";

    if (!SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS))
        GTEST_SKIP() << "the system refuses raising here";
    EXPECT_EQ(Nice(), -10);
    ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST));
    EXPECT_EQ(Nice(), -15);
    ASSERT_TRUE(SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(Nice(), -5) << "the thread keeps its step above the class";
    ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
    EXPECT_EQ(Nice(), 0);
}

TEST_F(Priority, AnUnprivilegedProcessIsRefusedAndKeepsItsPriority)
{
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Nobody may not raise its priority (no privilege, RLIMIT_NICE 0).
        struct rlimit limit;
        if ((geteuid() == 0 && setuid(65534) != 0) || (getrlimit(RLIMIT_NICE, &limit) == 0 && limit.rlim_cur > 20))
            _exit(10);
        SetLastError(0);
        if (SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS) || GetLastError() != ERROR_ACCESS_DENIED ||
            Nice() != 0)
            _exit(1);
        SetLastError(0);
        if (SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST) || GetLastError() != ERROR_ACCESS_DENIED ||
            Nice() != 0)
            _exit(2);
        if (!SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS) ||
            !SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL))
            _exit(3);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 10)
        GTEST_SKIP() << "cannot run unprivileged here";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the class; 2: the thread; 3: back to normal";
}
