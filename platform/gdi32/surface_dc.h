// Device contexts on DirectDraw surfaces, for IDirectDrawSurface7::GetDC and
// ReleaseDC.
#pragma once

#include "platform/display/canvas.h"
#include "platform/windef.h"

namespace brannock::platform::gdi {

// A DC drawing into `canvas`; null when the table is full. On a surface's
// memory it acts as a memory DC whose selected bitmap is that memory, so
// other bitmaps can be selected in its place. The primary's DC draws on the
// screen, which no bitmap entry stands for: like a screen DC, it takes no
// bitmaps.
HDC CreateSurfaceDC(const display::Canvas& canvas);

// Deletes a DC made by CreateSurfaceDC, letting go of any bitmap selected
// into it and invalidating the handle of the surface's own; `drawn`
// receives the canvas rectangle drawn through it. False when `dc` is not
// such a DC.
bool DeleteSurfaceDC(HDC dc, RECT& drawn);

}  // namespace brannock::platform::gdi
