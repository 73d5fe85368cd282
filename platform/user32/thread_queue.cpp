#include "platform/user32/thread_queue.h"

#include "platform/backend/backend.h"
#include "platform/user32/state.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {
namespace {

// When a thread ends, its queue dies with it: messages sent to it and still
// waiting are answered 0, so no sender hangs, and its windows disappear
// without messages, since no thread is left to run their procedures.
void EndQueue(const std::shared_ptr<ThreadQueue>& queue) {
    std::vector<HWND> removed;
    {
        State& state = GetState();
        Lock lock(state.mutex);
        queue->alive = false;
        for (auto& sent : queue->sent)
            Complete(*sent, 0);
        queue->sent.clear();
        queue->posted.clear();
        queue->timers.clear();
        std::vector<HWND> owned;
        for (auto& [key, w] : state.windows)
            if (w->queue == queue) owned.push_back(w->handle);
        for (HWND hwnd : owned)
            RemoveWindowLocked(state, hwnd, removed);
        state.queues.erase(queue->threadId);
    }
    for (HWND hwnd : removed)
        CurrentBackend().WindowDestroyed(hwnd);
}

struct QueueHolder {
    std::shared_ptr<ThreadQueue> queue;
    ~QueueHolder() {
        if (queue) EndQueue(queue);
    }
};

thread_local QueueHolder t_queue;

}  // namespace

std::shared_ptr<ThreadQueue> CurrentQueueLocked() {
    if (!t_queue.queue) {
        auto queue = std::make_shared<ThreadQueue>();
        queue->threadId = GetCurrentThreadId();
        GetState().queues[queue->threadId] = queue;
        t_queue.queue = std::move(queue);
    }
    return t_queue.queue;
}

void WakeLocked(ThreadQueue& queue) {
    queue.wake.notify_all();
    if (queue.hostWaiting) CurrentBackend().WakeHost();
}

void Complete(SentMessage& sent, LRESULT result) {
    sent.result = result;
    sent.done = true;
    sent.action = nullptr;
    if (sent.sender) WakeLocked(*sent.sender);
}

}  // namespace brannock::platform::user32
