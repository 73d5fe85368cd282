// CWindowInput: the pointer in client coordinates and keys held while the
// window is in front.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <array>

#include "input/input_state.h"
#include "input/window_input.h"
#include "platform/testing/user_input.h"
#include "tests/support/windows.h"

namespace bt = brannock::testing;
using brannock::test::PlainWindow;

namespace {

// x, y, left, right as GetPointer gives them.
std::array<int, 4> Read(HWND window) {
    std::array<int, 4> p{-1, -1, -1, -1};
    CWindowInput(window).GetPointer(p[0], p[1], p[2], p[3]);
    return p;
}

// Puts the cursor at (x, y) of the client area as the system metrics place
// it: inside border and frame, below a bordered window's caption and menu.
void PointAt(HWND window, int x, int y) {
    RECT r{};
    GetWindowRect(window, &r);
    y += r.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME);
    if (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_BORDER)
        y += GetSystemMetrics(SM_CYCAPTION);
    if (GetMenu(window)) y += GetSystemMetrics(SM_CYMENU);
    x += r.left + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME);
    bt::SetCursorPosition(x, y);
}

TEST(WindowInput, PointerIsRelativeToTheClientAreaAndButtonsNeedTheWindowInFront) {
    bt::SetKeyDown(VK_LBUTTON, true);
    bt::SetKeyDown(VK_RBUTTON, true);
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "File");
    PlainWindow plain, withMenu(WS_OVERLAPPEDWINDOW, menu), popup(WS_POPUP);
    for (HWND window : {plain.handle, withMenu.handle, popup.handle}) {
        bt::SetForeground(window);
        PointAt(window, 10, 20);
        EXPECT_EQ(Read(window), (std::array{10, 20, 0x8000, 0x8000}));
    }
    // Not clamped; no buttons behind another window or above the client
    // area; the input switch does not apply.
    SetInputEnabled(0);
    PointAt(plain.handle, 1000, 0);
    EXPECT_EQ(Read(plain.handle), (std::array{1000, 0, 0, 0}));
    bt::SetForeground(plain.handle);
    PointAt(plain.handle, 5, -1);
    EXPECT_EQ(Read(plain.handle), (std::array{5, -1, 0, 0}));

    // Without a window: the screen position less a caption, buttons only
    // while no window is in front.
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    bt::SetCursorPosition(300, 200);
    EXPECT_EQ(Read(nullptr), (std::array{300, 200 - caption, 0, 0}));
    bt::SetForeground(nullptr);
    EXPECT_EQ(Read(nullptr), (std::array{300, 200 - caption, 0x8000, 0x8000}));
}

TEST(WindowInput, KeysCountWhileTheWindowIsInFront) {
    PlainWindow window, other;
    bt::SetKeyDown(VK_F1, true);
    bt::SetKeyDown(0xA0, true);
    bt::SetForeground(window.handle);
    EXPECT_EQ(CWindowInput(window.handle).IsKeyDown(VK_F1), 0x8000);
    EXPECT_EQ(CWindowInput(window.handle).IsKeyDown(VK_F2), 0);
    // Codes above 127 arrive sign-extended and read as up.
    EXPECT_EQ(CWindowInput(window.handle).IsKeyDown(static_cast<char>(0xA0)), 0);

    bt::SetForeground(other.handle);
    EXPECT_EQ(CWindowInput(window.handle).IsKeyDown(VK_F1), 0);
    EXPECT_EQ(CWindowInput(nullptr).IsKeyDown(VK_F1), 0x8000);
    SetInputEnabled(0);
    EXPECT_EQ(CWindowInput(nullptr).IsKeyDown(VK_F1), 0);
}

}  // namespace
#endif  // _WIN32
