// A small game on the framework for the scripted-run and recording tests:
// like the sample, an application object that is also the display, a game
// thread that draws and presents every frame, and keys handled on the
// window thread. What it draws depends on its input and its clock, so two
// runs show the same frames only when they got the same input at the same
// frames and saw the same times:
//   - a red square that the arrow keys move 4 pixels a frame (key state);
//   - a row of green ticks, one per key message but F2, F4 and Escape's
//     (window thread);
//   - a white mark where the left button was last pressed (mouse messages);
//   - a blue bar as long as the frame-rate readout's value, and a yellow
//     one that grows with the tick count (the clock).
// F2 switches pacing (WaitFrame(60)) on and off, F4 full screen, Escape
// closes the window.
#include <atomic>
#include <cstdio>

#include "framework/globals.h"
#include "framework/system.h"
#include "graphics/xsprite.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kStep = 4;
constexpr int kMaxTicks = 100;

class FrameProbe : public CSystem, public XSprite {
  public:
    void Init() override {
        SetTitle("Frame probe");
        SetClientSize(kWidth, kHeight);
        AttachWindow(GetWindowHandle());
        InitDisplay(kWidth, kHeight, 16, 4);
        square_ = MakeImage(RGB(255, 0, 0), 16, 16);
        tick_ = MakeImage(RGB(0, 255, 0), 4, 8);
        mark_ = MakeImage(RGB(255, 255, 255), 6, 6);
        blue_ = MakeImage(RGB(0, 0, 255), 1, 1);
        yellow_ = MakeImage(RGB(255, 255, 0), 1, 1);
    }

    void MainLoop() override {
        const DWORD start = GetTickCount();
        int x = 100, y = 200;
        while (!endRequested_ && !g_endFlag) {
            RestoreBackground(0, 0, kWidth, kHeight, -1);
            if (Down(VK_LEFT)) x -= kStep;
            if (Down(VK_RIGHT)) x += kStep;
            if (Down(VK_UP)) y -= kStep;
            if (Down(VK_DOWN)) y += kStep;
            DrawImage(x, y, square_, 0, 0, 0);
            const int ticks = keyMessages_.load() % kMaxTicks;
            for (int i = 0; i < ticks; ++i)
                DrawImage(4 + 6 * i, kHeight - 12, tick_, 0, 0, 0);
            if (clicked_) DrawImage(clickX_.load() - 3, clickY_.load() - 3, mark_, 0, 0, 0);
            DrawImage(4, 4, blue_, 1 + 4 * GetFrameRate(), 6, 0);
            DrawImage(4, 14, yellow_, 1 + static_cast<int>((GetTickCount() - start) / 50 % 600), 6,
                      0);
            Present();
            if (waitMode_) WaitFrame(60);
        }
    }

    void OnKeyDown(int key) override {
        switch (key) {
            case VK_ESCAPE:
                PostMessageA(GetWindowHandle(), WM_CLOSE, 0, 0);
                break;
            case VK_F2:
                waitMode_ = !waitMode_;
                break;
            case VK_F4:
                ToggleScreenMode();
                break;
            default:
                ++keyMessages_;
                break;
        }
    }

    void OnMouse(int x, int y, int leftDown, int) override {
        if (!leftDown) return;
        clickX_ = x;
        clickY_ = y;
        clicked_ = true;
    }

    int OnClose() override {
        endRequested_ = true;
        return 1;
    }

  private:
    static bool Down(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

    int MakeImage(COLORREF colour, int width, int height) {
        void* bits = nullptr;
        HBITMAP bitmap = CreateBackingBitmap(width, height, 24, &bits);
        if (!bitmap || !bits) return kNoImage;
        auto* pixel = static_cast<unsigned char*>(bits);
        const int rowBytes = (width * 3 + 3) & ~3;
        for (int row = 0; row < height; ++row) {
            for (int column = 0; column < width; ++column) {
                unsigned char* p = pixel + row * rowBytes + column * 3;
                p[0] = GetBValue(colour);
                p[1] = GetGValue(colour);
                p[2] = GetRValue(colour);
            }
        }
        const int image = AddImage(bitmap, static_cast<COLORREF>(-1));
        DeleteObject(bitmap);
        return image;
    }

    int square_ = kNoImage, tick_ = kNoImage, mark_ = kNoImage;
    int blue_ = kNoImage, yellow_ = kNoImage;
    std::atomic<bool> endRequested_{false};
    std::atomic<bool> waitMode_{false};
    std::atomic<int> keyMessages_{0};
    std::atomic<int> clickX_{0}, clickY_{0};
    std::atomic<bool> clicked_{false};
};

FrameProbe g_probe;

}  // namespace
