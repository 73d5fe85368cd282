// DCs of DirectDraw surfaces as memory DCs: the surface's memory is their
// selected bitmap, which another bitmap can take the place of.
#include "tests/platform/ddraw_fixture.h"

namespace {

using namespace brannock::test;

TEST(GdiSurfaceDC, SelectingABitmapRedirectsDrawingUntilTheSurfaceIsSelectedBack) {
    auto directDraw = CreateDirectDraw();
    auto surface = CreatePlain(directDraw.get(), 8, 4, 32);
    FillSurface(surface.get(), 0);
    Dib dib = MakeDib(4, -4, 32);
    ASSERT_NE(dib.bitmap, nullptr);

    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    const HGDIOBJ own = SelectObject(dc, dib.bitmap);
    ASSERT_NE(own, nullptr);
    BITMAP info{};
    ASSERT_EQ(GetObjectA(own, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmHeight, 4);
    EXPECT_EQ(info.bmBitsPixel, 32);

    // Drawing lands in the DIB, and the DC's bounds are the DIB's.
    FillArea(dc, {0, 0, 2, 2}, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 5, 0), CLR_INVALID);
    EXPECT_EQ(static_cast<const DWORD*>(dib.bits)[1] & 0xFFFFFF, 0xFF0000u);

    EXPECT_EQ(SelectObject(dc, own), dib.bitmap);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 0, 0));  // the surface again
    FillArea(dc, {0, 0, 1, 1}, RGB(0, 255, 0));
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    ExpectPixels(surface.get(), [](int x, int y) { return x == 0 && y == 0 ? 0x00FF00 : 0; });

    // The DIB was let go: another DC can take it, and it can be deleted.
    {
        MemoryDC memory(dib.bitmap);
        EXPECT_EQ(GetPixel(memory, 1, 1), RGB(255, 0, 0));
    }
    EXPECT_TRUE(DeleteObject(dib.bitmap));
}

TEST(GdiSurfaceDC, CopiesBetweenTheSurfaceAndMemoryDCsConvertFormats) {
    auto directDraw = CreateDirectDraw();
    auto surface = CreatePlain(directDraw.get(), 2, 1, 16);
    WritePixels(surface.get(), [](int x, int) { return x == 0 ? 0xF800u : 0x001Fu; });
    Dib dib = MakeDib(2, -1, 24);
    MemoryDC memory(dib.bitmap);
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    ASSERT_TRUE(BitBlt(memory, 0, 0, 2, 1, dc, 0, 0, SRCCOPY));
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(memory, 1, 0), RGB(0, 0, 255));
    SetPixel(memory, 0, 0, RGB(0, 255, 0));
    ASSERT_TRUE(BitBlt(dc, 1, 0, 1, 1, memory, 0, 0, SRCCOPY));
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(ReadPixels(surface.get()), (std::vector<DWORD>{0xF800, 0x07E0}));
}

#ifndef _WIN32
// What happens to a surface DC's objects when it goes: the layer's own
// rules, where Windows leaves them to the driver.
TEST(GdiSurfaceDC, TheSurfacesOwnBitmapStaysWithItsDCAndGoesWithIt) {
    auto directDraw = CreateDirectDraw();
    auto surface = CreatePlain(directDraw.get(), 4, 4, 32);
    Dib dib = MakeDib(4, 4, 32);
    HDC dc = nullptr;
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    const HGDIOBJ own = SelectObject(dc, dib.bitmap);
    ASSERT_NE(own, nullptr);
    // Not the caller's to delete nor to draw on elsewhere.
    EXPECT_FALSE(DeleteObject(own));
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(memory, own), nullptr);

    // Released with the DIB still selected: the DIB is free again, and the
    // surface's entry is gone.
    ASSERT_EQ(surface->ReleaseDC(dc), DD_OK);
    BITMAP info{};
    EXPECT_EQ(GetObjectA(own, sizeof info, &info), 0);
    const HGDIOBJ stock = SelectObject(memory, dib.bitmap);
    EXPECT_NE(stock, nullptr);
    SelectObject(memory, stock);
    DeleteDC(memory);
    EXPECT_TRUE(DeleteObject(dib.bitmap));

    // A surface released with its DC out takes the DC and its pixels along.
    ASSERT_EQ(surface->GetDC(&dc), DD_OK);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    surface.reset();
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_EQ(SetPixel(dc, 0, 0, RGB(1, 2, 3)), CLR_INVALID);
}

// The primary's DC draws on the screen, which no bitmap stands for: it
// takes no bitmaps, as a screen DC does not.
TEST(GdiSurfaceDC, ThePrimarysDCTakesNoBitmap) {
    auto directDraw = CreateDirectDraw();
    auto primary = CreatePrimary(directDraw.get());
    Dib dib = MakeDib(2, 2, 32);
    HDC dc = nullptr;
    ASSERT_EQ(primary->GetDC(&dc), DD_OK);
    EXPECT_EQ(SelectObject(dc, dib.bitmap), nullptr);
    EXPECT_EQ(SetPixel(dc, 3, 4, RGB(9, 8, 7)), RGB(9, 8, 7));
    ASSERT_EQ(primary->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(brannock::testing::ScreenPixel(3, 4), 0x090807u);
    EXPECT_TRUE(DeleteObject(dib.bitmap));
}
#endif

}  // namespace
