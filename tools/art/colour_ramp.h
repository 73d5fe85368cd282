// Smooth colours for a 16-bit screen. The sample shows its background at
// 5-6-5 bits per pixel, where a gradient turns into visible bands; instead
// each pixel picks one of the two nearest 5-6-5 levels by an 8x8 ordered
// dither, so a gradient reads smooth at 16 bits and looks the same at 24.
#pragma once

#include <cstdint>

#include "tools/art/images.h"

namespace brannock::art {

// A colour with 4 fraction bits per channel (0..4080), for gradients finer
// than whole levels.
struct FineColour {
    int r = 0, g = 0, b = 0;
};

constexpr FineColour Fine(Rgb colour) {
    return {RedOf(colour) * 16, GreenOf(colour) * 16, BlueOf(colour) * 16};
}

// a + (b - a) * t / range, per channel.
constexpr FineColour Mix(FineColour a, FineColour b, int t, int range) {
    return {a.r + (b.r - a.r) * t / range, a.g + (b.g - a.g) * t / range,
            a.b + (b.b - a.b) * t / range};
}

// The pixel at (x, y) for `colour`: a 5-6-5 colour, expanded to 24 bits the
// way a display widens it (the top bits repeated), so its 16-bit form is
// exact.
Rgb Dither(FineColour colour, int x, int y);

// The nearest 5-6-5 colour without dithering, expanded the same way.
Rgb Quantise(Rgb colour);

}  // namespace brannock::art
