// Sprite sets read without a display: animations, frames, jump targets and
// links, capacity. Every frame's handle is then -1 and its half sizes 0.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "sprite/sprite_set.h"

namespace {

class SpriteSetTest : public ::testing::Test {
  protected:
    CSpriteSet set{nullptr, 100};

    void Read(std::string_view text) {
        ASSERT_TRUE(set.LoadFromMemory(text.data(), text.size(), true));
    }
    const Animation& At(int index) {
        const Animation* animation = set.GetAnimation(index);
        EXPECT_NE(animation, nullptr);
        return *animation;
    }
};

TEST_F(SpriteSetTest, ImageLinesBecomeFramesOfTheCurrentSection) {
    Read(
        "; fighter\n"
        "[STAND]\n"
        "&JUMP STAND\n"
        "stand0.bmp, 0, -8, 6\n"
        "stand1.bmp,3,+4,\t7,11,12,13\n"
        "$ spare.bmp, 0, 0\n"
        "[PUNCH1]\n"
        "punch0.bmp,12;right,x8,,\n");
    ASSERT_EQ(set.GetAnimationCount(), 2);
    const Animation& stand = At(0);
    EXPECT_EQ(stand.name, "STAND");
    EXPECT_STREQ(stand.jumpName, "STAND");
    ASSERT_EQ(stand.FrameCount(), 2);
    EXPECT_EQ(stand.offsetY[0], -8);
    EXPECT_EQ(stand.wait[0], 6);
    const Animation::Frame frame = stand.GetFrame(1);
    EXPECT_EQ(frame.image, -1);
    EXPECT_EQ(frame.offsetX, 3);
    EXPECT_EQ(frame.offsetY, 4);
    EXPECT_EQ(frame.wait, 7);
    EXPECT_EQ(frame.user1, 11);
    EXPECT_EQ(frame.user2, 12);  // a seventh field is ignored
    EXPECT_EQ(frame.negHalfWidth, 0);
    EXPECT_EQ(frame.negHalfHeight, 0);

    const Animation& punch = At(1);
    EXPECT_STREQ(punch.jumpName, "");
    ASSERT_EQ(punch.FrameCount(), 1);
    EXPECT_EQ(punch.offsetX[0], 12);  // digits end at the remark
    EXPECT_EQ(punch.offsetY[0], 0);   // no digits at all
    EXPECT_EQ(set.GetImageCount(), 3);
    EXPECT_EQ(set.GetImageHandle(2), -1);
}

TEST_F(SpriteSetTest, NumbersSaturateInsteadOfOverflowing) {
    Read("[A]\na.bmp,99999999999,-99999999999,2147483647,-2147483648\n");
    const Animation::Frame frame = At(0).GetFrame(0);
    EXPECT_EQ(frame.offsetX, INT_MAX);
    EXPECT_EQ(frame.offsetY, INT_MIN);
    EXPECT_EQ(frame.wait, INT_MAX);
    EXPECT_EQ(frame.user1, INT_MIN);
}

TEST_F(SpriteSetTest, DuplicateNamesAreSeparateAnimationsAndFindTakesTheFirst) {
    Read("[A]\none.bmp\n[A]\ntwo.bmp\nthree.bmp\n[a]\n");
    ASSERT_EQ(set.GetAnimationCount(), 3);
    EXPECT_EQ(set.Find("A"), set.GetAnimation(0));
    EXPECT_EQ(set.GetAnimation(1)->FrameCount(), 2);
    EXPECT_EQ(set.Find("a"), set.GetAnimation(2));  // names keep their case
    EXPECT_EQ(set.Find("MISSING"), nullptr);
    EXPECT_EQ(set.Find(nullptr), nullptr);
}

TEST_F(SpriteSetTest, JumpDirectiveVariants) {
    auto target = [](const std::string& directive) {
        CSpriteSet set(nullptr, 10);
        const std::string text = "[A]\n&JUMP OLD\n" + directive + "\n";
        set.LoadFromMemory(text.data(), text.size(), true);
        return std::string(set.GetAnimation(0)->jumpName);
    };
    EXPECT_EQ(target("&jump,stand"), "STAND");
    EXPECT_EQ(target("&JUMP STAND"), "STAND");
    EXPECT_EQ(target("&JUMP Stand extra"), "STAND");
    EXPECT_EQ(target("&JUMP \"Stand\""), "\"Stand\"");
    EXPECT_EQ(target("&JUMP STAND;loops"), "STAND;loops");
    EXPECT_EQ(target("& JUMP STAND"), "OLD");  // blank before the keyword
    EXPECT_EQ(target("&JUMP=STAND"), "OLD");   // no separator
    EXPECT_EQ(target("&LOOP STAND"), "OLD");   // other keyword
    EXPECT_EQ(target("&JUMP"), "OLD");         // nothing to jump to
    EXPECT_EQ(target("&JUMP, STAND"), "");     // empty target clears
    EXPECT_EQ(target("&JUMP  STAND"), "");
    EXPECT_EQ(target("&JUMP," + std::string(31, 'T')), std::string(31, 'T'));
    EXPECT_EQ(target("&JUMP," + std::string(32, 'T')), "OLD");  // does not fit

    // A directive before any section has no animation to change.
    CSpriteSet early(nullptr, 10);
    const std::string text = "&JUMP A\n[A]\n";
    early.LoadFromMemory(text.data(), text.size(), true);
    EXPECT_STREQ(early.GetAnimation(0)->jumpName, "");
}

TEST_F(SpriteSetTest, JumpTargetsApplyToTheWholeSectionWhereverTheyStand) {
    Read(
        "[EMPTY]\n&JUMP B\n[BEFORE]\n&JUMP B\nb0.bmp\nb1.bmp\n[AFTER]\nb0.bmp\n&JUMP B\n"
        "b1.bmp\n[B]\nb.bmp\n");
    EXPECT_EQ(At(0).FrameCount(), 0);
    EXPECT_STREQ(At(0).jumpName, "B");
    EXPECT_STREQ(At(1).jumpName, "B");
    EXPECT_STREQ(At(2).jumpName, "B");
    EXPECT_EQ(At(1).FrameCount(), At(2).FrameCount());
    EXPECT_EQ(set.Find("EMPTY")->jump, set.Find("B"));
}

TEST_F(SpriteSetTest, FindResolvesLinksLazilyAlongTheWholeChain) {
    Read(
        "[SELF]\n&JUMP SELF\n[P]\n&JUMP Q\n[Q]\n&JUMP P\n[X]\n&JUMP Y\n[Y]\n&JUMP Z\n[Z]\n"
        "[LOST]\n&JUMP NOWHERE\n[lower]\n&JUMP lower\n");
    Animation* self = set.Find("SELF");
    EXPECT_EQ(self->jump, self);

    const Animation* p = set.Find("P");
    const Animation* q = set.GetAnimation(2);
    EXPECT_EQ(p->jump, q);
    EXPECT_EQ(q->jump, p);

    // Nothing leads to X from what was looked up so far.
    EXPECT_EQ(set.GetAnimation(3)->jump, nullptr);
    Animation* x = set.Find("X");
    EXPECT_EQ(x->jump, set.GetAnimation(4));
    EXPECT_EQ(x->jump->jump, set.GetAnimation(5));
    EXPECT_EQ(x->jump->jump->jump, nullptr);

    Animation* lost = set.Find("LOST");
    EXPECT_EQ(lost, set.GetAnimation(6));
    EXPECT_EQ(lost->jump, nullptr);
    // Targets are upper-cased, so a lower-case section cannot be reached.
    EXPECT_EQ(set.Find("lower")->jump, nullptr);
}

TEST_F(SpriteSetTest, LinksSurviveLaterLoadsAndMissingTargetsAreRetried) {
    Read("[A]\n&JUMP B\na.bmp\n");
    Animation* a = set.Find("A");
    EXPECT_EQ(a->jump, nullptr);
    std::string more;
    for (int i = 0; i < 200; ++i)
        more += "[S" + std::to_string(i) + "]\n";
    Read(more + "[B]\nb.bmp\n");
    EXPECT_EQ(set.Find("A"), a);
    ASSERT_NE(a->jump, nullptr);
    EXPECT_EQ(a->jump->name, "B");
}

TEST_F(SpriteSetTest, CapacityCountsImageLinesOverTheWholeFile) {
    CSpriteSet small(nullptr, 3);
    const std::string text =
        "stray.bmp\n[A]\n$skip.bmp\na.bmp\nb.bmp\n[B]\nc.bmp\nd.bmp\n[C]\n&JUMP A\ne.bmp\n";
    small.LoadFromMemory(text.data(), text.size(), true);
    EXPECT_EQ(small.GetImageCount(), 3);
    ASSERT_EQ(small.GetAnimationCount(), 3);
    EXPECT_EQ(small.GetAnimation(0)->FrameCount(), 2);
    EXPECT_EQ(small.GetAnimation(1)->FrameCount(), 1);
    EXPECT_EQ(small.GetAnimation(2)->FrameCount(), 0);  // still made, still linked
    EXPECT_STREQ(small.GetAnimation(2)->jumpName, "A");
    EXPECT_EQ(small.GetImageHandle(3), -1);

    std::string hundredAndOne;
    for (int i = 0; i <= 100; ++i) {
        if (i % 30 == 0) hundredAndOne += "[S" + std::to_string(i) + "]\n";
        hundredAndOne += "f.bmp," + std::to_string(i) + "\n";
    }
    Read(hundredAndOne);
    EXPECT_EQ(set.GetImageCount(), 100);
    const Animation& last = At(set.GetAnimationCount() - 1);
    EXPECT_EQ(last.offsetX.back(), 99);

    CSpriteSet none(nullptr, -5);
    none.LoadFromMemory("[A]\na.bmp\n", 10, true);
    EXPECT_EQ(none.GetImageCount(), 0);
}

}  // namespace
