// DirectDraw and the screen: the windowed primary clipped to its window,
// full-screen modes with restricted depths, flipping, and surfaces lost when
// the mode changes.
#include "platform/display/host_image.h"
#include "platform/testing/display.h"
#include "tests/platform/ddraw_fixture.h"
#include "tests/platform/recording_backend.h"

namespace {

using namespace brannock::test;
using brannock::testing::ScreenBitsPerPixel;
using brannock::testing::ScreenPixel;
using Events = std::vector<std::string>;

TEST(DirectDrawWindowed, PrimaryBlitsReachTheScreenInsideTheClipperWindow) {
    RecordingBackend& backend = RecordingBackend::Install();
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 200, 100, 160, 120);
    const RECT client = ClientOnScreen(window);
    auto directDraw = CreateDirectDraw(window);
    auto primary = CreatePrimary(directDraw.get());
    ASSERT_TRUE(primary);
    auto desc = Sized<DDSURFACEDESC2>();
    ASSERT_EQ(primary->GetSurfaceDesc(&desc), DD_OK);
    EXPECT_EQ(desc.dwWidth, static_cast<DWORD>(brannock::testing::ScreenWidth()));
    EXPECT_EQ(desc.ddpfPixelFormat.dwRGBBitCount, 32u);

    // Each pixel names its place: 0x01yyxx.
    auto back = CreatePlain(directDraw.get(), 200, 160);
    WritePixels(back.get(), [](int x, int y) { return static_cast<DWORD>(0x010000 | y << 8 | x); });
    // Without a clipper nothing cuts a rectangle that leaves the screen.
    RECT offScreen{-20, 0, 180, 160};
    EXPECT_EQ(primary->Blt(&offScreen, back.get(), nullptr, DDBLT_WAIT, nullptr),
              DDERR_INVALIDRECT);
    EXPECT_EQ(ScreenPixel(0, 0), 0u);

    IDirectDrawClipper* clipper = nullptr;
    ASSERT_EQ(directDraw->CreateClipper(0, &clipper, nullptr), DD_OK);
    ASSERT_EQ(clipper->SetHWnd(0, window), DD_OK);
    ASSERT_EQ(primary->SetClipper(clipper), DD_OK);
    clipper->Release();  // the primary keeps it
    backend.Clear();
    // Larger than the client area (160 x 100) by 20 on the top and left.
    RECT dest{client.left - 20, client.top - 20, client.left + 180, client.top + 140};
    ASSERT_EQ(primary->Blt(&dest, back.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    ExpectScreen({{client.left, client.top, 0x011414},
                  {client.right - 1, client.bottom - 1, 0x0177B3},
                  {client.left - 1, client.top, 0},
                  {client.right, client.top, 0},
                  {client.left, client.bottom, 0}});
    EXPECT_EQ(backend.Events("screen"), Events{"screen " + RectText(client)});

    // A clipper lets a rectangle leave the screen, but not without bounds.
    RECT huge{-2000000000, 0, 2000000000, 100};
    EXPECT_EQ(primary->Blt(&huge, back.get(), nullptr, DDBLT_WAIT, nullptr), DDERR_INVALIDRECT);
    // A window that is gone clips everything away.
    DestroyWindow(window);
    FillSurface(back.get(), 0x0000BB);
    EXPECT_EQ(primary->Blt(&dest, back.get(), nullptr, DDBLT_WAIT, nullptr), DD_OK);
    EXPECT_EQ(ScreenPixel(client.left, client.top), 0x011414u);
}

TEST(DirectDrawWindowed, PrimaryLockAndDCWriteTheScreen) {
    RecordingBackend& backend = RecordingBackend::Install();
    auto directDraw = CreateDirectDraw();
    auto primary = CreatePrimary(directDraw.get());
    RECT area{10, 20, 12, 21};
    auto desc = Sized<DDSURFACEDESC2>();
    ASSERT_EQ(primary->Lock(&area, &desc, DDLOCK_WAIT, nullptr), DD_OK);
    auto* row = static_cast<std::uint32_t*>(desc.lpSurface);
    row[0] = 0x123456;
    row[1] = 0x654321;
    EXPECT_EQ(ScreenPixel(10, 20), 0u);  // not before Unlock
    ASSERT_EQ(primary->Unlock(&area), DD_OK);
    ExpectScreen({{10, 20, 0x123456}, {11, 20, 0x654321}});

    HDC dc = nullptr;
    ASSERT_EQ(primary->GetDC(&dc), DD_OK);
    SetPixel(dc, 30, 40, RGB(9, 8, 7));
    ASSERT_EQ(primary->ReleaseDC(dc), DD_OK);
    EXPECT_EQ(ScreenPixel(30, 40), 0x090807u);
    EXPECT_EQ(backend.Events("screen"), (Events{"screen 10,20,12,21", "screen 30,40,31,41"}));
}

TEST(DirectDrawFullScreen, DisplayModesNeedTheExclusiveLevelAndAnAcceptedDepth) {
    RecordingBackend& backend = RecordingBackend::Install();
    brannock::testing::SetAcceptedDisplayDepths({16});
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    auto directDraw = CreateDirectDraw(window);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DDERR_NOEXCLUSIVEMODE);
    EXPECT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE), DDERR_INVALIDPARAMS);
    ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
    auto other = CreateDirectDraw(window);
    EXPECT_EQ(other->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN),
              DDERR_EXCLUSIVEMODEALREADYSET);

    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 32, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(directDraw->SetDisplayMode(640, 480, 24, 0, 0), DDERR_INVALIDMODE);
    EXPECT_EQ(ScreenBitsPerPixel(), 32);
    EXPECT_TRUE(backend.Events("mode").empty());
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    EXPECT_EQ(brannock::testing::ScreenWidth(), 640);
    EXPECT_EQ(brannock::testing::ScreenHeight(), 480);
    EXPECT_EQ(ScreenBitsPerPixel(), 16);
    auto mode = Sized<DDSURFACEDESC2>();
    ASSERT_EQ(directDraw->GetDisplayMode(&mode), DD_OK);
    EXPECT_EQ(mode.ddpfPixelFormat.dwRBitMask, 0xF800u);

    // Releasing the object gives the desktop back.
    directDraw.reset();
    EXPECT_EQ(ScreenBitsPerPixel(), 32);
    EXPECT_EQ(backend.Events("mode"), (Events{"mode full screen", "mode desktop"}));
    EXPECT_EQ(other->SetCooperativeLevel(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN), DD_OK);
}

