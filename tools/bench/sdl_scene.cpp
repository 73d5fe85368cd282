// The bench scene through SDL2 surfaces.
#include "tools/bench/sdl_scene.h"

#include <utility>

namespace bench {

namespace {

template <class PixelAt>
SDL_Surface* MakeSurface(Uint32 format, int width, int height, PixelAt pixel) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, format);
    if (!surface) return nullptr;
    SDL_LockSurface(surface);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            const Uint32 value = SDL_MapRGB(surface->format, c >> 16, (c >> 8) & 0xFF, c & 0xFF);
            auto* at = static_cast<Uint8*>(surface->pixels) + y * surface->pitch +
                       x * surface->format->BytesPerPixel;
            if (surface->format->BytesPerPixel == 2) {
                *reinterpret_cast<Uint16*>(at) = static_cast<Uint16>(value);
            } else {
                *reinterpret_cast<Uint32*>(at) = value;
            }
        }
    }
    SDL_UnlockSurface(surface);
    return surface;
}

}  // namespace

SdlScene::SdlScene(int bits, int spriteSize, bool runLengthEncoded) : spriteSize_(spriteSize) {
    const Uint32 format = bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_XRGB8888;
    const auto black = [](int, int) { return 0u; };
    background_ = MakeSurface(format, kWidth, kHeight, BackgroundPixel);
    sprite_ = MakeSurface(format, spriteSize, spriteSize,
                          [&](int x, int y) { return DiscPixel(x, y, spriteSize); });
    back_ = MakeSurface(format, kWidth, kHeight, black);
    screen_ = MakeSurface(format, kWidth, kHeight, black);
    ready_ =
        background_ && sprite_ && back_ && screen_ &&
        SDL_SetColorKey(sprite_, SDL_TRUE, SDL_MapRGB(sprite_->format, 0xFF, 0x00, 0xFF)) == 0 &&
        SDL_SetSurfaceRLE(sprite_, runLengthEncoded ? 1 : 0) == 0;
}

SdlScene::~SdlScene() {
    SDL_FreeSurface(screen_);
    SDL_FreeSurface(back_);
    SDL_FreeSurface(sprite_);
    SDL_FreeSurface(background_);
}

void SdlScene::Frame(long frame, int count, bool flip) {
    SDL_BlitSurface(background_, nullptr, back_, nullptr);
    for (int i = 0; i < count; ++i) {
        const Point at = SpritePosition(i, frame, spriteSize_);
        SDL_Rect dest{at.x, at.y, spriteSize_, spriteSize_};
        SDL_BlitSurface(sprite_, nullptr, back_, &dest);
    }
    if (flip) {
        std::swap(back_, screen_);
    } else {
        SDL_BlitSurface(back_, nullptr, screen_, nullptr);
    }
}

}  // namespace bench
