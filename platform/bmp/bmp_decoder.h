// Reader for Windows bitmap files (.bmp): the decoder behind LoadImageA on
// platforms without Win32. It accepts the header versions and encodings that
// paint programs really write and turns hostile or broken files into an
// error text, never a read past the buffer or an unbounded allocation.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brannock::bmp {

// Largest width or height accepted. Game images are sprites and backgrounds a
// few screens across; 16384 is the largest texture side common hardware takes
// and keeps every row size far inside 32 bits.
inline constexpr int kMaxDimension = 16384;

// Largest width * height accepted: 32 Mi pixels, 128 MiB decoded. The side cap
// alone would allow 1 GiB, and a run-length encoded file of a few bytes can
// claim its whole size, so this bounds what any file can make us allocate.
inline constexpr std::int64_t kMaxPixels = std::int64_t{1} << 25;

struct Image {
    int width = 0;                      // positive
    int height = 0;                     // positive
    int sourceBitsPerPixel = 0;         // 1, 4, 8, 16, 24 or 32, as stored in the file
    std::vector<std::uint32_t> pixels;  // width * height, top-down rows, 0x00RRGGBB
};

// Either an image or a one-line English explanation of why there is none.
struct DecodeResult {
    std::optional<Image> image;
    std::string error;  // empty when image is set

    explicit operator bool() const { return image.has_value(); }
};

// Decodes a whole bitmap file held in memory.
DecodeResult Decode(std::span<const std::uint8_t> file);

// Reads the file at hostPath (a host path, not a Windows one) and decodes it.
// A missing or unreadable file is an error like any other.
DecodeResult DecodeFile(const std::string& hostPath);

}  // namespace brannock::bmp