TEST(DirectDrawFullScreen, FlipShowsTheBackBufferAndLeavingLosesTheSurfaces) {
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    auto directDraw = CreateDirectDraw(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    auto offscreen32 = CreatePlain(directDraw.get(), 8, 8);
    ASSERT_EQ(directDraw->SetDisplayMode(640, 480, 16, 0, 0), DD_OK);
    EXPECT_EQ(offscreen32->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(offscreen32->Restore(), DDERR_WRONGMODE);

    auto primary = CreatePrimary(directDraw.get(), 1);
    ASSERT_TRUE(primary);
    auto back = BackBuffer(primary.get());
    auto sprite = CreatePlain(directDraw.get(), 8, 8);
    FillSurface(sprite.get(), 0x07E0);
    FillSurface(back.get(), 0xF800);
    ASSERT_EQ(back->BltFast(100, 100, sprite.get(), nullptr, DDBLTFAST_WAIT), DD_OK);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), DD_OK);
    ExpectScreen({{0, 0, 0xFF0000}, {100, 100, 0x00FF00}, {639, 479, 0xFF0000}});
    // The back buffer now holds what the screen showed before: black.
    EXPECT_EQ(Pixel(back.get(), 0, 0), 0u);
    FillSurface(back.get(), 0x001F);
    ASSERT_EQ(primary->Flip(nullptr, 0), DD_OK);
    EXPECT_EQ(ScreenPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(Pixel(back.get(), 0, 0), 0xF800u);
    EXPECT_EQ(back->Flip(nullptr, 0), DDERR_NOTFLIPPABLE);

    brannock::testing::LoseSurface(primary.get());
    EXPECT_EQ(primary->Flip(nullptr, 0), DDERR_SURFACELOST);
    ASSERT_EQ(primary->Restore(), DD_OK);
    EXPECT_EQ(primary->Flip(nullptr, 0), DD_OK);

    ASSERT_EQ(directDraw->SetCooperativeLevel(window, DDSCL_NORMAL), DD_OK);
    EXPECT_EQ(ScreenBitsPerPixel(), 32);
    EXPECT_EQ(primary->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(back->IsLost(), DDERR_SURFACELOST);
    EXPECT_EQ(primary->Restore(), DDERR_WRONGMODE);
    EXPECT_EQ(offscreen32->Restore(), DD_OK);
}

TEST(DirectDrawFullScreen, TheHostShowsTheScreenWithTheOwnerOverlay) {
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 50, 50, 100, 100);
    auto directDraw = CreateDirectDraw(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    ASSERT_EQ(directDraw->SetDisplayMode(320, 240, 32, 0, 0), DD_OK);
    auto primary = CreatePrimary(directDraw.get());
    FillSurface(primary.get(), 0x336699);
    HDC dc = GetWindowDC(window);
    ASSERT_TRUE(TextOutA(dc, 200, 2, "60", 2));
    ReleaseDC(window, dc);

    brannock::platform::display::HostImage image;
    brannock::platform::display::ReadScreenImage(image);
    ASSERT_EQ(image.width, 320);
    ASSERT_EQ(image.height, 240);
    EXPECT_EQ(image.pixels[0], 0x336699u);
    EXPECT_EQ(image.pixels[2 * 320 + 200], 0xFFFFFFu);  // the text cell's background
    EXPECT_EQ(image.pixels[2 * 320 + 199], 0x336699u);
}

}  // namespace
