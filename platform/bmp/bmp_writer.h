// Writer for Windows bitmap files: 24-bit bottom-up BMP files, as saved
// screens are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brannock::bmp {

// Writes `pixels` (width * height, top-down rows, 0x00RRGGBB) to `path`,
// replacing any file there; false when it cannot be written whole.
bool WriteFile(const std::string& path, int width, int height,
               const std::vector<std::uint32_t>& pixels);

}  // namespace brannock::bmp
