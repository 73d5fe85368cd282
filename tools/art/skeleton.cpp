// Forward kinematics for the torso, head and arms; forward or inverse
// kinematics for the legs.
#include "tools/art/skeleton.h"

#include <algorithm>

namespace brannock::art {
namespace {

// The knee that joins a thigh from `hip` and a shin to `ankle`, bent
// forward. False when the two bones cannot span the distance.
bool SolveKnee(Vec hip, Vec ankle, Vec& knee) {
    const Vec d = ankle - hip;
    const std::int64_t length = Length(d);
    const std::int64_t thigh = Body::kThigh;
    const std::int64_t shin = Body::kShin;
    if (length > thigh + shin || length < (thigh > shin ? thigh - shin : shin - thigh) ||
        length == 0) {
        return false;
    }
    // Distance from the hip along d to the foot of the knee's perpendicular,
    // and the knee's distance from d.
    const std::int64_t along = (thigh * thigh - shin * shin + length * length) / (2 * length);
    const std::int64_t across = ISqrt(thigh * thigh - along * along);
    knee = hip + Scale(d, along, length) - Scale(Perp(d), across, length);
    return true;
}

bool SolveLeg(const LegPose& pose, Vec hip, LegJoints& leg, const char* side, std::string& error) {
    leg.hip = hip;
    leg.foot = pose.foot;
    switch (pose.kind) {
        case LegPose::Kind::kAngles:
            leg.knee = hip + Polar(pose.thigh, Body::kThigh);
            leg.ankle = leg.knee + Polar(pose.shin, Body::kShin);
            return true;
        case LegPose::Kind::kAnkle:
            leg.ankle = {Px(pose.x), Px(pose.y)};
            break;
        case LegPose::Kind::kGround: {
            // Raise the ankle until the lowest point of the foot touches y = 0.
            std::int64_t lowest = 0;
            for (const FootPoint point : kFootOutline)
                lowest = std::max(lowest, FootPointAt({}, pose.foot, point).y);
            leg.ankle = {Px(pose.x), -lowest};
            break;
        }
    }
    if (SolveKnee(hip, leg.ankle, leg.knee)) return true;
    error = std::string("the ") + side + " leg cannot reach its foot";
    return false;
}

ArmJoints SolveArm(const ArmPose& pose, Vec shoulder) {
    ArmJoints arm;
    arm.shoulder = shoulder;
    arm.elbow = shoulder + Polar(pose.upper, Body::kUpperArm);
    arm.wrist = arm.elbow + Polar(pose.fore, Body::kForearm);
    arm.hand = arm.wrist + Polar(pose.fore, Qp(14));
    arm.open = pose.open;
    return arm;
}

}  // namespace

Vec FootPointAt(Vec ankle, int foot, FootPoint point) {
    // Along the foot is Polar(foot), toward the sole a quarter turn back.
    const std::int64_t u = Px(point.u);
    const std::int64_t v = Px(point.v);
    return {ankle.x + DivRound(Sin(foot) * u + Sin(foot - 90) * v, kTrigOne),
            ankle.y + DivRound(Cos(foot) * u + Cos(foot - 90) * v, kTrigOne)};
}

bool SolvePose(const Pose& pose, Joints& joints, std::string& error) {
    joints = {};
    joints.hip = {Px(pose.hipX), Px(pose.hipY)};
    joints.lean = pose.lean;
    joints.tails = pose.tails;
    const int up = 180 - pose.lean;      // along the torso, upward
    const int forward = 90 - pose.lean;  // across the torso, to the front
    joints.neck = joints.hip + Polar(up, Body::kTorso);
    joints.headAngle = pose.lean + pose.head;
    const Vec neckTop = joints.neck + Polar(up - pose.head / 2 - 12, Body::kNeck);
    joints.headCentre =
        neckTop + Polar(180 - joints.headAngle, Px(6)) + Polar(90 - joints.headAngle, Px(2));

    // The far shoulder sits a little forward: a fighting stance turns the
    // lead side toward the opponent.
    const Vec shoulders = joints.hip + Polar(up, Body::kShoulder);
    joints.nearArm = SolveArm(pose.nearArm, shoulders + Polar(forward, Px(-1)));
    joints.farArm = SolveArm(pose.farArm, shoulders + Polar(forward, Px(2)) + Polar(up, Px(1)));

    return SolveLeg(pose.nearLeg, joints.hip, joints.nearLeg, "near", error) &&
           SolveLeg(pose.farLeg, joints.hip + Polar(forward, Px(1)), joints.farLeg, "far", error);
}

}  // namespace brannock::art
