// The legs of a step cycle: planted, then swinging along an eased arc.
#include "tools/art/gait.h"

#include <algorithm>

namespace brannock::art {
namespace {

// The ankle height, in whole pixels, at which a foot at angle `foot`
// clears the ground by one pixel.
int ClearAnkleY(int foot) {
    std::int64_t lowest = 0;
    for (const FootPoint point : kFootOutline)
        lowest = std::max(lowest, FootPointAt({}, foot, point).y);
    return -static_cast<int>((lowest + kUnit - 1) / kUnit) - 1;
}

// Leg of a foot that landed `j` frames ago (0 <= j < frames).
LegPose GaitLeg(const Gait& gait, int j) {
    const int half = gait.frames / 2;
    if (j < half) {
        int foot = 90;
        if (j == 0) foot = gait.strikeFoot;
        if (j == 1) foot = (gait.strikeFoot + 90) / 2;
        if (j == half - 2) foot = (gait.pushFoot + 90) / 2;
        if (j == half - 1) foot = gait.pushFoot;
        return LegGround(gait.contactX - gait.travel * j, foot);
    }
    // Swinging from where the foot pushed off to where it lands next, on an
    // arc eased at both ends; t runs over (0, 1) in steps of 1/(half + 1).
    const int k = j - half + 1;
    const int steps = half + 1;
    const int pushX = gait.contactX - gait.travel * (half - 1);
    const int eased = k * k * (3 * steps - 2 * k);  // smoothstep, over steps^3
    const int x = pushX + (gait.contactX - pushX) * eased / (steps * steps * steps);
    const int height = static_cast<int>(DivRound(gait.lift * Sin(180 * k / steps), kTrigOne));
    const int foot = gait.pushFoot - 25 + (gait.strikeFoot - gait.pushFoot + 25) * k / steps;
    return LegAnkle(x, ClearAnkleY(foot) - height, foot);
}

}  // namespace

int GaitPhase(const Gait& gait, int i) {
    return 360 * i / gait.frames;
}

void GaitFrame(const Gait& gait, int i, Pose& pose) {
    const int half = gait.frames / 2;
    pose.nearLeg = GaitLeg(gait, i);
    pose.farLeg = GaitLeg(gait, (i + half) % gait.frames);
    // Lowest just after a foot lands, highest as the body passes over it.
    const int j = i % half;
    pose.hipY =
        gait.hipY + static_cast<int>(DivRound(gait.bob * Cos(360 * (j - 1) / half), kTrigOne));
}

}  // namespace brannock::art
