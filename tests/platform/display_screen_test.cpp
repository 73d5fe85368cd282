// The emulated screen as backends and tests read it: saved as a bitmap
// file, and a window's view when the window reaches past the screen edge.
#include <atomic>
#include <string>
#include <thread>

#include "platform/bmp/bmp_decoder.h"
#include "platform/display/host_image.h"
#include "platform/testing/display.h"
#include "tests/platform/ddraw_fixture.h"

namespace {

using namespace brannock::test;

TEST(DisplayScreen, SaveScreenBitmapWritesWhatIsOnTheScreen) {
    HDC dc = GetDC(nullptr);
    SetPixel(dc, 0, 0, RGB(255, 0, 0));
    SetPixel(dc, 5, 3, RGB(1, 2, 3));
    const int right = brannock::testing::ScreenWidth() - 1;
    const int bottom = brannock::testing::ScreenHeight() - 1;
    SetPixel(dc, right, bottom, RGB(0, 0, 255));
    ReleaseDC(nullptr, dc);

    const std::string path = ::testing::TempDir() + "display_screen_saved.bmp";
    ASSERT_TRUE(brannock::testing::SaveScreenBitmap(path.c_str()));
    const auto decoded = brannock::bmp::DecodeFile(path);
    ASSERT_TRUE(decoded) << decoded.error;
    const auto& image = *decoded.image;
    ASSERT_EQ(image.width, right + 1);
    ASSERT_EQ(image.height, bottom + 1);
    EXPECT_EQ(image.sourceBitsPerPixel, 24);
    EXPECT_EQ(image.pixels[0], 0xFF0000u);
    EXPECT_EQ(image.pixels[3 * image.width + 5], 0x010203u);
    EXPECT_EQ(image.pixels.back(), 0x0000FFu);
    EXPECT_EQ(image.pixels[1], 0u);

    EXPECT_FALSE(brannock::testing::SaveScreenBitmap("/nonexistent-folder/screen.bmp"));
}

TEST(DisplayScreen, AWindowPastTheScreenEdgeShowsBlackThere) {
    const int width = brannock::testing::ScreenWidth();
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, width - 40, 10, 100, 80);
    const RECT client = ClientOnScreen(window);
    HDC dc = GetDC(window);
    FillArea(dc, {0, 0, 100, 100}, RGB(10, 20, 30));
    ReleaseDC(window, dc);

    brannock::platform::display::HostImage image;
    ASSERT_TRUE(brannock::platform::display::ReadWindowImage(window, image));
    ASSERT_EQ(image.width, client.right - client.left);
    const int visible = width - client.left;
    EXPECT_EQ(image.pixels[visible - 1], 0x0A141Eu);
    EXPECT_EQ(image.pixels[visible], 0u);
    EXPECT_EQ(image.pixels[image.width - 1], 0u);
    DestroyWindow(window);
    EXPECT_FALSE(brannock::platform::display::ReadWindowImage(window, image));
}

TEST(DisplayScreen, HostReadsNeverSeeAHalfPresentedFrame) {
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    auto directDraw = CreateDirectDraw(window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN);
    ASSERT_EQ(directDraw->SetDisplayMode(64, 48, 16, 0, 0), DD_OK);
    auto primary = CreatePrimary(directDraw.get(), 1);
    auto back = BackBuffer(primary.get());

    // The game thread draws whole frames of one colour and flips while the
    // host side reads the screen, both until each has done its share.
    std::atomic<int> frames{0}, reads{0};
    const auto busy = [&] { return frames < 100 || reads < 100; };
    std::thread presenter([&] {
        while (busy()) {
            FillSurface(back.get(), frames % 2 ? 0xF800 : 0x001F);
            primary->Flip(nullptr, DDFLIP_WAIT);
            ++frames;
        }
    });
    brannock::platform::display::HostImage image;
    int torn = 0;
    while (busy()) {
        brannock::platform::display::ReadScreenImage(image);
        for (const auto pixel : image.pixels)
            torn += pixel != image.pixels[0];
        ++reads;
    }
    presenter.join();
    EXPECT_EQ(torn, 0);
}

}  // namespace
