// Sprite sets read without a display (every frame's handle is then -1 and
// its half sizes 0): sections, fields, jump targets and links, capacity.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "sprite/sprite_set.h"

namespace {

void Read(CSpriteSet& set, const std::string& text) {
    ASSERT_TRUE(set.LoadFromMemory(text.data(), text.size(), true));
}

TEST(SpriteSet, SectionsHoldTheFramesOfTheirImageLines) {
    CSpriteSet set(nullptr, 10);
    Read(set,
         "[A]\na.bmp,3,+4,\t7,11,12,13\nb.bmp,12;x,y8,,\nc.bmp,99999999999,-99999999999\n"
         "[A]\n[a]\n");
    ASSERT_EQ(set.GetAnimationCount(), 3);
    EXPECT_EQ(set.Find("A"), set.GetAnimation(0));  // the first of a name
    EXPECT_EQ(set.Find("a"), set.GetAnimation(2));
    EXPECT_EQ(set.Find("B"), nullptr);
    const Animation& a = *set.GetAnimation(0);
    ASSERT_EQ(a.FrameCount(), 3);
    EXPECT_EQ(a.offsetY[0], 4);
    EXPECT_EQ(a.wait[0], 7);  // white space before digits is skipped
    EXPECT_EQ(a.user2[0], 12);
    EXPECT_EQ(a.offsetX[1], 12);  // digits end at the remark
    EXPECT_EQ(a.offsetY[1], 0);
    EXPECT_EQ(a.offsetX[2], INT_MAX);  // saturated, not overflowed
    EXPECT_EQ(a.offsetY[2], INT_MIN);
}

TEST(SpriteSet, JumpDirectiveVariants) {
    auto target = [](const std::string& directives) {
        CSpriteSet set(nullptr, 10);
        Read(set, "[A]\n&JUMP OLD\n" + directives + "\n");
        return std::string(set.GetAnimation(0)->jumpName);
    };
    EXPECT_EQ(target("&jump,stand"), "STAND");
    EXPECT_EQ(target("&JUMP Stand extra"), "STAND");
    EXPECT_EQ(target("&JUMP \"Stand\""), "\"Stand\"");
    EXPECT_EQ(target("&JUMP STAND;loops"), "STAND;loops");
    EXPECT_EQ(target("a.bmp\n&JUMP B\nb.bmp\n&JUMP C"), "C");  // the last one counts
    EXPECT_EQ(target("& JUMP STAND"), "OLD");                  // blank before the keyword
    EXPECT_EQ(target("&JUMP=STAND"), "OLD");
    EXPECT_EQ(target("&LOOP STAND"), "OLD");
    EXPECT_EQ(target("&JUMP"), "OLD");      // nothing to jump to
    EXPECT_EQ(target("&JUMP, STAND"), "");  // an empty target clears
    EXPECT_EQ(target("&JUMP  STAND"), "");
    EXPECT_EQ(target("&JUMP," + std::string(31, 'T')), std::string(31, 'T'));
    EXPECT_EQ(target("&JUMP," + std::string(32, 'T')), "OLD");  // too long to keep

    CSpriteSet early(nullptr, 10);
    Read(early, "&JUMP A\n[A]\n");
    EXPECT_STREQ(early.GetAnimation(0)->jumpName, "");
}

TEST(SpriteSet, FindResolvesTheChainOfLinksItStartsAt) {
    CSpriteSet set(nullptr, 10);
    Read(set,
         "[SELF]\n&JUMP SELF\n[P]\n&JUMP Q\n[Q]\n&JUMP P\n[X]\n&JUMP Y\n[Y]\n&JUMP Z\n[Z]\n"
         "[LOST]\n&JUMP NOWHERE\n[lower]\n&JUMP lower\n[EMPTY]\n&JUMP X\n");
    Animation* self = set.Find("SELF");
    EXPECT_EQ(self->jump, self);
    Animation* p = set.Find("P");
    EXPECT_EQ(p->jump, set.GetAnimation(2));
    EXPECT_EQ(p->jump->jump, p);

    EXPECT_EQ(set.GetAnimation(3)->jump, nullptr);  // not looked up yet
    Animation* empty = set.Find("EMPTY");
    EXPECT_EQ(empty->FrameCount(), 0);
    EXPECT_EQ(empty->jump, set.GetAnimation(3));
    EXPECT_EQ(empty->jump->jump, set.GetAnimation(4));
    EXPECT_EQ(empty->jump->jump->jump, set.GetAnimation(5));

    EXPECT_EQ(set.Find("LOST")->jump, nullptr);
    EXPECT_EQ(set.Find("lower")->jump, nullptr);  // targets are upper-cased
}

TEST(SpriteSet, LinksSurviveLaterLoadsAndMissingTargetsAreTriedAgain) {
    CSpriteSet set(nullptr, 10);
    Read(set, "[A]\n&JUMP B\na.bmp\n");
    Animation* a = set.Find("A");
    EXPECT_EQ(a->jump, nullptr);
    std::string more;
    for (int i = 0; i < 200; ++i)
        more += "[S" + std::to_string(i) + "]\n";
    Read(set, more + "[B]\n");
    EXPECT_EQ(set.Find("A"), a);
    EXPECT_EQ(a->jump, set.Find("B"));
}

TEST(SpriteSet, CapacityCountsAcceptedImageLinesOverTheWholeFile) {
    CSpriteSet set(nullptr, 100);
    std::string text = "stray.bmp\n";  // before any section: dropped, not counted
    for (int i = 0; i <= 100; ++i) {
        if (i % 30 == 0) text += "[S" + std::to_string(i) + "]\n$skip.bmp\n";
        text += "f.bmp," + std::to_string(i) + "\n";
    }
    Read(set, text + "[LATE]\n&JUMP S0\n");
    EXPECT_EQ(set.GetImageCount(), 100);
    EXPECT_EQ(set.GetImageHandle(99), -1);
    EXPECT_EQ(set.GetAnimation(0)->offsetX[0], 0);
    EXPECT_EQ(set.GetAnimation(3)->offsetX.back(), 99);
    ASSERT_EQ(set.GetAnimationCount(), 5);
    EXPECT_EQ(set.GetAnimation(4)->FrameCount(), 0);
    EXPECT_STREQ(set.GetAnimation(4)->jumpName, "S0");
}

}  // namespace
