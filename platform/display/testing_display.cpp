// Test controls of the emulated screen (platform/testing/display.h).
#include <cstdio>
#include <memory>
#include <vector>

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

namespace {

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

bool SaveScreenBitmap(const char* path) {
    if (!path) return false;
    std::vector<std::uint8_t> file;
    {
        std::lock_guard lock(DisplayMutex());
        const auto view = ScreenViewLocked();
        if (view.width == 0) return false;
        const std::uint32_t rowBytes = (static_cast<std::uint32_t>(view.width) * 3 + 3) & ~3u;
        const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(view.height);
        file.reserve(54 + imageBytes);
        // BITMAPFILEHEADER
        PutLittleEndian(file, 0x4D42, 2);  // "BM"
        PutLittleEndian(file, 54 + imageBytes, 4);
        PutLittleEndian(file, 0, 4);
        PutLittleEndian(file, 54, 4);
        // BITMAPINFOHEADER: bottom-up rows, 24 bits, 96 dpi.
        PutLittleEndian(file, 40, 4);
        PutLittleEndian(file, static_cast<std::uint32_t>(view.width), 4);
        PutLittleEndian(file, static_cast<std::uint32_t>(view.height), 4);
        PutLittleEndian(file, 1, 2);
        PutLittleEndian(file, 24, 2);
        PutLittleEndian(file, 0, 4);
        PutLittleEndian(file, imageBytes, 4);
        PutLittleEndian(file, 3780, 4);
        PutLittleEndian(file, 3780, 4);
        PutLittleEndian(file, 0, 4);
        PutLittleEndian(file, 0, 4);
        for (int y = view.height - 1; y >= 0; --y) {
            for (int x = 0; x < view.width; ++x) {
                PutLittleEndian(file,
                                PixelToRgb(view.format, ReadPixel(view.format, view.At(x, y))), 3);
            }
            for (std::uint32_t pad = static_cast<std::uint32_t>(view.width) * 3; pad < rowBytes;
                 ++pad) {
                file.push_back(0);
            }
        }
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(path, "wb"), &std::fclose);
    if (!out) return false;
    if (std::fwrite(file.data(), 1, file.size(), out.get()) != file.size()) return false;
    return std::fclose(out.release()) == 0;
}

}  // namespace brannock::testing
