// Uncompressed pixel rows: palette indexes of 1, 4 or 8 bits, masked 16- and
// 32-bit pixels, and 24-bit blue-green-red triples. The format is chosen once
// per image; each row is then one tight loop.
#include "platform/bmp/bmp_layout.h"

namespace brannock::bmp::detail {
namespace {

template <int Bits>
void IndexedRow(const std::uint8_t* src, std::uint32_t* dst, int width,
                const std::uint32_t* palette) {
    constexpr int kPerByte = 8 / Bits;
    constexpr unsigned kIndexMask = (1u << Bits) - 1;
    int x = 0;
    for (; x + kPerByte <= width; x += kPerByte) {
        const unsigned byte = *src++;
        for (int i = 0; i < kPerByte; ++i) {
            dst[x + i] = palette[(byte >> (8 - Bits * (i + 1))) & kIndexMask];
        }
    }
    // A last, partly used byte: its leading indexes belong to the row.
    for (int i = 0; x < width; ++i, ++x) {
        dst[x] = palette[(*src >> (8 - Bits * (i + 1))) & kIndexMask];
    }
}

template <int Bytes>
void MaskedRow(const std::uint8_t* src, std::uint32_t* dst, int width,
               const std::array<Channel, 3>& channels) {
    const Channel& r = channels[0];
    const Channel& g = channels[1];
    const Channel& b = channels[2];
    for (int x = 0; x < width; ++x, src += Bytes) {
        std::uint32_t v = src[0] | src[1] << 8;
        if constexpr (Bytes == 4) v |= src[2] << 16 | static_cast<std::uint32_t>(src[3]) << 24;
        dst[x] = static_cast<std::uint32_t>(r.toByte[(v >> r.shift) & r.valueMask]) << 16 |
                 static_cast<std::uint32_t>(g.toByte[(v >> g.shift) & g.valueMask]) << 8 |
                 b.toByte[(v >> b.shift) & b.valueMask];
    }
}

// 32-bit pixels with the usual 8-8-8 masks: stored bytes are already
// blue, green, red, unused.
void Bgrx32Row(const std::uint8_t* src, std::uint32_t* dst, int width) {
    for (int x = 0; x < width; ++x, src += 4)
        dst[x] = src[0] | src[1] << 8 | src[2] << 16;
}

void Bgr24Row(const std::uint8_t* src, std::uint32_t* dst, int width) {
    for (int x = 0; x < width; ++x, src += 3)
        dst[x] = src[0] | src[1] << 8 | src[2] << 16;
}

template <typename RowFunction>
void ForEachRow(std::span<const std::uint8_t> data, const Layout& layout, std::uint32_t* pixels,
                RowFunction convert) {
    const std::size_t stride = RowStride(layout);
    const std::size_t width = static_cast<std::size_t>(layout.width);
    for (int row = 0; row < layout.height; ++row) {
        const int outRow = layout.topDown ? row : layout.height - 1 - row;
        convert(data.data() + stride * row, pixels + width * outRow);
    }
}

}  // namespace

void DecodeRows(std::span<const std::uint8_t> data, const Layout& layout, std::uint32_t* pixels) {
    const int width = layout.width;
    const std::uint32_t* palette = layout.palette.data();
    const auto& channels = layout.channels;
    auto rows = [&](auto convert) { ForEachRow(data, layout, pixels, convert); };
    switch (layout.encoding) {
        case Encoding::kIndexed:
            if (layout.bitsPerPixel == 1) {
                rows([&](auto* s, auto* d) { IndexedRow<1>(s, d, width, palette); });
            } else if (layout.bitsPerPixel == 4) {
                rows([&](auto* s, auto* d) { IndexedRow<4>(s, d, width, palette); });
            } else {
                rows([&](auto* s, auto* d) { IndexedRow<8>(s, d, width, palette); });
            }
            return;
        case Encoding::kMasked:
            if (layout.defaultMasks32) {
                rows([&](auto* s, auto* d) { Bgrx32Row(s, d, width); });
            } else if (layout.bitsPerPixel == 32) {
                rows([&](auto* s, auto* d) { MaskedRow<4>(s, d, width, channels); });
            } else {
                rows([&](auto* s, auto* d) { MaskedRow<2>(s, d, width, channels); });
            }
            return;
        case Encoding::kBgr24:
            rows([&](auto* s, auto* d) { Bgr24Row(s, d, width); });
            return;
        case Encoding::kRle8:
        case Encoding::kRle4:
            return;  // not row data: DecodeRunLength handles these
    }
}

}  // namespace brannock::bmp::detail
