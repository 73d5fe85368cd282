// Display set-up: page limit, window attachment, backing bitmaps, release,
// the failure box and the depth fall-back.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/graphics/display_fixture.h"

#ifndef _WIN32
#include "platform/testing/debug_output.h"
#include "platform/testing/display.h"
#include "platform/testing/message_boxes.h"
#endif

namespace graphics_test {
namespace {

TEST_F(DisplayTest, PageCountIsCappedAt128) {
    display.InitDisplay(64, 48, 16, 200);
    EXPECT_EQ(display.GetPageCount(), 128);
    EXPECT_NE(display.GetPageBits(127), nullptr);
    EXPECT_EQ(display.GetPageBits(128), nullptr);
    EXPECT_NE(display.SelectSurface(127), Back());
    EXPECT_EQ(display.SelectSurface(128), Back());
}

TEST_F(DisplayTest, AttachWindowKeepsTheFirstWindow) {
    HWND other = brannock::test::CreateTestWindow(WS_POPUP, 10, 10, 100, 100);
    display.AttachWindow(other);
    EXPECT_EQ(display.GetWindow(), window);
    DestroyWindow(other);
}

// A page's backing bitmap is a top-down 24-bit DIB 640 pixels wide.
void PokeBacking(void* bits, int x, int y, COLORREF colour) {
    auto* at = static_cast<unsigned char*>(bits) + y * 640 * 3 + x * 3;
    at[0] = GetBValue(colour);
    at[1] = GetGValue(colour);
    at[2] = GetRValue(colour);
}

TEST_F(DisplayTest, BackingBitmapsSurviveWhileSizeAndCountDo) {
    Open(16, 2);
    const std::string background = TempPath("bg.bmp");
    ASSERT_TRUE(
        WriteBitmapFile(background, 32, 32, [](int x, int y) { return RGB(x * 8, y * 8, 0x80); }));
    display.LoadBackground(background.c_str());
    display.LoadBackground(TempPath("missing.bmp").c_str());  // keeps the one loaded
    display.LoadBackground("");
    PokeBacking(display.GetPageBits(1), 5, 7, RGB(0x56, 0x34, 0x12));

    ASSERT_EQ(display.CreateDisplay(nullptr, 2), 1);
    EXPECT_EQ(Pixel(display.SelectSurface(1), 5, 7), 0x563412u);
    EXPECT_EQ(Pixel(display.SelectSurface(XSprite::kSelectBgImage), 3, 4), 0x182080u);

    // Another page count makes fresh, black bitmaps.
    ASSERT_EQ(display.CreateDisplay(nullptr, 3), 1);
    EXPECT_EQ(Pixel(display.SelectSurface(1), 5, 7), 0u);
    EXPECT_EQ(Pixel(display.SelectSurface(XSprite::kSelectBgImage), 3, 4), 0u);
}

TEST_F(DisplayTest, ReleaseAllObjectsTwice) {
    Open();
    ASSERT_EQ(LoadImage(4, 4, [](int, int) { return RGB(1, 2, 3); }), 0);
    EXPECT_EQ(display.ReleaseAllObjects(window), 0);
    EXPECT_EQ(display.ReleaseAllObjects(window), 0);
    EXPECT_EQ(Back(), nullptr);
    EXPECT_EQ(display.GetImageCount(), 0);
    // A released display refuses to draw rather than crash.
    EXPECT_TRUE(FAILED(display.DrawImage(0, 0, 0, 0, 0, 0)));
    display.RestoreBackground(0, 0, 640, 480, 0);
    display.Present();
}

// A game's display is part of its one static object: made before the
// display opens (and before anything the opening makes), destroyed after the
// process entry returned, when all it releases must still be there.
TEST(StaticDisplayDeathTest, ReleasesItsObjectsWhenTheProcessEnds) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            static XSprite display;
            display.AttachWindow(brannock::test::CreateTestWindow(WS_POPUP, 0, 0, 640, 480));
            display.InitDisplay(640, 480, 16, 4);
            std::exit(display.IsDrawEnabled() ? 0 : 2);
        },
        ::testing::ExitedWithCode(0), "");
}

#ifndef _WIN32
namespace testing_ctl = brannock::testing;

void PrintMessageBoxes() {
    for (const auto& box : testing_ctl::MessageBoxes()) {
        std::fprintf(stderr, "box type=%u caption=", box.type);
        for (unsigned char c : box.caption + "|" + box.text)
            std::fprintf(stderr, "%02x", c);
        std::fprintf(stderr, "\n");
    }
}

