// A definition file with every line kind, loaded through a real display.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "graphics/xsprite.h"
#include "platform/win32.h"
#include "sprite/sprite_set.h"
#include "tests/support/test_window.h"

namespace {

std::vector<int> FrameValues(const Animation* animation, int index) {
    if (animation == nullptr || index >= animation->FrameCount()) return {};
    const Animation::Frame f = animation->GetFrame(index);
    return {f.image,         f.offsetX, f.offsetY, f.negHalfWidth,
            f.negHalfHeight, f.wait,    f.user1,   f.user2};
}

TEST(SpriteSetDisplay, EveryLineKindGivesItsAnimationsFramesHandlesAndLinks) {
    HWND window = brannock::test::CreateTestWindow(WS_POPUP, 0, 0, 640, 480);
    ASSERT_NE(window, nullptr);
    XSprite display;
    display.AttachWindow(window);
    display.InitDisplay(640, 480, 16, 4);

    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(BRANNOCK_TEST_DATA_DIR "/sprite");
    CSpriteSet set(&display, 100);
    const bool loaded = set.Load("Sprite.txt", true);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(loaded);

    ASSERT_EQ(set.GetAnimationCount(), 5);
    Animation* stand = set.Find("STAND");
    Animation* punch = set.Find("PUNCH1");
    Animation* kick = set.Find("KICK1");
    Animation* empty = set.Find("EMPTY");
    EXPECT_EQ(set.GetAnimation(4)->name, "lower");

    // {image, offsetX, offsetY, -width/2, -height/2, wait, user1, user2}:
    // handles in load order, half sizes rounded toward zero (33 x 21, 1 x 1,
    // 40 x 60, 20 x 31 bitmaps); failed loads give -1 and half sizes 0.
    using V = std::vector<int>;
    EXPECT_EQ(FrameValues(stand, 0), (V{0, 0, -8, -16, -10, 6, 0, 0}));
    EXPECT_EQ(FrameValues(stand, 1), (V{1, 2, -4, 0, 0, 3, 7, 9}));
    EXPECT_EQ(FrameValues(punch, 0), (V{2, 12, -8, -20, -30, 3, 0, 0}));
    EXPECT_EQ(FrameValues(punch, 1), (V{-1, 1, 1, 0, 0, 1, 0, 0}));  // no such file
    EXPECT_EQ(FrameValues(punch, 2), (V{-1, 5, 0, 0, 0, 0, 0, 0}));  // name too long
    EXPECT_EQ(FrameValues(kick, 0), (V{3, -5, -5, -10, -15, 2, 0, 0}));
    EXPECT_EQ(FrameValues(set.GetAnimation(4), 0), (V{4, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->FrameCount(), 0);

    EXPECT_EQ(set.GetImageCount(), 7);
    const int handles[] = {0, 1, 2, -1, -1, 3, 4};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(set.GetImageHandle(i), handles[i]) << i;
    EXPECT_EQ(display.GetImageCount(), 5);

    EXPECT_EQ(stand->jump, stand);
    EXPECT_EQ(punch->jump, kick);
    EXPECT_EQ(kick->jump, punch);
    EXPECT_EQ(empty->jump, nullptr);
}

}  // namespace
