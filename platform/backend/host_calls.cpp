// Running calls on the thread that drives the host, and waiting for them.
#include "platform/backend/host_calls.h"

#include <condition_variable>
#include <memory>

#include "platform/kernel32/interrupt.h"
#include "platform/kernel32/kernel32.h"
#include "platform/user32/host_input.h"

namespace brannock::platform {
namespace {

// A call another thread waits for; shared, since the waiter may give up.
struct PendingCall {
    std::mutex mutex;
    std::condition_variable answered;
    std::function<int()> call;  // taken by the owner when it begins
    int result = 0;
    bool done = false;
    bool dropped = false;  // the waiter gave up before the call began
};

}  // namespace

HostCalls::HostCalls() : owner_(std::this_thread::get_id()), ownerThreadId_(GetCurrentThreadId()) {}

void HostCalls::Post(std::function<void()> call) {
    if (OnOwnerThread()) {
        call();
        return;
    }
    {
        std::lock_guard lock(mutex_);
        queued_.push_back(std::move(call));
    }
    WakeHostPump(ownerThreadId_);
}

int HostCalls::Call(std::function<int()> call, int abandoned) {
    if (OnOwnerThread()) return call();
    auto pending = std::make_shared<PendingCall>();
    pending->call = std::move(call);
    Post([pending] {
        std::function<int()> call;
        {
            std::lock_guard lock(pending->mutex);
            if (pending->dropped) return;
            call = std::move(pending->call);
        }
        const int result = call();
        {
            std::lock_guard lock(pending->mutex);
            pending->result = result;
            pending->done = true;
        }
        pending->answered.notify_all();
    });

    // Gives up on the call, also when the stop check ends this thread.
    struct GiveUp {
        PendingCall& pending;
        bool armed = true;
        ~GiveUp() {
            if (!armed) return;
            std::lock_guard lock(pending.mutex);
            pending.dropped = true;
        }
    } giveUp{*pending};
    for (;;) {
        const bool stopping = StopPending();
        std::unique_lock lock(pending->mutex);
        if (pending->done) {
            giveUp.armed = false;
            return pending->result;
        }
        if (stopping) break;
        pending->answered.wait_for(lock, kInterruptCheckInterval);
    }
    return abandoned;
}

void HostCalls::RunQueued() {
    std::vector<std::function<void()>> calls;
    {
        std::lock_guard lock(mutex_);
        calls.swap(queued_);
    }
    for (auto& call : calls)
        call();
}

}  // namespace brannock::platform
