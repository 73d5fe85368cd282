// The tick clock and Sleep, threads as kernel objects, their waits, and how
// a thread is stopped or told that it stops.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/kernel32/interrupt.h"
#include "platform/testing/clock.h"
#include "platform/win32.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

struct Worker {
    std::atomic<bool> open{false};  // lets WaitForOpen return
    std::atomic<DWORD> threadId{0};
    std::atomic<bool> unwound{false};  // a destructor on its stack ran
    std::atomic<bool> ranPastStop{false};
    std::atomic<HANDLE> self{nullptr};
};

struct Cleanup {
    std::atomic<bool>& flag;
    ~Cleanup() { flag = true; }
};

DWORD WINAPI WaitForOpen(LPVOID parameter) {
    auto* worker = static_cast<Worker*>(parameter);
    worker->threadId = GetCurrentThreadId();
    while (!worker->open)
        Sleep(1);
    return 1234;
}

TEST(Kernel32Clock, ADrivenClockReplacesTheRealOneUntilRemoved) {
    brannock::testing::SetClock([] { return DWORD{0xFFFFFFF0u}; });
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);

    // Sleep does not block on a clock that only the test moves.
    const auto start = Clock::now();
    Sleep(60000);
    EXPECT_LT(MillisecondsSince(start), 5000);

    brannock::testing::SetClock(nullptr);
    const DWORD before = GetTickCount();
    Sleep(50);
    const DWORD elapsed = GetTickCount() - before;
    EXPECT_GE(elapsed, 50u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(Kernel32Threads, ExitCodeAndWaitFollowTheThreadsLife) {
    Worker worker;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitForOpen, &worker, 0, &id);
    ASSERT_NE(thread, nullptr);

    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    const auto start = Clock::now();
    EXPECT_EQ(WaitForSingleObject(thread, 60), WAIT_TIMEOUT);
    EXPECT_GE(MillisecondsSince(start), 60);

    worker.open = true;
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 1234u);
    EXPECT_EQ(worker.threadId.load(), id);
    EXPECT_NE(id, GetCurrentThreadId());
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);  // stays signalled
    EXPECT_TRUE(CloseHandle(thread));
}

TEST(Kernel32Threads, ClosedAndBogusHandlesAreInvalid) {
    // Static: the thread runs on after its handle is closed and may still read
    // the flag when this test returns.
    static Worker worker;
    HANDLE thread = CreateThread(nullptr, 0, WaitForOpen, &worker, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_TRUE(CloseHandle(thread));

    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
    EXPECT_FALSE(TerminateThread(thread, 0));
    EXPECT_FALSE(CloseHandle(thread));
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, 0), WAIT_FAILED);
    // There is no ResumeThread to wake a suspended thread.
    EXPECT_EQ(CreateThread(nullptr, 0, WaitForOpen, &worker, CREATE_SUSPENDED, nullptr), nullptr);

    // Closing the handle did not stop the thread.
    while (worker.threadId == 0)
        Sleep(1);
    worker.open = true;
}

DWORD WINAPI SleepForever(LPVOID parameter) {
    auto* worker = static_cast<Worker*>(parameter);
    Cleanup cleanup{worker->unwound};
    worker->threadId = GetCurrentThreadId();
    Sleep(INFINITE);
    worker->ranPastStop = true;
    return 0;
}

DWORD WINAPI TerminateSelf(LPVOID parameter) {
    auto* worker = static_cast<Worker*>(parameter);
    Cleanup cleanup{worker->unwound};
    while (worker->self == nullptr)
        Sleep(1);
    TerminateThread(worker->self, 7);
    worker->ranPastStop = true;
    return 0;
}

