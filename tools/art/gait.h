// Walking and running cycles made from a few numbers. Each leg spends half
// the cycle on the ground and half swinging; a planted foot moves back by
// exactly the body's travel per frame, so it keeps its spot on the floor
// while the game moves the fighter forward.
#pragma once

#include "tools/art/skeleton.h"

namespace brannock::art {

struct Gait {
    int frames;      // frames per cycle (even); the near foot lands in frame 0, the far one halfway
    int travel;      // pixels the body moves forward per frame
    int contactX;    // where a landing ankle comes down, pixels from the anchor
    int lift;        // how high a swinging ankle rises, pixels
    int hipY;        // mean hip height
    int bob;         // how far the hips rise and sink around it over each step
    int strikeFoot;  // foot angle as the heel comes down
    int pushFoot;    // foot angle as the toes push off
};

// Sets the legs and hip height of frame `i` of the cycle.
void GaitFrame(const Gait& gait, int i, Pose& pose);

// How far through the cycle frame `i` is, in degrees (0 to 360).
int GaitPhase(const Gait& gait, int i);

}  // namespace brannock::art
