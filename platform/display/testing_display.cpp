// Test controls of the emulated screen (platform/testing/display.h).
#include <vector>

#include "platform/bmp/bmp_writer.h"
#include "platform/display/host_image.h"
#include "platform/display/screen.h"
#include "platform/testing/display.h"

namespace brannock::testing {

using platform::display::DisplayMutex;
using platform::display::PixelToRgb;
using platform::display::ReadPixel;
using platform::display::ScreenViewLocked;

void SetAcceptedDisplayDepths(std::vector<DWORD> depths) {
    platform::display::SetAcceptedDepths(std::move(depths));
}

int ScreenWidth() {
    return platform::display::CurrentMode().width;
}
int ScreenHeight() {
    return platform::display::CurrentMode().height;
}
int ScreenBitsPerPixel() {
    return platform::display::CurrentMode().BitsPerPixel();
}

DWORD ScreenPixel(int x, int y) {
    std::lock_guard lock(DisplayMutex());
    const auto view = ScreenViewLocked();
    if (x < 0 || y < 0 || x >= view.width || y >= view.height) return 0;
    return PixelToRgb(view.format, ReadPixel(view.format, view.At(x, y)));
}

bool SaveScreenBitmap(const char* path) {
    if (!path) return false;
    platform::display::HostImage screen;
    platform::display::ReadScreenPixels(screen);
    return bmp::WriteFile(path, screen.width, screen.height, screen.pixels);
}

}  // namespace brannock::testing
