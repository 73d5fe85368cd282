// Pixel memory: a view (where the rows are) and an owned buffer (bitmaps,
// surfaces, the screen, overlays).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/display/palette.h"
#include "platform/display/pixel_format.h"

namespace brannock::platform::display {

// Rows of pixels; `pitch` is negative for bottom-up memory, so Row(0) is
// always the top row.
struct PixelView {
    std::uint8_t* bits = nullptr;  // the top row
    std::ptrdiff_t pitch = 0;
    int width = 0;
    int height = 0;
    PixelFormat format = PixelFormat::kXrgb8888;
    const Palette* palette = nullptr;  // kIndexed8: the colours of the indices

    std::uint8_t* Row(int y) const { return bits + y * pitch; }
    std::uint8_t* At(int x, int y) const { return Row(y) + x * BytesPerPixel(format); }
};

// A pixel value of the view and 0x00RRGGBB, both ways, through the view's
// colour table when it has one (nearest colour going in).
std::uint32_t PixelToRgb(const PixelView& view, std::uint32_t pixel);
std::uint32_t RgbToPixel(const PixelView& view, std::uint32_t rgb);

// Owned, zero-filled pixel memory with rows padded to 4 bytes (as DIBs are).
// Indexed buffers own a colour table, all black until it is set.
class PixelBuffer {
  public:
    // Null when the size is not positive, too large or cannot be allocated.
    static std::shared_ptr<PixelBuffer> Create(int width, int height, PixelFormat format,
                                               bool bottomUp = false);

    // Largest pixel count of one buffer: keeps every byte offset far inside
    // 32 bits and a hostile size from exhausting memory.
    static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

    PixelView View() const {
        const auto stride = static_cast<std::ptrdiff_t>(stride_);
        return {bottomUp_ ? memory_.get() + (height_ - 1) * stride : memory_.get(),
                bottomUp_ ? -stride : stride,
                width_,
                height_,
                format_,
                palette_.get()};
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    PixelFormat Format() const { return format_; }
    bool BottomUp() const { return bottomUp_; }
    std::size_t Stride() const { return stride_; }
    // Start of the memory: the top row, or the bottom row when bottom-up.
    std::uint8_t* Memory() const { return memory_.get(); }
    // The colour table of an indexed buffer, else null.
    Palette* ColourTable() const { return palette_.get(); }

    PixelBuffer(int width, int height, PixelFormat format, bool bottomUp, std::size_t stride,
                std::unique_ptr<std::uint8_t[]> memory);

  private:
    int width_;
    int height_;
    PixelFormat format_;
    bool bottomUp_;
    std::size_t stride_;
    std::unique_ptr<std::uint8_t[]> memory_;
    std::unique_ptr<Palette> palette_;
};

}  // namespace brannock::platform::display
