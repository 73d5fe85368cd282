// Reading a bitmap file's headers: the file header, one of the core (12-byte),
// info (40), V2 (52), V3 (56), V4 (108) or V5 (124) headers, the colour masks
// and the palette. Every offset and size is checked against the buffer in
// 64-bit arithmetic before it is used.
#include "platform/bmp/bmp_layout.h"

#include <algorithm>
#include <bit>

#include "platform/bmp/bmp_decoder.h"

namespace brannock::bmp::detail {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV2HeaderSize = 52;  // info + red, green, blue masks
constexpr std::uint32_t kV3HeaderSize = 56;  // V2 + alpha mask
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;

// biCompression values.
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;
constexpr std::uint32_t kCompressionBitfields = 3;
constexpr std::uint32_t kCompressionJpeg = 4;
constexpr std::uint32_t kCompressionPng = 5;
constexpr std::uint32_t kCompressionAlphaBitfields = 6;

std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::string Hex(std::uint32_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += kDigits[(value >> shift) & 0xF];
    return text;
}

// The fields of the info header family that the decoder needs; the core
// header fills the same fields.
struct Header {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;  // negative for top-down rows
    int bitsPerPixel = 0;
    std::uint32_t compression = kCompressionRgb;
    std::uint32_t colorsUsed = 0;
};

std::string ReadHeader(std::span<const std::uint8_t> file, Header& header) {
    if (file.size() < kFileHeaderSize + 4) {
        return "file too short for a bitmap (" + std::to_string(file.size()) + " bytes)";
    }
    header.size = ReadU32(&file[kFileHeaderSize]);
    switch (header.size) {
        case kCoreHeaderSize:
        case kInfoHeaderSize:
        case kV2HeaderSize:
        case kV3HeaderSize:
        case kV4HeaderSize:
        case kV5HeaderSize:
            break;
        default:
            return "unsupported bitmap header size " + std::to_string(header.size);
    }
    if (file.size() - kFileHeaderSize < header.size) {
        return "truncated bitmap header: it claims " + std::to_string(header.size) +
               " bytes, the file holds " + std::to_string(file.size() - kFileHeaderSize);
    }
    const std::uint8_t* h = &file[kFileHeaderSize];
    if (header.size == kCoreHeaderSize) {
        header.width = ReadU16(h + 4);
        header.height = ReadU16(h + 6);
        header.bitsPerPixel = ReadU16(h + 10);
        return {};
    }
    header.width = static_cast<std::int32_t>(ReadU32(h + 4));
    header.height = static_cast<std::int32_t>(ReadU32(h + 8));
    header.bitsPerPixel = ReadU16(h + 14);
    header.compression = ReadU32(h + 16);
    header.colorsUsed = ReadU32(h + 32);
    return {};
}

std::string CheckDimensions(const Header& header) {
    const std::int64_t height = header.height < 0 ? -header.height : header.height;
    if (header.width <= 0 || height == 0) {
        return "invalid image size " + std::to_string(header.width) + " x " +
               std::to_string(header.height);
    }
    if (header.width > kMaxDimension || height > kMaxDimension) {
        return "image size " + std::to_string(header.width) + " x " + std::to_string(height) +
               " exceeds the largest side accepted (" + std::to_string(kMaxDimension) + ")";
    }
    if (header.width * height > kMaxPixels) {
        return "image size " + std::to_string(header.width) + " x " + std::to_string(height) +
               " exceeds the largest pixel count accepted (" + std::to_string(kMaxPixels) + ")";
    }
    return {};
}

// Picks the pixel encoding from compression and depth, refusing pairs that
// do not fit together.
std::string ChooseEncoding(const Header& header, Layout& layout) {
    const int bits = header.bitsPerPixel;
    const std::string depth = std::to_string(bits) + " bits per pixel";
    if (header.size == kCoreHeaderSize && bits != 1 && bits != 4 && bits != 8 && bits != 24) {
        return "unsupported depth for a core header: " + depth;
    }
    switch (header.compression) {
        case kCompressionRgb:
            switch (bits) {
                case 1:
                case 4:
                case 8:
                    layout.encoding = Encoding::kIndexed;
                    return {};
                case 16:
                case 32:
                    layout.encoding = Encoding::kMasked;
                    return {};
                case 24:
                    layout.encoding = Encoding::kBgr24;
                    return {};
            }
            return "unsupported depth: " + depth;
        case kCompressionRle8:
        case kCompressionRle4: {
            const bool rle8 = header.compression == kCompressionRle8;
            if (bits != (rle8 ? 8 : 4)) {
                return std::string(rle8 ? "RLE8" : "RLE4") + " compression with " + depth;
            }
            if (layout.topDown) return "run-length encoded bitmaps cannot be stored top-down";
            layout.encoding = rle8 ? Encoding::kRle8 : Encoding::kRle4;
            return {};
        }
        case kCompressionBitfields:
        case kCompressionAlphaBitfields:
            if (bits != 16 && bits != 32) return "bit-field compression with " + depth;
            layout.encoding = Encoding::kMasked;
            return {};
        case kCompressionJpeg:
            return "JPEG-compressed bitmaps are not supported";
        case kCompressionPng:
            return "PNG-compressed bitmaps are not supported";
    }
    return "unknown compression " + std::to_string(header.compression);
}

Channel MakeChannel(std::uint32_t mask) {
    Channel channel;
    if (mask == 0) return channel;  // the channel reads as 0
    channel.shift = std::countr_zero(mask);
    int bits = std::popcount(mask);
    if (bits > 8) {  // keep the top 8 bits of wide channels
        channel.shift += bits - 8;
        bits = 8;
    }
    channel.valueMask = (1u << bits) - 1;
    for (std::uint32_t v = 0; v <= channel.valueMask; ++v) {
        channel.toByte[v] =
            static_cast<std::uint8_t>((v * 255 + channel.valueMask / 2) / channel.valueMask);
    }
    return channel;
}

// Sets up the channels of 16- and 32-bit pixels. Masks come from the header
// (V2 and later), from the 12 or 16 bytes after a 40-byte header, or are the
// defaults: 5-5-5 for 16 bits, 8-8-8 for 32. Masks stored after the header
// move headersEnd past them.
std::string ReadMasks(std::span<const std::uint8_t> file, const Header& header, Layout& layout,
                      std::size_t& headersEnd) {
    std::array<std::uint32_t, 3> masks{};
    if (header.compression == kCompressionBitfields ||
        header.compression == kCompressionAlphaBitfields) {
        const std::size_t at = kFileHeaderSize + kInfoHeaderSize;
        if (header.size == kInfoHeaderSize) {
            const std::size_t count = header.compression == kCompressionBitfields ? 3 : 4;
            if (file.size() - headersEnd < 4 * count) return "truncated colour masks";
            headersEnd += 4 * count;
        }
        for (std::size_t i = 0; i < 3; ++i)
            masks[i] = ReadU32(&file[at + 4 * i]);
    }
    const std::uint32_t depthMask = layout.bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    for (auto& mask : masks)
        mask &= depthMask;
    if (masks == std::array<std::uint32_t, 3>{}) {
        masks = layout.bitsPerPixel == 16 ? std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                          : std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    }
    for (std::size_t i = 0; i < 3; ++i) {
        const std::uint32_t mask = masks[i];
        const std::uint32_t run = mask >> std::countr_zero(mask | 0x80000000u);
        if ((run & (run + 1)) != 0) return "colour mask " + Hex(mask) + " is not one run of bits";
        layout.channels[i] = MakeChannel(mask);
    }
    layout.defaultMasks32 =
        layout.bitsPerPixel == 32 && masks == std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
    return {};
}

// Reads the palette between the headers and the pixel data: biClrUsed entries
// (all 2^depth when 0), no more than the depth can index and no more than fit
// before the pixel data. Entries the file lacks stay black.
void ReadPalette(std::span<const std::uint8_t> file, const Header& header, std::size_t headersEnd,
                 Layout& layout) {
    const std::size_t entrySize = header.size == kCoreHeaderSize ? 3 : 4;
    const std::size_t depthEntries = std::size_t{1} << layout.bitsPerPixel;
    std::size_t entries = header.colorsUsed != 0 ? header.colorsUsed : depthEntries;
    entries = std::min({entries, depthEntries, (layout.pixelOffset - headersEnd) / entrySize});
    const std::uint8_t* p = file.data() + headersEnd;
    for (std::size_t i = 0; i < entries; ++i, p += entrySize) {
        layout.palette[i] = p[0] | p[1] << 8 | p[2] << 16;
    }
}

std::string CheckRowData(std::span<const std::uint8_t> file, const Layout& layout) {
    // The last row's padding may be missing: some writers leave it out.
    const std::uint64_t lastRow =
        (static_cast<std::uint64_t>(layout.width) * layout.bitsPerPixel + 7) / 8;
    const std::uint64_t needed =
        static_cast<std::uint64_t>(RowStride(layout)) * (layout.height - 1) + lastRow;
    const std::uint64_t available = file.size() - layout.pixelOffset;
    if (available < needed) {
        return "truncated pixel data: " + std::to_string(needed) + " bytes needed, " +
               std::to_string(available) + " in the file";
    }
    return {};
}

}  // namespace

