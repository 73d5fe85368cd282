// The emulated screen as backends read it: a window's view when the window
// reaches past the screen edge, and whole frames only.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "platform/display/host_image.h"
#include "platform/display/window_area.h"
#include "platform/testing/display.h"
#include "tests/platform/ddraw_fixture.h"

namespace {

using namespace brannock::test;

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

TEST(DisplayScreen, AWindowDrawnIntoAHostsOwnRowsMatchesItsImageAndStaysInside) {
    using brannock::platform::display::PixelFormat;
    using brannock::platform::display::PixelView;
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 30, 40, 60, 50);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "&Game");
    SetMenu(window, menu);
    HDC dc = GetDC(window);
    FillArea(dc, {0, 0, 100, 100}, RGB(10, 20, 30));
    FillArea(dc, {5, 7, 9, 12}, RGB(200, 100, 50));
    ReleaseDC(window, dc);
    const auto paintBar = [](const PixelView& bar) {
        for (int y = 0; y < bar.height; ++y)
            reinterpret_cast<std::uint32_t*>(bar.Row(y))[0] = 0x123456;
    };
    brannock::platform::display::HostImage image;
    ASSERT_TRUE(brannock::platform::display::ReadWindowImage(window, image, paintBar));
    brannock::platform::display::WindowArea area;
    ASSERT_TRUE(brannock::platform::display::LocateWindow(window, area));
    ASSERT_EQ(image.width, area.HostWidth());
    ASSERT_EQ(image.height, area.HostHeight());

    // Rows wider than the window, a window taller than the rows: the right
    // part of each row and the rows below stay as they were.
    constexpr std::uint32_t kUntouched = 0xDEADBE;
    const int pitch = image.width + 7, rows = image.height - 3;
    std::vector<std::uint32_t> host(static_cast<std::size_t>(pitch) * (rows + 1), kUntouched);
    const PixelView out{reinterpret_cast<std::uint8_t*>(host.data()),
                        static_cast<std::ptrdiff_t>(pitch) * 4, pitch, rows,
                        PixelFormat::kXrgb8888};
    brannock::platform::display::DrawWindowImage(window, area, out, paintBar);
    int wrong = 0;
    for (int y = 0; y <= rows; ++y) {
        for (int x = 0; x < pitch; ++x) {
            const std::uint32_t want =
                (y < rows && x < image.width)
                    ? image.pixels[static_cast<std::size_t>(y) * image.width + x]
                    : kUntouched;
            wrong += host[static_cast<std::size_t>(y) * pitch + x] != want;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(image.menuHeight, 0);
    EXPECT_EQ(host[0], 0x123456u);
    DestroyWindow(window);
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
