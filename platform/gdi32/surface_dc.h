// Device contexts on DirectDraw surfaces, for IDirectDrawSurface7::GetDC and
// ReleaseDC.
#pragma once

#include "platform/display/canvas.h"
#include "platform/windef.h"

namespace brannock::platform::gdi {

// A DC drawing into `canvas` (a surface's memory, or the screen for the
// primary surface); null when the table is full.
HDC CreateSurfaceDC(const display::Canvas& canvas);

// Deletes a DC made by CreateSurfaceDC; `drawn` receives the canvas
// rectangle drawn through it. False when `dc` is not such a DC.
bool DeleteSurfaceDC(HDC dc, RECT& drawn);

}  // namespace brannock::platform::gdi
