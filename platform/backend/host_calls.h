// Calls that must run on the thread that drives the host (SDL wants its
// video and message box calls on the thread that started it): made at once
// on that thread, queued from other threads and run at its next pump.
#pragma once

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/windef.h"

namespace brannock::platform {

class HostCalls {
  public:
    // The calling thread becomes the owner.
    HostCalls();
    HostCalls(const HostCalls&) = delete;
    HostCalls& operator=(const HostCalls&) = delete;

    bool OnOwnerThread() const { return std::this_thread::get_id() == owner_; }

    // Runs `call` now on the owner thread; from another thread queues it,
    // wakes the owner's pump and returns.
    void Post(std::function<void()> call);

    // Runs `call` on the owner thread and returns its result. Another
    // thread waits for the owner to run it; a stop pending on the waiting
    // thread (see interrupt.h) ends the wait with `abandoned`, and the call
    // is dropped unless the owner has already begun it.
    int Call(std::function<int()> call, int abandoned);

    // Owner thread: runs the calls queued so far, oldest first.
    void RunQueued();

  private:
    const std::thread::id owner_;
    const DWORD ownerThreadId_;
    std::mutex mutex_;
    std::vector<std::function<void()>> queued_;
};

}  // namespace brannock::platform
