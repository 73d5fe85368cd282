#include "tests/sample/sample_fixture.h"

#include <fstream>
#include <random>

#include "tests/support/bitmap_file.h"
#include "tests/support/framework_run.h"
#include "tests/support/surface_pixels.h"

namespace sample_test {

const Picture kStand0{"stand0.bmp", RGB(0x00, 0x80, 0x00)};
const Picture kStand1{"stand1.bmp", RGB(0x00, 0xC0, 0x40)};
const Picture kSit{"sit.bmp", RGB(0x80, 0x80, 0x00)};
const Picture kWalk{"walk.bmp", RGB(0x00, 0x00, 0xC0)};
const Picture kDash{"dash.bmp", RGB(0x40, 0x40, 0xC0)};
const Picture kJumping{"jump.bmp", RGB(0xC0, 0x80, 0x00)};
const Picture kPunch{"punch.bmp", RGB(0xC0, 0x00, 0x00)};
const Picture kKick{"kick.bmp", RGB(0x80, 0x00, 0x80)};
const std::vector<Picture> kPictures{kStand0, kStand1, kSit, kWalk, kDash, kJumping, kPunch, kKick};

// Waits of 2: a one-frame animation is current for four steps and reports
// its end in the fifth.
const char kTestSpriteFile[] =
    "; the sample's tests\n"
    "[STAND]\n&JUMP STAND\nstand0.bmp, 0, -16, 2\nstand1.bmp, 0, -16, 2\n"
    "[SIT]\nsit.bmp, 0, -8, 2\n"
    "[WALK]\n&JUMP WALK\nwalk.bmp, 4, -16, 2\n"
    "[DASH]\n&JUMP DASH\ndash.bmp, 4, -16, 2\n"
    "[JUMP]\njump.bmp, 0, -16, 200\n"
    "[PUNCH1]\npunch.bmp, 6, -16, 2\n"
    "[PUNCH2]\npunch.bmp, 6, -8, 2\n"
    "[KICK1]\n&JUMP STAND\nkick.bmp, 6, -16, 2\n"
    "[KICK2]\nkick.bmp, 6, -8, 2\n";

COLORREF BackgroundPixel(int x, int) {
    return (x / 40) % 2 ? RGB(0x40, 0x40, 0x40) : RGB(0x60, 0x60, 0x60);
}

GameFolder::GameFolder() : previous(std::filesystem::current_path()) {
    std::random_device random;
    folder = std::filesystem::temp_directory_path() /
             ("brannock_sample_" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(folder / "image");
    std::filesystem::current_path(folder);
}

GameFolder::~GameFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(folder, ignored);
}

void GameFolder::WriteSpriteFile(const char* text) const {
    std::ofstream(folder / "Sprite.txt", std::ios::binary) << text;
}

void GameFolder::WritePictures() const {
    using brannock::test::WriteBitmapFile;
    for (const Picture& picture : kPictures) {
        const COLORREF colour = picture.colour;
        ASSERT_TRUE(WriteBitmapFile(
            (folder / "image" / picture.file).string(), kPictureWidth, kPictureHeight,
            [colour](int x, int) { return x < kMarkerWidth ? kMarker : colour; }));
    }
    ASSERT_TRUE(
        WriteBitmapFile((folder / "image" / "bg02a.bmp").string(), 640, 480, BackgroundPixel));
}

void SceneTest::SetUp() {
    ASSERT_NE(brannock::test::OpenMainWindow(), nullptr);
    app.Init();
    ASSERT_TRUE(app.IsDrawEnabled());
}

void SceneTest::OpenScene(const char* spriteFile) {
    folder.WritePictures();
    if (spriteFile) folder.WriteSpriteFile(spriteFile);
    // As MainLoop does before its first frame.
    app.spriteSet = std::make_unique<CSpriteSet>(&app, 100);
    app.spriteSet->Load("Sprite.txt", true);
    app.player = std::make_unique<CAnimPlayer>();
    app.InitScene();
}

void SceneTest::Frame(int autoWalk) {
    app.RestoreBackground(0, 0, 640, 480, 0);
    app.StepCharacter(autoWalk);
}

DWORD SceneTest::Seen(int x, int y) const {
    return brannock::test::Pixel(Back(), x, y) & 0xFFFFFF;
}

DWORD SceneTest::Stored(COLORREF colour) {
    return app.ColorMatch(Back(), colour) & 0xFFFFFF;
}

void SceneTest::ExpectPicture(const Picture& picture, int left, int top, bool mirrored) {
    const DWORD marker = Stored(kMarker);
    const DWORD body = Stored(picture.colour);
    const DWORD bands[] = {Stored(BackgroundPixel(0, 0)), Stored(BackgroundPixel(40, 0))};
    const std::vector<DWORD> pixels = brannock::test::ReadPixels(Back());
    ASSERT_EQ(pixels.size(), 640u * 480u);
    int wrong = 0;
    for (int y = top - 2; y < top + kPictureHeight + 2; ++y) {
        for (int x = left - 2; x < left + kPictureWidth + 2; ++x) {
            DWORD expected = bands[(x / 40) % 2];
            if (x >= left && x < left + kPictureWidth && y >= top && y < top + kPictureHeight) {
                const int column = mirrored ? kPictureWidth - 1 - (x - left) : x - left;
                expected = column < kMarkerWidth ? marker : body;
            }
            const DWORD seen = pixels[static_cast<std::size_t>(y) * 640 + x] & 0xFFFFFF;
            if (seen != expected && ++wrong <= 3) {
                ADD_FAILURE() << picture.file << ": (" << x << ", " << y << ") is " << std::hex
                              << seen << ", not " << expected;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << picture.file << " at (" << left << ", " << top << ")";
}

std::string Playing(const CSampleApp& app) {
    const Animation* animation = app.player ? app.player->GetAnimation() : nullptr;
    return animation && app.player->IsActive() ? animation->name : "";
}

}  // namespace sample_test
