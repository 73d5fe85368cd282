// LoadImageA on bitmap files: Windows-style paths, the DIB section it gives,
// and files that are missing or are not bitmaps.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/platform/ddraw_fixture.h"
#include "tests/support/bitmap_file.h"

namespace {

// A 3x2 file: top row red, green, blue; bottom row white, black, grey.
std::string SmallBitmapFile(const std::string& name) {
    const COLORREF pixels[2][3] = {{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)},
                                   {RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128)}};
    const std::string path = ::testing::TempDir() + name;
    EXPECT_TRUE(
        brannock::test::WriteBitmapFile(path, 3, 2, [&](int x, int y) { return pixels[y][x]; }));
    return path;
}

HBITMAP Load(const std::string& path, UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION,
             int cx = 0, int cy = 0) {
    return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, cx, cy, flags));
}

// The bitmap's pixels at the given points.
std::vector<COLORREF> PixelsAt(HBITMAP bitmap, std::initializer_list<POINT> points) {
    const brannock::test::MemoryDC dc(bitmap);
    std::vector<COLORREF> pixels;
    for (const POINT& p : points)
        pixels.push_back(GetPixel(dc, p.x, p.y));
    return pixels;
}

// A path in Windows form: "/tmp/x.bmp" as Windows sees it, "Z:\tmp\x.bmp".
std::string WindowsPath(std::string path) {
    if (path.rfind('/', 0) == 0) path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

TEST(GdiLoadImage, ReadsABitmapFileIntoA24BitDibSection) {
    const std::string path = WindowsPath(SmallBitmapFile("gdi32_load_image_small.bmp"));
    HBITMAP bitmap = Load(path);
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_EQ(info.bmBitsPixel, 24);
    EXPECT_EQ(info.bmWidthBytes, 12);
    ASSERT_NE(info.bmBits, nullptr);
    // Bottom-up like the file: memory starts with the bottom row.
    const auto* first = static_cast<const unsigned char*>(info.bmBits);
    EXPECT_EQ(first[0], 0xFF);
    EXPECT_EQ(first[3], 0x00);
    EXPECT_EQ(PixelsAt(bitmap, {{0, 0}, {1, 0}, {2, 0}, {2, 1}}),
              (std::vector<COLORREF>{RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255),
                                     RGB(128, 128, 128)}));
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiLoadImage, CanStretchOrGiveTheScreenFormat) {
    const std::string path = SmallBitmapFile("gdi32_load_image_stretch.bmp");
    HBITMAP stretched = Load(path, LR_LOADFROMFILE | LR_CREATEDIBSECTION, 6, 4);
    ASSERT_NE(stretched, nullptr);
    BITMAP info{};
    GetObjectA(stretched, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 6);
    EXPECT_EQ(info.bmHeight, 4);
    // The corners keep their colours however the stretch samples.
    EXPECT_EQ(PixelsAt(stretched, {{5, 3}, {0, 0}}),
              (std::vector<COLORREF>{RGB(128, 128, 128), RGB(255, 0, 0)}));
    HBITMAP device = Load(path, LR_LOADFROMFILE);
    ASSERT_NE(device, nullptr);
    GetObjectA(device, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, brannock::test::ScreenBitsPerPixel());
    EXPECT_EQ(info.bmBits, nullptr);
    EXPECT_EQ(PixelsAt(device, {{1, 1}}), std::vector<COLORREF>{RGB(0, 0, 0)});
}

TEST(GdiLoadImage, MissingOrBrokenFilesGiveNoBitmap) {
    EXPECT_EQ(Load(::testing::TempDir() + "gdi32_load_image_missing.bmp"), nullptr);
    EXPECT_EQ(Load(""), nullptr);
    const std::string good = SmallBitmapFile("gdi32_load_image_good.bmp");
    const std::string truncated = SmallBitmapFile("gdi32_load_image_truncated.bmp");
    std::filesystem::resize_file(truncated, 40);
#ifndef _WIN32  // Wine makes a bitmap of what is there
    EXPECT_EQ(Load(truncated), nullptr);
#endif
    const std::string text = ::testing::TempDir() + "gdi32_load_image_text.bmp";
    std::ofstream(text) << "hello";
    EXPECT_EQ(Load(text), nullptr);

    EXPECT_EQ(Load(good, LR_CREATEDIBSECTION), nullptr);  // a resource name: there are none
    EXPECT_EQ(LoadImageA(nullptr, good.c_str(), 1 /* IMAGE_ICON */, 0, 0, LR_LOADFROMFILE),
              nullptr);
    EXPECT_EQ(LoadImageA(nullptr, nullptr, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

}  // namespace
