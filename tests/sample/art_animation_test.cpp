// The sample's Sprite.txt as the game uses it: loaded by the sprite set
// through a real display, played by the animation player, drawn by
// DrawImage at the fighter's anchor on the floor line, facing either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "graphics/xsprite.h"
#include "platform/win32.h"
#include "sprite/anim_player.h"
#include "sprite/sprite_set.h"
#include "tests/support/bitmap_file.h"
#include "tests/support/test_window.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFloorLine = 320;
constexpr int kAnchorX = 320;
const char* const kNames[] = {"STAND",  "SIT",    "WALK",  "DASH", "JUMP",
                              "PUNCH1", "PUNCH2", "KICK1", "KICK2"};

// Which pixels of the back buffer a drawing covered: the background is one
// plain colour that no frame uses.
struct Coverage {
    static constexpr int kLeft = 120, kTop = 0, kWidth = 400, kHeight = 400;
    std::vector<DWORD> pixels;  // raw pixel values, kWidth x kHeight from (kLeft, kTop)
    DWORD background = 0;

    bool Opaque(int x, int y) const {
        return pixels[static_cast<std::size_t>(y - kTop) * kWidth + (x - kLeft)] != background;
    }
    DWORD At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y - kTop) * kWidth + (x - kLeft)];
    }
    bool RowCovered(int y) const {
        for (int x = kLeft; x < kLeft + kWidth; ++x)
            if (Opaque(x, y)) return true;
        return false;
    }
    // The lowest and the highest row with a covered pixel, -1 for none.
    int LowestRow() const {
        for (int y = kTop + kHeight - 1; y >= kTop; --y)
            if (RowCovered(y)) return y;
        return -1;
    }
    int HighestRow() const {
        for (int y = kTop; y < kTop + kHeight; ++y)
            if (RowCovered(y)) return y;
        return -1;
    }
};

class ArtSpriteSet : public ::testing::Test {
  protected:
    void SetUp() override {
        window = brannock::test::CreateTestWindow(WS_POPUP, 0, 0, 640, 480);
        ASSERT_NE(window, nullptr);
        display.AttachWindow(window);
        display.InitDisplay(640, 480, 16, 4);
        ASSERT_TRUE(display.IsDrawEnabled());

        std::random_device random;
        folder = fs::temp_directory_path() /
                 ("brannock_art_" + std::to_string(random()) + std::to_string(random()));
        fs::create_directories(folder);
        const std::string backdrop = (folder / "backdrop.bmp").string();
        ASSERT_TRUE(brannock::test::WriteBitmapFile(backdrop, 640, 480,
                                                    [](int, int) { return RGB(0, 255, 0); }));
        display.LoadBackground(backdrop.c_str());
        display.ComposeBackground(0, 0, 640, 480, 0, 0);

        set = std::make_unique<CSpriteSet>(&display, 100);
        const fs::path previous = fs::current_path();
        fs::current_path(fs::path(BRANNOCK_SOURCE_DIR) / "sample");
        const bool loaded = set->Load("Sprite.txt", true);
        fs::current_path(previous);
        ASSERT_TRUE(loaded);
    }

