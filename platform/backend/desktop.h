// The virtual desktop: the screen of windowed mode, whatever the backend.
#pragma once

namespace brannock::platform {

struct DesktopSize {
    int width;
    int height;
};

// Always 32 bits per pixel, X8R8G8B8.
inline constexpr int kDesktopBitsPerPixel = 32;

// Fixed for the life of the process (BRANNOCK_DESKTOP, see settings.h).
DesktopSize VirtualDesktop();

}  // namespace brannock::platform
