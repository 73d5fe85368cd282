// Frames on the screen: a keyed, mirrored sprite over a background at 16 and
// 32 bits, frames that are not shown, and screen mode switches. Lost
// surfaces and keeping a frame as a file are the headless backend's.
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/graphics/display_fixture.h"

#ifndef _WIN32
#include "platform/testing/display.h"
#endif

namespace graphics_test {
namespace {

class ExposedDisplay : public XSprite {
  public:
    using XSprite::primary;
};

// What the screen shows: the primary surface, read at once through Lock (on
// Windows, GDI need not see what DirectDraw put there).
struct Screen {
    Screen() {
        IDirectDrawSurface7* primary = ExposedDisplay::primary;
        DDSURFACEDESC2 desc{};
        desc.dwSize = sizeof desc;
        if (!primary || primary->GetSurfaceDesc(&desc) != DD_OK) return;
        width = static_cast<int>(desc.dwWidth);
        bits = static_cast<int>(desc.ddpfPixelFormat.dwRGBBitCount);
        pixels = brannock::test::ReadPixels(primary);
    }
    // The pixel at (x, y), as 0x00RRGGBB.
    DWORD At(int x, int y) const {
        const DWORD raw = pixels.at(static_cast<std::size_t>(y) * width + x);
        if (bits != 16) return raw;
        return (raw & 0xF800) << 8 | (raw & 0x07E0) << 5 | (raw & 0x001F) << 3;
    }

    int width = 0;
    int bits = 0;
    std::vector<DWORD> pixels;
};

DWORD ScreenPixel(int x, int y) {
    return Screen().At(x, y);
}

constexpr int kSpriteX = 200;
constexpr int kSpriteY = 300;
constexpr int kSize = 128;

// Bands whose channels a 16-bit display keeps exactly.
COLORREF BackgroundPixel(int x, int y) {
    return RGB((x / 80) % 2 ? 0x80 : 0x00, (y / 60) % 2 ? 0xFF : 0x80, 0x80);
}

// Transparent but for a body on the left and a nose pointing right.
COLORREF SpritePixel(int x, int y) {
    if (x >= 16 && x < 64 && y >= 16 && y < 112) return RGB(0xFF, 0x80, 0x00);
    if (x >= 64 && x < 112 && y >= 16 && y < 32) return RGB(0x00, 0x00, 0xFF);
    return XSprite::kTransparent;
}

// The screen expected: the sprite mirrored left-right over the background.
DWORD Expected(int x, int y) {
    const int sx = x - kSpriteX;
    const int sy = y - kSpriteY;
    if (sx >= 0 && sx < kSize && sy >= 0 && sy < kSize) {
        const COLORREF sprite = SpritePixel(kSize - 1 - sx, sy);
        if (sprite != XSprite::kTransparent) return ToRgb(sprite);
    }
    return ToRgb(BackgroundPixel(x, y));
}

class FrameTest : public DisplayTest {
  protected:
    void DrawScene() {
        const std::string background = TempPath("bg.bmp");
        ASSERT_TRUE(WriteBitmapFile(background, 640, 480, BackgroundPixel));
        display.LoadBackground(background.c_str());
        ASSERT_EQ(display.ComposeBackground(0, 0, 640, 480, 0, 0), DD_OK);
        const int image = LoadImage(kSize, kSize, SpritePixel);
        display.RestoreBackground(0, 0, 640, 480, 0);
        ASSERT_EQ(display.DrawImage(kSpriteX, kSpriteY, image, 0, 0, 1), DD_OK);
        display.Present();
    }

    // Fills the back buffer with one colour: a 1x1 image stretched over it.
    void PaintBack(COLORREF colour) {
        const int image = LoadImage(1, 1, [&](int, int) { return colour; });
        ASSERT_EQ(display.DrawImage(0, 0, image, 640, 480, 0), DD_OK);
    }
};

struct Mode {
    const char* name;
    bool fullScreen;
    int bits;

