#include "sprite/animation.h"

#include <algorithm>
#include <cstddef>
#include <limits>

void Animation::AddFrame(const Frame& frame) {
    image.push_back(frame.image);
    offsetX.push_back(frame.offsetX);
    offsetY.push_back(frame.offsetY);
    negHalfWidth.push_back(frame.negHalfWidth);
    negHalfHeight.push_back(frame.negHalfHeight);
    wait.push_back(frame.wait);
    user1.push_back(frame.user1);
    user2.push_back(frame.user2);
}

int Animation::FrameCount() const {
    // The lists are public; counting only frames that every list holds keeps
    // a hand-made animation with uneven lists from being read out of range.
    const std::size_t count =
        std::min({image.size(), offsetX.size(), offsetY.size(), negHalfWidth.size(),
                  negHalfHeight.size(), wait.size(), user1.size(), user2.size()});
    return static_cast<int>(std::min<std::size_t>(count, std::numeric_limits<int>::max()));
}

Animation::Frame Animation::GetFrame(int index) const {
    const auto i = static_cast<std::size_t>(index);
    return Frame{image[i],         offsetX[i], offsetY[i], negHalfWidth[i],
                 negHalfHeight[i], wait[i],    user1[i],   user2[i]};
}
