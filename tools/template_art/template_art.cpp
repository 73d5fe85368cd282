// Draws the starter game's bitmaps: a 640x480 landscape for the background
// and a 32x32 round creature in two frames (eyes open, eyes shut) on the
// transparent magenta. All are 16-colour BMP files, so the committed copies
// stay small.
//
//   brannock_template_art <folder>   writes background.bmp, player0.bmp and
//                                    player1.bmp into an existing folder
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Rgb {
    std::uint8_t r, g, b;
};
using Palette = std::array<Rgb, 16>;
// Picks the palette index of pixel (x, y).
using Painter = std::function<int(int x, int y)>;

void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A 4-bit, bottom-up BMP file with a BITMAPINFOHEADER and 16 palette entries.
bool WriteBitmap(const std::string& path, int width, int height, const Palette& palette,
                 const Painter& paint) {
    const std::uint32_t rowBytes = ((static_cast<std::uint32_t>(width) + 1) / 2 + 3) & ~3u;
    const std::uint32_t pixelOffset = 14 + 40 + 16 * 4;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> file;
    Put(file, 0x4D42, 2);  // "BM"
    Put(file, pixelOffset + imageBytes, 4);
    Put(file, 0, 4);
    Put(file, pixelOffset, 4);
    Put(file, 40, 4);
    Put(file, static_cast<std::uint32_t>(width), 4);
    Put(file, static_cast<std::uint32_t>(height), 4);
    Put(file, 1, 2);  // planes
    Put(file, 4, 2);  // bits per pixel
    Put(file, 0, 4);  // BI_RGB
    Put(file, imageBytes, 4);
    Put(file, 2835, 4);  // 72 dpi
    Put(file, 2835, 4);
    Put(file, 16, 4);  // colours used
    Put(file, 0, 4);
    for (const Rgb& colour : palette)
        Put(file, colour.b | colour.g << 8 | colour.r << 16, 4);
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < width; ++x)
            row[x / 2] |= static_cast<std::uint8_t>((paint(x, y) & 15) << (x % 2 == 0 ? 4 : 0));
        file.insert(file.end(), row.begin(), row.end());
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

bool InCircle(double x, double y, double cx, double cy, double r) {
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

// --- The background: sky bands, sun, clouds, two rows of hills, ground. ---

enum Scenery {
    kSky0 = 0,
    kSun = 6,
    kCloud,
    kFarHill,
    kNearHill,
    kGrass,
    kSoil,
    kSoilStripe,
    kStone
};
constexpr Palette kSceneryPalette{{{64, 96, 176},
                                   {80, 116, 192},
                                   {98, 138, 206},
                                   {118, 160, 218},
                                   {140, 182, 228},
                                   {164, 204, 238},
                                   {255, 226, 110},
                                   {250, 250, 250},
                                   {118, 170, 120},
                                   {72, 140, 80},
                                   {96, 176, 72},
                                   {146, 100, 62},
                                   {124, 84, 52},
                                   {170, 160, 150},
                                   {0, 0, 0},
                                   {0, 0, 0}}};

bool InCloud(double x, double y, double cx, double cy, double size) {
    if (y > cy + size * 0.5) return false;  // flat underside
    return InCircle(x, y, cx - size, cy, size * 0.8) || InCircle(x, y, cx, cy - size * 0.4, size) ||
           InCircle(x, y, cx + size, cy, size * 0.8);
}

int PaintScenery(int x, int y) {
    constexpr double kPi = 3.14159265358979;
    constexpr int kGround = 400;
    if (y >= kGround) {
        if (y < kGround + 12) return kGrass;
        if (InCircle(x, y, 90, 440, 5) || InCircle(x, y, 300, 462, 4) ||
            InCircle(x, y, 510, 432, 6) || InCircle(x, y, 600, 470, 3))
            return kStone;
        return (y - kGround) % 16 < 2 ? kSoilStripe : kSoil;
    }
    if (y >= 350 - 30 * (0.5 + 0.5 * std::sin(x * 2 * kPi / 180))) return kNearHill;
    if (y >= 300 - 40 * (0.5 + 0.5 * std::sin(x * 2 * kPi / 260 + 1.0))) return kFarHill;
    if (InCircle(x, y, 530, 84, 34)) return kSun;
    if (InCloud(x, y, 150, 92, 26) || InCloud(x, y, 390, 146, 18)) return kCloud;
    return kSky0 + y * 6 / 320;
}

// --- The player: a round creature, eyes open or shut. ---

enum Creature { kClear = 0, kOutline, kBody, kShine, kEyeWhite, kPupil, kCheek, kFeet };
constexpr Palette kCreaturePalette{{{255, 0, 255},  // transparent
                                    {90, 40, 20},
                                    {255, 150, 40},
                                    {255, 205, 120},
                                    {255, 255, 255},
                                    {30, 30, 40},
                                    {240, 100, 90},
                                    {200, 100, 30},
                                    {0, 0, 0},
                                    {0, 0, 0},
                                    {0, 0, 0},
                                    {0, 0, 0},
                                    {0, 0, 0},
                                    {0, 0, 0},
                                    {0, 0, 0},
                                    {0, 0, 0}}};

int PaintCreature(int px, int py, bool eyesOpen) {
    const double x = px + 0.5, y = py + 0.5;
    for (const double eyeX : {11.5, 20.5}) {
        if (!InCircle(x, y, eyeX, 12, 3.4)) continue;
        if (!eyesOpen) return std::fabs(y - 12.5) < 0.6 ? kOutline : kBody;
        return InCircle(x, y, eyeX + 1, 12.5, 1.7) ? kPupil : kEyeWhite;
    }
    if (InCircle(x, y, 16, 15, 11.5)) {
        if (InCircle(x, y, 10.5, 8, 2.5)) return kShine;
        if (InCircle(x, y, 8, 18, 2) || InCircle(x, y, 24, 18, 2)) return kCheek;
        return kBody;
    }
    if (InCircle(x, y, 16, 15, 12.9)) return kOutline;
    if (y > 26 && (InCircle(x, y, 10, 28.5, 3) || InCircle(x, y, 22, 28.5, 3))) return kFeet;
    return kClear;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    const bool written =
        WriteBitmap(folder + "/background.bmp", 640, 480, kSceneryPalette, PaintScenery) &&
        WriteBitmap(folder + "/player0.bmp", 32, 32, kCreaturePalette,
                    [](int x, int y) { return PaintCreature(x, y, true); }) &&
        WriteBitmap(folder + "/player1.bmp", 32, 32, kCreaturePalette,
                    [](int x, int y) { return PaintCreature(x, y, false); });
    if (!written) {
        std::fprintf(stderr, "%s: cannot write the bitmaps into %s\n", argv[0], folder.c_str());
        return 1;
    }
    return 0;
}
