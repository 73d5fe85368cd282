// Making bitmap objects, for CreateDIBSection, CreateCompatibleBitmap and
// LoadImageA.
#pragma once

#include <memory>

#include "platform/display/pixel_buffer.h"
#include "platform/windef.h"

namespace brannock::platform::gdi {

// A new zero-filled bitmap entry, its pixels in `pixels` if given; null when
// the size is not positive or too large, or memory runs out.
HBITMAP AddNewBitmap(int width, int height, display::PixelFormat format, bool dibSection,
                     bool bottomUp, std::shared_ptr<display::PixelBuffer>* pixels = nullptr);

}  // namespace brannock::platform::gdi
