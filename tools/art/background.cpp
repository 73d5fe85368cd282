// The background, back to front: sky and clouds, far mountains, nearer
// hills, the temple, the forested hill before it, the courtyard wall and
// the flagstone floor. Distance shows as haze: the farther a layer, the
// closer its colours lie to the sky's at the horizon.
#include "tools/art/background.h"

#include <algorithm>

#include "tools/art/colour_ramp.h"
#include "tools/art/scenery.h"

namespace brannock::art {
namespace {

constexpr FineColour kZenith = Fine(MakeRgb(62, 106, 186));
constexpr FineColour kMidSky = Fine(MakeRgb(124, 170, 226));
constexpr FineColour kHorizon = Fine(MakeRgb(238, 220, 202));
constexpr int kHorizonY = 250;

FineColour SkyAt(int y) {
    if (y < 130) return Mix(kZenith, kMidSky, y, 130);
    return Mix(kMidSky, kHorizon, std::min(y, kHorizonY) - 130, kHorizonY - 130);
}

void PaintSky(RgbImage& image) {
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.At(x, y) = Dither(SkyAt(y), x, y);
}

void PaintClouds(RgbImage& image) {
    const FineColour light = Fine(MakeRgb(252, 248, 244));
    const FineColour shade = Fine(MakeRgb(200, 204, 228));
    struct Cloud {
        int x, base, width;
        std::uint32_t seed;
    };
    static constexpr Cloud kClouds[] = {
        {70, 58, 150, 11}, {262, 102, 96, 23}, {446, 40, 180, 37}, {590, 124, 80, 41}};
    for (const Cloud& cloud : kClouds) {
        // Puffs of random size along the cloud, bigger toward its middle,
        // cut off flat at the base.
        const int puffs = cloud.width / 16;
        for (int i = 0; i < puffs; ++i) {
            const int middle = puffs / 2 - std::abs(i - puffs / 2);
            const int radius = 7 + middle * 3 + static_cast<int>(Hash(i, 3, cloud.seed) % 6);
            const int cx = cloud.x - cloud.width / 2 + 8 + i * 16;
            const int cy = cloud.base - radius / 2;
            for (int y = cy - radius; y <= cloud.base; ++y) {
                for (int x = cx - radius; x <= cx + radius; ++x) {
                    const int dx = x - cx, dy = y - cy;
                    if (!image.Inside(x, y) || dx * dx + dy * dy > radius * radius) continue;
                    // Lit from above, in shade toward the base and the
                    // puff's lower right.
                    const int up = std::clamp((cloud.base - y) + (-dx - dy) / 3, 0, 14);
                    const FineColour c = Mix(Mix(shade, light, up, 14), SkyAt(y), 1, 8);
                    image.At(x, y) = Dither(c, x, y);
                }
            }
        }
    }
}

}  // namespace

RgbImage PaintBackground() {
    RgbImage image(kBackgroundWidth, kBackgroundHeight);
    PaintSky(image);
    PaintClouds(image);

    const FineColour snow = Fine(MakeRgb(236, 238, 250));
    const Range far = {
        150, {70, 26, 6}, 7, Fine(MakeRgb(150, 158, 204)), Fine(MakeRgb(200, 198, 218)), 90, 3};
    const Range middle = {
        208, {26, 12, 3}, 31, Fine(MakeRgb(96, 122, 160)), Fine(MakeRgb(160, 172, 192)), 60, 3};
    const Range near = {238, {9, 6, 2}, 53, Fine(MakeRgb(52, 92, 84)), Fine(MakeRgb(96, 126, 118)),
                        40,  2};
    PaintRange(image, far, kWallTop, &snow, 140);
    PaintRange(image, middle, kWallTop);
    PaintTemple(image);
    PaintRange(image, near, kWallTop);
    PaintPines(image, near);
    PaintWall(image);
    PaintFloor(image);
    return image;
}

}  // namespace brannock::art
