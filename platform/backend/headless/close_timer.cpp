#include "platform/backend/headless/close_timer.h"

#include <chrono>
#include <thread>

#include "platform/kernel32/process_end.h"
#include "platform/testing/user_input.h"

namespace brannock::platform::headless {

CloseTimer::CloseTimer() : shared_(std::make_shared<Shared>()) {
    // A timer still waiting when the program ends must not click into a
    // platform that static destruction is taking apart.
    AtProcessEnd([weak = std::weak_ptr<Shared>(shared_)] {
        if (auto shared = weak.lock()) Cancel(*shared);
    });
}

CloseTimer::~CloseTimer() {
    Cancel(*shared_);
}

void CloseTimer::Start(HWND window, int delayMs) {
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->started || shared_->cancelled) return;
        shared_->started = true;
    }
    std::thread(Run, shared_, window, delayMs).detach();
}

void CloseTimer::Cancel(Shared& shared) {
    {
        std::lock_guard lock(shared.mutex);
        shared.cancelled = true;
    }
    shared.wake.notify_all();
}

void CloseTimer::Run(std::shared_ptr<Shared> shared, HWND window, int delayMs) {
    std::unique_lock lock(shared->mutex);
    if (shared->wake.wait_for(lock, std::chrono::milliseconds(delayMs),
                              [&] { return shared->cancelled; }))
        return;
    // Clicking under the lock makes a cancel wait for a click in progress.
    testing::ClickClose(window);
}

}  // namespace brannock::platform::headless
