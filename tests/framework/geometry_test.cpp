// The main window's creation values, client size and position.
#include <gtest/gtest.h>

#include <climits>

#include "tests/framework/window_test_support.h"

namespace {

using window_test::DesktopRect;
using window_test::OuterSize;
using window_test::WindowRect;

class GeometryTest : public window_test::MainWindowFixture {};

TEST_F(GeometryTest, ClientSizeFitsTheWindowAroundTheClientAreaAndCentresIt) {
    HWND window = OpenMainWindow();
    EXPECT_NE(system.SetClientSize(640, 480), 0);

    const SIZE outer = OuterSize(640, 480, false);
    const RECT desktop = DesktopRect();
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.right - rect.left, outer.cx);
    EXPECT_EQ(rect.bottom - rect.top, outer.cy);
    EXPECT_EQ(rect.left, (desktop.right - 640) / 2);
    EXPECT_EQ(rect.top, (desktop.bottom - 480) / 2);
    EXPECT_TRUE(IsWindowVisible(window));
#ifndef _WIN32
    // The emulated frame makes the sums exact.
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
#endif
}

TEST_F(GeometryTest, MenuAddsItsHeightAndRaisesTheWindow) {
    HWND window = OpenMainWindow();
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "Game");
    SetMenu(window, menu);
    system.SetClientSize(320, 200);

    const SIZE outer = OuterSize(320, 200, true);
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.bottom - rect.top, outer.cy);
    EXPECT_EQ(rect.top, (DesktopRect().bottom - 200) / 2 - 16);
}

TEST_F(GeometryTest, WithoutCentringTheWindowKeepsItsPlace) {
    HWND window = OpenMainWindow();
    system.centreOnResize = 0;
    SetWindowPos(window, nullptr, 33, 44, 200, 100, SWP_NOZORDER);
    system.SetClientSize(300, 250);

    const SIZE outer = OuterSize(300, 250, false);
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.left, 33);
    EXPECT_EQ(rect.top, 44);
    EXPECT_EQ(rect.right - rect.left, outer.cx);
    EXPECT_EQ(rect.bottom - rect.top, outer.cy);
}

TEST_F(GeometryTest, BeforeTheWindowClientSizeChangesTheCreationSize) {
    system.SetWindowRect(10, 20, 500, 400);
    EXPECT_EQ(system.SetClientSize(-1, -1), 0);  // the creation size itself
    EXPECT_EQ(g_windowWidth, 500);
    EXPECT_EQ(g_windowHeight, 400);

    EXPECT_EQ(system.SetClientSize(300, -1), 0);
    EXPECT_EQ(g_windowWidth, 300);
    EXPECT_EQ(g_windowHeight, 400);

    HWND window = OpenMainWindow();
    const RECT created = WindowRect(window);
    EXPECT_EQ(created.left, 10);
    EXPECT_EQ(created.top, 20);
    EXPECT_EQ(created.right - created.left, 300);
    EXPECT_EQ(created.bottom - created.top, 400);

    // -1 is the size asked for last, now fitted as a client size.
    system.SetClientSize(-1, -1);
    const SIZE outer = OuterSize(300, 400, false);
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.right - rect.left, outer.cx);
    EXPECT_EQ(rect.bottom - rect.top, outer.cy);
}

TEST_F(GeometryTest, ZeroSizeBeforeTheWindowIsRememberedButNotCreated) {
    EXPECT_EQ(system.SetClientSize(0, 0), 0);
    EXPECT_EQ(g_windowWidth, 640);
    EXPECT_EQ(g_windowHeight, 480);

    // -1 then fits the window to a 0 x 0 client area (as far as the system
    // lets a window shrink), as asking for 0 x 0 does.
    HWND window = OpenMainWindow();
    const RECT created = WindowRect(window);
    system.SetClientSize(-1, -1);
    const RECT remembered = WindowRect(window);
    EXPECT_LT(remembered.right - remembered.left, created.right - created.left);
    system.SetClientSize(0, 0);
    const RECT asked = WindowRect(window);
    EXPECT_EQ(remembered.right - remembered.left, asked.right - asked.left);
    EXPECT_EQ(remembered.bottom - remembered.top, asked.bottom - asked.top);
}

TEST_F(GeometryTest, HugeClientSizeIsHeldToTheIntRange) {
    HWND window = OpenMainWindow();
    system.SetClientSize(INT_MAX, INT_MAX);  // must not overflow
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(GeometryTest, StyleAndRectApplyToTheWindowCreatedAfterwards) {
    system.SetWindowStyle(WS_POPUP | WS_BORDER);
    system.SetWindowRect(5, 6, 200, 150);
    HWND window = OpenMainWindow();
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & (WS_POPUP | WS_BORDER),
              static_cast<DWORD>(WS_POPUP | WS_BORDER));
    const RECT rect = WindowRect(window);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 6);
    EXPECT_EQ(rect.right - rect.left, 200);
    EXPECT_EQ(rect.bottom - rect.top, 150);
}

TEST_F(GeometryTest, MoveWindowToKeepsTheSize) {
    EXPECT_EQ(system.MoveWindowTo(10, 10), 0);
    HWND window = OpenMainWindow();
    const RECT before = WindowRect(window);
    EXPECT_NE(system.MoveWindowTo(70, 90), 0);
    const RECT after = WindowRect(window);
    EXPECT_EQ(after.left, 70);
    EXPECT_EQ(after.top, 90);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
