// The fighter's skeleton: fixed bone lengths, a pose of joint angles per
// frame, and the joint positions that follow from it. Feet that stand on the
// ground are placed by where they stand and the leg bends to reach them
// (two-bone inverse kinematics with the same fixed lengths), so a planted
// foot stays on its pixel however the body above it moves.
//
// Coordinates are fixed point (fixed_math.h) relative to the anchor, the
// point of the ground line under the fighter: x grows forward (the fighter
// faces right), y grows downward, the ground is y = 0.
#pragma once

#include <string>

#include "tools/art/fixed_math.h"

namespace brannock::art {

// Bone lengths and body sizes, in fixed point.
struct Body {
    static constexpr std::int64_t kTorso = Px(34);     // hip joint to the base of the neck
    static constexpr std::int64_t kShoulder = Px(29);  // hip joint to the shoulder joints
    static constexpr std::int64_t kNeck = Px(6);
    static constexpr std::int64_t kHeadRadius = Qp(39);
    static constexpr std::int64_t kUpperArm = Px(20);
    static constexpr std::int64_t kForearm = Px(18);
    static constexpr std::int64_t kThigh = Px(27);
    static constexpr std::int64_t kShin = Px(27);
};

struct ArmPose {
    int upper = 0;  // absolute bone angles (Polar: 0 down, 90 forward, 180 up)
    int fore = 0;
    bool open = false;  // an open hand instead of a fist
};

struct LegPose {
    enum class Kind {
        kAngles,  // thigh and shin angles given
        kAnkle,   // the ankle at (x, y); the knee bends forward to reach it
        kGround,  // the foot rests on the ground with its ankle at x
    };
    Kind kind = Kind::kGround;
    int thigh = 0;  // kAngles
    int shin = 0;
    int x = 0;      // kAnkle, kGround: ankle position in pixels
    int y = 0;      // kAnkle only
    int foot = 90;  // foot angle: 90 level with the toes forward, less points them down
};

constexpr LegPose LegAngles(int thigh, int shin, int foot) {
    return {LegPose::Kind::kAngles, thigh, shin, 0, 0, foot};
}
constexpr LegPose LegAnkle(int x, int y, int foot) {
    return {LegPose::Kind::kAnkle, 0, 0, x, y, foot};
}
constexpr LegPose LegGround(int x, int foot = 90) {
    return {LegPose::Kind::kGround, 0, 0, x, 0, foot};
}

// One frame's pose. The near limbs are the fighter's right arm and leg (the
// side that faces the viewer), the far ones the left.
struct Pose {
    int hipX = 0;  // the hip joint, pixels from the anchor
    int hipY = -50;
    int lean = 0;  // torso, degrees forward of upright
    int head = 0;  // head, degrees forward of the torso's line
    ArmPose nearArm;
    ArmPose farArm;
    LegPose nearLeg;
    LegPose farLeg;
    int tails = 0;  // how far the headband's tails fly back, degrees from hanging
};

struct ArmJoints {
    Vec shoulder, elbow, wrist, hand;
    bool open = false;
};

struct LegJoints {
    Vec hip, knee, ankle;
    int foot = 90;
};

struct Joints {
    Vec hip;
    Vec neck;  // base of the neck, top of the torso
    Vec headCentre;
    int lean = 0;
    int headAngle = 0;  // the head's tilt forward, absolute
    ArmJoints nearArm, farArm;
    LegJoints nearLeg, farLeg;
    int tails = 0;
};

// The foot's outline, in pixels along the foot (u, toward the toes) and
// across it (v, toward the sole), the ankle at the origin.
struct FootPoint {
    int u, v;
};
inline constexpr FootPoint kFootOutline[] = {{-2, -3}, {2, -2}, {8, 0},  {12, 2}, {13, 5},
                                             {11, 6},  {-3, 6}, {-5, 4}, {-4, 0}};

// The foot outline placed at `ankle` with foot angle `foot`.
Vec FootPointAt(Vec ankle, int foot, FootPoint point);

// Solves the pose into joint positions. False, with a reason in `error`,
// when a leg cannot reach where the pose puts its foot.
bool SolvePose(const Pose& pose, Joints& joints, std::string& error);

}  // namespace brannock::art
