// Pixel formats of the emulated display, bitmaps and surfaces, and the
// conversions between them. Colours cross format boundaries as 0x00RRGGBB;
// narrowing keeps the top bits of each channel, widening repeats them, so
// white stays white and a colour survives a round trip through its own
// format unchanged.
#pragma once

#include <cstdint>
#include <cstring>

namespace brannock::platform::display {

enum class PixelFormat : std::uint8_t {
    kRgb555,    // 16 bits, x1 r5 g5 b5
    kRgb565,    // 16 bits, r5 g6 b5
    kRgb888,    // 24 bits, bytes blue, green, red
    kXrgb8888,  // 32 bits, x8 r8 g8 b8
    kArgb8888,  // 32 bits, a8 r8 g8 b8: the overlays; drawing sets alpha to 255
    kIndexed8,  // 8 bits, an index into the colour table the pixels carry (GDI bitmaps only)
};

struct FormatInfo {
    int bitsPerPixel;
    int bytesPerPixel;
    std::uint32_t redMask;
    std::uint32_t greenMask;
    std::uint32_t blueMask;
    std::uint32_t alphaMask;
    std::uint32_t colourMask;  // the bits a colour key compares
};

constexpr FormatInfo Info(PixelFormat format) {
    switch (format) {
        case PixelFormat::kRgb555:
            return {16, 2, 0x7C00, 0x03E0, 0x001F, 0, 0x7FFF};
        case PixelFormat::kRgb565:
            return {16, 2, 0xF800, 0x07E0, 0x001F, 0, 0xFFFF};
        case PixelFormat::kRgb888:
            return {24, 3, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0xFFFFFF};
        case PixelFormat::kXrgb8888:
            return {32, 4, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0xFFFFFF};
        case PixelFormat::kArgb8888:
            return {32, 4, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000, 0xFFFFFF};
        case PixelFormat::kIndexed8:
            return {8, 1, 0, 0, 0, 0, 0xFF};
    }
    return {32, 4, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0xFFFFFF};
}

constexpr int BytesPerPixel(PixelFormat format) {
    return Info(format).bytesPerPixel;
}

// The format of a display or surface depth: 16 is R5G6B5. False for depths
// without one.
bool FormatForDepth(int bitsPerPixel, PixelFormat& format);

// The format with these RGB masks and depth (DDPIXELFORMAT, BI_BITFIELDS).
bool FormatForMasks(int bitsPerPixel, std::uint32_t red, std::uint32_t green, std::uint32_t blue,
                    PixelFormat& format);

// Converts one pixel value to 0x00RRGGBB and back. An index, without its
// colour table, stands for a grey level: pixels with a table convert
// through palette.h instead.
template <PixelFormat F>
constexpr std::uint32_t ToRgb(std::uint32_t pixel) {
    if constexpr (F == PixelFormat::kRgb555) {
        const std::uint32_t r = (pixel >> 10) & 0x1F, g = (pixel >> 5) & 0x1F, b = pixel & 0x1F;
        return ((r << 3 | r >> 2) << 16) | ((g << 3 | g >> 2) << 8) | (b << 3 | b >> 2);
    } else if constexpr (F == PixelFormat::kRgb565) {
        const std::uint32_t r = (pixel >> 11) & 0x1F, g = (pixel >> 5) & 0x3F, b = pixel & 0x1F;
        return ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
    } else if constexpr (F == PixelFormat::kIndexed8) {
        return (pixel & 0xFF) * 0x010101;
    } else {
        return pixel & 0xFFFFFF;
    }
}

template <PixelFormat F>
constexpr std::uint32_t FromRgb(std::uint32_t rgb) {
    if constexpr (F == PixelFormat::kRgb555) {
        return ((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x001F);
    } else if constexpr (F == PixelFormat::kRgb565) {
        return ((rgb >> 8) & 0xF800) | ((rgb >> 5) & 0x07E0) | ((rgb >> 3) & 0x001F);
    } else if constexpr (F == PixelFormat::kArgb8888) {
        return (rgb & 0xFFFFFF) | 0xFF000000;
    } else if constexpr (F == PixelFormat::kIndexed8) {
        return (((rgb >> 16) & 0xFF) * 77 + ((rgb >> 8) & 0xFF) * 151 + (rgb & 0xFF) * 28) >> 8;
    } else {
        return rgb & 0xFFFFFF;
    }
}

// Reads and writes the pixel value at `p` (any alignment).
template <PixelFormat F>
inline std::uint32_t LoadPixel(const std::uint8_t* p) {
    if constexpr (F == PixelFormat::kIndexed8) {
        return *p;
    } else if constexpr (F == PixelFormat::kRgb555 || F == PixelFormat::kRgb565) {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        return v;
    } else if constexpr (F == PixelFormat::kRgb888) {
        return p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
    } else {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    }
}

template <PixelFormat F>
inline void StorePixel(std::uint8_t* p, std::uint32_t value) {
    if constexpr (F == PixelFormat::kIndexed8) {
        *p = static_cast<std::uint8_t>(value);
    } else if constexpr (F == PixelFormat::kRgb555 || F == PixelFormat::kRgb565) {
        const auto v = static_cast<std::uint16_t>(value);
        std::memcpy(p, &v, 2);
    } else if constexpr (F == PixelFormat::kRgb888) {
        p[0] = static_cast<std::uint8_t>(value);
        p[1] = static_cast<std::uint8_t>(value >> 8);
        p[2] = static_cast<std::uint8_t>(value >> 16);
    } else {
        std::memcpy(p, &value, 4);
    }
}

// Run-time forms of the above, for single pixels (GetPixel, SetPixel, keys).
std::uint32_t PixelToRgb(PixelFormat format, std::uint32_t pixel);
std::uint32_t RgbToPixel(PixelFormat format, std::uint32_t rgb);
std::uint32_t ReadPixel(PixelFormat format, const std::uint8_t* p);
void WritePixel(PixelFormat format, std::uint8_t* p, std::uint32_t pixel);

// Converts `count` pixels of one row between formats.
using RowConverter = void (*)(const std::uint8_t* source, std::uint8_t* target, int count);
RowConverter ConverterFor(PixelFormat source, PixelFormat target);

// COLORREF (0x00BBGGRR) and 0x00RRGGBB, both ways.
constexpr std::uint32_t SwapRedBlue(std::uint32_t colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace brannock::platform::display
