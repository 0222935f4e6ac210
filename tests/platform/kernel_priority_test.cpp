// Priority on nice values: the class moves every thread of the process,
// the thread priority the calling thread alone, and an unprivileged
// process is refused without anything changing.
#include <gtest/gtest.h>
#include <windows.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

namespace {
pid_t ThreadId()
{
    return static_cast<pid_t>(syscall(SYS_gettid));
}

int NiceOf(pid_t thread)
{
    return getpriority(PRIO_PROCESS, static_cast<id_t>(thread));
}

// A second thread that waits until told to end.
struct Sleeper {
    Sleeper()
    {
        while (!id)
            std::this_thread::yield();
    }
    ~Sleeper()
    {
        done = true;
        thread.join();
    }
    std::atomic<pid_t> id{0};
    std::atomic<bool> done{false};
    std::thread thread{[this] {
        for (id = ThreadId(); !done;)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }};
};
}  // namespace

class Priority : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (NiceOf(ThreadId()) != 0)
            GTEST_SKIP() << "runs from nice 0 only";
    }

    void TearDown() override
    {
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL);
        SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    }
};

TEST_F(Priority, HighClassRaisesEveryThreadAndHighestTheCallerAlone)
{
    Sleeper other;
    if (!SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS))
        GTEST_SKIP() << "the system refuses raising here";
    EXPECT_EQ(NiceOf(ThreadId()), -10);
    EXPECT_EQ(NiceOf(other.id), -10);

    ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST));
    EXPECT_EQ(NiceOf(ThreadId()), -15);
    EXPECT_EQ(NiceOf(other.id), -10);

    ASSERT_TRUE(SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS));
    EXPECT_EQ(NiceOf(ThreadId()), -5) << "the thread keeps its step above the class";
    EXPECT_EQ(NiceOf(other.id), 0);
    ASSERT_TRUE(SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_NORMAL));
    EXPECT_EQ(NiceOf(ThreadId()), 0);
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
            NiceOf(ThreadId()) != 0)
            _exit(1);
        SetLastError(0);
        if (SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST) || GetLastError() != ERROR_ACCESS_DENIED ||
            NiceOf(ThreadId()) != 0)
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
