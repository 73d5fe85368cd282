// Posting and retrieving messages. A thread takes, in this order: messages
// other threads sent (served on the spot), posted messages, WM_QUIT, then
// WM_PAINT for an invalid window and WM_TIMER for a due timer, the last two
// only when nothing else is waiting. A thread with nothing to take waits
// until something is given to it, the host has input, its next timer is due
// or its stop comes, rather than polling.
#include <algorithm>
#include <chrono>

#include "platform/backend/backend.h"
#include "platform/kernel32/clock_source.h"
#include "platform/kernel32/interrupt.h"
#include "platform/kernel32/virtual_clock.h"
#include "platform/user32/host_input.h"
#include "platform/user32/messaging.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {
namespace {

using Milliseconds = std::chrono::milliseconds;

// The longest an idle thread waits when nothing wakes it: a stop that comes
// without a message (a thread's stop is mostly paired with WM_QUIT) or a
// TerminateThread is seen this late.
constexpr Milliseconds kIdleWaitLimit{100};

// A null filter takes every message of the thread; (HWND)-1 only messages
// posted to the thread itself; a window, that window and its children.
bool MatchesWindow(State& state, HWND hwnd, HWND filter) {
    if (!filter) return true;
    if (filter == reinterpret_cast<HWND>(-1)) return hwnd == nullptr;
    return hwnd && IsSelfOrDescendant(state, hwnd, filter);
}

bool MatchesRange(UINT message, UINT filterMin, UINT filterMax) {
    if (filterMin == 0 && filterMax == 0) return true;
    return message >= filterMin && message <= filterMax;
}

POINT CursorNow() {
    POINT point{};
    GetCursorPos(&point);
    return point;
}

// Finds the next message for the calling thread, removing it when asked.
// Needs the lock.
bool TakeMessage(State& state, ThreadQueue& queue, MSG& out, HWND filter, UINT filterMin,
                 UINT filterMax, bool remove) {
    for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
        if (!MatchesWindow(state, it->hwnd, filter) ||
            !MatchesRange(it->message, filterMin, filterMax))
            continue;
        out = *it;
        if (remove) queue.posted.erase(it);
        return true;
    }
    // WM_QUIT passes every filter, so a loop filtered by window ends too.
    if (queue.quitPosted) {
        out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0, GetTickCount(), {}};
        if (remove) queue.quitPosted = false;
        return true;
    }
    if (MatchesRange(WM_PAINT, filterMin, filterMax)) {
        for (auto& [key, w] : state.windows) {
            if (w->queue.get() != &queue || !w->updatePending || !w->visible ||
                !MatchesWindow(state, w->handle, filter))
                continue;
            // Stays until the window is validated (BeginPaint, ValidateRect).
            out = MSG{w->handle, WM_PAINT, 0, 0, GetTickCount(), {}};
            return true;
        }
    }
    if (MatchesRange(WM_TIMER, filterMin, filterMax) && !queue.timers.empty()) {
        DWORD now = GetTickCount();
        Timer* next = nullptr;
        for (Timer& t : queue.timers) {
            if (static_cast<LONG>(now - t.due) < 0 || !MatchesWindow(state, t.hwnd, filter))
                continue;
            if (!next || static_cast<LONG>(t.due - next->due) < 0) next = &t;
        }
        if (next) {
            out =
                MSG{next->hwnd, WM_TIMER, next->id, reinterpret_cast<LPARAM>(next->proc), now, {}};
            if (remove) next->due = now + next->period;
            return true;
        }
    }
    return false;
}

// How long an idle thread may wait before it must look again: until its
// next timer is due, and never long on a clock that moves without the host
// (a test's, a scripted run's). Needs the lock.
Milliseconds IdleTimeout(const ThreadQueue& queue) {
    if (InstalledTestClock() || virtual_clock::Running()) return kInterruptCheckInterval;
    Milliseconds timeout = kIdleWaitLimit;
    if (queue.timers.empty()) return timeout;
    const DWORD now = GetTickCount();
    for (const Timer& t : queue.timers) {
        // A timer already due that is still queued is filtered out: it
        // cannot end this wait.
        const LONG left = static_cast<LONG>(t.due - now);
        if (left > 0) timeout = std::min(timeout, Milliseconds(left));
    }
    return timeout;
}

