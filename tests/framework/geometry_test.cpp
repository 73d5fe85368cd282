// The main window's creation values, client size and position.
#include <gtest/gtest.h>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"
#include "tests/support/windows.h"

namespace {

using brannock::test::FramedSize;
using brannock::test::OpenMainWindow;
using brannock::test::SizeOf;
using brannock::test::TopLeft;

TEST(Geometry, ClientSizeFitsTheWindowAroundItCentredAndRaisedForAMenu) {
    CSystem system;
    HWND window = OpenMainWindow();
    const SIZE desktop = SizeOf(GetDesktopWindow());
    EXPECT_NE(system.SetClientSize(640, 480), 0);
    EXPECT_EQ(SizeOf(window), FramedSize(640, 480, false));
    EXPECT_EQ(TopLeft(window), (POINT{(desktop.cx - 640) / 2, (desktop.cy - 480) / 2}));
#ifndef _WIN32
    RECT client{};  // the emulated frame makes the sums exact
    GetClientRect(window, &client);
    EXPECT_EQ((SIZE{client.right, client.bottom}), (SIZE{640, 480}));
#endif

    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "Game");
    SetMenu(window, menu);
    system.SetClientSize(320, 200);
    EXPECT_EQ(SizeOf(window), FramedSize(320, 200, true));
    EXPECT_EQ(TopLeft(window).y, (desktop.cy - 200) / 2 - 16);

    system.centreOnResize = 0;  // keeps its place, changes its size
    SetWindowPos(window, nullptr, 33, 44, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
    system.SetClientSize(300, 250);
    EXPECT_EQ(SizeOf(window), FramedSize(300, 250, true));
    EXPECT_EQ(TopLeft(window), (POINT{33, 44}));

    EXPECT_NE(system.MoveWindowTo(70, 90), 0);
    EXPECT_EQ(TopLeft(window), (POINT{70, 90}));
    EXPECT_EQ(SizeOf(window), FramedSize(300, 250, true));
}

TEST(Geometry, BeforeTheWindowClientSizeChangesTheCreationSize) {
    CSystem system;
    system.SetWindowRect(10, 20, 500, 400);
    system.SetWindowStyle(WS_POPUP | WS_BORDER);
    EXPECT_EQ(system.MoveWindowTo(1, 1), 0);
    EXPECT_EQ(system.SetClientSize(-1, -1), 0);  // the creation size itself
    EXPECT_EQ(system.SetClientSize(0, 0), 0);    // remembered, not applied
    EXPECT_EQ(system.SetClientSize(300, -1), 0);

    HWND window = OpenMainWindow();
    EXPECT_EQ(TopLeft(window), (POINT{10, 20}));
    EXPECT_EQ(SizeOf(window), (SIZE{300, 400}));
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_POPUP,
              static_cast<DWORD>(WS_POPUP));
    system.SetClientSize(-1, -1);  // the size asked for last, as a client size
    EXPECT_EQ(SizeOf(window), FramedSize(300, 0, false));
}

}  // namespace
