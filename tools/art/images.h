// The two kinds of picture the generator makes: palette-indexed sprite
// frames and true-colour pictures (the background, the previews).
#pragma once

#include <cstdint>
#include <vector>

namespace brannock::art {

// 0x00RRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r) << 16 | static_cast<Rgb>(g) << 8 | static_cast<Rgb>(b);
}
constexpr int RedOf(Rgb c) {
    return static_cast<int>(c >> 16 & 0xFF);
}
constexpr int GreenOf(Rgb c) {
    return static_cast<int>(c >> 8 & 0xFF);
}
constexpr int BlueOf(Rgb c) {
    return static_cast<int>(c & 0xFF);
}

// The transparent colour of every sprite: magenta.
inline constexpr Rgb kKeyColour = MakeRgb(255, 0, 255);

struct IndexedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // top-down rows of palette indexes

    IndexedImage() = default;
    IndexedImage(int w, int h, std::uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint8_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top-down rows

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Rgb& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace brannock::art
