#include "platform/display/pixel_buffer.h"

#include <new>

namespace brannock::platform::display {

PixelBuffer::PixelBuffer(int width, int height, PixelFormat format, bool bottomUp,
                         std::size_t stride, std::unique_ptr<std::uint8_t[]> memory)
    : width_(width),
      height_(height),
      format_(format),
      bottomUp_(bottomUp),
      stride_(stride),
      memory_(std::move(memory)) {
    if (format == PixelFormat::kIndexed8) palette_ = std::make_unique<Palette>();
}

std::uint32_t PixelToRgb(const PixelView& view, std::uint32_t pixel) {
    return view.palette ? view.palette->ColourOf(pixel) : PixelToRgb(view.format, pixel);
}

std::uint32_t RgbToPixel(const PixelView& view, std::uint32_t rgb) {
    return view.palette ? NearestIndex(*view.palette, rgb) : RgbToPixel(view.format, rgb);
}

std::shared_ptr<PixelBuffer> PixelBuffer::Create(int width, int height, PixelFormat format,
                                                 bool bottomUp) {
    if (width <= 0 || height <= 0) return nullptr;
    if (static_cast<std::int64_t>(width) * height > kMaxPixels) return nullptr;
    const std::size_t stride = (static_cast<std::size_t>(width) * BytesPerPixel(format) + 3) & ~3u;
    std::unique_ptr<std::uint8_t[]> memory(
        new (std::nothrow) std::uint8_t[stride * static_cast<std::size_t>(height)]());
    if (!memory) return nullptr;
    return std::make_shared<PixelBuffer>(width, height, format, bottomUp, stride,
                                         std::move(memory));
}

}  // namespace brannock::platform::display