    void TearDown() override {
        set.reset();
        if (IsWindow(window)) DestroyWindow(window);
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    // Draws `image` at `at` over the plain background, as the game does.
    Coverage Draw(int image, POINT at, bool mirrored) {
        display.RestoreBackground(0, 0, 640, 480, 0);
        display.DrawImage(at.x, at.y, image, 0, 0, mirrored ? 1 : 0);
        IDirectDrawSurface7* back = display.SelectSurface(XSprite::kSelectBack);
        Coverage coverage;
        DDSURFACEDESC2 desc;
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        if (back->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) != DD_OK) {
            ADD_FAILURE() << "cannot lock the back buffer";
            return coverage;
        }
        const int bytes = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount / 8);
        const auto* surface = static_cast<const std::uint8_t*>(desc.lpSurface);
        std::memcpy(&coverage.background, surface, bytes);
        coverage.pixels.resize(static_cast<std::size_t>(Coverage::kWidth) * Coverage::kHeight);
        for (int y = 0; y < Coverage::kHeight; ++y) {
            const std::uint8_t* row =
                surface + (Coverage::kTop + y) * desc.lPitch + Coverage::kLeft * bytes;
            for (int x = 0; x < Coverage::kWidth; ++x) {
                std::memcpy(&coverage.pixels[static_cast<std::size_t>(y) * Coverage::kWidth + x],
                            row + x * bytes, bytes);
            }
        }
        back->Unlock(nullptr);
        return coverage;
    }

    // Plays `name` from its start with the anchor at (kAnchorX, anchorY) and
    // calls `visit` once for every picture the game would draw: its image
    // and top-left corner. Stops when the animation ends or after `steps`.
    template <typename Visit>
    void Play(const char* name, int anchorY, bool mirrored, int steps, Visit visit) {
        Animation* animation = set->Find(name);
        ASSERT_NE(animation, nullptr) << name;
        CAnimPlayer player;
        player.Start(animation, kAnchorX, anchorY);
        std::set<std::tuple<int, LONG, LONG>> seen;
        for (int step = 0; step < steps && !player.IsFinished(); ++step) {
            const int image = player.Update();
            POINT at;
            player.GetDrawPosition(&at, mirrored ? 1 : 0);
            if (!seen.insert({image, at.x, at.y}).second) continue;
            visit(image, at, Draw(image, at, mirrored));
        }
    }

    HWND window = nullptr;
    XSprite display;
    std::unique_ptr<CSpriteSet> set;
    fs::path folder;
};

TEST_F(ArtSpriteSet, NineAnimationsWhoseFramesAllLoad) {
    EXPECT_EQ(set->GetAnimationCount(), 9);
    int frames = 0;
    for (const char* name : kNames) {
        const Animation* animation = set->Find(name);
        ASSERT_NE(animation, nullptr) << name;
        EXPECT_GE(animation->FrameCount(), 3) << name;
        for (int i = 0; i < animation->FrameCount(); ++i)
            EXPECT_GE(animation->GetFrame(i).image, 0) << name << " frame " << i;
        frames += animation->FrameCount();
    }
    // Every image line became a frame, within the capacity the sample uses.
    EXPECT_EQ(set->GetImageCount(), frames);
    EXPECT_LT(frames, set->GetCapacity());
}

TEST_F(ArtSpriteSet, StandWalkAndDashLoopWhileSitJumpAndTheAttacksEnd) {
    for (const char* name : {"STAND", "WALK", "DASH"}) {
        const Animation* animation = set->Find(name);
        ASSERT_NE(animation, nullptr);
        EXPECT_EQ(animation->jump, animation) << name;
    }
    // The game falls back to STAND or SIT only when an animation reports
    // its end, which one with a link never does.
    for (const char* name : {"SIT", "JUMP", "PUNCH1", "PUNCH2", "KICK1", "KICK2"}) {
        const Animation* animation = set->Find(name);
        ASSERT_NE(animation, nullptr);
        EXPECT_EQ(animation->jump, nullptr) << name;
        EXPECT_STREQ(animation->jumpName, "") << name;
    }
}

TEST_F(ArtSpriteSet, AttacksEndWithinASecondAndSitHoldsItsLastFrame) {
    for (const char* name : {"PUNCH1", "PUNCH2", "KICK1", "KICK2", "SIT"}) {
        CAnimPlayer player;
        player.Start(set->Find(name), 0, 0);
        int steps = 0;
        while (!player.IsFinished() && steps < 60) {
            player.Update();
            ++steps;
        }
        EXPECT_TRUE(player.IsFinished()) << name;
        EXPECT_GE(steps, 8) << name << " is too quick to see";
    }
    CAnimPlayer player;
    const Animation* sit = set->Find("SIT");
    player.Start(set->Find("SIT"), 0, 0);
    for (int i = 0; i < 60; ++i)
        player.Update();
    EXPECT_EQ(player.Update(), sit->GetFrame(sit->FrameCount() - 1).image);
}

