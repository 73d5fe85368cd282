// Input state and the foreground window as the headless backend's controls
// set them; classes and resources (these on Windows too).
#include <gtest/gtest.h>

#include "platform/win32.h"
#include "user32_test_window.h"

#ifndef _WIN32
#include "platform/testing/user_input.h"
#endif

namespace {

using namespace user32_test;

#ifndef _WIN32
namespace t = brannock::testing;

class User32Input : public ::testing::Test {
  protected:
    void SetUp() override { Log().Clear(); }
    void TearDown() override { t::ReleaseAllKeys(); }
};

TEST_F(User32Input, KeyStateFollowsTheControls) {
    EXPECT_EQ(GetAsyncKeyState('Z'), 0);
    t::SetKeyDown('Z', true);
    t::SetKeyDown(VK_LSHIFT, true);
    EXPECT_EQ(GetAsyncKeyState('Z') & 0x8000, 0x8000);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT) & 0x8000, 0x8000);  // either side counts
    t::SetKeyDown('Z', false);
    EXPECT_EQ(GetAsyncKeyState('Z'), 0);
    t::SetKeyDown(VK_LBUTTON, true);
    t::ReleaseAllKeys();
    EXPECT_EQ(GetAsyncKeyState(VK_LBUTTON), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_SHIFT), 0);
    // Codes outside the table (a sign-extended char) read as up.
    t::SetKeyDown(0xE5, true);
    EXPECT_EQ(GetAsyncKeyState(static_cast<char>(0xE5)), 0);
    EXPECT_EQ(GetAsyncKeyState(256), 0);
    // Caps Lock toggles on each press.
    t::SetKeyDown(VK_CAPITAL, true);
    t::SetKeyDown(VK_CAPITAL, false);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 1);
    t::SetKeyDown(VK_CAPITAL, true);
    t::SetKeyDown(VK_CAPITAL, false);
    EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, 0);
}

TEST_F(User32Input, CursorAndForeground) {
    t::SetCursorPosition(-5, 700);
    POINT p{};
    ASSERT_TRUE(GetCursorPos(&p));
    EXPECT_EQ(p.x, -5);
    EXPECT_EQ(p.y, 700);

    EXPECT_EQ(GetForegroundWindow(), nullptr);
    HWND first = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    EXPECT_EQ(GetForegroundWindow(), first);
    EXPECT_EQ(Log().Of(first, {WM_ACTIVATE, WM_SETFOCUS}),
              (std::vector<UINT>{WM_ACTIVATE, WM_SETFOCUS}));
    HWND second = MakeWindow();
    ShowWindow(second, SW_SHOWNA);
    EXPECT_EQ(GetForegroundWindow(), first);
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(GetForegroundWindow(), second);
    EXPECT_EQ(Log().Of(first, {WM_KILLFOCUS}).size(), 1u);
    t::SetForeground(first);
    EXPECT_EQ(GetForegroundWindow(), first);
    DestroyWindow(first);
    EXPECT_EQ(GetForegroundWindow(), nullptr);
}

#endif

TEST(User32Classes, ClassesKeepTheirExtraBytesAndRefuseBadRecords) {
    WNDCLASSEXA wc{};
    wc.cbSize = 48;  // the 32-bit record's size
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "Narrow";
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    wc.cbSize = sizeof wc;
    EXPECT_NE(RegisterClassExA(&wc), 0);
    wc.lpszClassName = "NARROW";  // names ignore letter case
    EXPECT_EQ(RegisterClassExA(&wc), 0);
    EXPECT_EQ(
        CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);

    HWND hwnd = MakeWindow();  // 32 extra bytes
    EXPECT_EQ(SetWindowLongA(hwnd, 28, 1234), 0);
    EXPECT_EQ(GetWindowLongA(hwnd, 28), 1234);
    EXPECT_EQ(SetWindowLongA(hwnd, 29, 1), 0);  // would pass the end
    EXPECT_EQ(GetWindowLongA(hwnd, 32), 0);

    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
    EXPECT_NE(LoadIconA(nullptr, IDI_APPLICATION), nullptr);
    EXPECT_EQ(LoadIconA(reinterpret_cast<HINSTANCE>(0x400000), IDI_APPLICATION), nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
}

}  // namespace
