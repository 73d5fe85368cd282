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

// Copies the screen rectangle whose top-left is `origin` into image rows
// [firstRow, height) as 0x00RRGGBB; black outside the screen.
void CopyScreenLocked(HostImage& image, POINT origin, int firstRow) {
    const PixelView screen = ScreenViewLocked();
    const RECT wanted{origin.x, origin.y, origin.x + image.width,
                      origin.y + (image.height - firstRow)};
    const RECT visible = Intersect(wanted, Bounds(screen));
    // Image rows from a row of the screen; the parts off the screen black.
    const auto blacken = [&](int row, int from, int to) {
        std::uint32_t* line = image.pixels.data() + static_cast<std::ptrdiff_t>(row) * image.width;
        std::fill(line + from, line + to, 0u);
    };
    if (IsEmpty(visible)) {
        for (int row = firstRow; row < image.height; ++row)
            blacken(row, 0, image.width);
        return;
    }
    const int top = firstRow + static_cast<int>(visible.top - origin.y);
    const int bottom = firstRow + static_cast<int>(visible.bottom - origin.y);
    const int left = static_cast<int>(visible.left - origin.x);
    const int right = static_cast<int>(visible.right - origin.x);
    const PixelView out{reinterpret_cast<std::uint8_t*>(image.pixels.data()),
                        static_cast<std::ptrdiff_t>(image.width) * 4, image.width, image.height,
                        PixelFormat::kXrgb8888};
    const RowConverter convert = ConverterFor(screen.format, PixelFormat::kXrgb8888);
    for (int row = firstRow; row < image.height; ++row) {
        if (row < top || row >= bottom) {
            blacken(row, 0, image.width);
            continue;
        }
        blacken(row, 0, left);
        convert(screen.At(visible.left, visible.top + (row - top)), out.At(left, row),
                right - left);
        blacken(row, right, image.width);
    }
}

// Puts the opaque pixels of `overlay` over the image, top-left aligned.
void CompositeLocked(HostImage& image, const PixelBuffer& overlay) {
    const PixelView layer = overlay.View();
    const int rows = std::min(layer.height, image.height);
    const int columns = std::min(layer.width, image.width);
    for (int y = 0; y < rows; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(layer.Row(y));
        std::uint32_t* to = image.pixels.data() + static_cast<std::size_t>(y) * image.width;
        for (int x = 0; x < columns; ++x) {
            const std::uint32_t v = from[x];
            to[x] = (v >> 24) ? (v & 0xFFFFFF) : to[x];
        }
    }
}

}  // namespace

bool ReadWindowImage(HWND window, HostImage& image,
                     const std::function<void(HostImage&)>& paintMenuBar) {
    WindowArea area;
    if (!LocateWindow(window, area)) return false;
    Resize(image, area.HostWidth(), area.HostHeight(), area.menuHeight);
    std::fill(image.pixels.begin(),
              image.pixels.begin() + static_cast<std::ptrdiff_t>(area.menuHeight) * image.width,
              kMenuBarColour);
    if (paintMenuBar && area.menuHeight > 0) paintMenuBar(image);
    std::lock_guard lock(DisplayMutex());
    CopyScreenLocked(image, {area.client.left, area.client.top}, area.menuHeight);
    if (const auto overlay = FindOverlayLocked(window)) CompositeLocked(image, *overlay);
    return true;
}

void ReadScreenImage(HostImage& image) {
    std::lock_guard lock(DisplayMutex());
    const PixelView screen = ScreenViewLocked();
    Resize(image, screen.width, screen.height, 0);
    CopyScreenLocked(image, {0, 0}, 0);
    if (HWND owner = FullScreenOwnerLocked()) {
        if (const auto overlay = FindOverlayLocked(owner)) CompositeLocked(image, *overlay);
    }
}

void ReadScreenPixels(HostImage& image) {
    std::lock_guard lock(DisplayMutex());
    const PixelView screen = ScreenViewLocked();
    Resize(image, screen.width, screen.height, 0);
    CopyScreenLocked(image, {0, 0}, 0);
}

}  // namespace brannock::platform::display
