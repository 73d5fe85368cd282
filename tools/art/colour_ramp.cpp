// Ordered dithering to 5-6-5 levels.
#include "tools/art/colour_ramp.h"

#include <algorithm>

namespace brannock::art {
namespace {

// The 8x8 Bayer matrix: thresholds 0..63 spread so that every level mix
// gives an even pattern.
constexpr int kBayer[8][8] = {
    {0, 32, 8, 40, 2, 34, 10, 42},  {48, 16, 56, 24, 50, 18, 58, 26},
    {12, 44, 4, 36, 14, 46, 6, 38}, {60, 28, 52, 20, 62, 30, 54, 22},
    {3, 35, 11, 43, 1, 33, 9, 41},  {51, 19, 59, 27, 49, 17, 57, 25},
    {15, 47, 7, 39, 13, 45, 5, 37}, {63, 31, 55, 23, 61, 29, 53, 21},
};

// A level of `bits` bits widened to 8 bits by repeating its top bits.
int Widen(int level, int bits) {
    return level << (8 - bits) | level >> (2 * bits - 8);
}

// One channel: `fine` has 4 fraction bits; the result is a widened level.
int DitherChannel(int fine, int bits, int threshold) {
    fine = std::clamp(fine, 0, 255 * 16);
    const int top = (1 << bits) - 1;
    // The level at or below the colour, and the one above it.
    int level = (fine / 16) >> (8 - bits);
    while (level < top && Widen(level + 1, bits) * 16 <= fine)
        ++level;
    while (level > 0 && Widen(level, bits) * 16 > fine)
        --level;
    if (level == top) return Widen(level, bits);
    const int low = Widen(level, bits) * 16;
    const int high = Widen(level + 1, bits) * 16;
    // Take the upper level where the colour's share of the step beats the
    // threshold.
    return (fine - low) * 64 > (2 * threshold + 1) * (high - low) / 2 ? Widen(level + 1, bits)
                                                                      : Widen(level, bits);
}

}  // namespace

Rgb Dither(FineColour colour, int x, int y) {
    const int threshold = kBayer[y & 7][x & 7];
    return MakeRgb(DitherChannel(colour.r, 5, threshold), DitherChannel(colour.g, 6, threshold),
                   DitherChannel(colour.b, 5, threshold));
}

Rgb Quantise(Rgb colour) {
    // A threshold of one half rounds to the nearer level.
    const FineColour fine = Fine(colour);
    return MakeRgb(DitherChannel(fine.r, 5, 32), DitherChannel(fine.g, 6, 32),
                   DitherChannel(fine.b, 5, 32));
}

}  // namespace brannock::art
