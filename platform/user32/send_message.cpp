// SendMessageA: direct calls on the window's own thread; across threads the
// sender waits while the receiver serves the message inside its own message
// calls. A waiting sender serves messages sent to itself, so two threads
// sending to each other do not deadlock.
#include "platform/kernel32/interrupt.h"
#include "platform/user32/messaging.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {
namespace {

// Waits for `sent`, queued on `target`, to be answered. On an interruption
// (the check throws) a message still waiting is withdrawn; one already being
// served is left to the receiver, which shares the record.
LRESULT WaitForAnswer(const std::shared_ptr<SentMessage>& sent, ThreadQueue& self,
                      ThreadQueue& target) {
    State& state = GetState();
    try {
        for (;;) {
            CheckInterrupt();
            Lock lock(state.mutex);
            if (sent->done) return sent->result;
            if (ServeOneSent(self, lock)) continue;
            self.wake.wait_for(lock, kInterruptCheckInterval);
            if (sent->done) return sent->result;
        }
    } catch (...) {
        Lock lock(state.mutex);
        std::erase(target.sent, sent);
        throw;
    }
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
    target->wake.notify_all();
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