// The calling thread's queue, for a call that waits on it.
std::shared_ptr<ThreadQueue> CallerQueue(State& state) {
    Lock lock(state.mutex);
    return CurrentQueueLocked();
}

// Waits, with `lock` held on entry and exit, until the queue's thread is
// woken or `timeout` passes. The thread that drives the host waits in the
// backend, so that host input ends the wait too.
void WaitIdle(ThreadQueue& queue, Lock& lock, Milliseconds timeout) {
    if (queue.hostWork.load()) return;  // work came while the thread pumped
    Backend& backend = CurrentBackend();
    if (!backend.CanWaitForHost()) {
        queue.wake.wait_for(lock, timeout);
        return;
    }
    // Until the flag is cleared, every wake of the queue wakes the host
    // wait, also one that comes before the wait begins.
    queue.hostWaiting = true;
    lock.unlock();
    backend.WaitForHost(timeout);
    lock.lock();
    queue.hostWaiting = false;
}

// Reads the host's input into the queues before a waiting call looks at its
// queue; work that comes meanwhile sets hostWork again, so that the call's
// next WaitIdle returns at once. True when a stop was pending before the
// pump: the call then ends instead of waiting.
bool PumpBeforeLooking(ThreadQueue& queue) {
    const bool stopping = StopPending();
    queue.hostWork = false;
    PumpBackend();
    return stopping;
}

}  // namespace

void PostLocked(ThreadQueue& queue, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    queue.posted.push_back(MSG{hwnd, message, wParam, lParam, GetTickCount(), {}});
    WakeLocked(queue);
}

void PumpBackend() {
    CurrentBackend().PumpEvents();
}

}  // namespace brannock::platform::user32

namespace brannock::platform {

bool WaitForWindowThreadIdle(HWND window, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    // How often this loop looks at timers depends on the host's scheduling.
    const virtual_clock::QuietReads quiet;
    user32::State& state = user32::GetState();
    for (;;) {
        if (StopPending()) return false;  // a thread told to stop does not wait
        user32::Lock lock(state.mutex);
        user32::Window* w = state.FindWindow(window);
        if (!w || !w->queue->alive) return true;
        const std::shared_ptr<user32::ThreadQueue> target = w->queue;
        if (target->threadId == GetCurrentThreadId()) return true;
        MSG next{};
        if (!user32::TakeMessage(state, *target, next, nullptr, 0, 0, false)) {
            if (target->waiting) return true;
        } else if (next.message == WM_QUIT) {
            return true;  // the thread is leaving its message loop
        }
        // Meanwhile this thread answers what is sent to it, as a sender does.
        const auto self = state.queues.find(GetCurrentThreadId());
        if (self != state.queues.end()) {
            if (auto queue = self->second.lock(); queue && user32::ServeOneSent(*queue, lock))
                continue;
        }
        const auto now = Clock::now();
        if (now >= deadline) return false;
        // A clock that moved may have made a timer due: let the thread look.
        WakeLocked(*target);
        target->idle.wait_for(lock,
                              std::min<Clock::duration>(deadline - now, kInterruptCheckInterval));
    }
}

void WakeHostPump(DWORD threadId) {
    user32::State& state = user32::GetState();
    user32::Lock lock(state.mutex);
    auto it = state.queues.find(threadId);
    if (it == state.queues.end()) return;
    if (auto queue = it->second.lock()) {
        queue->hostWork = true;
        WakeLocked(*queue);
    }
}

}  // namespace brannock::platform

using namespace brannock::platform::user32;
using brannock::platform::StopPending;

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) return PostThreadMessageA(GetCurrentThreadId(), message, wParam, lParam);
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w || !w->queue->alive) return FALSE;
    PostLocked(*w->queue, window, message, wParam, lParam);
    return TRUE;
}

