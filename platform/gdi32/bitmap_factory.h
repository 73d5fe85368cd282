// Making bitmap objects, for CreateDIBSection, CreateCompatibleBitmap and
// LoadImageA.
#pragma once

#include "platform/display/pixel_format.h"
#include "platform/windef.h"

namespace brannock::platform::gdi {

// A new zero-filled bitmap entry; null when the size is not positive or too
// large, or memory runs out.
HBITMAP AddNewBitmap(int width, int height, display::PixelFormat format, bool dibSection,
                     bool bottomUp);

}  // namespace brannock::platform::gdi
