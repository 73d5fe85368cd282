#include "platform/ddraw/format_description.h"

#include <cstring>

namespace brannock::platform::ddraw {

void DescribePixelFormat(display::PixelFormat format, DDPIXELFORMAT& description) {
    const display::FormatInfo info = display::Info(format);
    std::memset(&description, 0, sizeof description);
    description.dwSize = sizeof description;
    description.dwFlags = DDPF_RGB;
    description.dwRGBBitCount = static_cast<DWORD>(info.bitsPerPixel);
    description.dwRBitMask = info.redMask;
    description.dwGBitMask = info.greenMask;
    description.dwBBitMask = info.blueMask;
}

LONG PitchOf(display::PixelFormat format, int width) {
    return (width * display::BytesPerPixel(format) + 3) & ~3;
}

}  // namespace brannock::platform::ddraw