    friend void PrintTo(const Mode& m, std::ostream* os) { *os << m.name; }
};

class SceneTest : public FrameTest, public ::testing::WithParamInterface<Mode> {};

// The frame as a user sees it. Set BRANNOCK_KEEP_SCREEN to a path to keep
// it as a bitmap file for a look.
TEST_P(SceneTest, KeyedMirroredSpriteOverTheBackground) {
    const int bits = GetParam().bits;
    Open(bits);
    if (GetParam().fullScreen) {
        display.GoFullScreen();
        display.Present();
    }
    DrawScene();
    const Screen screen;
    ASSERT_EQ(screen.bits, bits);
#ifndef _WIN32
    if (const char* keep = std::getenv("BRANNOCK_KEEP_SCREEN")) {
        brannock::testing::SaveScreenBitmap(keep);
    }
#endif
    int wrong = 0;
    for (int y = kSpriteY - 8; y < kSpriteY + kSize + 8; ++y) {
        for (int x = kSpriteX - 8; x < kSpriteX + kSize + 8; ++x) {
            const DWORD seen = Quantise(screen.At(x, y), bits);
            if (seen != Quantise(Expected(x, y), bits) && ++wrong <= 3) {
                ADD_FAILURE() << "(" << x << ", " << y << ") is " << std::hex << seen;
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(Quantise(screen.At(639, 479), bits), Quantise(Expected(639, 479), bits));

    // The key in the display's own format; -1 reads the first pixel as it is.
    const DWORD key = bits == 16 ? 0xF81F : 0xFF00FF;
    IDirectDrawSurface7* page = display.SelectSurface(0);
    EXPECT_EQ(display.ColorMatch(page, XSprite::kTransparent), key);
    EXPECT_EQ(Pixel(page, 0, 0), 0u);  // the probe put the pixel back
    display.FillWithColorKey(0);
    EXPECT_EQ(Pixel(page, 17, 3), key);
    EXPECT_EQ(display.ColorMatch(page, static_cast<COLORREF>(-1)), key);
}

INSTANTIATE_TEST_SUITE_P(Depths, SceneTest,
                         ::testing::Values(Mode{"Windowed32", false, 32},
                                           Mode{"FullScreen16", true, 16},
                                           Mode{"FullScreen32", true, 32}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FrameTest, CopiesTheScreenSizeToTheClientCorner) {
    SetWindowPos(window, nullptr, 100, 50, 700, 500, SWP_NOZORDER);
    Open();
    const DWORD outside = ScreenPixel(740, 530);
    PaintBack(RGB(0x12, 0x34, 0x56));
    display.Present();
    EXPECT_EQ(ScreenPixel(100, 50), 0x123456u);
    EXPECT_EQ(ScreenPixel(739, 529), 0x123456u);
    EXPECT_EQ(ScreenPixel(740, 530), outside);
}

TEST_F(FrameTest, DisabledOrInactiveDisplayShowsNothing) {
    Open();
    const DWORD before = ScreenPixel(10, 10);
    PaintBack(RGB(0xAA, 0xBB, 0xCC));
    display.SetDrawEnabled(0);
    display.Present();
    display.SetDrawEnabled(1);
    display.SetActive(0);
    display.Present();
    EXPECT_EQ(ScreenPixel(10, 10), before);
    display.SetActive(1);
    display.Present();
    EXPECT_EQ(ScreenPixel(10, 10), 0xAABBCCu);
}

#ifndef _WIN32
TEST_F(FrameTest, LostPrimaryDropsOneFrame) {
    Open();
    PaintBack(RGB(0x80, 0x80, 0x80));
    display.Present();
    PaintBack(RGB(0xFF, 0x00, 0x80));
    brannock::testing::LoseSurface(ExposedDisplay::primary);
    display.Present();
    EXPECT_EQ(ScreenPixel(0, 0), 0x808080u);
    display.Present();
    EXPECT_EQ(ScreenPixel(0, 0), 0xFF0080u);
}
#endif

TEST_F(FrameTest, AGoneWindowThrows) {
    Open();
    PaintBack(RGB(0x80, 0x80, 0x80));
    display.Present();
    DestroyWindow(window);
    EXPECT_THROW(
        {
            try {
                display.Present();
            } catch (int code) {
                EXPECT_EQ(code, 0);
                throw;
            }
        },
        int);
}

// As in the sample: the window thread asks for switches while another
// thread draws and presents.
TEST_F(FrameTest, SwitchesRequestedWhileAnotherThreadDraws) {
    Open(16, 1);
    ASSERT_EQ(LoadImage(16, 16, [](int, int) { return RGB(0xFF, 0xFF, 0); }), 0);
    std::atomic<bool> stop{false};
    std::atomic<int> frames{0};
    std::thread game([&] {
        while (!stop) {
            display.RestoreBackground(0, 0, 640, 480, -1);
            display.DrawImage(frames % 600, 100, 0, 0, 0, frames % 4);
            display.Present();
            ++frames;
        }
    });
    // Pump while waiting: the drawing thread places the window through us.
    const auto pump = [] {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        Sleep(1);
    };
    for (int switches = 0; switches < 6;) {
        pump();
        if (display.IsDrawEnabled() && frames > 3) {
            display.ToggleScreenMode();
            frames = 0;
            ++switches;
        }
    }
    while (display.IsModeChangePending() || !display.IsDrawEnabled())
        pump();
    stop = true;
    game.join();

    EXPECT_TRUE(display.IsWindowed());
    display.RestoreBackground(0, 0, 640, 480, -1);
    EXPECT_EQ(display.DrawImage(0, 0, 0, 0, 0, 0), DD_OK);
    EXPECT_EQ(Pixel(Back(), 15, 15), 0xFFFF00u);
}

}  // namespace
}  // namespace graphics_test
