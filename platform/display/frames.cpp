#include "platform/display/frames.h"

#include "platform/backend/backend.h"

namespace brannock::platform::display {

void NotifyFramePresented() {
    CurrentBackend().FramePresented();
}

void NotifyFramePaced(int framesPerSecond) {
    CurrentBackend().FramePaced(framesPerSecond);
}

}  // namespace brannock::platform::display
