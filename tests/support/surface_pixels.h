// Raw pixels of DirectDraw surfaces, read through Lock.
#pragma once

#include <vector>

#include "platform/win32.h"

namespace brannock::test {

// Every pixel of the surface, row by row: 0x00RRGGBB at 32 bits (the unused
// top byte left out), 5-6-5 at 16.
// Empty (and a test failure) when the surface cannot be locked.
std::vector<DWORD> ReadPixels(IDirectDrawSurface7* surface);

// The pixel at (x, y), as ReadPixels gives it.
DWORD Pixel(IDirectDrawSurface7* surface, int x, int y);

}  // namespace brannock::test