std::string ReadLayout(std::span<const std::uint8_t> file, Layout& layout) {
    if (file.empty()) return "empty file";
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M') {
        return "not a bitmap file (no \"BM\" signature)";
    }
    Header header;
    if (std::string error = ReadHeader(file, header); !error.empty()) return error;
    if (std::string error = CheckDimensions(header); !error.empty()) return error;
    layout.width = static_cast<int>(header.width);
    layout.topDown = header.height < 0;
    layout.height = static_cast<int>(layout.topDown ? -header.height : header.height);
    layout.bitsPerPixel = header.bitsPerPixel;
    if (std::string error = ChooseEncoding(header, layout); !error.empty()) return error;

    std::size_t headersEnd = kFileHeaderSize + header.size;
    if (layout.encoding == Encoding::kMasked) {
        if (std::string error = ReadMasks(file, header, layout, headersEnd); !error.empty()) {
            return error;
        }
    }
    const std::uint32_t offset = ReadU32(&file[10]);
    if (offset < headersEnd) {
        return "pixel data offset " + std::to_string(offset) + " lies inside the headers (" +
               std::to_string(headersEnd) + " bytes)";
    }
    if (offset > file.size()) {
        return "pixel data offset " + std::to_string(offset) + " is past the end of the file (" +
               std::to_string(file.size()) + " bytes)";
    }
    layout.pixelOffset = offset;
    if (layout.bitsPerPixel <= 8) ReadPalette(file, header, headersEnd, layout);

    if (layout.encoding == Encoding::kRle8 || layout.encoding == Encoding::kRle4) return {};
    return CheckRowData(file, layout);
}

}  // namespace brannock::bmp::detail
