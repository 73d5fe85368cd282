// The bench scene through XSprite.
#include "tools/bench/xsprite_scene.h"

namespace bench {

namespace {

// A 24-bit DIB section filled with pixel(x, y), as a loaded bitmap would be.
template <class PixelAt>
HBITMAP MakeBitmap(XSprite& display, int width, int height, PixelAt pixel) {
    void* bits = nullptr;
    HBITMAP bitmap = display.CreateBackingBitmap(width, height, 24, &bits);
    if (!bitmap) return nullptr;
    const int stride = (width * 3 + 3) & ~3;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<unsigned char*>(bits) + y * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixel(x, y);
            row[3 * x] = static_cast<unsigned char>(c);
            row[3 * x + 1] = static_cast<unsigned char>(c >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(c >> 16);
        }
    }
    return bitmap;
}

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool XSpriteScene::Prepare(bool fullScreen, int bits, int spriteSize) {
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
    HBITMAP sprite = MakeBitmap(display_, spriteSize, spriteSize,
                                [&](int x, int y) { return DiscPixel(x, y, spriteSize); });
    bool ok = background && sprite;
    if (ok) {
        display_.CopyBitmapToSurface(background, XSprite::kSelectBgImage);
        display_.ComposeBackground(0, 0, kWidth, kHeight, 0, 0);
        image_ = display_.AddImage(sprite, XSprite::kTransparent);
        spriteSize_ = spriteSize;
        ok = image_ >= 0;
    }
    if (background) DeleteObject(background);
    if (sprite) DeleteObject(sprite);
    return ok;
}

void XSpriteScene::Frame(long frame, int count, bool mirrored) {
    display_.RestoreBackground(0, 0, kWidth, kHeight, 0);
    for (int i = 0; i < count; ++i) {
        const Point at = SpritePosition(i, frame, spriteSize_);
        display_.DrawImage(at.x, at.y, image_, 0, 0, mirrored ? 1 : 0);
    }
    display_.Present();
}

bool XSpriteScene::CreateBenchWindow() {
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

}  // namespace bench
