#include "platform/backend/script/frame_counter.h"

#include "platform/kernel32/kernel32.h"

namespace brannock::platform::script {

FrameCounter::FrameCounter(std::function<void(const FrameEnd&)> onFrameEnd)
    : onFrameEnd_(std::move(onFrameEnd)) {}

void FrameCounter::Presented() {
    Notice(true, 0);
}

void FrameCounter::Paced(int framesPerSecond) {
    Notice(false, framesPerSecond);
}

void FrameCounter::Notice(bool presented, int framesPerSecond) {
    FrameEnd end;
    {
        std::lock_guard lock(mutex_);
        const DWORD thread = GetCurrentThreadId();
        if (thread_ == 0) thread_ = thread;
        if (thread != thread_) return;
        if (presented) {
            presentedAny_ = true;
        } else {
            if (framesPerSecond > 0) framesPerSecond_ = framesPerSecond;
            // Once the program presents, its presents end the frames.
            if (presentedAny_) return;
        }
        end = {frames_++, framesPerSecond_};
    }
    if (onFrameEnd_) onFrameEnd_(end);
}

}  // namespace brannock::platform::script
