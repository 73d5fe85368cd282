// Frames per second of one game frame -- restore the 640x480 background,
// draw one 128x128 colour-keyed sprite, present -- through XSprite on the
// headless backend and through SDL2's software blitter at the same depth.
//
//   brannock_bench [seconds per measurement, default 1]
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "graphics/xsprite.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSprite = 128;

using Clock = std::chrono::steady_clock;

COLORREF BackgroundPixel(int x, int y) {
    return RGB(x * 255 / kWidth, y * 255 / kHeight, 0x60);
}

// A disc on the transparent colour: about a fifth of the square is keyed.
COLORREF SpritePixel(int x, int y) {
    const int dx = x - kSprite / 2;
    const int dy = y - kSprite / 2;
    if (dx * dx + dy * dy > (kSprite / 2) * (kSprite / 2)) return XSprite::kTransparent;
    return RGB(0xFF, (x * 4) & 0xFF, (y * 4) & 0xFF);
}

// Where the sprite goes in frame `frame`: it wanders so no two frames match.
SDL_Point SpritePosition(long frame) {
    return SDL_Point{static_cast<int>(frame * 3 % (kWidth - kSprite)),
                     static_cast<int>(frame * 2 % (kHeight - kSprite))};
}

// Runs `frame` repeatedly for about `seconds`; returns frames per second.
template <class Frame>
double MeasureFps(double seconds, Frame&& frame) {
    for (long i = 0; i < 20; ++i)
        frame(i);  // warm caches
    long frames = 0;
    const Clock::time_point start = Clock::now();
    const Clock::time_point end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    Clock::time_point now;
    do {
        for (int i = 0; i < 10; ++i)
            frame(frames++);
        now = Clock::now();
    } while (now < end);
    return frames / std::chrono::duration<double>(now - start).count();
}

// --- XSprite ----------------------------------------------------------------

HBITMAP MakeBitmap(XSprite& display, int width, int height, COLORREF (*pixel)(int, int)) {
    void* bits = nullptr;
    HBITMAP bitmap = display.CreateBackingBitmap(width, height, 24, &bits);
    if (!bitmap) return nullptr;
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<unsigned char*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            row[3 * x] = GetBValue(c);
            row[3 * x + 1] = GetGValue(c);
            row[3 * x + 2] = GetRValue(c);
        }
    }
    return bitmap;
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class XSpriteScene {
  public:
    // Opens the display anew -- full screen at `bits`, or windowed at the
    // desktop's 32 bits -- and loads the background and the sprite.
    bool Prepare(bool fullScreen, int bits) {
        if (!window_ && !CreateBenchWindow()) return false;
        if (!display_.IsWindowed()) {
            display_.GoWindowed();
            display_.Present();
        }
        display_.InitDisplay(kWidth, kHeight, bits, 1);
        if (fullScreen) {
            display_.GoFullScreen();
            display_.Present();
        }
        if (display_.IsWindowed() == fullScreen || display_.GetPixelBits() != bits) return false;

        HBITMAP background = MakeBitmap(display_, kWidth, kHeight, BackgroundPixel);
        HBITMAP sprite = MakeBitmap(display_, kSprite, kSprite, SpritePixel);
        if (!background || !sprite) return false;
        display_.CopyBitmapToSurface(background, XSprite::kSelectBgImage);
        display_.ComposeBackground(0, 0, kWidth, kHeight, 0, 0);
        image_ = display_.AddImage(sprite, XSprite::kTransparent);
        DeleteObject(background);
        DeleteObject(sprite);
        return image_ >= 0;
    }

    void Frame(long frame) {
        const SDL_Point at = SpritePosition(frame);
        display_.RestoreBackground(0, 0, kWidth, kHeight, 0);
        display_.DrawImage(at.x, at.y, image_, 0, 0, 0);
        display_.Present();
    }

  private:
    bool CreateBenchWindow() {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = BenchWindowProc;
        wc.lpszClassName = "BrannockBench";
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(0, "BrannockBench", "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                                  kHeight, nullptr, nullptr, nullptr, nullptr);
        if (window_) display_.AttachWindow(window_);
        return window_ != nullptr;
    }

    HWND window_ = nullptr;
    XSprite display_;
    int image_ = -1;
};

// --- SDL2 -------------------------------------------------------------------

SDL_Surface* MakeSurface(Uint32 format, int width, int height, COLORREF (*pixel)(int, int)) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, format);
    if (!surface || !pixel) return surface;
    SDL_LockSurface(surface);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            const Uint32 value =
                SDL_MapRGB(surface->format, GetRValue(c), GetGValue(c), GetBValue(c));
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

// The same frame with SDL surfaces: background and colour-keyed sprite
// blitted into a back buffer, which is then presented as XSprite does it:
// full screen swaps it with the screen surface (a page flip), windowed
// copies it there.
double SdlFps(int bits, bool flip, double seconds) {
    const Uint32 format = bits == 16 ? SDL_PIXELFORMAT_RGB565 : SDL_PIXELFORMAT_XRGB8888;
    SDL_Surface* background = MakeSurface(format, kWidth, kHeight, BackgroundPixel);
    SDL_Surface* sprite = MakeSurface(format, kSprite, kSprite, SpritePixel);
    SDL_Surface* back = MakeSurface(format, kWidth, kHeight, nullptr);
    SDL_Surface* screen = MakeSurface(format, kWidth, kHeight, nullptr);
    double fps = 0;
    if (background && sprite && back && screen) {
        SDL_SetColorKey(sprite, SDL_TRUE, SDL_MapRGB(sprite->format, 0xFF, 0x00, 0xFF));
        fps = MeasureFps(seconds, [&](long frame) {
            const SDL_Point at = SpritePosition(frame);
            SDL_Rect dest{at.x, at.y, kSprite, kSprite};
            SDL_BlitSurface(background, nullptr, back, nullptr);
            SDL_BlitSurface(sprite, nullptr, back, &dest);
            if (flip) {
                std::swap(back, screen);
            } else {
                SDL_BlitSurface(back, nullptr, screen, nullptr);
            }
        });
    }
    SDL_FreeSurface(screen);
    SDL_FreeSurface(back);
    SDL_FreeSurface(sprite);
    SDL_FreeSurface(background);
    return fps;
}

}  // namespace

int main(int argc, char** argv) {
    setenv("BRANNOCK_BACKEND", "headless", 1);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    if (!(seconds > 0)) {
        std::fprintf(stderr, "usage: %s [seconds per measurement]\n", argv[0]);
        return 2;
    }

    XSpriteScene scene;
    std::printf("frame: restore %dx%d background, draw one %dx%d colour-keyed sprite, present\n",
                kWidth, kHeight, kSprite, kSprite);
    std::printf("%-24s %12s %12s %7s\n", "display", "XSprite fps", "SDL2 fps", "ratio");

    struct Mode {
        const char* name;
        bool fullScreen;
        int bits;
    };
    int status = 0;
    for (const Mode mode :
         {Mode{"16 bit, full screen", true, 16}, Mode{"32 bit, full screen", true, 32},
          Mode{"32 bit, windowed", false, 32}}) {
        if (!scene.Prepare(mode.fullScreen, mode.bits)) {
            std::fprintf(stderr, "cannot open the display: %s\n", mode.name);
            status = 1;
            continue;
        }
        const double ours = MeasureFps(seconds, [&](long frame) { scene.Frame(frame); });
        const double sdl = SdlFps(mode.bits, mode.fullScreen, seconds);
        std::printf("%-24s %12.0f %12.0f %7.2f\n", mode.name, ours, sdl, sdl > 0 ? ours / sdl : 0);
    }
    return status;
}
