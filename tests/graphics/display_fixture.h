// Shared set-up of the display tests: a window to draw into, bitmap files
// written on the fly, and pixel reads from surfaces.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "graphics/xsprite.h"
#include "tests/support/bitmap_file.h"
#include "tests/support/surface_pixels.h"
#include "tests/support/test_window.h"

namespace graphics_test {

using brannock::test::Pixel;
using brannock::test::WriteBitmapFile;

// A file path in a folder of this test; DisplayTest removes the folder.
std::string TempPath(const std::string& name);

// 0x00RRGGBB as far as a display of `bits` keeps it (5-6-5 for 16).
inline DWORD Quantise(DWORD rgb, int bits) {
    return rgb & (bits == 16 ? 0xF8FCF8 : 0xFFFFFF);
}

// COLORREF (0x00BBGGRR) to 0x00RRGGBB.
constexpr DWORD ToRgb(COLORREF c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// A display attached to a fresh 640x480 pop-up window (no caption: the
// client area is the whole window).
class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Opens a 640x480 display; `bits` is the full-screen depth.
    void Open(int bits = 16, int pages = 4);
    // Loads a bitmap file written from `pixel` as the next image.
    int LoadImage(int width, int height, const std::function<COLORREF(int x, int y)>& pixel);

    IDirectDrawSurface7* Back() const { return display.SelectSurface(XSprite::kSelectBack); }

    HWND window = nullptr;
    XSprite display;
};

}  // namespace graphics_test
