// The courtyard: a low stone wall at the back and a floor of flagstones
// seen in perspective, the fighter's ground line in the middle of a row of
// stones.
#include <algorithm>
#include <cstdlib>

#include "tools/art/background.h"
#include "tools/art/scenery.h"

namespace brannock::art {
namespace {

// The camera: eye level on row kEyeLevel; a stone row boundary lies at
// depth k * kStoneDepth for whole k, and the floor's back edge at depth
// 9 * kStoneDepth.
constexpr int kEyeLevel = 200;
constexpr int kStoneDepth = 256;
constexpr int kStoneWidth = 384;
constexpr int kFocal = 256;
constexpr int kDepthScale = (kFloorTop - kEyeLevel) * 9 * kStoneDepth;

constexpr int StoneRow(int y) {
    return kDepthScale / (y - kEyeLevel) / kStoneDepth;
}

// The fighter's feet come down inside a row of stones, clear of its seams.
static_assert(kFloorTop < kFloorLine && StoneRow(kFloorLine - 3) == StoneRow(kFloorLine + 3));

int FloorDiv(int a, int b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

struct Stone {
    int row, column;
};

Stone StoneAt(int x, int y) {
    const int depth = kDepthScale / (y - kEyeLevel);
    const int row = StoneRow(y);
    const int across = (x - kBackgroundWidth / 2) * depth / kFocal + (row % 2) * kStoneWidth / 2;
    return {row, FloorDiv(across, kStoneWidth)};
}

}  // namespace

void PaintWall(RgbImage& image) {
    const FineColour coping = Fine(MakeRgb(206, 196, 180));
    const FineColour copingLight = Fine(MakeRgb(232, 224, 210));
    const FineColour face = Fine(MakeRgb(150, 140, 132));
    const FineColour mortar = Fine(MakeRgb(98, 90, 92));
    for (int y = kWallTop; y < kFloorTop; ++y) {
        for (int x = 0; x < image.width; ++x) {
            FineColour c;
            if (y == kWallTop) {
                c = copingLight;
            } else if (y < kWallTop + 4) {
                c = coping;
            } else if (y == kWallTop + 4) {
                c = mortar;  // the coping's shadow line
            } else {
                // Blocks of 26 x 8 in running bond, each a little different.
                const int course = (y - kWallTop - 5) / 8;
                const int shifted = x + (course % 2) * 13;
                const int block = shifted / 26;
                const bool joint = (y - kWallTop - 5) % 8 == 7 || shifted % 26 == 0;
                const int vary = static_cast<int>(Hash(block, course, 5) % 9) - 4;
                c = joint ? mortar
                          : FineColour{face.r + vary * 24, face.g + vary * 22, face.b + vary * 20};
                c = Mix(c, mortar, std::max(0, y - (kFloorTop - 5)), 8);  // shade at its foot
            }
            image.At(x, y) = Dither(c, x, y);
        }
    }
    // Square posts rising above the wall, lit from the left.
    const FineColour post = Fine(MakeRgb(188, 178, 164));
    const FineColour postLight = Fine(MakeRgb(226, 218, 204));
    const FineColour postShade = Fine(MakeRgb(128, 118, 114));
    for (int centre = 40; centre < image.width; centre += 140) {
        for (int y = kWallTop - 12; y < kFloorTop; ++y) {
            const bool cap = y < kWallTop - 8;
            const int half = cap ? 9 : 7;
            for (int dx = -half; dx <= half; ++dx) {
                FineColour c = dx < -half + 3 ? postLight : dx > half - 4 ? postShade : post;
                if (y == kWallTop - 8 || y == kFloorTop - 1) c = postShade;
                image.At(centre + dx, y) = Dither(c, centre + dx, y);
            }
        }
    }
}

void PaintFloor(RgbImage& image) {
    const FineColour back = Fine(MakeRgb(150, 132, 118));
    const FineColour front = Fine(MakeRgb(214, 192, 162));
    const FineColour seam = Fine(MakeRgb(96, 80, 76));
    for (int y = kFloorTop; y < image.height; ++y) {
        const FineColour row = Mix(back, front, y - kFloorTop, image.height - kFloorTop);
        for (int x = 0; x < image.width; ++x) {
            const Stone stone = StoneAt(x, y);
            const Stone above = y > kFloorTop ? StoneAt(x, y - 1) : stone;
            const Stone left = StoneAt(x - 1, y);
            FineColour c = row;
            if (stone.row != above.row || stone.column != left.column) {
                c = Mix(row, seam, 5, 8);
            } else {
                // Each stone its own shade, and a fine grain over all.
                const int vary = static_cast<int>(Hash(stone.row, stone.column, 9) % 11) - 5;
                const int grain = static_cast<int>(Hash(x, y, 13) % 5) - 2;
                const int shift = vary * 18 + grain * 10;
                c = {c.r + shift, c.g + shift, c.b + shift * 3 / 4};
                // Each stone's back edge catches the light.
                if (y > kFloorTop + 1 && StoneAt(x, y - 2).row != stone.row)
                    c = Mix(c, front, 1, 2);
            }
            // The wall's shadow across the back of the floor.
            if (y < kFloorTop + 12) c = Mix(c, seam, kFloorTop + 12 - y, 24);
            image.At(x, y) = Dither(c, x, y);
        }
    }
}

}  // namespace brannock::art
