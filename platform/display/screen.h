// The emulated screen: the video memory that the primary surface, screen
// and window DCs draw into and that backends show. In windowed mode it is the
// virtual desktop (32-bit X8R8G8B8); in full screen the mode a DirectDraw
// object set. One display lock guards the screen's pixels and mode and the
// window overlays; it is held only for row copies, never while calling
// user32, the backend or anything else that may lock.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/display/pixel_buffer.h"
#include "platform/windef.h"

namespace brannock::platform::display {

struct ScreenMode {
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::kXrgb8888;

    int BitsPerPixel() const { return Info(format).bitsPerPixel; }
    bool operator==(const ScreenMode&) const = default;
};

std::mutex& DisplayMutex();

// The current mode; the desktop's while no full-screen mode is set.
ScreenMode CurrentMode();

// The window that owns the full-screen mode, null in windowed mode.
HWND FullScreenOwner();
HWND FullScreenOwnerLocked();  // the caller holds DisplayMutex()

// Switches to a full-screen mode for `owner`; false when it cannot be
// allocated. The desktop's pixels are kept and come back with LeaveMode.
bool EnterMode(HWND owner, int width, int height, PixelFormat format);
// Back to the desktop; false when it was already there.
bool LeaveMode();

// The display depths SetDisplayMode accepts (16, 24 and 32 unless a test
// restricts them).
bool DepthAccepted(DWORD bitsPerPixel);
void SetAcceptedDepths(std::vector<DWORD> depths);

// The screen's pixels; the caller holds DisplayMutex().
PixelView ScreenViewLocked();

// Exchanges the screen's pixel memory with `buffer` (a flip); false, and
// nothing changes, unless the buffer has the mode's size and format. The
// caller holds DisplayMutex().
bool SwapScreenLocked(std::shared_ptr<PixelBuffer>& buffer);

// Tell the backend; call with no lock held.
void NotifyScreenUpdated(const RECT& screenRect);
void NotifyOverlayUpdated(HWND window);
void NotifyDisplayModeChanged(HWND owner);

}  // namespace brannock::platform::display
