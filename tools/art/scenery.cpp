// Hills, the temple and the pines.
#include "tools/art/scenery.h"

#include <algorithm>
#include <cstdlib>

namespace brannock::art {
namespace {

// Fills row y from x0 to x1 (inclusive) with `colour`, dithered.
void Span(RgbImage& image, int y, int x0, int x1, FineColour colour) {
    for (int x = std::max(x0, 0); x <= std::min(x1, image.width - 1); ++x)
        if (y >= 0 && y < image.height) image.At(x, y) = Dither(colour, x, y);
}

// The temple's colours pale toward the haze of the distance.
FineColour Hazed(Rgb colour) {
    return Mix(Fine(colour), Fine(MakeRgb(170, 176, 200)), 5, 16);
}

}  // namespace

std::uint32_t Hash(int a, int b, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(a) * 0x9E3779B1u ^
                      static_cast<std::uint32_t>(b) * 0x85EBCA77u ^ seed * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

int Noise(int x, int period, std::uint32_t seed) {
    const int cell = x >= 0 ? x / period : -((-x + period - 1) / period);
    const int t = (x - cell * period) * 1024 / period;  // 0..1023
    const int a = static_cast<int>(Hash(cell, 0, seed) & 1023);
    const int b = static_cast<int>(Hash(cell + 1, 0, seed) & 1023);
    const int eased = t * t / 1024 * (3 * 1024 - 2 * t) / 1024;  // smoothstep
    return a + (b - a) * eased / 1024;
}

int RidgeY(const Range& range, int x) {
    return range.base - (range.amplitudes[0] * (Noise(x, 181, range.seed) - 512) +
                         range.amplitudes[1] * (Noise(x, 67, range.seed + 1) - 512) +
                         range.amplitudes[2] * (Noise(x, 23, range.seed + 2) - 512)) /
                            512;
}

void PaintRange(RgbImage& image, const Range& range, int bottomY, const FineColour* snow,
                int snowLine) {
    for (int x = 0; x < image.width; ++x) {
        const int ridge = RidgeY(range, x);
        // The slope over a few pixels tells which way the face turns.
        const int slope = RidgeY(range, x + 4) - RidgeY(range, x - 4);
        const int light = std::clamp(-slope * range.lit, -64, 64);
        const int snowDepth =
            snow ? (snowLine - ridge) * 2 / 3 + (Noise(x, 7, range.seed + 3) - 512) / 128 : 0;
        for (int y = std::max(ridge, 0); y < bottomY; ++y) {
            FineColour c =
                Mix(range.top, range.bottom, std::min(y - ridge, range.depth), range.depth);
            // The light fades with the distance from the ridge.
            const int shift = light * std::max(0, 48 - (y - ridge)) / 12;
            c = {c.r + shift, c.g + shift, c.b + shift};
            if (snow && y - ridge < snowDepth) c = light < 0 ? Mix(*snow, range.top, 3, 8) : *snow;
            image.At(x, y) = Dither(c, x, y);
        }
    }
}

void PaintTemple(RgbImage& image) {
    const int centre = 516;
    const FineColour wall = Hazed(MakeRgb(164, 58, 46));
    const FineColour wallShade = Hazed(MakeRgb(118, 40, 40));
    const FineColour window = Hazed(MakeRgb(58, 36, 44));
    const FineColour roof = Hazed(MakeRgb(58, 64, 84));
    const FineColour roofLight = Hazed(MakeRgb(104, 112, 132));
    const FineColour eave = Hazed(MakeRgb(36, 38, 54));
    struct Tier {
        int wallWidth, wallHeight, roofWidth, roofHeight;
    };
    static constexpr Tier kTiers[] = {
        {50, 24, 96, 12}, {42, 20, 82, 11}, {34, 17, 68, 10}, {26, 14, 54, 9}};
    int y = 258;  // the base, hidden by the hill in front
    for (const Tier& tier : kTiers) {
        const int half = tier.wallWidth / 2;
        for (int row = 0; row < tier.wallHeight; ++row, --y) {
            Span(image, y, centre - half, centre + half, wall);
            Span(image, y, centre + half - 5, centre + half,
                 wallShade);  // the side away from the light
            Span(image, y, centre - half, centre - half + 1, wallShade);
            if (row >= 3 && row < tier.wallHeight - 3)
                Span(image, y, centre - 3, centre + 3, window);
        }
        // A concave roof flaring out to upturned eaves.
        const int top = half - 4;
        const int bottom = tier.roofWidth / 2;
        for (int row = tier.roofHeight - 1; row >= 0; --row, --y) {
            const int reach =
                top + (bottom - top) * row * row / ((tier.roofHeight - 1) * (tier.roofHeight - 1));
            const bool eaveRow = row >= tier.roofHeight - 2;
            Span(image, y, centre - reach, centre + reach, eaveRow ? eave : roof);
            if (!eaveRow) Span(image, y, centre - reach, centre - reach + 2 + row / 3, roofLight);
        }
    }
    // The spire with its rings.
    for (int row = 0; row < 24; ++row, --y) {
        const int half = row % 5 == 1 ? 3 : 1;
        Span(image, y, centre - half, centre + half, row % 5 == 1 ? roofLight : roof);
    }
}

void PaintPines(RgbImage& image, const Range& hill) {
    const FineColour dark = Fine(MakeRgb(30, 66, 60));
    const FineColour light = Fine(MakeRgb(58, 98, 80));
    int x = 4;
    int index = 0;
    while (x < image.width) {
        const std::uint32_t h = Hash(index, 1, 77);
        const int height = 20 + static_cast<int>(h % 21);
        const int base = RidgeY(hill, x) + 6;
        // Three tiers of needles, each a triangle over the one below.
        for (int tier = 0; tier < 3; ++tier) {
            const int tierTop = base - height + tier * height / 4;
            const int tierHeight = height / 2;
            for (int row = 0; row < tierHeight; ++row) {
                const int y = tierTop + row;
                const int half = 1 + row * (height / 5 + tier) / tierHeight;
                for (int dx = -half; dx <= half; ++dx) {
                    if (!image.Inside(x + dx, y)) continue;
                    image.At(x + dx, y) = Dither(dx < -half / 3 ? light : dark, x + dx, y);
                }
            }
        }
        x += 9 + static_cast<int>((h >> 8) % 17);
        ++index;
    }
}

}  // namespace brannock::art
