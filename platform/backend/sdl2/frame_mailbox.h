// The latest finished frame of one host window, handed from the thread that
// drew it to the window thread. Three images rotate by swapping: the writer
// fills its own, publishes it under a short lock and never waits for the
// reader; the reader takes only the newest and skips what it missed. Once
// the images have grown to the window's size, nothing is allocated.
#pragma once

#include <mutex>

#include "platform/display/host_image.h"

namespace brannock::platform::sdl2 {

class FrameMailbox {
  public:
    // Fills the writer's image with `fill` and publishes it, unless `fill`
    // returns false. Writers from several threads take turns.
    template <typename Fill>
    void Write(Fill&& fill) {
        std::lock_guard writer(writerMutex_);
        if (!fill(writing_)) return;
        std::lock_guard swap(swapMutex_);
        std::swap(writing_, ready_);
        fresh_ = true;
    }

    // Swaps the newest published image into `image`; false, leaving `image`
    // as it was, when nothing new was published since the last take.
    bool Take(display::HostImage& image);

  private:
    std::mutex writerMutex_;
    display::HostImage writing_;  // guarded by writerMutex_
    std::mutex swapMutex_;
    display::HostImage ready_;  // guarded by swapMutex_
    bool fresh_ = false;        // guarded by swapMutex_
};

}  // namespace brannock::platform::sdl2
