// The fighter's nine animations as the sample game plays them: a pose, a
// bitmap name and a wait per frame, and whether the animation loops.
#pragma once

#include <string>
#include <vector>

#include "tools/art/skeleton.h"

namespace brannock::art {

struct FramePlan {
    std::string file;  // bitmap name in the folder image; a name may recur with the same pose
    Pose pose;
    int wait = 0;           // the frame stays wait + 1 steps
    bool airborne = false;  // no foot on the ground
};

struct AnimationPlan {
    std::string name;
    std::vector<std::string> notes;  // comment lines for the definition file
    bool loops = false;
    std::vector<FramePlan> frames;
};

std::vector<AnimationPlan> FighterAnimations();

}  // namespace brannock::art
