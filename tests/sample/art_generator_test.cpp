// The art generator's own machinery: the skeleton keeps its bones, the
// dithering keeps its colours.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

#include "tools/art/animations.h"
#include "tools/art/colour_ramp.h"
#include "tools/art/skeleton.h"

namespace {

using namespace brannock::art;

// |a - b| against `length`, in 1/256 pixel.
std::int64_t Stretch(Vec a, Vec b, std::int64_t length) {
    return std::llabs(Length(b - a) - length);
}

TEST(ArtSkeleton, EveryPoseKeepsItsBoneLengthsAndPlantsItsFeetOnTheGround) {
    constexpr std::int64_t kTolerance = kUnit / 64;  // rounding only
    int poses = 0;
    for (const AnimationPlan& animation : FighterAnimations()) {
        for (std::size_t i = 0; i < animation.frames.size(); ++i) {
            const Pose& pose = animation.frames[i].pose;
            Joints joints;
            std::string error;
            ASSERT_TRUE(SolvePose(pose, joints, error))
                << animation.name << " " << i << ": " << error;
            ++poses;
            for (const ArmJoints* arm : {&joints.nearArm, &joints.farArm}) {
                EXPECT_LE(Stretch(arm->shoulder, arm->elbow, Body::kUpperArm), kTolerance)
                    << animation.name << " " << i;
                EXPECT_LE(Stretch(arm->elbow, arm->wrist, Body::kForearm), kTolerance)
                    << animation.name << " " << i;
            }
            const std::pair<const LegJoints*, const LegPose*> legs[] = {
                {&joints.nearLeg, &pose.nearLeg}, {&joints.farLeg, &pose.farLeg}};
            for (const auto& [leg, legPose] : legs) {
                // Inverse kinematics may round a knee, never stretch a bone.
                EXPECT_LE(Stretch(leg->hip, leg->knee, Body::kThigh), kTolerance * 4)
                    << animation.name << " " << i;
                EXPECT_LE(Stretch(leg->knee, leg->ankle, Body::kShin), kTolerance * 4)
                    << animation.name << " " << i;
                if (legPose->kind != LegPose::Kind::kGround) continue;
                EXPECT_EQ(leg->ankle.x, Px(legPose->x)) << animation.name << " " << i;
                std::int64_t lowest = INT64_MIN;
                for (const FootPoint point : kFootOutline)
                    lowest = std::max(lowest, FootPointAt(leg->ankle, leg->foot, point).y);
                EXPECT_EQ(lowest, 0)
                    << animation.name << " " << i << ": the sole is off the ground";
            }
        }
    }
    EXPECT_GT(poses, 30);
}

TEST(ArtSkeleton, RefusesALegThatCannotReachItsFoot) {
    Pose pose;
    pose.hipY = -80;  // higher than thigh and shin can span
    Joints joints;
    std::string error;
    EXPECT_FALSE(SolvePose(pose, joints, error));
    EXPECT_NE(error.find("cannot reach"), std::string::npos) << error;
}

TEST(ArtColours, DitheringMixesTheTwoNearestLevelsInTheRightShare) {
    // Colours between 5-6-5 levels, in sixteenths of a unit.
    for (int fine = 0; fine <= 255 * 16; fine += 37) {
        const FineColour colour{fine, fine, fine};
        int sum[3] = {0, 0, 0};
        std::set<int> reds;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const Rgb pixel = Dither(colour, x, y);
                sum[0] += RedOf(pixel);
                sum[1] += GreenOf(pixel);
                sum[2] += BlueOf(pixel);
                reds.insert(RedOf(pixel));
            }
        }
        EXPECT_LE(reds.size(), 2u) << fine;
        if (reds.size() == 2) {
            EXPECT_LE(*reds.rbegin() - *reds.begin(), 9) << "not neighbours";
        }
        // The 8x8 average is the colour asked for, to within a sixteenth of
        // the step between levels (8 or 4 units).
        for (int channel = 0; channel < 3; ++channel) {
            const int average16 = sum[channel] * 16 / 64;
            EXPECT_LE(std::abs(average16 - fine), 16) << "channel " << channel << " at " << fine;
        }
    }
}

TEST(ArtColours, QuantiseGivesTheNearestLevelWidenedForA16BitScreen) {
    EXPECT_EQ(Quantise(MakeRgb(255, 0, 255)), MakeRgb(255, 0, 255));
    EXPECT_EQ(Quantise(MakeRgb(0, 0, 0)), MakeRgb(0, 0, 0));
    // 100 lies between the 5-bit levels 99 (12) and 107 (13), nearer 99;
    // between the 6-bit levels 97 (24) and 101 (25), nearer 101.
    EXPECT_EQ(Quantise(MakeRgb(100, 100, 100)), MakeRgb(99, 101, 99));
}

}  // namespace
