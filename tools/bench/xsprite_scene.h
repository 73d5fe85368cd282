// The bench scene drawn through XSprite on the headless backend: the
// display's RestoreBackground, DrawImage and Present, as a game calls them.
#pragma once

#include "graphics/xsprite.h"
#include "tools/bench/bench_scene.h"

namespace bench {

class XSpriteScene {
  public:
    XSpriteScene() = default;
    XSpriteScene(const XSpriteScene&) = delete;
    XSpriteScene& operator=(const XSpriteScene&) = delete;

    // Opens the display anew -- full screen at `bits`, or windowed at the
    // desktop's 32 bits -- and loads the background and a size x size disc
    // sprite; false when the display or the images cannot be had.
    bool Prepare(bool fullScreen, int bits, int spriteSize);

    // Restores the background, draws `count` sprites (mirrored left-right
    // when `mirrored`) and presents.
    void Frame(long frame, int count, bool mirrored);

  private:
    bool CreateBenchWindow();

    HWND window_ = nullptr;
    XSprite display_;
    int image_ = -1;
    int spriteSize_ = 0;
};

}  // namespace bench
