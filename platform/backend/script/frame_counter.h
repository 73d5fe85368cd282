// The program's frames, counted from the platform's notices. A frame ends
// when the program presents it; a program that has presented nothing yet
// (one that draws with GDI, or nothing) ends one at each pacing call, and
// its pacing calls give the pace. Only the thread of the first notice
// counts, so a repaint from another thread is no frame.
#pragma once

#include <functional>
#include <mutex>

#include "platform/windef.h"

namespace brannock::platform::script {

struct FrameEnd {
    long long frame = 0;       // from 0, in the order the frames ended
    int framesPerSecond = 60;  // the latest pacing call's, 60 before any
};

class FrameCounter {
  public:
    // `onFrameEnd` runs on the counting thread with no lock held, once per
    // frame in order.
    explicit FrameCounter(std::function<void(const FrameEnd&)> onFrameEnd);

    void Presented();
    void Paced(int framesPerSecond);

  private:
    void Notice(bool presented, int framesPerSecond);

    const std::function<void(const FrameEnd&)> onFrameEnd_;
    std::mutex mutex_;
    DWORD thread_ = 0;
    bool presentedAny_ = false;
    long long frames_ = 0;
    int framesPerSecond_ = 60;
};

}  // namespace brannock::platform::script
