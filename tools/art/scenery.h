// The pieces of the background: the ranges of hills, the temple and the
// pines on the hills (scenery.cpp), and the courtyard in front of them:
// its wall and flagstone floor (courtyard.cpp).
#pragma once

#include <cstdint>

#include "tools/art/colour_ramp.h"
#include "tools/art/images.h"

namespace brannock::art {

// Rows of the courtyard: the top of the wall at the back, and where the
// floor starts below it.
inline constexpr int kWallTop = 256;
inline constexpr int kFloorTop = 276;

// Smooth value noise along x: 0..1024, one random value every `period`
// pixels and eased curves between them; the same for the same seed.
int Noise(int x, int period, std::uint32_t seed);
// A random number from two integers and a seed.
std::uint32_t Hash(int a, int b, std::uint32_t seed);

// A range of hills: its ridge line comes from three octaves of noise, its
// colour runs from `top` at the ridge to `bottom` `depth` rows below it,
// and faces turned to the light (the ridge rising to the right) are lighter
// by `lit` (0 to 16).
struct Range {
    int base;
    int amplitudes[3];  // of the octaves with periods 181, 67 and 23 pixels
    std::uint32_t seed;
    FineColour top, bottom;
    int depth;
    int lit;
};

int RidgeY(const Range& range, int x);
// Paints the range down to row `bottomY`. With `snow`, peaks above the row
// `snowLine` are capped with that colour.
void PaintRange(RgbImage& image, const Range& range, int bottomY, const FineColour* snow = nullptr,
                int snowLine = 0);

// A four-tiered pagoda on the middle hills, hazed by the distance.
void PaintTemple(RgbImage& image);
// Pines along the ridge of `hill`.
void PaintPines(RgbImage& image, const Range& hill);

void PaintWall(RgbImage& image);
void PaintFloor(RgbImage& image);

}  // namespace brannock::art
