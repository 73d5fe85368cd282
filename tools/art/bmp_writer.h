// Windows bitmap files as the framework loads them: 8-bit palettised for
// sprite frames (a palette of only the colours used) and 24-bit for
// true-colour pictures. Both bottom-up, uncompressed, with a 40-byte info
// header, the form every Windows version and paint program reads.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "tools/art/images.h"

namespace brannock::art {

std::vector<std::uint8_t> EncodeBitmap8(const IndexedImage& image, std::span<const Rgb> palette);
std::vector<std::uint8_t> EncodeBitmap24(const RgbImage& image);

}  // namespace brannock::art
