// CWindowInput: the pointer in client coordinates and keys held while the
// window is in front.
#include <gtest/gtest.h>

#ifndef _WIN32
#include "input/input_state.h"
#include "input/window_input.h"
#include "platform/testing/user_input.h"
#include "tests/input/input_test_window.h"

namespace bt = brannock::testing;

namespace {

struct Pointer {
    int x, y, left, right;
};

Pointer Read(HWND window) {
    Pointer p{-1, -1, -1, -1};
    CWindowInput(window).GetPointer(p.x, p.y, p.left, p.right);
    return p;
}

// Puts the cursor at (x, y) of the window's client area as the system
// metrics place it: below the caption of a bordered window and its menu bar.
void PointAt(HWND window, int x, int y) {
    RECT r{};
    GetWindowRect(window, &r);
    int top = r.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME) + y;
    if (static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & WS_BORDER)
        top += GetSystemMetrics(SM_CYCAPTION);
    if (GetMenu(window)) top += GetSystemMetrics(SM_CYMENU);
    bt::SetCursorPosition(r.left + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME) + x,
                          top);
}

class WindowInputTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bt::SetKeyDown(VK_LBUTTON, true);
        bt::SetKeyDown(VK_RBUTTON, true);
    }
};

TEST_F(WindowInputTest, WithoutWindowThePointerIsTheScreenPositionLessACaption) {
    TestWindow other;
    const int caption = GetSystemMetrics(SM_CYCAPTION);
    bt::SetCursorPosition(300, 200);
    bt::SetForeground(other.handle);
    Pointer p = Read(nullptr);
    EXPECT_EQ(p.x, 300);
    EXPECT_EQ(p.y, 200 - caption);
    EXPECT_EQ(p.left | p.right, 0);

    bt::SetForeground(nullptr);  // buttons count while no window is in front
    EXPECT_EQ(Read(nullptr).left, 0x8000);
    bt::SetCursorPosition(300, caption - 1);
    EXPECT_EQ(Read(nullptr).left, 0);
}

TEST_F(WindowInputTest, PointerIsRelativeToTheClientAreaBelowCaptionAndMenu) {
    HMENU menu = CreateMenu();
    AppendMenuA(menu, MF_STRING, 1, "File");
    TestWindow plain, withMenu(WS_OVERLAPPEDWINDOW, menu), popup(WS_POPUP);
    for (HWND window : {plain.handle, withMenu.handle, popup.handle}) {
        bt::SetForeground(window);
        PointAt(window, 10, 20);
        const Pointer p = Read(window);
        EXPECT_EQ(p.x, 10);
        EXPECT_EQ(p.y, 20);
        EXPECT_EQ(p.left, 0x8000);
        EXPECT_EQ(p.right, 0x8000);
    }
    // Not clamped; buttons only inside the client's top-left bounds and
    // while the window is in front; the switch does not apply.
    SetInputEnabled(0);
    PointAt(plain.handle, 1000, 0);
    EXPECT_EQ(Read(plain.handle).x, 1000);
    EXPECT_EQ(Read(plain.handle).left, 0);  // popup is in front
    bt::SetForeground(plain.handle);
    EXPECT_EQ(Read(plain.handle).left, 0x8000);
    PointAt(plain.handle, 5, -1);
    EXPECT_EQ(Read(plain.handle).left, 0);
}

TEST_F(WindowInputTest, KeysCountWhileTheWindowIsInFront) {
    TestWindow window, other;
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
