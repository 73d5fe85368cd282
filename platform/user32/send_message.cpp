// SendMessageA: direct calls on the window's own thread; across threads the
// sender waits while the receiver serves the message inside its own message
// calls. A waiting sender serves messages sent to itself, so two threads
// sending to each other do not deadlock.
#include <exception>

#include "platform/kernel32/interrupt.h"
#include "platform/user32/messaging.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {
namespace {

// After the wait was given up: a message still queued is withdrawn, one
// the receiver has taken is waited for to the end, since the receiver may
// still write through its lParam into the sender's memory. Messages sent to
// this thread are served meanwhile, so a send back cannot deadlock; an
// exception from one of them is held back until the wait is over.
void Settle(const std::shared_ptr<SentMessage>& sent, ThreadQueue& self, ThreadQueue& target) {
    State& state = GetState();
    Lock lock(state.mutex);
    if (!sent->taken) {
        std::erase(target.sent, sent);
        return;
    }
    std::exception_ptr held;
    while (!sent->done) {
        try {
            if (ServeOneSent(self, lock)) continue;
        } catch (...) {
            if (!held) held = std::current_exception();
            continue;
        }
        self.wake.wait_for(lock, kInterruptCheckInterval);
    }
    lock.unlock();
    if (held) std::rethrow_exception(held);
}

// Waits for `sent`, queued on `target`, to be answered, serving messages
// sent to this thread and letting the backend serve the host meanwhile. A
// stop pending on this thread ends the wait: 0 for a message withdrawn, the
// answer of one that was already taken (see Settle).
LRESULT WaitForAnswer(const std::shared_ptr<SentMessage>& sent, ThreadQueue& self,
                      ThreadQueue& target) {
    State& state = GetState();
    try {
        for (;;) {
            const bool stopping = StopPending();
            {
                Lock lock(state.mutex);
                if (sent->done) return sent->result;
                if (stopping) break;
                if (ServeOneSent(self, lock)) continue;
                self.wake.wait_for(lock, kInterruptCheckInterval);
                if (sent->done) return sent->result;
            }
            DoBlockedCallWork();
        }
    } catch (...) {
        // This thread is being ended (TerminateThread), or a procedure
        // served here threw.
        Settle(sent, self, target);
        throw;
    }
    Settle(sent, self, target);
    Lock lock(state.mutex);
    return sent->done ? sent->result : 0;
}

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                std::function<LRESULT()> work) {
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(hwnd);
    if (!w) return 0;
    std::shared_ptr<ThreadQueue> self = CurrentQueueLocked();
    std::shared_ptr<ThreadQueue> target = w->queue;
    if (target == self) {
        lock.unlock();
        return work ? work() : CallProcedure(hwnd, message, wParam, lParam);
    }
    if (!target->alive) return 0;
    auto sent = std::make_shared<SentMessage>();
    sent->hwnd = hwnd;
    sent->message = message;
    sent->wParam = wParam;
    sent->lParam = lParam;
    sent->action = std::move(work);
    sent->sender = self;
    target->sent.push_back(sent);
    WakeLocked(*target);
    lock.unlock();
    return WaitForAnswer(sent, *self, *target);
}

}  // namespace

LRESULT CallProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC proc = nullptr;
    {
        State& state = GetState();
        Lock lock(state.mutex);
        if (Window* w = state.FindWindow(hwnd)) proc = w->proc;
    }
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

bool ServeOneSent(ThreadQueue& queue, Lock& lock) {
    if (queue.sent.empty()) return false;
    std::shared_ptr<SentMessage> sent = std::move(queue.sent.front());
    queue.sent.pop_front();
    sent->taken = true;
    lock.unlock();
    LRESULT result = 0;
    try {
        result = sent->action
                     ? sent->action()
                     : CallProcedure(sent->hwnd, sent->message, sent->wParam, sent->lParam);
    } catch (...) {
        // The receiving thread is being unwound: answer so the sender goes on.
        lock.lock();
        Complete(*sent, 0);
        throw;
    }
    lock.lock();
    Complete(*sent, result);
    return true;
}

LRESULT RunOnWindowThread(HWND hwnd, std::function<LRESULT()> work) {
    return Deliver(hwnd, WM_NULL, 0, 0, std::move(work));
}

}  // namespace brannock::platform::user32

using namespace brannock::platform::user32;

LRESULT WINAPI SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Deliver(window, message, wParam, lParam, nullptr);
}
