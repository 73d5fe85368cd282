// The message queue of one thread: posted messages, messages other threads
// sent and wait for, the quit flag and the thread's timers. Every field is
// guarded by the user32 lock (state.h).
#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "platform/user32/user32.h"

namespace brannock::platform::user32 {

struct ThreadQueue;

// A message (or a piece of work) another thread handed over and waits for.
// Shared between sender and receiver: whichever side lets go first, the
// record stays valid for the other.
struct SentMessage {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    // Work run on the receiving thread instead of the window procedure.
    std::function<LRESULT()> action;
    LRESULT result = 0;
    bool taken = false;  // the receiver has begun serving it
    bool done = false;
    std::shared_ptr<ThreadQueue> sender;
};

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    DWORD due;
    TIMERPROC proc;
};

struct ThreadQueue {
    DWORD threadId = 0;
    bool alive = true;
    std::condition_variable wake;
    // Set while the thread waits in GetMessageA with nothing to take;
    // `idle` is notified each time it starts such a wait.
    bool waiting = false;
    std::condition_variable idle;
    // Set while the thread waits for host events instead of on `wake`.
    bool hostWaiting = false;
    // The backend has work for the thread's next pump (a frame to show, a
    // queued host call). Set under the lock; cleared by the thread before
    // it pumps, without the lock.
    std::atomic<bool> hostWork{false};
    std::deque<MSG> posted;
    std::deque<std::shared_ptr<SentMessage>> sent;
    bool quitPosted = false;
    int quitCode = 0;
    std::vector<Timer> timers;
};

// The calling thread's queue, made on first use. Needs the user32 lock.
std::shared_ptr<ThreadQueue> CurrentQueueLocked();

// Wakes the queue's thread where it waits for messages: on `wake`, or in
// the backend's wait for host events. Needs the lock.
void WakeLocked(ThreadQueue& queue);

// Marks a sent message answered and wakes its sender. Needs the lock.
void Complete(SentMessage& sent, LRESULT result);

}  // namespace brannock::platform::user32
