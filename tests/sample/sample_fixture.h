// Shared set-up of the sample's tests: a folder with a small test game
// (Sprite.txt, its pictures and a background, written on the fly), and the
// sample's object with its window and display open and the scene set up, as
// the frame loop has it before its first frame.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sample/sample_app.h"

namespace sample_test {

// One picture of the test game: a block of one colour with a marker stripe
// along its left edge, so a mirrored drawing shows.
struct Picture {
    const char* file;
    COLORREF colour;
};

constexpr int kPictureWidth = 16;
constexpr int kPictureHeight = 32;
constexpr int kMarkerWidth = 4;
constexpr COLORREF kMarker = RGB(0xF8, 0xF8, 0xF8);

extern const Picture kStand0;
extern const Picture kStand1;
extern const Picture kSit;
extern const Picture kWalk;
extern const Picture kDash;
extern const Picture kJumping;
extern const Picture kPunch;
extern const Picture kKick;
extern const std::vector<Picture> kPictures;

// The test game's animations. STAND, WALK and DASH loop; SIT, JUMP and the
// attacks end, except KICK1, which goes on with STAND. JUMP outlasts a jump.
extern const char kTestSpriteFile[];

// The background picture: vertical bands of two greys.
COLORREF BackgroundPixel(int x, int y);

// A fresh folder made the current one for the object's life, then removed.
class GameFolder {
  public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    // Writes `text` as Sprite.txt.
    void WriteSpriteFile(const char* text) const;
    // Writes the pictures and the background into image/.
    void WritePictures() const;

  private:
    std::filesystem::path previous;
    std::filesystem::path folder;
};

// The sample's object before its first frame: window and display open
// (Init), sprite set loaded from the folder, player made, scene set up.
class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override;
    // Writes the test game (or `spriteFile` instead of its Sprite.txt; null
    // for none) and sets up the scene as MainLoop does.
    void OpenScene(const char* spriteFile = kTestSpriteFile);

    // One frame as the frame loop runs it, without presenting.
    void Frame(int autoWalk = 0);

    IDirectDrawSurface7* Back() const { return app.SelectSurface(XSprite::kSelectBack); }
    // A back-buffer pixel and a colour as the back buffer stores it.
    DWORD Seen(int x, int y) const;
    DWORD Stored(COLORREF colour);
    // Checks the back buffer around the box (left, top) of the picture's
    // size: the picture inside (mirrored or not), the background around it.
    void ExpectPicture(const Picture& picture, int left, int top, bool mirrored);

    GameFolder folder;
    CSampleApp app;
};

// The name of the animation the player holds, or "" for none.
std::string Playing(const CSampleApp& app);

}  // namespace sample_test
