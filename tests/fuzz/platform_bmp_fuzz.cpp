// Feeds arbitrary bytes to the bitmap decoder. Beyond the sanitizers' checks
// it holds the decoder to its promises: an image within the size caps with
// exactly width * height 24-bit pixels, or an error text.
#include <cstdint>
#include <cstdlib>

#include "platform/bmp/bmp_decoder.h"

namespace bmp = brannock::bmp;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bmp::DecodeResult result = bmp::Decode({data, size});
    if (!result.image) {
        if (result.error.empty()) std::abort();
        return 0;
    }
    const bmp::Image& image = *result.image;
    const bool sizeOk = image.width > 0 && image.height > 0 && image.width <= bmp::kMaxDimension &&
                        image.height <= bmp::kMaxDimension &&
                        std::int64_t{image.width} * image.height <= bmp::kMaxPixels;
    if (!sizeOk || !result.error.empty() ||
        image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
        std::abort();
    }
    for (std::uint32_t pixel : image.pixels) {
        if (pixel > 0xFFFFFF) std::abort();
    }
    return 0;
}
