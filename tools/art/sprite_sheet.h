// From poses to the frames the game loads: each pose painted, cropped to
// its figure with a key-coloured border, and given the offset that puts it
// in place around the anchor.
#pragma once

#include <string>
#include <vector>

#include "tools/art/animations.h"
#include "tools/art/images.h"

namespace brannock::art {

struct RenderedFrame {
    std::string file;
    IndexedImage image;  // odd width, a key-coloured row and column on every side
    int offsetX = 0;     // the bitmap's centre relative to the anchor
    int offsetY = 0;
    int wait = 0;
    bool airborne = false;
};

struct RenderedAnimation {
    const AnimationPlan* plan = nullptr;
    std::vector<RenderedFrame> frames;
};

// Where a frame's top-left pixel lands when drawn at the anchor (ax, ay),
// placed as the game's animation player places it: centred on the anchor
// plus the offset, half sizes rounded toward zero, x mirrored on request.
int DrawLeft(const RenderedFrame& frame, int ax, bool mirrored);
int DrawTop(const RenderedFrame& frame, int ay);

// Paints every frame of `animations`. False, with the animation and frame
// named in `error`, when a pose cannot be solved, leaves the canvas, or
// (unless airborne) does not stand on the ground line.
bool RenderAnimations(const std::vector<AnimationPlan>& animations,
                      std::vector<RenderedAnimation>& rendered, std::string& error);

}  // namespace brannock::art