TEST(Kernel32Threads, TerminateThreadUnwindsTheThreadWithTheGivenCode) {
    Worker sleeper;
    HANDLE sleeping = CreateThread(nullptr, 0, SleepForever, &sleeper, 0, nullptr);
    Worker stopper;
    HANDLE stopping = CreateThread(nullptr, 0, TerminateSelf, &stopper, 0, nullptr);
    ASSERT_NE(sleeping, nullptr);
    ASSERT_NE(stopping, nullptr);
    while (sleeper.threadId == 0)
        Sleep(1);

    const auto start = Clock::now();
    EXPECT_TRUE(TerminateThread(sleeping, 42));
    stopper.self = stopping;  // it terminates itself: the call does not return
    ASSERT_EQ(WaitForSingleObject(sleeping, 3000), WAIT_OBJECT_0);
    ASSERT_EQ(WaitForSingleObject(stopping, 3000), WAIT_OBJECT_0);
    EXPECT_LT(MillisecondsSince(start), 1000);

    DWORD code = 0;
    GetExitCodeThread(sleeping, &code);
    EXPECT_EQ(code, 42u);
    GetExitCodeThread(stopping, &code);
    EXPECT_EQ(code, 7u);
    for (Worker* worker : {&sleeper, &stopper}) {
        EXPECT_TRUE(worker->unwound);
        EXPECT_FALSE(worker->ranPastStop);
    }
    CloseHandle(sleeping);
    CloseHandle(stopping);
}

// The framework's side of the stop hook: the stoppable threads have a stop
// pending once it is asked for.
std::atomic<bool> g_stop{false};
thread_local bool t_stoppable = false;

bool StopAsked() {
    return t_stoppable && g_stop;
}

struct HookScope {
    HookScope() { brannock::platform::SetStopCheck(StopAsked); }
    ~HookScope() { brannock::platform::SetStopCheck(nullptr); }
};

struct Blocked {
    std::atomic<bool> started{false};
    std::atomic<bool> returned{false};
    std::atomic<DWORD> waitResult{0};
    HANDLE waitFor = nullptr;  // null: sleep
};

DWORD WINAPI BlockUntilStopped(LPVOID parameter) {
    auto* blocked = static_cast<Blocked*>(parameter);
    t_stoppable = true;
    blocked->started = true;
    if (blocked->waitFor != nullptr)
        blocked->waitResult = WaitForSingleObject(blocked->waitFor, INFINITE);
    else
        Sleep(INFINITE);
    blocked->returned = true;
    return 0;
}

// Nothing is thrown: a destructor may block in these calls while its thread
// stops.
TEST(Kernel32Stop, AStopPendingEndsSleepAndWaitsEarly) {
    HookScope hook;
    Worker target;  // stays running while the others wait for it
    HANDLE targetThread = CreateThread(nullptr, 0, WaitForOpen, &target, 0, nullptr);
    Blocked sleeper, waiter;
    waiter.waitFor = targetThread;
    HANDLE threads[] = {CreateThread(nullptr, 0, BlockUntilStopped, &sleeper, 0, nullptr),
                        CreateThread(nullptr, 0, BlockUntilStopped, &waiter, 0, nullptr)};
    while (!sleeper.started || !waiter.started)
        Sleep(1);
    Sleep(30);
    EXPECT_FALSE(sleeper.returned);

    g_stop = true;
    for (HANDLE thread : threads)
        EXPECT_EQ(WaitForSingleObject(thread, 3000), WAIT_OBJECT_0);
    EXPECT_TRUE(sleeper.returned);
    EXPECT_EQ(waiter.waitResult.load(), WAIT_TIMEOUT);
    EXPECT_EQ(WaitForSingleObject(targetThread, 0), WAIT_TIMEOUT);  // the target runs on

    // A stopping thread does not block, but still sees a thread that ended.
    target.open = true;
    ASSERT_EQ(WaitForSingleObject(targetThread, 3000), WAIT_OBJECT_0);
    t_stoppable = true;
    const auto start = Clock::now();
    Sleep(INFINITE);
    EXPECT_EQ(WaitForSingleObject(targetThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_LT(MillisecondsSince(start), 1000);
    t_stoppable = false;
}

}  // namespace
