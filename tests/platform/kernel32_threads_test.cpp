// Threads as kernel objects, their waits, and how a thread is stopped.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/kernel32/interrupt.h"
#include "platform/win32.h"

namespace {

using Clock = std::chrono::steady_clock;

long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

struct Gate {
    std::atomic<bool> open{false};
    std::atomic<DWORD> threadId{0};
};

DWORD WINAPI WaitForGate(LPVOID parameter) {
    auto* gate = static_cast<Gate*>(parameter);
    gate->threadId = GetCurrentThreadId();
    while (!gate->open)
        Sleep(1);
    return 1234;
}

TEST(Kernel32Threads, ExitCodeIsStillActiveUntilTheRoutineReturns) {
    Gate gate;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGate, &gate, 0, &id);
    ASSERT_NE(thread, nullptr);

    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);

    gate.open = true;
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 1234u);
    EXPECT_EQ(gate.threadId.load(), id);
    EXPECT_NE(id, GetCurrentThreadId());
    // An ended thread stays signalled.
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(thread));
}

TEST(Kernel32Threads, WaitTimesOutAfterItsDelay) {
    Gate gate;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGate, &gate, 0, nullptr);
    ASSERT_NE(thread, nullptr);

    const auto start = Clock::now();
    EXPECT_EQ(WaitForSingleObject(thread, 60), WAIT_TIMEOUT);
    EXPECT_GE(MillisecondsSince(start), 60);

    gate.open = true;
    EXPECT_EQ(WaitForSingleObject(thread, 5000), WAIT_OBJECT_0);
    CloseHandle(thread);
}

TEST(Kernel32Threads, ClosingTheHandleLeavesTheThreadRunningAndTheHandleInvalid) {
    Gate gate;
    HANDLE thread = CreateThread(nullptr, 0, WaitForGate, &gate, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    while (gate.threadId == 0)
        Sleep(1);

    EXPECT_TRUE(CloseHandle(thread));
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_FAILED);
    EXPECT_FALSE(TerminateThread(thread, 0));
    EXPECT_FALSE(CloseHandle(thread));
    EXPECT_EQ(WaitForSingleObject(nullptr, 0), WAIT_FAILED);
    EXPECT_EQ(WaitForSingleObject(INVALID_HANDLE_VALUE, 0), WAIT_FAILED);

    gate.open = true;  // the thread still runs and can finish
}

TEST(Kernel32Threads, RefusesWhatItCannotStart) {
    Gate gate;
    EXPECT_EQ(CreateThread(nullptr, 0, nullptr, &gate, 0, nullptr), nullptr);
    // There is no ResumeThread to wake a suspended thread.
    EXPECT_EQ(CreateThread(nullptr, 0, WaitForGate, &gate, CREATE_SUSPENDED, nullptr), nullptr);
}

struct Worker {
    std::atomic<bool> started{false};
    std::atomic<bool> cleanedUp{false};
    std::atomic<bool> ranPastStop{false};
    std::atomic<HANDLE> self{nullptr};
};

// Sets a flag when the stack unwinds through it.
struct Cleanup {
    std::atomic<bool>& flag;
    ~Cleanup() { flag = true; }
};

DWORD WINAPI SleepForever(LPVOID parameter) {
    auto* worker = static_cast<Worker*>(parameter);
    Cleanup cleanup{worker->cleanedUp};
    worker->started = true;
    Sleep(INFINITE);
    worker->ranPastStop = true;
    return 0;
}