TEST(DisplayWithoutWindowDeathTest, InitDisplayWarnsAndExits) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // "警告" | "DirectDrawを初期化できません。" in Shift-JIS.
    EXPECT_EXIT(
        {
            testing_ctl::MessageBoxes();  // its record outlives the exit handler
            std::atexit(PrintMessageBoxes);
            XSprite display;
            display.InitDisplay(640, 480, 16, 4);
        },
        ::testing::ExitedWithCode(0),
        "box type=0 caption=8c788d907c"
        "4469726563744472617782f08f898afa89bb82c582ab82dc82b982f18142\n");
}

// "エラーが発生したので強制的に画面モードを変えます。\n"
const std::string kForced =
    "\x83\x47\x83\x89\x81\x5b\x82\xaa\x94\xad\x90\xb6\x82\xb5\x82\xbd\x82\xcc\x82\xc5\x8b\xad"
    "\x90\xa7\x93\x49\x82\xc9\x89\xe6\x96\xca\x83\x82\x81\x5b\x83\x68\x82\xf0\x95\xcf\x82\xa6"
    "\x82\xdc\x82\xb7\x81\x42\n";
const std::string kFailed = "\x8e\xb8\x94\x73\n";  // "失敗\n"

// "このシステムではDirectXが使えません。\n"
const std::string kNoDirectX =
    "\x82\xb1\x82\xcc\x83\x56\x83\x58\x83\x65\x83\x80\x82\xc5\x82\xcd"
    "DirectX\x82\xaa\x8e\x67\x82\xa6\x82\xdc\x82\xb9\x82\xf1\x81\x42\n";

struct FallBack {
    int requested;
    std::vector<DWORD> accepted;
    std::vector<std::string> lines;
    int settled;  // 0: none works

    friend void PrintTo(const FallBack& f, std::ostream* os) { *os << "from " << f.requested; }
};

class DepthFallBackTest : public DisplayTest, public ::testing::WithParamInterface<FallBack> {};

TEST_P(DepthFallBackTest, TriesTheOtherDepthsInTurn) {
    const FallBack& p = GetParam();
    testing_ctl::SetAcceptedDisplayDepths(p.accepted);
    Open(p.requested);
    const LONG style = GetWindowLongA(window, GWL_STYLE);  // negative: WS_POPUP is the top bit
    testing_ctl::CaptureDebugOutput(true);
    display.GoFullScreen();
    std::vector<std::string> expected = {"KEEP STYLE " + std::to_string(style) + "\n"};
    expected.insert(expected.end(), p.lines.begin(), p.lines.end());
    if (!p.settled) {
        EXPECT_THROW(display.Present(), int);  // the failure took the window away
        EXPECT_THAT(testing_ctl::DebugOutput(), ::testing::ElementsAreArray(expected));
        const auto boxes = testing_ctl::MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "SetDisplayMode FAILED(FULL)");
        EXPECT_EQ(boxes[0].caption, "XSprite\x83\x4e\x83\x89\x83\x58");  // "XSpriteクラス"
        EXPECT_FALSE(IsWindow(window));
        return;
    }
    display.Present();
    // "チェンジ!Full %dbit\n", "色のビット=%d\n" (24 colour bits in 32-bit pixels)
    expected.push_back("\x83\x60\x83\x46\x83\x93\x83\x57!Full " + std::to_string(p.settled) +
                       "bit\n");
    expected.push_back("\x90\x46\x82\xcc\x83\x72\x83\x62\x83\x67=" +
                       std::to_string(p.settled == 32 ? 24 : p.settled) + "\n");
    EXPECT_THAT(testing_ctl::DebugOutput(), ::testing::ElementsAreArray(expected));
    EXPECT_EQ(display.GetDisplayBits(), p.settled);
    EXPECT_EQ(testing_ctl::ScreenBitsPerPixel(), p.settled);
    EXPECT_TRUE(testing_ctl::MessageBoxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DepthFallBackTest,
    ::testing::Values(FallBack{32, {16, 24}, {kForced, "24bit!\n"}, 24},
                      FallBack{32, {16}, {kForced, "24bit!\n", "24bit!" + kFailed, "16bit!\n"}, 16},
                      FallBack{24, {16, 32}, {kForced, "32bit!\n"}, 32}, FallBack{16, {16}, {}, 16},
                      FallBack{
                          16, {24, 32}, {kForced, "16bit!\n", "16bit!" + kFailed, kNoDirectX}, 0}));
#endif

}  // namespace
}  // namespace graphics_test