TEST_F(ArtSpriteSet, FeetStandOnTheFloorLineInEveryGroundedFrame) {
    for (const char* name : kNames) {
        if (std::strcmp(name, "JUMP") == 0) continue;
        for (const bool mirrored : {false, true}) {
            int pictures = 0;
            Play(name, kFloorLine, mirrored, 200, [&](int, POINT at, const Coverage& drawn) {
                EXPECT_EQ(drawn.LowestRow(), kFloorLine) << name << (mirrored ? " facing left" : "")
                                                         << " drawn at " << at.x << "," << at.y;
                ++pictures;
            });
            EXPECT_GE(pictures, 3) << name;
        }
    }
}

TEST_F(ArtSpriteSet, MirroredFramesTurnAboutTheAnchor) {
    for (const char* name : kNames) {
        std::vector<Coverage> right;
        Play(name, kFloorLine, false, 200,
             [&](int, POINT, const Coverage& drawn) { right.push_back(drawn); });
        std::size_t i = 0;
        Play(name, kFloorLine, true, 200, [&](int, POINT, const Coverage& left) {
            ASSERT_LT(i, right.size());
            const Coverage& drawn = right[i++];
            int mismatches = 0;
            for (int y = Coverage::kTop; y < Coverage::kTop + Coverage::kHeight; ++y)
                for (int d = -190; d <= 190; ++d)
                    mismatches += drawn.At(kAnchorX + d, y) != left.At(kAnchorX - d, y);
            EXPECT_EQ(mismatches, 0) << name << " picture " << i - 1;
        });
    }
}

TEST_F(ArtSpriteSet, StandingFeetKeepTheirPixelsWhileBreathing) {
    for (const bool mirrored : {false, true}) {
        std::vector<Coverage> frames;
        Play("STAND", kFloorLine, mirrored, 200,
             [&](int, POINT, const Coverage& drawn) { frames.push_back(drawn); });
        ASSERT_GE(frames.size(), 3u);
        // The soles and toes: the bottom rows of every frame match (the
        // trouser legs above may follow the knees).
        for (std::size_t f = 1; f < frames.size(); ++f) {
            int changed = 0;
            for (int y = kFloorLine - 3; y <= kFloorLine; ++y)
                for (int x = Coverage::kLeft; x < Coverage::kLeft + Coverage::kWidth; ++x)
                    changed += frames[f].At(x, y) != frames[0].At(x, y);
            EXPECT_EQ(changed, 0) << "frame " << f << (mirrored ? " facing left" : "");
        }
    }
}

// The rise (negative) or fall of the fighter's anchor in each step of a jump,
// steps 1 to 83; step 84 lands him on the floor line and starts STAND.
int JumpStep(int step) {
    struct Span {
        int last, dy;
    };
    static constexpr Span kSpans[] = {{14, -7}, {20, -6}, {25, -5}, {29, -4}, {33, -3}, {37, -2},
                                      {41, -1}, {45, 0},  {48, 1},  {52, 2},  {56, 3},  {60, 4},
                                      {64, 5},  {69, 6},  {75, 7},  {83, 8}};
    for (const Span& span : kSpans)
        if (step <= span.last) return span.dy;
    return 0;
}

TEST_F(ArtSpriteSet, JumpLastsUntilTheLandingAndStaysAboveTheFloor) {
    Animation* jump = set->Find("JUMP");
    ASSERT_NE(jump, nullptr);
    CAnimPlayer player;
    player.Start(jump, 0, 0);
    int y = kFloorLine;
    int top = kFloorLine;
    for (int step = 1; step <= 83; ++step) {
        y += JumpStep(step);
        const int image = player.Update();
        // Ending in the air would put the standing pose up there.
        ASSERT_FALSE(player.IsFinished()) << "JUMP ends at step " << step;
        POINT at;
        player.GetDrawPosition(&at, 0);
        at.x += kAnchorX;
        at.y += y;
        const Coverage drawn = Draw(image, at, false);
        const int lowest = drawn.LowestRow();
        ASSERT_GE(lowest, 0) << "nothing drawn at step " << step;
        EXPECT_LE(lowest, kFloorLine) << "below the floor at step " << step;
        top = std::min(top, drawn.HighestRow());
    }
    EXPECT_EQ(y, kFloorLine - 4);  // the path as the game moves him
    EXPECT_GT(top, 0) << "the head leaves the screen at the top of the jump";
}

}  // namespace
