// Drawing into the back buffer: edge trims of plain, stretched and mirrored
// images, refused draws, and the background layers.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/graphics/display_fixture.h"

namespace graphics_test {
namespace {

constexpr int kW = 32;  // the test sprite's size
constexpr int kH = 16;

// Each sprite pixel names its own place: red = column, green = row.
COLORREF SpritePixel(int x, int y) {
    return RGB(x, y, 0x40);
}

// Screen (x, y) should show sprite pixel (srcX, srcY); srcX -1: left blank.
struct Probe {
    int x, y, srcX, srcY;
};

struct Draw {
    const char* name;
    int x, y, w, h, flip;
    std::vector<Probe> probes;

    friend void PrintTo(const Draw& d, std::ostream* os) { *os << d.name; }
};

class DrawTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        Open();
        ASSERT_EQ(LoadImage(kW, kH, SpritePixel), 0);
        display.RestoreBackground(0, 0, 640, 480, -1);
    }

    void ExpectProbes(const std::vector<Probe>& probes) {
        for (const Probe& p : probes) {
            const DWORD expected = p.srcX < 0 ? 0 : ToRgb(SpritePixel(p.srcX, p.srcY));
            EXPECT_EQ(Pixel(Back(), p.x, p.y), expected) << "at (" << p.x << ", " << p.y << ")";
        }
    }
};

class TrimTest : public DrawTest, public ::testing::WithParamInterface<Draw> {};

TEST_P(TrimTest, DrawsTheTrimmedSourceAtTheClippedPlace) {
    const Draw& d = GetParam();
    EXPECT_EQ(display.DrawImage(d.x, d.y, 0, d.w, d.h, d.flip), DD_OK);
    ExpectProbes(d.probes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, TrimTest, ::testing::Values(
    Draw{"Left", -10, 0, 0, 0, 0, {{0, 0, 10, 0}, {21, 0, 31, 0}, {22, 0, -1, 0}}},
    Draw{"Right", 640 - kW + 7, 0, 0, 0, 0, {{615, 0, 0, 0}, {639, 0, 24, 0}}},
    Draw{"Bottom", 5, 480 - kH + 3, 0, 0, 0, {{5, 467, 0, 0}, {5, 479, 0, 12}}},
    // Mirrored, the cut lands on the mirrored side of the source.
    Draw{"MirroredRight", 640 - kW + 10, 0, 0, 0, 1, {{618, 0, 31, 0}, {639, 0, 10, 0}}},
    Draw{"MirroredLeft", -10, 0, 0, 0, 1, {{0, 0, 21, 0}, {21, 0, 0, 0}, {22, 0, -1, 0}}},
    Draw{"FlippedTop", 0, -5, 0, 0, 2, {{0, 0, 0, 10}, {0, 10, 0, 0}, {0, 11, -1, 0}}},
    Draw{"BothMirrors", 0, 0, 0, 0, 3, {{0, 0, 31, 15}, {31, 15, 0, 0}, {31, 0, 0, 15}}},
    // Stretched twice: the source loses half the overflow, mirrored or not.
    Draw{"StretchedRight", 640 - 2 * kW + 20, 0, 2 * kW, 2 * kH, 0,
         {{596, 0, 0, 0}, {639, 0, 21, 0}, {596, 31, 0, 15}}},
    Draw{"StretchedMirroredLeft", -20, 0, 2 * kW, 2 * kH, 1,
         {{0, 0, 31, 0}, {43, 0, 10, 0}, {44, 0, -1, 0}}},
    Draw{"StretchedFlippedTop", 0, -10, 2 * kW, 2 * kH, 2,
         {{0, 0, 0, 15}, {0, 21, 0, 5}, {0, 22, -1, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(DrawTest, FlipWithoutMirrorBitsReusesTheLastEffect) {
    EXPECT_EQ(display.DrawImage(0, 0, 0, 0, 0, 4), DD_OK);  // none before the first
    ExpectProbes({{0, 0, 0, 0}, {31, 0, 31, 0}});

    ASSERT_EQ(display.DrawImage(100, 100, 0, 0, 0, 1), DD_OK);
    // Mirrored left-right as the last call, but trimmed as unmirrored.
    EXPECT_EQ(display.DrawImage(-10, 40, 0, 0, 0, 4), DD_OK);
    ExpectProbes({{0, 40, 31, 0}, {21, 40, 10, 0}, {22, 40, -1, 0}});
}

TEST_F(DrawTest, RefusedDrawsLeaveTheBackBuffer) {
    EXPECT_TRUE(FAILED(display.DrawImage(0, 0, -1, 0, 0, 0)));
    EXPECT_TRUE(FAILED(display.DrawImage(0, 0, 1, 0, 0, 0)));  // one past the last handle
    // Wholly off the screen, an inverted stretch, edges past the int range.
    EXPECT_TRUE(FAILED(display.DrawImage(640, 0, 0, 0, 0, 1)));
    EXPECT_TRUE(FAILED(display.DrawImage(0, -kH - 40, 0, 0, 0, 0)));
    EXPECT_TRUE(FAILED(display.DrawImage(0, 0, 0, -64, 32, 0)));
    EXPECT_TRUE(FAILED(display.DrawImage(0x7FFFFFF0, -0x7FFFFFF0, 0, 0x7FFFFFF0, 5, 0)));
    EXPECT_TRUE(FAILED(display.DrawImage(-0x7FFFFFFF - 1, 0, 0, 0, 0, 0)));

    // Wider than the screen at a negative x: trimmed on the right only, the
    // destination still starts left of the screen, so nothing is drawn.
    ASSERT_EQ(LoadImage(700, 4, [](int x, int) { return RGB(x & 0xFF, 0, 0x40); }), 1);
    EXPECT_TRUE(FAILED(display.DrawImage(-10, 0, 1, 0, 0, 0)));
    ExpectProbes({{0, 0, -1, 0}, {639, 0, -1, 0}, {20, 8, -1, 0}, {0, 479, -1, 0}});
}

TEST_F(DrawTest, BackgroundLayersAndRestoreModes) {
    const std::string file = TempPath("bg.bmp");
    ASSERT_TRUE(WriteBitmapFile(file, 640, 480,
                                [](int x, int y) { return RGB(x & 0xFF, y & 0xFF, 0x80); }));
    display.LoadBackground(file.c_str());
    // Composed (100, 50) is picture (10, 20).
    EXPECT_EQ(display.ComposeBackground(100, 50, 200, 100, 10, 20), DD_OK);
    EXPECT_EQ(Pixel(display.SelectSurface(XSprite::kSelectBgScreen), 100, 50), 0x0A1480u);

    display.RestoreBackground(110, 60, 20, 10, 0);  // only that rectangle
    EXPECT_EQ(Pixel(Back(), 110, 60), 0x141E80u);
    EXPECT_EQ(Pixel(Back(), 129, 69), 0x272780u);
    EXPECT_EQ(Pixel(Back(), 130, 60), 0u);
    EXPECT_EQ(Pixel(Back(), 110, 70), 0u);

    display.RestoreBackground(0, 0, 640, 480, 1);  // any other mode: nothing
    EXPECT_EQ(Pixel(Back(), 200, 100), 0u);
    display.RestoreBackground(0, 0, 640, 480, 0);
    EXPECT_EQ(Pixel(Back(), 200, 100), 0x6E4680u);
    display.RestoreBackground(5, 5, 1, 1, -1);  // clears all, whatever the rectangle
    EXPECT_EQ(Pixel(Back(), 200, 100), 0u);
}

}  // namespace
}  // namespace graphics_test