TEST(Kernel32Threads, TerminateThreadUnwindsASleepingThread) {
    Worker worker;
    HANDLE thread = CreateThread(nullptr, 0, SleepForever, &worker, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    while (!worker.started)
        Sleep(1);

    const auto start = Clock::now();
    EXPECT_TRUE(TerminateThread(thread, 42));
    ASSERT_EQ(WaitForSingleObject(thread, 3000), WAIT_OBJECT_0);
    EXPECT_LT(MillisecondsSince(start), 1000);

    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_TRUE(worker.cleanedUp);
    EXPECT_FALSE(worker.ranPastStop);
    CloseHandle(thread);
}

DWORD WINAPI TerminateSelf(LPVOID parameter) {
    auto* worker = static_cast<Worker*>(parameter);
    Cleanup cleanup{worker->cleanedUp};
    while (worker->self == nullptr)
        Sleep(1);
    TerminateThread(worker->self, 7);
    worker->ranPastStop = true;
    return 0;
}

TEST(Kernel32Threads, TerminateThreadOnItselfDoesNotReturn) {
    Worker worker;
    HANDLE thread = CreateThread(nullptr, 0, TerminateSelf, &worker, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    worker.self = thread;
    ASSERT_EQ(WaitForSingleObject(thread, 3000), WAIT_OBJECT_0);

    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_TRUE(worker.cleanedUp);
    EXPECT_FALSE(worker.ranPastStop);
    CloseHandle(thread);
}

// The framework's side of the interrupt hook: a check that throws on the
// threads it wants stopped (here: the stoppable ones, once asked).
struct StopRequested {};
std::atomic<bool> g_stopAll{false};
thread_local bool t_stoppable = false;

void ThrowWhenStopped() {
    if (t_stoppable && g_stopAll) throw StopRequested{};
}

struct HookScope {
    HookScope() { brannock::platform::SetInterruptCheck(ThrowWhenStopped); }
    ~HookScope() {
        brannock::platform::SetInterruptCheck(nullptr);
        g_stopAll = false;
    }
};

struct Blocked {
    std::atomic<bool> started{false};
    std::atomic<bool> unwound{false};
    HANDLE waitFor = nullptr;
};

DWORD WINAPI BlockInWait(LPVOID parameter) {
    auto* blocked = static_cast<Blocked*>(parameter);
    t_stoppable = true;
    try {
        blocked->started = true;
        if (blocked->waitFor != nullptr)
            WaitForSingleObject(blocked->waitFor, INFINITE);
        else
            Sleep(INFINITE);
    } catch (const StopRequested&) {
        blocked->unwound = true;
        return 5;
    }
    return 0;
}

TEST(Kernel32Interrupt, TheInstalledCheckUnwindsSleepAndWaits) {
    HookScope hook;
    Gate gate;  // never opened while the others wait on it
    HANDLE target = CreateThread(nullptr, 0, WaitForGate, &gate, 0, nullptr);
    ASSERT_NE(target, nullptr);

    Blocked sleeper;
    Blocked waiter;
    waiter.waitFor = target;
    HANDLE sleeping = CreateThread(nullptr, 0, BlockInWait, &sleeper, 0, nullptr);
    HANDLE waiting = CreateThread(nullptr, 0, BlockInWait, &waiter, 0, nullptr);
    ASSERT_NE(sleeping, nullptr);
    ASSERT_NE(waiting, nullptr);
    while (!sleeper.started || !waiter.started)
        Sleep(1);
    Sleep(30);

    g_stopAll = true;
    const auto start = Clock::now();
    while ((!sleeper.unwound || !waiter.unwound) && MillisecondsSince(start) < 3000)
        Sleep(1);
    EXPECT_TRUE(sleeper.unwound);
    EXPECT_TRUE(waiter.unwound);
    g_stopAll = false;

    // The wait that was unwound left the target's handle intact.
    EXPECT_EQ(WaitForSingleObject(target, 0), WAIT_TIMEOUT);
    gate.open = true;
    EXPECT_EQ(WaitForSingleObject(target, 3000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(sleeping, 3000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(waiting, 3000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeThread(waiting, &code);
    EXPECT_EQ(code, 5u);
    for (HANDLE handle : {target, sleeping, waiting})
        CloseHandle(handle);
}

TEST(Kernel32Interrupt, CheckRunsOnEntryToABlockingCall) {
    HookScope hook;
    t_stoppable = true;
    g_stopAll = true;
    EXPECT_THROW(Sleep(0), StopRequested);
    EXPECT_THROW(WaitForSingleObject(nullptr, 0), StopRequested);
    g_stopAll = false;
    EXPECT_NO_THROW(Sleep(0));
    t_stoppable = false;
}

}  // namespace
