// Test control: the emulated display behind GDI and DirectDraw.
#pragma once

#include <vector>

#include "platform/windef.h"

struct IDirectDrawSurface7;

namespace brannock::testing {

// Makes one surface lost, as after another program took the display: its
// Blt, BltFast, Flip, Lock and GetDC fail with DDERR_SURFACELOST until
// Restore. LoseAllSurfaces does that to every surface that exists.
void LoseSurface(IDirectDrawSurface7* surface);
void LoseAllSurfaces();

// The display depths IDirectDraw7::SetDisplayMode accepts (default: 16, 24
// and 32). A refused depth fails with DDERR_INVALIDMODE.
void SetAcceptedDisplayDepths(std::vector<DWORD> depths);

// The current screen: in windowed mode the virtual desktop (32-bit
// X8R8G8B8), in full screen the mode that was set. Pixels are returned as
// 0x00RRGGBB whatever the format.
int ScreenWidth();
int ScreenHeight();
int ScreenBitsPerPixel();
DWORD ScreenPixel(int x, int y);

// Writes the current screen as a 24-bit BMP file; false on failure.
bool SaveScreenBitmap(const char* path);

}  // namespace brannock::testing
