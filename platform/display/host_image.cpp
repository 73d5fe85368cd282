// Copies of the screen and of window areas, made for the backends to show.
#include "platform/display/host_image.h"

#include <algorithm>

#include "platform/display/blit.h"
#include "platform/display/overlay.h"
#include "platform/display/screen.h"
#include "platform/display/window_area.h"

namespace brannock::platform::display {

namespace {

void Resize(HostImage& image, int width, int height, int menuHeight) {
    image.width = std::max(width, 0);
    image.height = std::max(height, 0);
    image.menuHeight = menuHeight;
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
}

// Copies the screen rectangle whose top-left is `origin` into rows
// [firstRow, height) of `out` (kXrgb8888); black outside the screen.
void CopyScreenLocked(const PixelView& out, POINT origin, int firstRow) {
    const PixelView screen = ScreenViewLocked();
    const RECT wanted{origin.x, origin.y, origin.x + out.width, origin.y + (out.height - firstRow)};
    const RECT visible = Intersect(wanted, Bounds(screen));
    // Rows from a row of the screen; the parts off the screen black.
    const auto blacken = [&](int row, int from, int to) {
        auto* line = reinterpret_cast<std::uint32_t*>(out.Row(row));
        std::fill(line + from, line + to, 0u);
    };
    if (IsEmpty(visible)) {
        for (int row = firstRow; row < out.height; ++row)
            blacken(row, 0, out.width);
        return;
    }
    const int top = firstRow + static_cast<int>(visible.top - origin.y);
    const int bottom = firstRow + static_cast<int>(visible.bottom - origin.y);
    const int left = static_cast<int>(visible.left - origin.x);
    const int right = static_cast<int>(visible.right - origin.x);
    const RowConverter convert = ConverterFor(screen.format, PixelFormat::kXrgb8888);
    for (int row = firstRow; row < out.height; ++row) {
        if (row < top || row >= bottom) {
            blacken(row, 0, out.width);
            continue;
        }
        blacken(row, 0, left);
        convert(screen.At(visible.left, visible.top + (row - top)), out.At(left, row),
                right - left);
        blacken(row, right, out.width);
    }
}

// Puts the opaque pixels of `overlay` over `out`, top-left aligned.
void CompositeLocked(const PixelView& out, const PixelBuffer& overlay) {
    const PixelView layer = overlay.View();
    const int rows = std::min(layer.height, out.height);
    const int columns = std::min(layer.width, out.width);
    for (int y = 0; y < rows; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(layer.Row(y));
        auto* to = reinterpret_cast<std::uint32_t*>(out.Row(y));
        for (int x = 0; x < columns; ++x) {
            const std::uint32_t v = from[x];
            to[x] = (v >> 24) ? (v & 0xFFFFFF) : to[x];
        }
    }
}

}  // namespace

bool ReadWindowImage(HWND window, HostImage& image, const MenuBarPainter& paintMenuBar) {
    WindowArea area;
    if (!LocateWindow(window, area)) return false;
    Resize(image, area.HostWidth(), area.HostHeight(), area.menuHeight);
    DrawWindowImage(window, area, image.View(), paintMenuBar);
    return true;
}

void DrawWindowImage(HWND window, const WindowArea& area, const PixelView& out,
                     const MenuBarPainter& paintMenuBar) {
    PixelView rows = out;
    rows.width = std::clamp(area.HostWidth(), 0, out.width);
    rows.height = std::clamp(area.HostHeight(), 0, out.height);
    PixelView bar = rows;
    bar.height = std::min(area.menuHeight, rows.height);
    for (int y = 0; y < bar.height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(bar.Row(y));
        std::fill(line, line + bar.width, kMenuBarColour);
    }
    if (paintMenuBar && bar.height > 0) paintMenuBar(bar);
    std::lock_guard lock(DisplayMutex());
    CopyScreenLocked(rows, {area.client.left, area.client.top}, bar.height);
    if (const auto overlay = FindOverlayLocked(window)) CompositeLocked(rows, *overlay);
}

void ReadScreenImage(HostImage& image) {
    std::lock_guard lock(DisplayMutex());
    const PixelView screen = ScreenViewLocked();
    Resize(image, screen.width, screen.height, 0);
    CopyScreenLocked(image.View(), {0, 0}, 0);
    if (HWND owner = FullScreenOwnerLocked()) {
        if (const auto overlay = FindOverlayLocked(owner)) CompositeLocked(image.View(), *overlay);
    }
}

void ReadScreenPixels(HostImage& image) {
    std::lock_guard lock(DisplayMutex());
    const PixelView screen = ScreenViewLocked();
    Resize(image, screen.width, screen.height, 0);
    CopyScreenLocked(image.View(), {0, 0}, 0);
}

}  // namespace brannock::platform::display
