// How DirectDraw describes the display's pixel formats.
#pragma once

#include "platform/ddraw/ddraw.h"
#include "platform/display/pixel_format.h"

namespace brannock::platform::ddraw {

// A DDPIXELFORMAT for `format`: RGB with its bit count and masks.
void DescribePixelFormat(display::PixelFormat format, DDPIXELFORMAT& description);

// The row pitch DirectDraw reports for rows of `width` pixels: 4-byte aligned.
LONG PitchOf(display::PixelFormat format, int width);

}  // namespace brannock::platform::ddraw
