// The fighter's figure: the body parts (limbs, gi, belt, head, hair,
// headband) laid around the joints of one pose.
#pragma once

#include "tools/art/images.h"
#include "tools/art/skeleton.h"

namespace brannock::art {

// Paints the fighter in a key-coloured canvas of width x height whose pixel
// corner (anchorX, anchorY) is the anchor.
IndexedImage PaintFighter(const Joints& joints, int width, int height, int anchorX, int anchorY);

}  // namespace brannock::art
