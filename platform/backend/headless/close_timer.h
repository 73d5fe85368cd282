// The scripted user of a headless run: clicks the close control of a window
// once a delay has passed, so a program without a display ends by itself.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>

#include "platform/windef.h"

namespace brannock::platform::headless {

class CloseTimer {
  public:
    CloseTimer();
    // Cancels the click if it has not happened yet.
    ~CloseTimer();
    CloseTimer(const CloseTimer&) = delete;
    CloseTimer& operator=(const CloseTimer&) = delete;

    // Arms the timer for `window`; later calls do nothing. The end of the
    // program cancels it (process_end.h).
    void Start(HWND window, int delayMs);

  private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable wake;
        bool started = false;
        bool cancelled = false;
    };
    static void Cancel(Shared& shared);
    static void Run(std::shared_ptr<Shared> shared, HWND window, int delayMs);

    // Shared with the timer thread, which runs detached: it touches nothing
    // else, and clicks only under the mutex, after checking `cancelled`.
    std::shared_ptr<Shared> shared_;
};

}  // namespace brannock::platform::headless
