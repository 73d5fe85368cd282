// What a bitmap file's headers say about its pixels: the common ground of the
// header reader and the two pixel decoders (plain rows and run-length data).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace brannock::bmp::detail {

enum class Encoding {
    kIndexed,  // 1, 4 or 8 bits per pixel through the palette
    kMasked,   // 16 or 32 bits per pixel split by colour masks
    kBgr24,    // 24 bits per pixel, blue green red
    kRle8,     // run-length encoded 8-bit indexes
    kRle4,     // run-length encoded 4-bit indexes
};

// One colour channel of a masked pixel: (value >> shift) & valueMask picks the
// channel's top (at most 8) bits, toByte scales them to 0..255.
struct Channel {
    int shift = 0;
    std::uint32_t valueMask = 0;
    std::array<std::uint8_t, 256> toByte{};
};

struct Layout {
    int width = 0;
    int height = 0;  // positive; topDown tells the row order
    bool topDown = false;
    int bitsPerPixel = 0;
    Encoding encoding = Encoding::kIndexed;
    // 0x00RRGGBB; entries the file does not provide stay black, so any
    // 8-bit index is safe to look up.
    std::array<std::uint32_t, 256> palette{};
    std::array<Channel, 3> channels{};  // red, green, blue (kMasked only)
    bool defaultMasks32 = false;        // kMasked with 8-8-8 at bits 16, 8, 0
    std::size_t pixelOffset = 0;        // where pixel data starts in the file
};

// Bytes one stored row takes, padding to a 4-byte boundary included.
inline std::size_t RowStride(const Layout& layout) {
    return (static_cast<std::size_t>(layout.width) * layout.bitsPerPixel + 31) / 32 * 4;
}

// Reads and checks the headers, colour masks and palette of a whole file.
// For uncompressed encodings it also checks the file holds every row, so the
// caller may allocate and decode without further checks. Returns an error
// text, empty on success.
std::string ReadLayout(std::span<const std::uint8_t> file, Layout& layout);

// Converts uncompressed pixel data (already checked by ReadLayout) into
// width * height top-down 0x00RRGGBB pixels.
void DecodeRows(std::span<const std::uint8_t> data, const Layout& layout, std::uint32_t* pixels);

// Expands run-length encoded data into pixels, which must hold width * height
// black pixels. Returns an error text, empty on success.
std::string DecodeRunLength(std::span<const std::uint8_t> data, const Layout& layout,
                            std::uint32_t* pixels);

}  // namespace brannock::bmp::detail
