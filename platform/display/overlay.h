// Window overlays: per top-level window a transparent 32-bit layer that
// whole-window DCs (GetWindowDC) draw into and backends composite over what
// the window shows. Alpha 0 is transparent; GDI drawing writes alpha 255.
// Guarded by the display lock (screen.h).
#pragma once

#include <memory>
#include <vector>

#include "platform/display/pixel_buffer.h"
#include "platform/windef.h"

namespace brannock::platform::display {

// The overlay of `window` at this size, made or resized (what overlaps is
// kept); null when it cannot be allocated. The caller holds DisplayMutex().
std::shared_ptr<PixelBuffer> OverlayLocked(HWND window, int width, int height);

// The existing overlay of `window`, or null. The caller holds DisplayMutex().
std::shared_ptr<PixelBuffer> FindOverlayLocked(HWND window);

// Forgets the overlays of windows for which `alive` is false (destroyed
// windows). Takes the display lock itself, but calls `alive` without it.
void PruneOverlays(bool (*alive)(HWND));

// Forgets the overlay of `window`.
void DropOverlay(HWND window);

}  // namespace brannock::platform::display
