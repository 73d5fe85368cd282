// Whole runs of the sample seen on the headless backend's screen: what a
// run shows with and without its Sprite.txt, and F4 going to full screen and
// back while the game runs.
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/globals.h"
#include "tests/sample/sample_run.h"
#include "tests/support/framework_run.h"

#ifndef _WIN32
#include "platform/testing/display.h"

namespace sample_test {
namespace {

using brannock::testing::ScreenPixel;

// Where the frame's corner lies on the screen: the client area's corner
// in a window, the screen's own in full screen.
POINT FrameOrigin(bool fullScreen) {
    POINT origin{0, 0};
    if (!fullScreen) ClientToScreen(g_hWnd, &origin);
    return origin;
}

// The same colour as far as a 16-bit screen keeps it; `seen` is 0x00RRGGBB.
bool Same(DWORD seen, COLORREF colour) {
    const DWORD rgb = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    return ((seen ^ rgb) & 0xF8FCF8) == 0;
}

bool ShowsBackground(int y, bool fullScreen = false) {
    const POINT origin = FrameOrigin(fullScreen);
    for (int x = 0; x < 640; x += 20)
        if (!Same(ScreenPixel(origin.x + x, origin.y + y), BackgroundPixel(x, y))) return false;
    return true;
}

// Anything but the background on the row the character stands in.
bool ShowsCharacter() {
    const POINT origin = FrameOrigin(false);
    for (int x = 0; x < 640; ++x)
        if (!Same(ScreenPixel(origin.x + x, origin.y + 300), BackgroundPixel(x, 300))) return true;
    return false;
}

// The frame-rate readout near the window's top right corner, drawn on
// white in the window's own DC.
bool ShowsReadout() {
    HDC dc = GetWindowDC(g_hWnd);
    const COLORREF corner = GetPixel(dc, 640 - 120, 2);
    ReleaseDC(g_hWnd, dc);
    return corner == RGB(0xFF, 0xFF, 0xFF);
}

class SampleScreen : public SampleRun, public ::testing::WithParamInterface<bool> {};

// Without Sprite.txt the game still runs and presents its background and
// readout, and no character. With it, the walking character shows up; a
// full walk across takes 426 frames, so 500 frames without it mean none.
TEST_P(SampleScreen, ShowsBackgroundReadoutAndACharacterOnlyWithItsSpriteFile) {
    const bool withSpriteFile = GetParam();
    if (!withSpriteFile) std::filesystem::remove("Sprite.txt");
    bool background = false;
    bool readout = false;
    bool character = false;
    Run([&] {
        background = Eventually([] { return ShowsBackground(10) && ShowsBackground(470); });
        readout = Eventually(ShowsReadout);
        const int start = game.frames;
        character = Eventually([&] { return ShowsCharacter() || game.frames > start + 500; }) &&
                    ShowsCharacter();
    });
    EXPECT_TRUE(background);
    EXPECT_TRUE(readout);
    EXPECT_EQ(character, withSpriteFile);
}

INSTANTIATE_TEST_SUITE_P(SpriteFile, SampleScreen, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Present" : "Missing"; });

TEST_F(SampleRun, F4SwitchesToFullScreenAndBackWhileTheGameRuns) {
    const auto mode = [] {
        return std::pair{brannock::testing::ScreenWidth(), brannock::testing::ScreenBitsPerPixel()};
    };
    std::pair<int, int> desktop, fullScreen, back;
    bool drawnFullScreen = false;
    bool drawnBack = false;
    Run([&] {
        desktop = mode();
        Post(VK_F4);
        Eventually([&] { return mode() != desktop; });
        fullScreen = mode();
        drawnFullScreen = Eventually([] { return ShowsBackground(10, true); });
        Post(VK_F4);
        Eventually([&] { return mode() == desktop; });
        back = mode();
        drawnBack = Eventually([] { return ShowsBackground(10); });
    });
    EXPECT_EQ(fullScreen, (std::pair{640, 16}));
    EXPECT_EQ(back, desktop);
    EXPECT_TRUE(drawnFullScreen);
    EXPECT_TRUE(drawnBack);
}

}  // namespace
}  // namespace sample_test
#endif  // _WIN32
