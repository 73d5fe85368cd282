// Threads as kernel objects: CreateThread and the calls that take a thread
// handle. A thread's state is shared between its handle-table entry and the
// running thread, so closing the handle and the thread ending may happen in
// either order.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>

#include "platform/kernel32/interrupt.h"
#include "platform/kernel32/kernel32.h"
#include "platform/kernel32/thread_start.h"
#include "platform/kernel32/thread_stop.h"

namespace brannock::platform {
namespace {

// Thrown by an interrupt check on a thread TerminateThread asked to stop;
// caught only where the thread starts.
struct ThreadTermination {
    DWORD exitCode;
};

struct ThreadState {
    DWORD id = 0;
    LPTHREAD_START_ROUTINE routine = nullptr;
    LPVOID parameter = nullptr;

    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;          // guarded by mutex
    DWORD exitCode = STILL_ACTIVE;  // guarded by mutex

    std::atomic<bool> stopRequested{false};
    std::atomic<DWORD> stopCode{0};
};

std::atomic<DWORD> g_nextThreadId{1};

thread_local DWORD t_threadId = 0;
thread_local std::shared_ptr<ThreadState> t_self;

// Handle values are never reused, so a closed handle stays invalid.
class HandleTable {
  public:
    HANDLE Add(std::shared_ptr<ThreadState> state) {
        std::lock_guard lock(mutex_);
        next_ += 4;
        entries_.emplace(next_, std::move(state));
        return reinterpret_cast<HANDLE>(next_);
    }

    std::shared_ptr<ThreadState> Find(HANDLE handle) {
        std::lock_guard lock(mutex_);
        auto it = entries_.find(reinterpret_cast<std::uintptr_t>(handle));
        return it == entries_.end() ? nullptr : it->second;
    }

    bool Remove(HANDLE handle) {
        std::lock_guard lock(mutex_);
        return entries_.erase(reinterpret_cast<std::uintptr_t>(handle)) != 0;
    }

  private:
    std::mutex mutex_;
    std::uintptr_t next_ = 0x1000;
    std::unordered_map<std::uintptr_t, std::shared_ptr<ThreadState>> entries_;
};

// Never destroyed: threads may close handles during static destruction.
HandleTable& Handles() {
    static auto* table = new HandleTable;
    return *table;
}

struct StartHook {
    std::mutex mutex;
    std::function<void()> hook;  // guarded by mutex
};

// Never destroyed: threads may start while the process ends.
StartHook& TheStartHook() {
    static auto* hook = new StartHook;
    return *hook;
}

void RunStartHook() {
    std::function<void()> hook;
    {
        StartHook& start = TheStartHook();
        std::lock_guard lock(start.mutex);
        hook = start.hook;
    }
    if (hook) hook();
}

void RunThread(const std::shared_ptr<ThreadState>& state) {
    t_threadId = state->id;
    t_self = state;
    DWORD exitCode = 0;
    try {
        RunStartHook();
        exitCode = state->routine(state->parameter);
    } catch (const ThreadTermination& termination) {
        exitCode = termination.exitCode;
    }
    {
        std::lock_guard lock(state->mutex);
        state->exitCode = exitCode;
        state->finished = true;
    }
    state->ended.notify_all();
    t_self.reset();
}

}  // namespace

void SetThreadStartHook(std::function<void()> hook) {
    StartHook& start = TheStartHook();
    std::lock_guard lock(start.mutex);
    start.hook = std::move(hook);
}

void EndThreadIfTerminated() {
    const ThreadState* self = t_self.get();
    if (self == nullptr || !self->stopRequested.load(std::memory_order_acquire)) return;
    // A destructor that sleeps or waits while the stack already unwinds
    // must not throw a second exception.
    if (std::uncaught_exceptions() > 0) return;
    throw ThreadTermination{self->stopCode.load(std::memory_order_relaxed)};
}

}  // namespace brannock::platform

using brannock::platform::Handles;
using brannock::platform::ThreadState;

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE lpStartAddress,
                           LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) {
    if (lpStartAddress == nullptr || (dwCreationFlags & CREATE_SUSPENDED) != 0) return nullptr;
    auto state = std::make_shared<ThreadState>();
    state->id = brannock::platform::g_nextThreadId.fetch_add(1);
    state->routine = lpStartAddress;
    state->parameter = lpParameter;
    try {
        std::thread(brannock::platform::RunThread, state).detach();
    } catch (const std::system_error&) {
        return nullptr;
    }
    if (lpThreadId != nullptr) *lpThreadId = state->id;
    return Handles().Add(std::move(state));
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
    auto state = Handles().Find(hThread);
    if (!state || lpExitCode == nullptr) return FALSE;
    std::lock_guard lock(state->mutex);
    *lpExitCode = state->exitCode;
    return TRUE;
}

BOOL WINAPI TerminateThread(HANDLE hThread, DWORD dwExitCode) {
    auto state = Handles().Find(hThread);
    if (!state) return FALSE;
    state->stopCode.store(dwExitCode, std::memory_order_relaxed);
    state->stopRequested.store(true, std::memory_order_release);
    if (state == brannock::platform::t_self) brannock::platform::EndThreadIfTerminated();
    return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
    using Clock = std::chrono::steady_clock;
    auto state = Handles().Find(hHandle);
    if (!state) return WAIT_FAILED;
    const bool forever = dwMilliseconds == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;) {
        // A thread with a stop pending only looks whether the wait is over.
        const bool stopping = brannock::platform::StopPending();
        Clock::duration slice = brannock::platform::kInterruptCheckInterval;
        if (stopping)
            slice = Clock::duration::zero();
        else if (!forever)
            slice = std::clamp<Clock::duration>(deadline - Clock::now(), {}, slice);
        {
            std::unique_lock lock(state->mutex);
            if (state->ended.wait_for(lock, slice, [&] { return state->finished; }))
                return WAIT_OBJECT_0;
        }
        if (stopping || (!forever && Clock::now() >= deadline)) return WAIT_TIMEOUT;
        brannock::platform::DoBlockedCallWork();
    }
}

BOOL WINAPI CloseHandle(HANDLE hObject) {
    return Handles().Remove(hObject) ? TRUE : FALSE;
}

DWORD WINAPI GetCurrentThreadId() {
    DWORD& id = brannock::platform::t_threadId;
    if (id == 0) id = brannock::platform::g_nextThreadId.fetch_add(1);
    return id;
}
