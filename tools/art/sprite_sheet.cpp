// Painting, cropping and placing the frames.
#include "tools/art/sprite_sheet.h"

#include <algorithm>

#include "tools/art/fighter_figure.h"
#include "tools/art/palette.h"

namespace brannock::art {
namespace {

// The canvas every pose is painted in, and its anchor: room for a high kick
// above the head and a sweep well ahead of the feet.
constexpr int kCanvasWidth = 320;
constexpr int kCanvasHeight = 320;
constexpr int kAnchorX = 150;
constexpr int kAnchorY = 250;

struct Bounds {
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive-exclusive
};

bool FigureBounds(const IndexedImage& image, Bounds& bounds) {
    bounds = {image.width, image.height, 0, 0};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) == kKeyIndex) continue;
            bounds.left = std::min(bounds.left, x);
            bounds.top = std::min(bounds.top, y);
            bounds.right = std::max(bounds.right, x + 1);
            bounds.bottom = std::max(bounds.bottom, y + 1);
        }
    }
    return bounds.left < bounds.right;
}

bool RenderFrame(const FramePlan& plan, RenderedFrame& frame, std::string& error) {
    Joints joints;
    if (!SolvePose(plan.pose, joints, error)) return false;
    const IndexedImage canvas =
        PaintFighter(joints, kCanvasWidth, kCanvasHeight, kAnchorX, kAnchorY);
    Bounds b;
    if (!FigureBounds(canvas, b)) {
        error = "the pose paints nothing";
        return false;
    }
    if (b.left == 0 || b.top == 0 || b.right == kCanvasWidth || b.bottom == kCanvasHeight) {
        error = "the pose leaves the canvas";
        return false;
    }
    // A frame that stands on the ground has its lowest row (the soles'
    // outline) on the anchor's row; rounding in a tilted foot may leave it
    // one row off, which the offset takes up.
    int lift = 0;
    if (!plan.airborne) {
        lift = kAnchorY + 1 - b.bottom;
        if (lift < -1 || lift > 1) {
            error = "the feet are " + std::to_string(lift) + " rows off the ground";
            return false;
        }
    }
    // A key-coloured border, and an odd width: mirrored, an odd-width frame
    // turns about its centre column, so every frame turns about the anchor
    // and nothing shifts by a pixel when the fighter faces left.
    const int left = b.left - 1;
    const int top = b.top - 1;
    int width = b.right - b.left + 2;
    const int height = b.bottom - b.top + 2;
    if (width % 2 == 0) ++width;
    frame.image = IndexedImage(width, height, kKeyIndex);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (canvas.Inside(left + x, top + y))
                frame.image.At(x, y) = canvas.At(left + x, top + y);
        }
    }
    frame.file = plan.file;
    frame.offsetX = left - kAnchorX + width / 2;
    frame.offsetY = top - kAnchorY + height / 2 + lift;
    frame.wait = plan.wait;
    frame.airborne = plan.airborne;
    return true;
}

}  // namespace

int DrawLeft(const RenderedFrame& frame, int ax, bool mirrored) {
    const int half = frame.image.width / 2;
    return mirrored ? ax - frame.offsetX - half : ax + frame.offsetX - half;
}

int DrawTop(const RenderedFrame& frame, int ay) {
    return ay + frame.offsetY - frame.image.height / 2;
}

bool RenderAnimations(const std::vector<AnimationPlan>& animations,
                      std::vector<RenderedAnimation>& rendered, std::string& error) {
    rendered.clear();
    for (const AnimationPlan& animation : animations) {
        RenderedAnimation& out = rendered.emplace_back();
        out.plan = &animation;
        for (std::size_t i = 0; i < animation.frames.size(); ++i) {
            RenderedFrame frame;
            if (!RenderFrame(animation.frames[i], frame, error)) {
                error = animation.name + " frame " + std::to_string(i) + " (" +
                        animation.frames[i].file + "): " + error;
                return false;
            }
            out.frames.push_back(std::move(frame));
        }
    }
    return true;
}

}  // namespace brannock::art
