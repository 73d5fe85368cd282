#include "platform/backend/sdl2/frame_mailbox.h"

#include <utility>

namespace brannock::platform::sdl2 {

bool FrameMailbox::Take(display::HostImage& image) {
    std::lock_guard swap(swapMutex_);
    if (!fresh_) return false;
    std::swap(ready_, image);
    fresh_ = false;
    return true;
}

}  // namespace brannock::platform::sdl2
