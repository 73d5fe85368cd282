// Contact sheet and scene previews.
#include "tools/art/preview.h"

#include <algorithm>

#include "tools/art/background.h"
#include "tools/art/palette.h"

namespace brannock::art {
namespace {

constexpr int kCellWidth = 150;
constexpr int kCellHeight = 230;
constexpr int kCellAnchorX = 60;
constexpr int kCellAnchorY = 190;

// Draws a frame with its key transparent, as DrawImage does.
void DrawFrame(RgbImage& target, const RenderedFrame& frame, int ax, int ay, bool mirrored) {
    const int left = DrawLeft(frame, ax, mirrored);
    const int top = DrawTop(frame, ay);
    const IndexedImage& image = frame.image;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t index = image.At(mirrored ? image.width - 1 - x : x, y);
            if (index == kKeyIndex || !target.Inside(left + x, top + y)) continue;
            target.At(left + x, top + y) = kFighterPalette[index];
        }
    }
}

const RenderedAnimation* Named(const std::vector<RenderedAnimation>& all, const char* name) {
    for (const RenderedAnimation& animation : all)
        if (animation.plan->name == name) return &animation;
    return nullptr;
}

}  // namespace

RgbImage ContactSheet(const std::vector<RenderedAnimation>& animations) {
    std::size_t columns = 1;
    for (const RenderedAnimation& animation : animations)
        columns = std::max(columns, animation.frames.size());
    RgbImage sheet(static_cast<int>(columns) * kCellWidth,
                   static_cast<int>(animations.size()) * kCellHeight);
    for (std::size_t row = 0; row < animations.size(); ++row) {
        for (std::size_t column = 0; column < columns; ++column) {
            const int x0 = static_cast<int>(column) * kCellWidth;
            const int y0 = static_cast<int>(row) * kCellHeight;
            const Rgb backdrop =
                (row + column) % 2 ? MakeRgb(176, 190, 206) : MakeRgb(188, 200, 214);
            for (int y = 0; y < kCellHeight; ++y) {
                for (int x = 0; x < kCellWidth; ++x) {
                    Rgb colour = backdrop;
                    if (y == kCellAnchorY + 1) colour = MakeRgb(96, 104, 120);
                    if (y > kCellAnchorY + 1) colour = MakeRgb(150, 140, 128);
                    sheet.At(x0 + x, y0 + y) = colour;
                }
            }
            const auto& frames = animations[row].frames;
            if (column < frames.size()) {
                DrawFrame(sheet, frames[column], x0 + kCellAnchorX, y0 + kCellAnchorY, false);
            }
        }
    }
    return sheet;
}

RgbImage Scene(const RgbImage& background, const std::vector<RenderedAnimation>& animations) {
    RgbImage scene = background;
    struct Placement {
        const char* animation;
        std::size_t frame;
        int x, y;
        bool mirrored;
    };
    static constexpr Placement kPlacements[] = {
        {"STAND", 0, 100, kFloorLine, false}, {"WALK", 2, 250, kFloorLine, true},
        {"KICK1", 2, 390, kFloorLine, false}, {"JUMP", 2, 470, 140, true},
        {"KICK2", 2, 540, kFloorLine, true},
    };
    for (const Placement& p : kPlacements) {
        const RenderedAnimation* animation = Named(animations, p.animation);
        if (animation == nullptr || p.frame >= animation->frames.size()) continue;
        DrawFrame(scene, animation->frames[p.frame], p.x, p.y, p.mirrored);
    }
    return scene;
}

}  // namespace brannock::art
