// Device contexts on the screen: the whole screen, a window's client area,
// and a window's overlay (GetWindowDC) that the host shows over the window.
#include "platform/display/host_image.h"
#include "platform/testing/display.h"
#include "tests/platform/ddraw_fixture.h"
#include "tests/platform/recording_backend.h"

namespace {

using namespace brannock::test;
using brannock::platform::display::HostImage;
using brannock::platform::display::kMenuBarColour;
using brannock::platform::display::ReadWindowImage;
using brannock::testing::ScreenPixel;
using Events = std::vector<std::string>;

TEST(GdiScreenDC, DrawsAnywhereOnTheScreen) {
    RecordingBackend& backend = RecordingBackend::Install();
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const int right = brannock::testing::ScreenWidth() - 1;
    const int bottom = brannock::testing::ScreenHeight() - 1;
    EXPECT_EQ(SetPixel(dc, right, bottom, RGB(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(SetPixel(dc, right + 1, bottom, RGB(1, 2, 3)), CLR_INVALID);
    EXPECT_TRUE(backend.Events("screen").empty());  // told once the DC is released
    ASSERT_EQ(ReleaseDC(nullptr, dc), 1);
    EXPECT_EQ(ScreenPixel(right, bottom), 0x010203u);
    EXPECT_EQ(backend.Events("screen"),
              Events{"screen " + RectText({right, bottom, right + 1, bottom + 1})});
}

TEST(GdiWindowDC, DrawsOnTheScreenInsideTheClientAreaOnly) {
    RecordingBackend& backend = RecordingBackend::Install();
    const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 100, 50, 200, 150);
    const RECT client = ClientOnScreen(window);
    HDC dc = GetDC(window);
    ASSERT_NE(dc, nullptr);
    FillArea(dc, {-1000, -1000, 1000, 1000}, RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(200, 0, 0));
    EXPECT_EQ(GetPixel(dc, -1, 0), CLR_INVALID);
    // Its compatible bitmaps take the screen's format; those of a memory DC
    // made from it are monochrome, like the bitmap it starts with.
    HDC memory = CreateCompatibleDC(dc);
    for (const HDC from : {dc, memory}) {
        HBITMAP bitmap = CreateCompatibleBitmap(from, 4, 4);
        BITMAP info{};
        GetObjectA(bitmap, sizeof info, &info);
        EXPECT_EQ(info.bmBitsPixel, from == dc ? brannock::testing::ScreenBitsPerPixel() : 1);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    EXPECT_FALSE(DeleteDC(dc));  // a window DC is released, not deleted
    ASSERT_EQ(ReleaseDC(window, dc), 1);

    ExpectScreen({{client.left, client.top, 0xC80000},
                  {client.right - 1, client.bottom - 1, 0xC80000},
                  {client.left - 1, client.top, 0},
                  {client.left, client.top - 1, 0},
                  {client.right, client.bottom - 1, 0}});
    EXPECT_EQ(backend.Events("screen"), Events{"screen " + RectText(client)});
    DestroyWindow(window);
    EXPECT_EQ(GetDC(window), nullptr);
}

TEST(GdiWindowDC, TheWholeWindowDCDrawsIntoAnOverlayOverTheHostView) {
    RecordingBackend& backend = RecordingBackend::Install();
    for (const bool menu : {false, true}) {
        const HWND window = CreateTestWindow(WS_OVERLAPPEDWINDOW, 300, 200, 320, 240);
        if (menu) SetMenu(window, CreateMenu());
        const RECT client = ClientOnScreen(window);
        const int menuHeight = menu ? GetSystemMetrics(SM_CYMENU) : 0;
        HDC clientDC = GetDC(window);
        FillArea(clientDC, {0, 0, 1000, 1000}, RGB(0, 0, 255));
        ReleaseDC(window, clientDC);

        backend.Clear();
        HDC dc = GetWindowDC(window);
        ASSERT_NE(dc, nullptr);
        ASSERT_TRUE(TextOutA(dc, 8, 2, "0001[fps]", 9));
        ASSERT_EQ(ReleaseDC(window, dc), 1);
        EXPECT_EQ(backend.Events("overlay"), Events{"overlay"});
        EXPECT_TRUE(backend.Events("screen").empty());
        // The screen itself is untouched.
        EXPECT_EQ(ScreenPixel(client.left + 8, client.top + 2), 0x0000FFu);

        HostImage image;
        ASSERT_TRUE(ReadWindowImage(window, image));
        EXPECT_EQ(image.width, client.right - client.left);
        EXPECT_EQ(image.height, client.bottom - client.top + menuHeight);
        EXPECT_EQ(image.menuHeight, menuHeight);
        const auto at = [&](int x, int y) { return image.pixels[y * image.width + x]; };
        // The text's white cells from (8, 2) of what the host shows, black ink
        // inside them, and the client area's blue or the menu bar around.
        int ink = 0;
        for (int y = 2; y < 18; ++y) {
            for (int x = 8; x < 8 + 9 * 8; ++x) {
                ASSERT_TRUE(at(x, y) == 0xFFFFFF || at(x, y) == 0) << x << "," << y;
                ink += at(x, y) == 0;
            }
        }
        EXPECT_GT(ink, 100);
        EXPECT_EQ(at(7, 5), menu ? kMenuBarColour : 0x0000FFu);
        EXPECT_EQ(at(8, image.height - 1), 0x0000FFu);
        DestroyWindow(window);
    }
}

}  // namespace
