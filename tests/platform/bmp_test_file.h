// Builds bitmap files in memory for the decoder tests: headers of any
// version, palette, masks and raw pixel data, each field overridable so a
// test can make a file lie.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace bmp_test {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& out, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

struct TestFile {
    std::uint32_t headerSize = 40;  // 12 writes a core header
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> palette{};  // 0x00RRGGBB
    std::vector<std::uint32_t> masks{};    // inside V2+ headers, else after the header
    Bytes pixelData{};
    std::optional<std::uint32_t> pixelOffset{};  // default: right after the palette

    Bytes Build() const {
        Bytes out = {'B', 'M'};
        out.resize(14);  // file size, reserved, offset: patched below
        const bool core = headerSize == 12;
        Put(out, headerSize, 4);
        Put(out, width, core ? 2 : 4);
        Put(out, height, core ? 2 : 4);
        Put(out, 1, 2);
        Put(out, bitsPerPixel, 2);
        if (!core) {
            for (std::uint32_t v :
                 {compression, std::uint32_t(pixelData.size()), 2835u, 2835u, colorsUsed, 0u}) {
                Put(out, v, 4);
            }
        }
        for (std::uint32_t m : masks) {
            if (headerSize >= 52 && out.size() >= 14 + headerSize) break;
            Put(out, m, 4);
        }
        if (out.size() < 14 + headerSize) out.resize(14 + headerSize);
        for (std::uint32_t c : palette)
            Put(out, c, core ? 3 : 4);
        const std::uint32_t offset = pixelOffset.value_or(static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), pixelData.begin(), pixelData.end());
        for (int i = 0; i < 4; ++i) {
            out[2 + i] = static_cast<std::uint8_t>(out.size() >> (8 * i));
            out[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
        }
        return out;
    }
};

// Pixel rows as stored: each padded with zeros to a multiple of 4 bytes.
inline Bytes PaddedRows(std::initializer_list<Bytes> rows) {
    Bytes out;
    for (const Bytes& row : rows) {
        out.insert(out.end(), row.begin(), row.end());
        out.resize((out.size() + 3) / 4 * 4);
    }
    return out;
}

}  // namespace bmp_test
