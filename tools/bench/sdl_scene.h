// The bench scene drawn with SDL2's software blitter, as an experienced SDL
// user would: surfaces in the display's format, a colour key on the sprite,
// run-length acceleration (SDL_RLEACCEL) on or off.
#pragma once

#include <SDL.h>

#include "tools/bench/bench_scene.h"

namespace bench {

class SdlScene {
  public:
    // Surfaces at 16 (R5G6B5) or 32 (X8R8G8B8) bits; Ready() tells whether
    // they could be had.
    SdlScene(int bits, int spriteSize, bool runLengthEncoded);
    ~SdlScene();
    SdlScene(const SdlScene&) = delete;
    SdlScene& operator=(const SdlScene&) = delete;

    bool Ready() const { return ready_; }

    // Restores the background into the back buffer, blits `count` sprites
    // and presents as XSprite does: full screen swaps the back buffer with
    // the screen (a page flip), windowed copies it there.
    void Frame(long frame, int count, bool flip);

  private:
    SDL_Surface* background_;
    SDL_Surface* sprite_;
    SDL_Surface* back_;
    SDL_Surface* screen_;
    int spriteSize_;
    bool ready_ = false;
};

}  // namespace bench
