// WaitForWindowThreadIdle: posted input takes effect before the caller goes
// on, as a send would, including what handling it brought about.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/user32/host_input.h"
#include "tests/platform/threaded_window.h"

namespace {

using namespace std::chrono_literals;
using brannock::platform::WaitForWindowThreadIdle;
using user32_test::Log;
using user32_test::ThreadedWindow;

TEST(WindowThreadIdle, PostedMessagesAndWhatTheyCausedAreHandledFirst) {
    ThreadedWindow window;
    const HWND hwnd = window.Handle();
    Log().Clear();
    PostMessageA(hwnd, WM_KEYDOWN, 'Q', 0x00100001);  // TranslateMessage adds WM_CHAR
    PostMessageA(hwnd, WM_USER, 1, 2);
    SetTimer(hwnd, 7, USER_TIMER_MINIMUM, nullptr);
    std::this_thread::sleep_for(30ms);  // the timer falls due
    ASSERT_TRUE(WaitForWindowThreadIdle(hwnd, 5000ms));
    EXPECT_EQ(Log().Of(hwnd, {WM_KEYDOWN, WM_CHAR, WM_USER}),
              (std::vector<UINT>{WM_KEYDOWN, WM_CHAR, WM_USER}));
    EXPECT_EQ(Log().Last(hwnd, WM_TIMER).wParam, 7u);
    KillTimer(hwnd, 7);
}

TEST(WindowThreadIdle, ABusyThreadIsWaitedForUpToTheTimeout) {
    std::atomic<bool> release{false};
    user32_test::CurrentHook() = [&](HWND, UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_USER) return std::nullopt;
        while (!release)
            std::this_thread::sleep_for(1ms);
        return 0;
    };
    ThreadedWindow window;
    PostMessageA(window.Handle(), WM_USER, 0, 0);
    EXPECT_FALSE(WaitForWindowThreadIdle(window.Handle(), 50ms));
    release = true;
    EXPECT_TRUE(WaitForWindowThreadIdle(window.Handle(), 5000ms));
    user32_test::CurrentHook() = nullptr;
}

TEST(WindowThreadIdle, NothingToWaitForOnTheWindowsOwnThreadOrForAWindowThatIsGone) {
    const HWND own = user32_test::MakeWindow();
    PostMessageA(own, WM_USER, 0, 0);
    // It would never be handled while this thread waits: no wait at all.
    EXPECT_TRUE(WaitForWindowThreadIdle(own, 5000ms));
    DestroyWindow(own);
    EXPECT_TRUE(WaitForWindowThreadIdle(own, 5000ms));
}

}  // namespace
