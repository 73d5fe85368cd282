// Images: handles, sizes, failed loads, re-creation, 16-bit colours.
#include <string>

#include <gtest/gtest.h>

#include "tests/graphics/display_fixture.h"

namespace graphics_test {
namespace {

TEST_F(DisplayTest, HandlesAreLoadOrderAndSurviveReCreation) {
    Open();
    constexpr COLORREF kColours[] = {RGB(0xFF, 0, 0), RGB(0, 0xFF, 0), RGB(0, 0, 0xFF)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(LoadImage(8 + i, 8, [&](int, int) { return kColours[i]; }), i);
    }

    display.SaveImages();
    display.ReleaseAllObjects(window);
    ASSERT_EQ(display.CreateSurfaces(window, 4), 0);
    display.ReloadImages();

    ASSERT_EQ(display.GetImageCount(), 3);
    display.RestoreBackground(0, 0, 640, 480, -1);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(display.DrawImage(20 * i, 0, i, 0, 0, 0), DD_OK);
        EXPECT_EQ(Pixel(Back(), 20 * i + 7 + i, 7), ToRgb(kColours[i])) << i;
        EXPECT_EQ(Pixel(Back(), 20 * i + 8 + i, 7), 0u) << i;  // and its width
    }
}

TEST_F(DisplayTest, SizeRectangleGetsOnlyWidthAndHeight) {
    Open();
    const std::string tall = TempPath("tall.bmp");
    ASSERT_TRUE(WriteBitmapFile(tall, 64, 96, [](int, int) { return RGB(9, 9, 9); }));

    RECT size{-5, -6, 0, 0};
    EXPECT_EQ(display.LoadBitmapFile(tall.c_str(), XSprite::kTransparent, &size), 0);
    EXPECT_EQ(size.left, -5);
    EXPECT_EQ(size.top, -6);
    EXPECT_EQ(size.right, 64);
    EXPECT_EQ(size.bottom, 96);

    // Failed loads leave it alone.
    const std::string missing = TempPath("missing.bmp");
    for (const char* path : {"", missing.c_str(), static_cast<const char*>(nullptr)}) {
        EXPECT_EQ(display.LoadBitmapFile(path, XSprite::kTransparent, &size), -1);
        EXPECT_EQ(size.right, 64);
        EXPECT_EQ(size.bottom, 96);
    }
    EXPECT_EQ(display.GetImageCount(), 1);
}

TEST(ToHighColor, PacksRedLowAndBlueHigh) {
    EXPECT_EQ(XSprite::ToHighColor(0xFF00FF, 15), 0x7C1F);
    EXPECT_EQ(XSprite::ToHighColor(0xFF00FF, 16), 0xF81F);
    EXPECT_EQ(XSprite::ToHighColor(RGB(0xFF, 0, 0), 16), 0x001F);
    EXPECT_EQ(XSprite::ToHighColor(RGB(0, 0xFF, 0), 15), 0x03E0);
    EXPECT_EQ(XSprite::ToHighColor(RGB(0x87, 0x47, 0x0F), 24), 0x0A30);
}

}  // namespace
}  // namespace graphics_test
