// Bitmap files written on the fly for tests that load images.
#pragma once

#include <functional>
#include <string>

#include "platform/win32.h"

namespace brannock::test {

// Writes a 24-bit, bottom-up BMP file whose pixel (x, y) is pixel(x, y);
// false when the file cannot be written.
bool WriteBitmapFile(const std::string& path, int width, int height,
                     const std::function<COLORREF(int x, int y)>& pixel);

}  // namespace brannock::test