BOOL WINAPI PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    State& state = GetState();
    Lock lock(state.mutex);
    if (threadId == GetCurrentThreadId()) CurrentQueueLocked();
    auto it = state.queues.find(threadId);
    if (it == state.queues.end()) return FALSE;
    std::shared_ptr<ThreadQueue> queue = it->second.lock();
    if (!queue || !queue->alive) return FALSE;
    PostLocked(*queue, nullptr, message, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int exitCode) {
    State& state = GetState();
    Lock lock(state.mutex);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    queue->quitPosted = true;
    queue->quitCode = exitCode;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax, UINT remove) {
    PumpBackend();
    State& state = GetState();
    Lock lock(state.mutex);
    std::shared_ptr<ThreadQueue> queue = CurrentQueueLocked();
    while (ServeOneSent(*queue, lock)) {
    }
    MSG found{};
    if (!TakeMessage(state, *queue, found, window, filterMin, filterMax, (remove & PM_REMOVE) != 0))
        return FALSE;
    lock.unlock();
    found.pt = CursorNow();
    if (msg) *msg = found;
    return TRUE;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND window, UINT filterMin, UINT filterMax) {
    if (!msg || (window && window != reinterpret_cast<HWND>(-1) && !IsWindow(window))) return -1;
    State& state = GetState();
    const std::shared_ptr<ThreadQueue> queue = CallerQueue(state);
    for (;;) {
        const bool stopping = PumpBeforeLooking(*queue);
        Lock lock(state.mutex);
        while (ServeOneSent(*queue, lock)) {
        }
        MSG found{};
        if (!TakeMessage(state, *queue, found, window, filterMin, filterMax, true)) {
            if (!stopping) {
                // Idle: WaitForWindowThreadIdle may go on.
                queue->waiting = true;
                queue->idle.notify_all();
                WaitIdle(*queue, lock, IdleTimeout(*queue));
                queue->waiting = false;
                continue;
            }
            // A thread with a stop pending does not wait: it is told to quit.
            found = MSG{nullptr, WM_QUIT, 0, 0, GetTickCount(), {}};
        }
        lock.unlock();
        found.pt = CursorNow();
        *msg = found;
        return found.message == WM_QUIT ? FALSE : TRUE;
    }
}

DWORD WINAPI MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll,
                                       DWORD milliseconds, DWORD wakeMask) {
    (void)handles;
    (void)waitAll;
    if (count != 0) return WAIT_FAILED;
    using Clock = std::chrono::steady_clock;
    const bool forever = milliseconds == INFINITE;
    const auto deadline = Clock::now() + Milliseconds(forever ? 0 : milliseconds);
    State& state = GetState();
    const std::shared_ptr<ThreadQueue> queue = CallerQueue(state);
    for (;;) {
        const bool stopping = PumpBeforeLooking(*queue);
        Lock lock(state.mutex);
        MSG found{};
        if (wakeMask != 0 &&
            (!queue->sent.empty() || TakeMessage(state, *queue, found, nullptr, 0, 0, false)))
            return WAIT_OBJECT_0;
        if (stopping || milliseconds == 0) return WAIT_TIMEOUT;
        // On a clock the test drives, or the frame thread's virtual clock,
        // the time-out passes as a Sleep of it would.
        if (!forever && (brannock::platform::InstalledTestClock() ||
                         brannock::platform::virtual_clock::Running())) {
            lock.unlock();
            Sleep(milliseconds);
            return WAIT_TIMEOUT;
        }
        Milliseconds timeout = IdleTimeout(*queue);
        if (!forever) {
            const auto left = std::chrono::ceil<Milliseconds>(deadline - Clock::now());
            if (left <= Milliseconds::zero()) return WAIT_TIMEOUT;
            timeout = std::min(timeout, left);
        }
        WaitIdle(*queue, lock, timeout);
    }
}
