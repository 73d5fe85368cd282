// CWindowInput: the pointer in client coordinates and keys held while the
// window is in front.
#include <gtest/gtest.h>

#ifndef _WIN32
#include "input/input_state.h"
#include "input/window_input.h"
#include "platform/testing/user_input.h"
#include "platform/win32.h"
#include "tests/input/input_test_window.h"

namespace bt = brannock::testing;

namespace {

struct Pointer {
    int x = -1, y = -1, left = -1, right = -1;
};

Pointer Read(const CWindowInput& input) {
    Pointer p;
    input.GetPointer(p.x, p.y, p.left, p.right);
    return p;
}

// Where the client area of `window` starts on the screen by the reader's
// own reckoning: window corner plus border and frame, then the caption for
// bordered styles and the menu bar when one is attached.
POINT ClientOrigin(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    POINT origin{r.left + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME),
                 r.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME)};
    if (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_BORDER)
        origin.y += GetSystemMetrics(SM_CYCAPTION);
    if (GetMenu(window)) origin.y += GetSystemMetrics(SM_CYMENU);
    return origin;
}

class WindowInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bt::ReleaseAllKeys();
        bt::SetKeyDown(VK_LBUTTON, true);
        bt::SetKeyDown(VK_RBUTTON, true);
    }
};

TEST_F(WindowInputTest, WithoutWindowThePointerIsOnTheScreenLessACaption) {
    CWindowInput input(nullptr);
    test_window::PlainWindow other(WS_OVERLAPPEDWINDOW, nullptr);
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    bt::SetCursorPosition(300, 200);

    bt::SetForeground(other.handle);
    Pointer p = Read(input);
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.y, 200 - caption);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);

    // Buttons count only while no window is in front.
    bt::SetForeground(nullptr);
    p = Read(input);
    EXPECT_EQ(p.left, 0x8000);
    EXPECT_EQ(p.right, 0x8000);

    bt::SetKeyDown(VK_RBUTTON, false);
    EXPECT_EQ(Read(input).right, 0);

    bt::SetCursorPosition(300, caption - 1);
    p = Read(input);
    EXPECT_EQ(p.y, -1);
    EXPECT_EQ(p.left, 0);
}

TEST_F(WindowInputTest, PointerIsRelativeToTheClientArea) {
    test_window::PlainWindow window(WS_OVERLAPPEDWINDOW, nullptr, 120, 80, 320, 240);
    ASSERT_NE(window.handle, nullptr);
    CWindowInput input(window.handle);
    const POINT origin = ClientOrigin(window.handle);
    bt::SetForeground(window.handle);

    bt::SetCursorPosition(origin.x + 10, origin.y + 20);
    Pointer p = Read(input);
    EXPECT_EQ(p.x, 10);
    EXPECT_EQ(p.y, 20);
    EXPECT_EQ(p.left, 0x8000);
    EXPECT_EQ(p.right, 0x8000);

    // At the client's corner the pointer reads (0, 0) with its buttons.
    bt::SetCursorPosition(origin.x, origin.y);
    p = Read(input);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
    EXPECT_EQ(p.left, 0x8000);

    // Not clamped: far right of the window still counts, above it does not.
    bt::SetCursorPosition(origin.x + 1000, origin.y + 5);
    p = Read(input);
    EXPECT_EQ(p.x, 1000);
    EXPECT_EQ(p.left, 0x8000);
    bt::SetCursorPosition(origin.x + 5, origin.y - 3);
    p = Read(input);
    EXPECT_EQ(p.y, -3);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);
}

TEST_F(WindowInputTest, BackgroundWindowStillTracksThePointerButNotItsButtons) {
    test_window::PlainWindow window(WS_OVERLAPPEDWINDOW, nullptr);
    test_window::PlainWindow other(WS_OVERLAPPEDWINDOW, nullptr);
    CWindowInput input(window.handle);
    const POINT origin = ClientOrigin(window.handle);
    bt::SetCursorPosition(origin.x + 7, origin.y + 9);

    bt::SetForeground(other.handle);
    Pointer p = Read(input);
    EXPECT_EQ(p.x, 7);
    EXPECT_EQ(p.y, 9);
    EXPECT_EQ(p.left, 0);
    EXPECT_EQ(p.right, 0);
}

TEST_F(WindowInputTest, MenuBarAndBorderlessStyleShiftTheClientArea) {
    HMENU menu = CreateMenu();
    ASSERT_NE(menu, nullptr);
    InsertMenuA(menu, 0, MF_STRING, 1, "File");
    test_window::PlainWindow withMenu(WS_OVERLAPPEDWINDOW, menu, 100, 100, 300, 200);
    test_window::PlainWindow popup(WS_POPUP, nullptr, 100, 100, 300, 200);
    ASSERT_NE(GetMenu(withMenu.handle), nullptr);

    RECT r{};
    GetWindowRect(withMenu.handle, &r);
    const int frameX = GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME);
    const int frameY = GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME);
    bt::SetCursorPosition(r.left + frameX + 4, r.top + frameY + GetSystemMetrics(SM_CYCAPTION) +
                                                   GetSystemMetrics(SM_CYMENU) + 6);
    Pointer p = Read(CWindowInput(withMenu.handle));
    EXPECT_EQ(p.x, 4);
    EXPECT_EQ(p.y, 6);

    GetWindowRect(popup.handle, &r);
    bt::SetCursorPosition(r.left + frameX + 4, r.top + frameY + 6);
    p = Read(CWindowInput(popup.handle));
    EXPECT_EQ(p.x, 4);
    EXPECT_EQ(p.y, 6);
}

TEST_F(WindowInputTest, PointerIgnoresTheInputSwitch) {
    test_window::PlainWindow window(WS_OVERLAPPEDWINDOW, nullptr);
    CWindowInput input(window.handle);
    const POINT origin = ClientOrigin(window.handle);
    bt::SetForeground(window.handle);
    bt::SetCursorPosition(origin.x + 3, origin.y + 4);

    SetInputEnabled(0);
    Pointer p = Read(input);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, 4);
    EXPECT_EQ(p.left, 0x8000);
}

TEST_F(WindowInputTest, KeysCountWhileTheWindowIsInFront) {
    test_window::PlainWindow window(WS_OVERLAPPEDWINDOW, nullptr);
    test_window::PlainWindow other(WS_OVERLAPPEDWINDOW, nullptr);
    CWindowInput owned(window.handle);
    CWindowInput anyWindow(nullptr);
    bt::SetKeyDown(VK_F1, true);

    bt::SetForeground(window.handle);
    EXPECT_EQ(owned.IsKeyDown(VK_F1), 0x8000);
    EXPECT_EQ(owned.IsKeyDown(VK_F2), 0);

    bt::SetForeground(other.handle);
    EXPECT_EQ(owned.IsKeyDown(VK_F1), 0);
    EXPECT_EQ(anyWindow.IsKeyDown(VK_F1), 0x8000);

    SetInputEnabled(0);
    EXPECT_EQ(anyWindow.IsKeyDown(VK_F1), 0);
}

TEST_F(WindowInputTest, KeyCodesAbove127ArriveSignExtended) {
    CWindowInput input(nullptr);
    bt::SetKeyDown(0xA0, true);  // VK_LSHIFT
    EXPECT_EQ(input.IsKeyDown(static_cast<char>(0xA0)), 0);
    bt::SetKeyDown('A', true);
    EXPECT_EQ(input.IsKeyDown('A'), 0x8000);
}

}  // namespace
#endif  // _WIN32
