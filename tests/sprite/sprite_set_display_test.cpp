// A definition file with every line kind, loaded through a real display:
// the animations, frames, image handles and links it gives.
#include <gtest/gtest.h>

#include <filesystem>

#include "graphics/xsprite.h"
#include "platform/win32.h"
#include "sprite/anim_player.h"
#include "sprite/sprite_set.h"

namespace {

class SpriteSetDisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSEXA windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "SpriteSetTest";
        RegisterClassExA(&windowClass);
        window = CreateWindowExA(0, "SpriteSetTest", "Sprite set", WS_OVERLAPPEDWINDOW, 0, 0, 640,
                                 480, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        display.AttachWindow(window);
        display.InitDisplay(640, 480, 16, 4);

        previousDirectory = std::filesystem::current_path();
        std::filesystem::current_path(BRANNOCK_TEST_DATA_DIR "/sprite");
    }
    void TearDown() override { std::filesystem::current_path(previousDirectory); }

    HWND window = nullptr;
    XSprite display;
    std::filesystem::path previousDirectory;
};

void ExpectFrame(const Animation& animation, int index, Animation::Frame expected) {
    SCOPED_TRACE(animation.name + " frame " + std::to_string(index));
    ASSERT_LT(index, animation.FrameCount());
    const Animation::Frame frame = animation.GetFrame(index);
    EXPECT_EQ(frame.image, expected.image);
    EXPECT_EQ(frame.offsetX, expected.offsetX);
    EXPECT_EQ(frame.offsetY, expected.offsetY);
    EXPECT_EQ(frame.wait, expected.wait);
    EXPECT_EQ(frame.user1, expected.user1);
    EXPECT_EQ(frame.user2, expected.user2);
    EXPECT_EQ(frame.negHalfWidth, expected.negHalfWidth);
    EXPECT_EQ(frame.negHalfHeight, expected.negHalfHeight);
}

TEST_F(SpriteSetDisplayTest, EveryLineKindGivesTheExpectedAnimations) {
    CSpriteSet set(&display, 100);
    ASSERT_TRUE(set.Load("Sprite.txt", true));

    ASSERT_EQ(set.GetAnimationCount(), 5);
    Animation* stand = set.Find("STAND");
    Animation* punch = set.Find("PUNCH1");
    Animation* kick = set.Find("KICK1");
    Animation* empty = set.Find("EMPTY");
    ASSERT_NE(stand, nullptr);
    ASSERT_NE(punch, nullptr);
    ASSERT_NE(kick, nullptr);
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(set.Find("stand"), nullptr);
    EXPECT_EQ(set.GetAnimation(4)->name, "lower");

    // Bitmaps load in file order; half sizes round toward zero (33 -> 16,
    // 1 -> 0, 31 -> 15); failed loads give -1 and half sizes 0.
    ExpectFrame(*stand, 0, {0, 0, -8, -16, -10, 6, 0, 0});
    ExpectFrame(*stand, 1, {1, 2, -4, 0, 0, 3, 7, 9});
    ASSERT_EQ(punch->FrameCount(), 3);
    ExpectFrame(*punch, 0, {2, 12, -8, -20, -30, 3, 0, 0});
    ExpectFrame(*punch, 1, {-1, 1, 1, 0, 0, 1, 0, 0});  // no such file
    ExpectFrame(*punch, 2, {-1, 5, 0, 0, 0, 0, 0, 0});  // name too long for a path
    ExpectFrame(*kick, 0, {3, -5, -5, -10, -15, 2, 0, 0});
    EXPECT_EQ(empty->FrameCount(), 0);
    ExpectFrame(*set.GetAnimation(4), 0, {4, 0, 0, 0, 0, 0, 0, 0});

    EXPECT_EQ(set.GetImageCount(), 7);
    const int handles[] = {0, 1, 2, -1, -1, 3, 4};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(set.GetImageHandle(i), handles[i]) << i;
    EXPECT_EQ(display.GetImageCount(), 5);

    EXPECT_EQ(stand->jump, stand);
    EXPECT_EQ(punch->jump, kick);
    EXPECT_EQ(kick->jump, punch);
    EXPECT_STREQ(empty->jumpName, "NOWHERE");
    EXPECT_EQ(empty->jump, nullptr);
}

TEST_F(SpriteSetDisplayTest, LoadedFramesPlayAndCentreOnTheirOffsets) {
    CSpriteSet set(&display, 100);
    ASSERT_TRUE(set.Load("Sprite.txt", true));
    CAnimPlayer player;
    player.Start(set.Find("KICK1"), 100, 320);
    POINT position;
    player.GetDrawPosition(&position, 1);
    EXPECT_EQ(position.x, 100 + 5 - 10);
    EXPECT_EQ(position.y, 320 - 5 - 15);

    // KICK1 (one frame, wait 2) hands over to PUNCH1 at its fifth step.
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(player.Update(), 3) << i;
    EXPECT_EQ(player.Update(), 2);
    EXPECT_TRUE(player.IsPlaying(set.Find("PUNCH1")));
}

}  // namespace
