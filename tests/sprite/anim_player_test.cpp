// The animation player's timing, links, end flag and draw position.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "sprite/anim_player.h"
#ifndef _WIN32
#include "platform/testing/debug_output.h"
#endif

namespace {

// Frame i gets image handle firstImage + i and the i-th wait.
Animation MakeAnimation(std::initializer_list<int> waits, int firstImage) {
    Animation animation;
    for (int wait : waits) {
        Animation::Frame frame;
        frame.image = firstImage++;
        frame.wait = wait;
        animation.AddFrame(frame);
    }
    return animation;
}

// Per Update: {returned image, frame index, counter, finished}.
using Steps = std::vector<std::vector<int>>;

Steps Play(CAnimPlayer& player, int count) {
    Steps steps;
    for (int i = 0; i < count; ++i) {
        const int image = player.Update();
        steps.push_back({image, player.GetFrameIndex(), player.GetCounter(), player.IsFinished()});
    }
    return steps;
}

std::vector<int> Images(CAnimPlayer& player, int count) {
    std::vector<int> images;
    for (int i = 0; i < count; ++i)
        images.push_back(player.Update());
    return images;
}

TEST(AnimPlayer, LoopingAnimationTiming) {
    enum { F0 = 10, F1, F2 };
    Animation animation = MakeAnimation({2, 2, 0}, F0);
    animation.jump = &animation;
    CAnimPlayer player;
    player.Start(&animation, 0, 0);
    // clang-format off
    const Steps expected = {
        {F0, 0, 2, 0}, {F0, 1, 0, 0}, {F0, 1, 1, 0}, {F0, 1, 2, 0}, {F1, 2, 0, 0},
        {F1, 2, 1, 0}, {F1, 2, 2, 0}, {F2, 3, 0, 0}, {F0, 0, 0, 0}, {F0, 0, 1, 0},
        {F0, 0, 2, 0}, {F0, 1, 0, 0}, {F0, 1, 1, 0}, {F0, 1, 2, 0}, {F1, 2, 0, 0}};
    // clang-format on
    EXPECT_EQ(Play(player, 15), expected);

    // Waits of 0, and negative ones alike, show a frame for one step.
    for (int wait : {0, -5}) {
        Animation h = MakeAnimation({wait, wait}, 0);
        h.jump = &h;
        player.Start(&h, 0, 0);
        EXPECT_EQ(Images(player, 8), (std::vector<int>{0, 1, 0, 0, 1, 0, 0, 1}));
    }
}

TEST(AnimPlayer, AnimationWithoutLinkHoldsItsLastFrameAndFinishes) {
    enum { G0 = 20, G1 };
    Animation animation = MakeAnimation({1, 1}, G0);
    CAnimPlayer player;
    player.Start(&animation, 0, 0);
    // clang-format off
    const Steps expected = {
        {G0, 1, 0, 0}, {G0, 1, 1, 0}, {G1, 2, 0, 0}, {G1, 2, 1, 0}, {G1, 2, 2, 1}, {G1, 2, 3, 1}};
    // clang-format on
    EXPECT_EQ(Play(player, 6), expected);
    EXPECT_TRUE(player.IsPlaying(&animation));
    EXPECT_EQ(player.Restart(), G0);  // the held frame's wait has run out at once
    EXPECT_EQ(player.IsFinished(), 0);

    Animation single = MakeAnimation({1}, 7);
    player.Start(&single, 0, 0);
    EXPECT_EQ(Play(player, 3), (Steps{{7, 1, 0, 0}, {7, 1, 1, 0}, {7, 1, 2, 1}}));
}

TEST(AnimPlayer, LinkToAnotherAnimationSwitchesWhenTheLastFrameRunsOut) {
    Animation a = MakeAnimation({0, 0}, 40);
    Animation b = MakeAnimation({1, 1, 1}, 50);
    a.jump = &b;
    CAnimPlayer player;
    player.Start(&a, 0, 0);
    EXPECT_EQ(Images(player, 3), (std::vector<int>{40, 41, 50}));
    EXPECT_TRUE(player.IsPlaying(&b));
    EXPECT_EQ(player.GetFrameIndex(), 0);
    EXPECT_EQ(player.GetCounter(), 0);
    EXPECT_EQ(player.GetFrameCount(), 3);
    EXPECT_EQ(player.IsFinished(), 0);
    EXPECT_EQ(Images(player, 6), (std::vector<int>{50, 50, 50, 51, 51, 52}));
}

TEST(AnimPlayer, NothingToPlayStopsThePlayerSafely) {
    Animation a = MakeAnimation({0}, 60);
    Animation empty;
    CAnimPlayer player;
    EXPECT_EQ(player.Update(), -1);
    player.Start(&a, 0, 0);
    Images(player, 2);
    ASSERT_EQ(player.IsFinished(), 1);
    // Null, or an animation without frames: inactive, earlier reports kept.
    for (Animation* nothing : {static_cast<Animation*>(nullptr), &empty}) {
        player.Start(nothing, 5, 5);
        EXPECT_EQ(player.Update(), -1);
        EXPECT_EQ(player.IsFinished(), 1);
        EXPECT_TRUE(player.IsPlaying(&a));
    }
    // A link to an animation without frames is not followed.
    a.jump = &empty;
    player.Start(&a, 0, 0);
    EXPECT_EQ(Images(player, 3), (std::vector<int>{60, 60, 60}));
    EXPECT_EQ(player.IsFinished(), 1);
}

TEST(AnimPlayer, DrawPositionCentresTheFrameOnItsOffset) {
    Animation animation;
    animation.AddFrame({1, 10, -5, -20, -30, 0, 0, 0});  // a 40 x 60 bitmap
    CAnimPlayer player;
    auto at = [&player](int mirrored) {
        POINT point{};
        EXPECT_EQ(player.GetDrawPosition(&point, mirrored), &point);
        return std::vector<long>{point.x, point.y};
    };
    player.Start(&animation, 0, 0);
    EXPECT_EQ(at(0), (std::vector<long>{-10, -35}));
    EXPECT_EQ(at(1), (std::vector<long>{-30, -35}));
    player.Start(&animation, 100, 320);
    EXPECT_EQ(at(1), (std::vector<long>{70, 285}));
}

#ifndef _WIN32
TEST(AnimPlayer, EachStepIsTracedToTheDebuggerOutput) {
    namespace bt = brannock::testing;
    Animation animation = MakeAnimation({0}, 1);
    CAnimPlayer player;
    bt::CaptureDebugOutput(true);
    player.Update();  // inactive: no trace
    player.Start(&animation, 0, 0);
    player.Update();
    player.Update();
    EXPECT_EQ(bt::DebugOutput(),
              (std::vector<std::string>{"Num=1 Counter=0 flag=0\n", "Num=1 Counter=1 flag=1\n"}));
}
#endif

}  // namespace
