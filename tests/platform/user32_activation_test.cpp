// Activation: what the program's windows hear as they are shown, hidden,
// closed and destroyed. A game pauses and lets go of its input on these, so
// the program's first window shown makes it the active application, and the
// active window's going leaves it inactive.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32.h"
#include "user32_test_window.h"

namespace {

using namespace user32_test;

// The activation messages `hwnd` heard, in order: "App+" and "App-" for
// WM_ACTIVATEAPP, "Active" and "Inactive" for WM_ACTIVATE, "Focus" and
// "Blur" for WM_SETFOCUS and WM_KILLFOCUS.
std::string Activations(HWND hwnd) {
    std::string text;
    for (const Seen& seen : Log().All()) {
        if (seen.hwnd != hwnd) continue;
        const char* name = nullptr;
        switch (seen.message) {
            case WM_ACTIVATEAPP:
                name = seen.wParam ? "App+" : "App-";
                break;
            case WM_ACTIVATE:
                name = LOWORD(seen.wParam) == WA_INACTIVE ? "Inactive" : "Active";
                break;
            case WM_SETFOCUS:
                name = "Focus";
                break;
            case WM_KILLFOCUS:
                name = "Blur";
                break;
            default:
                continue;
        }
        text += text.empty() ? name : std::string(" ") + name;
    }
    return text;
}

class User32Activation : public ::testing::Test {
  protected:
    void SetUp() override { Log().Clear(); }
    void TearDown() override { CurrentHook() = nullptr; }
};

TEST_F(User32Activation, TheFirstShowActivatesTheProgramAndTheWindow) {
    HWND hwnd = MakeWindow();
    EXPECT_EQ(Activations(hwnd), "");
    ShowWindow(hwnd, SW_SHOW);
    EXPECT_EQ(Activations(hwnd), "App+ Active Focus");
    EXPECT_EQ(GetForegroundWindow(), hwnd);
    DestroyWindow(hwnd);
}

// Hiding, destroying or closing the active window deactivates it: the
// program is left without an active window.
TEST_F(User32Activation, TheActiveWindowsGoingDeactivatesTheProgram) {
    const struct {
        const char* how;
        void (*end)(HWND);
    } ways[] = {
        {"hidden", [](HWND hwnd) { ShowWindow(hwnd, SW_HIDE); }},
        {"destroyed", [](HWND hwnd) { DestroyWindow(hwnd); }},
        {"closed", [](HWND hwnd) { SendMessageA(hwnd, WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        ASSERT_EQ(GetForegroundWindow(), hwnd);
        Log().Clear();
        way.end(hwnd);
        EXPECT_EQ(Activations(hwnd), "Inactive App- Blur");
        EXPECT_NE(GetForegroundWindow(), hwnd);
        DestroyWindow(hwnd);
    }
}

TEST_F(User32Activation, ActivationMovesBetweenTheProgramsWindowsWithoutLeavingIt) {
    HWND first = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND second = MakeWindow();
    Log().Clear();
    ShowWindow(second, SW_SHOW);
    EXPECT_EQ(Activations(first), "Inactive Blur");
    EXPECT_EQ(Activations(second), "Active Focus");
    EXPECT_EQ(GetForegroundWindow(), second);

    // A window shown without activation leaves it where it is.
    HWND third = MakeWindow();
    Log().Clear();
    ShowWindow(third, SW_SHOWNA);
    EXPECT_EQ(Activations(third), "");
    EXPECT_EQ(GetForegroundWindow(), second);
    for (HWND hwnd : {first, second, third})
        DestroyWindow(hwnd);
}

}  // namespace
