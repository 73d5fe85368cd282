// Pictures for looking at the art: every frame of every animation side by
// side on its ground line, and the fighter in the scene as the game would
// draw him. Not part of the sample's data.
#pragma once

#include <vector>

#include "tools/art/images.h"
#include "tools/art/sprite_sheet.h"

namespace brannock::art {

// One row per animation, each frame drawn at the anchor of its cell over a
// plain backdrop with the ground line one row below the anchor.
RgbImage ContactSheet(const std::vector<RenderedAnimation>& animations);

// The background with the fighter drawn at a few places and poses, facing
// either way, as the sample's main loop draws him.
RgbImage Scene(const RgbImage& background, const std::vector<RenderedAnimation>& animations);

}  // namespace brannock::art
