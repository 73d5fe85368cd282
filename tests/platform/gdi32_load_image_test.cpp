// LoadImageA on bitmap files: Windows-style paths, the DIB section it gives,
// and files that are missing or are not bitmaps.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace {

// A 3x2 24-bit bottom-up file: top row red, green, blue; bottom row white,
// black, grey.
std::vector<unsigned char> SmallBitmapFile() {
    std::vector<unsigned char> file;
    const auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    const unsigned rowBytes = 12;  // 9 bytes padded to 4
    put(0x4D42, 2);
    put(54 + 2 * rowBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(3, 4);
    put(2, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(2 * rowBytes, 4);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    put(0, 4);
    // 0xRRGGBB written little-endian is the file's blue, green, red.
    for (unsigned rgb : {0xFFFFFFu, 0x000000u, 0x808080u})
        put(rgb, 3);  // bottom row first
    put(0, 3);
    for (unsigned rgb : {0xFF0000u, 0x00FF00u, 0x0000FFu})
        put(rgb, 3);
    put(0, 3);
    return file;
}

std::string WriteFile(const std::string& name, const std::vector<unsigned char>& bytes) {
    const std::string path = ::testing::TempDir() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

// "/tmp/x.bmp" as Windows writes it: "Z:\tmp\x.bmp".
std::string WindowsPath(std::string path) {
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return "Z:" + path;
}

HBITMAP Load(const std::string& path, UINT flags = LR_LOADFROMFILE | LR_CREATEDIBSECTION,
             int cx = 0, int cy = 0) {
    return static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, cx, cy, flags));
}

TEST(GdiLoadImage, ReadsABitmapFileIntoA24BitDibSection) {
    const std::string path = WriteFile("gdi32_load_image_small.bmp", SmallBitmapFile());
    HBITMAP bitmap = Load(WindowsPath(path));
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

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 0), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 2, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(128, 128, 128));
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiLoadImage, CanStretchOrGiveTheScreenFormat) {
    const std::string path = WriteFile("gdi32_load_image_stretch.bmp", SmallBitmapFile());
    HBITMAP stretched = Load(path, LR_LOADFROMFILE | LR_CREATEDIBSECTION, 6, 4);
    ASSERT_NE(stretched, nullptr);
    HBITMAP device = Load(path, LR_LOADFROMFILE);
    ASSERT_NE(device, nullptr);
    BITMAP info{};
    GetObjectA(device, sizeof info, &info);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(info.bmBits, nullptr);

    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, stretched);
    EXPECT_EQ(GetPixel(dc, 5, 3), RGB(128, 128, 128));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(0, 255, 0));
    SelectObject(dc, device);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(stretched);
    DeleteObject(device);
}

TEST(GdiLoadImage, MissingOrBrokenFilesGiveNoBitmap) {
    EXPECT_EQ(Load(::testing::TempDir() + "gdi32_load_image_missing.bmp"), nullptr);
    EXPECT_EQ(Load(""), nullptr);
    std::vector<unsigned char> truncated = SmallBitmapFile();
    truncated.resize(40);
    EXPECT_EQ(Load(WriteFile("gdi32_load_image_truncated.bmp", truncated)), nullptr);
    EXPECT_EQ(Load(WriteFile("gdi32_load_image_text.bmp", {'h', 'e', 'l', 'l', 'o'})), nullptr);

    const std::string good = WriteFile("gdi32_load_image_good.bmp", SmallBitmapFile());
    EXPECT_EQ(Load(good, LR_CREATEDIBSECTION),
              nullptr);  // a resource name: there are none
    EXPECT_EQ(LoadImageA(nullptr, good.c_str(), 1 /* IMAGE_ICON */, 0, 0, LR_LOADFROMFILE),
              nullptr);
    EXPECT_EQ(LoadImageA(nullptr, nullptr, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

}  // namespace
