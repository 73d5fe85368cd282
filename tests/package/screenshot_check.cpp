// Checks a screenshot of a game: its background picture must be on the screen
// whole and unscaled, with exactly one of its sprite pictures drawn over it,
// the magenta pixels of the sprite transparent. Prints where they are.
//
//   brannock_screenshot_check <screenshot> <background> <sprite>...   (BMP files)
//
// Exit status: 0 when the screenshot shows that, 1 when not (with the
// reason), 2 for bad arguments or a file that cannot be read.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/bmp/bmp_decoder.h"

namespace {

using brannock::bmp::Image;

constexpr std::uint32_t kTransparent = 0xFF00FF;

struct Point {
    int x;
    int y;
};

std::uint32_t At(const Image& image, int x, int y) {
    return image.pixels[static_cast<std::size_t>(y) * image.width + x];
}

// Where the background's four corners appear on the screen: the places to
// compare in full.
std::vector<Point> CornerMatches(const Image& screen, const Image& background) {
    std::vector<Point> found;
    const int w = background.width, h = background.height;
    for (int y = 0; y + h <= screen.height; ++y) {
        for (int x = 0; x + w <= screen.width; ++x) {
            if (At(screen, x, y) == At(background, 0, 0) &&
                At(screen, x + w - 1, y) == At(background, w - 1, 0) &&
                At(screen, x, y + h - 1) == At(background, 0, h - 1) &&
                At(screen, x + w - 1, y + h - 1) == At(background, w - 1, h - 1))
                found.push_back({x, y});
        }
    }
    return found;
}

// The screen pixels that differ from the background placed at `at`; none
// when there are more than `limit`.
std::optional<std::vector<Point>> Differences(const Image& screen, const Image& background,
                                              Point at, std::size_t limit) {
    std::vector<Point> differences;
    for (int y = 0; y < background.height; ++y) {
        for (int x = 0; x < background.width; ++x) {
            if (At(screen, at.x + x, at.y + y) == At(background, x, y)) continue;
            if (differences.size() == limit) return std::nullopt;
            differences.push_back({at.x + x, at.y + y});
        }
    }
    return differences;
}

// True when the screen shows `sprite` with its top-left corner at `spot`
// over the background placed at `at`.
bool ShowsSprite(const Image& screen, const Image& background, Point at, const Image& sprite,
                 Point spot) {
    if (spot.x < at.x || spot.y < at.y || spot.x + sprite.width > at.x + background.width ||
        spot.y + sprite.height > at.y + background.height)
        return false;
    for (int y = 0; y < sprite.height; ++y) {
        for (int x = 0; x < sprite.width; ++x) {
            const std::uint32_t pixel = At(sprite, x, y);
            const std::uint32_t wanted = pixel == kTransparent
                                             ? At(background, spot.x - at.x + x, spot.y - at.y + y)
                                             : pixel;
            if (At(screen, spot.x + x, spot.y + y) != wanted) return false;
        }
    }
    return true;
}

std::optional<Image> Read(const char* path) {
    auto result = brannock::bmp::DecodeFile(path);
    if (!result) std::fprintf(stderr, "%s: %s\n", path, result.error.c_str());
    return std::move(result.image);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <screenshot> <background> <sprite>...\n", argv[0]);
        return 2;
    }
    std::vector<Image> images;
    for (int i = 1; i < argc; ++i) {
        auto image = Read(argv[i]);
        if (!image) return 2;
        images.push_back(std::move(*image));
    }
    const Image& screen = images[0];
    const Image& background = images[1];
    const std::vector<Image> sprites(images.begin() + 2, images.end());
    std::size_t largest = 0;
    for (const Image& sprite : sprites)
        largest = std::max(largest, static_cast<std::size_t>(sprite.width) * sprite.height);

    std::string verdict = "the background is not on the screen";
    for (const Point at : CornerMatches(screen, background)) {
        const auto differences = Differences(screen, background, at, largest);
        if (!differences) continue;
        if (differences->empty()) {
            verdict = "the background is on the screen, but no sprite is drawn on it";
            continue;
        }
        // The sprite's rectangle must hold every pixel that changed.
        Point low = differences->front(), high = low;
        for (const Point p : *differences) {
            low = {std::min(low.x, p.x), std::min(low.y, p.y)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y)};
        }
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            const Image& sprite = sprites[i];
            for (int y = high.y - sprite.height + 1; y <= low.y; ++y) {
                for (int x = high.x - sprite.width + 1; x <= low.x; ++x) {
                    if (!ShowsSprite(screen, background, at, sprite, {x, y})) continue;
                    std::printf("background at (%d, %d) on the screen; %s at (%d, %d) on it\n",
                                at.x, at.y, argv[3 + i], x - at.x, y - at.y);
                    return 0;
                }
            }
        }
        verdict = "the background is on the screen, but what is drawn on it (" +
                  std::to_string(differences->size()) + " pixels) is none of the sprites";
    }
    std::fprintf(stderr, "%s: %s\n", argv[1], verdict.c_str());
    return 1;
}
