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

// An animation whose frame i has image handle firstImage + i and the given wait.
Animation MakeAnimation(std::initializer_list<int> waits, int firstImage) {
    Animation animation;
    int image = firstImage;
    for (int wait : waits) {
        Animation::Frame frame;
        frame.image = image++;
        frame.wait = wait;
        animation.AddFrame(frame);
    }
    return animation;
}

// What one Update returned and the player's state after it.
struct Step {
    int image;
    int frameIndex;
    int counter;
    int finished;
    bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Step& s) {
    return out << "{" << s.image << ", " << s.frameIndex << ", " << s.counter << ", " << s.finished
               << "}";
}

std::vector<Step> Play(CAnimPlayer& player, int steps) {
    std::vector<Step> result;
    for (int i = 0; i < steps; ++i) {
        const int image = player.Update();
        result.push_back({image, player.GetFrameIndex(), player.GetCounter(), player.IsFinished()});
    }
    return result;
}

std::vector<int> Images(CAnimPlayer& player, int steps) {
    std::vector<int> images;
    for (const Step& step : Play(player, steps))
        images.push_back(step.image);
    return images;
}

TEST(AnimPlayer, LoopingAnimationFollowsItsTimingTable) {
    enum { F0 = 10, F1, F2 };
    Animation animation = MakeAnimation({2, 2, 0}, F0);
    animation.jump = &animation;
    CAnimPlayer player;
    player.Start(&animation, 0, 0);
    EXPECT_EQ(player.GetFrameIndex(), 0);
    EXPECT_EQ(player.GetCounter(), 1);

    const std::vector<Step> expected = {
        {F0, 0, 2, 0}, {F0, 1, 0, 0}, {F0, 1, 1, 0}, {F0, 1, 2, 0}, {F1, 2, 0, 0},
        {F1, 2, 1, 0}, {F1, 2, 2, 0}, {F2, 3, 0, 0}, {F0, 0, 0, 0}, {F0, 0, 1, 0},
        {F0, 0, 2, 0}, {F0, 1, 0, 0}, {F0, 1, 1, 0}, {F0, 1, 2, 0}, {F1, 2, 0, 0},
    };
    EXPECT_EQ(Play(player, 15), expected);
}

TEST(AnimPlayer, AnimationWithoutLinkHoldsItsLastFrameAndFinishes) {
    enum { G0 = 20, G1 };
    Animation animation = MakeAnimation({1, 1}, G0);
    CAnimPlayer player;
    player.Start(&animation, 0, 0);
    const std::vector<Step> expected = {
        {G0, 1, 0, 0}, {G0, 1, 1, 0}, {G1, 2, 0, 0}, {G1, 2, 1, 0}, {G1, 2, 2, 1}, {G1, 2, 3, 1},
    };
    EXPECT_EQ(Play(player, 6), expected);
    EXPECT_TRUE(player.IsPlaying(&animation));  // still current once finished
    EXPECT_TRUE(player.IsActive());

    // Restart rewinds and steps once: the held frame's wait has run out,
    // so that step already shows the first frame.
    EXPECT_EQ(player.Restart(), G0);
    EXPECT_EQ(player.GetFrameIndex(), 1);
    EXPECT_EQ(player.GetCounter(), 0);
    EXPECT_EQ(player.IsFinished(), 0);
    EXPECT_EQ(Images(player, 3), (std::vector<int>{G0, G1, G1}));
}

TEST(AnimPlayer, ZeroAndNegativeWaitsShowAFrameForOneStep) {
    enum { H0 = 30, H1 };
    const std::vector<int> expected = {H0, H1, H0, H0, H1, H0, H0, H1};
    for (int wait : {0, -5}) {
        Animation animation = MakeAnimation({wait, wait}, H0);
        animation.jump = &animation;
        CAnimPlayer player;
        player.Start(&animation, 0, 0);
        EXPECT_EQ(Images(player, 8), expected) << "wait " << wait;
    }
}

TEST(AnimPlayer, OneFrameAnimationFinishesAfterShowingItsFrameTwice) {
    Animation animation = MakeAnimation({1}, 7);
    CAnimPlayer player;
    player.Start(&animation, 0, 0);
    const std::vector<Step> expected = {{7, 1, 0, 0}, {7, 1, 1, 0}, {7, 1, 2, 1}};
    EXPECT_EQ(Play(player, 3), expected);
}

TEST(AnimPlayer, LinkToAnotherAnimationSwitchesAtTheLastFrameEnd) {
    Animation a = MakeAnimation({0, 0}, 40);
    Animation b = MakeAnimation({1, 1, 1}, 50);
    a.jump = &b;
    CAnimPlayer player;
    player.Start(&a, 0, 0);
    EXPECT_EQ(Images(player, 2), (std::vector<int>{40, 41}));

    EXPECT_EQ(player.Update(), 50);
    EXPECT_TRUE(player.IsPlaying(&b));
    EXPECT_EQ(player.GetFrameIndex(), 0);
    EXPECT_EQ(player.GetCounter(), 0);
    EXPECT_EQ(player.GetFrameCount(), 3);
    EXPECT_EQ(player.IsFinished(), 0);
    // B goes on like an animation reached by a link: frame 0 shown again.
    EXPECT_EQ(Images(player, 6), (std::vector<int>{50, 50, 50, 51, 51, 52}));
}

TEST(AnimPlayer, MissingOrEmptyAnimationsStopThePlayerSafely) {
    Animation a = MakeAnimation({0}, 60);
    Animation empty;
    CAnimPlayer player;
    EXPECT_EQ(player.Update(), -1);  // never started
    player.Start(&a, 0, 0);
    Play(player, 3);
    ASSERT_EQ(player.IsFinished(), 1);

    // Starting nothing (or an animation with nothing in it) stops the player
    // but keeps what it reported.
    for (Animation* nothing : {static_cast<Animation*>(nullptr), &empty}) {
        player.Start(nothing, 5, 5);
        EXPECT_FALSE(player.IsActive());
        EXPECT_EQ(player.Update(), -1);
        EXPECT_EQ(player.IsFinished(), 1);
        EXPECT_TRUE(player.IsPlaying(&a));
    }

    // A link to an empty animation cannot be followed: the animation ends.
    a.jump = &empty;
    player.Start(&a, 0, 0);
    EXPECT_EQ(Images(player, 3), (std::vector<int>{60, 60, 60}));
    EXPECT_EQ(player.IsFinished(), 1);
    EXPECT_TRUE(player.IsPlaying(&a));
}

TEST(AnimPlayer, DrawPositionCentresTheFrameOnItsOffset) {
    Animation animation;
    Animation::Frame frame;
    frame.image = 1;
    frame.offsetX = 10;
    frame.offsetY = -5;
    frame.negHalfWidth = -20;  // a 40 x 60 bitmap
    frame.negHalfHeight = -30;
    animation.AddFrame(frame);
    CAnimPlayer player;
    player.Start(&animation, 0, 0);

    POINT point{};
    EXPECT_EQ(player.GetDrawPosition(&point, 0), &point);
    EXPECT_EQ(point.x, -10);
    EXPECT_EQ(point.y, -35);
    player.GetDrawPosition(&point, 1);
    EXPECT_EQ(point.x, -30);
    EXPECT_EQ(point.y, -35);

    player.Start(&animation, 100, 320);
    player.GetDrawPosition(&point, 1);
    EXPECT_EQ(point.x, 70);
    EXPECT_EQ(point.y, 285);
    EXPECT_EQ(player.GetDrawPosition(nullptr, 0), nullptr);
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
    bt::CaptureDebugOutput(false);
}
#endif

}  // namespace
