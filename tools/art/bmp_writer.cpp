// Writing 8- and 24-bit Windows bitmap files byte by byte, independent of
// the host's byte order and struct packing.
#include "tools/art/bmp_writer.h"

namespace brannock::art {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t RowStride(int width, int bits) {
    return (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
}

// File and info headers for a bottom-up, uncompressed bitmap.
std::vector<std::uint8_t> Headers(int width, int height, int bits, std::uint32_t paletteEntries) {
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 4 * paletteEntries;
    const std::uint32_t imageSize = RowStride(width, bits) * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    Put32(out, pixelOffset + imageSize);
    Put32(out, 0);  // reserved
    Put32(out, pixelOffset);
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);  // planes
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0);  // BI_RGB
    Put32(out, imageSize);
    Put32(out, kPixelsPerMetre);
    Put32(out, kPixelsPerMetre);
    Put32(out, paletteEntries);
    Put32(out, 0);  // all colours important
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBitmap8(const IndexedImage& image, std::span<const Rgb> palette) {
    std::vector<std::uint8_t> out =
        Headers(image.width, image.height, 8, static_cast<std::uint32_t>(palette.size()));
    for (const Rgb colour : palette) {
        out.push_back(static_cast<std::uint8_t>(BlueOf(colour)));
        out.push_back(static_cast<std::uint8_t>(GreenOf(colour)));
        out.push_back(static_cast<std::uint8_t>(RedOf(colour)));
        out.push_back(0);
    }
    const std::uint32_t padding =
        RowStride(image.width, 8) - static_cast<std::uint32_t>(image.width);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x)
            out.push_back(image.At(x, y));
        out.insert(out.end(), padding, 0);
    }
    return out;
}

std::vector<std::uint8_t> EncodeBitmap24(const RgbImage& image) {
    std::vector<std::uint8_t> out = Headers(image.width, image.height, 24, 0);
    const std::uint32_t padding =
        RowStride(image.width, 24) - 3 * static_cast<std::uint32_t>(image.width);
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const Rgb colour = image.At(x, y);
            out.push_back(static_cast<std::uint8_t>(BlueOf(colour)));
            out.push_back(static_cast<std::uint8_t>(GreenOf(colour)));
            out.push_back(static_cast<std::uint8_t>(RedOf(colour)));
        }
        out.insert(out.end(), padding, 0);
    }
    return out;
}

}  // namespace brannock::art
