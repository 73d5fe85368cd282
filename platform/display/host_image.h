// What backends show: copies of the screen and of a window's area with its
// overlay composited, taken under the display lock so a frame is never torn
// by a concurrent blit or flip. Callers keep one image per window and pass it
// back each time, or give pixel rows of their own: neither allocates.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/display/pixel_buffer.h"
#include "platform/display/window_area.h"
#include "platform/windef.h"

namespace brannock::platform::display {

struct HostImage {
    int width = 0;
    int height = 0;
    int menuHeight = 0;                 // top rows that belong to the menu bar
    std::vector<std::uint32_t> pixels;  // width * height, top-down rows, 0x00RRGGBB

    PixelView View() {
        return {reinterpret_cast<std::uint8_t*>(pixels.data()),
                static_cast<std::ptrdiff_t>(width) * 4, width, height, PixelFormat::kXrgb8888};
    }
};

// Paints the menu bar: rows of the window's width and the bar's height.
using MenuBarPainter = std::function<void(const PixelView& bar)>;

// Colour of the menu bar rows before anyone paints them.
inline constexpr std::uint32_t kMenuBarColour = 0xF0F0F0;

// What the host window of `window` shows: the menu bar rows (when a menu is
// attached) painted by `paintMenuBar` if given (else plain kMenuBarColour),
// the client area copied from the screen (black where it lies off the
// screen), and the window's overlay on top of both. False when the window
// does not exist. Call with no lock held.
bool ReadWindowImage(HWND window, HostImage& image, const MenuBarPainter& paintMenuBar = {});

// The same image drawn straight into `out` (kXrgb8888 rows), for a host
// whose own frame buffer has that layout: `area` as LocateWindow gave it,
// the image's top-left at out's, and what lies outside `out` left out. Call
// with no lock held.
void DrawWindowImage(HWND window, const WindowArea& area, const PixelView& out,
                     const MenuBarPainter& paintMenuBar = {});

// The whole screen (for full screen), with the overlay of the window that
// owns the full-screen mode on top.
void ReadScreenImage(HostImage& image);

// The whole screen as it is, without any overlay: what saved screens and
// frame digests hold.
void ReadScreenPixels(HostImage& image);

}  // namespace brannock::platform::display
