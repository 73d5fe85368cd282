// The sample's background picture, 640x480: sky, distant mountains, a
// temple on the nearer hills, and the courtyard floor the fighter stands
// on, his feet on the row y = 320.
#pragma once

#include "tools/art/images.h"

namespace brannock::art {

inline constexpr int kBackgroundWidth = 640;
inline constexpr int kBackgroundHeight = 480;
inline constexpr int kFloorLine = 320;

RgbImage PaintBackground();

}  // namespace brannock::art
