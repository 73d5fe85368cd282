// The message pumps of a single-threaded main loop.
#include <gtest/gtest.h>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"

namespace {

class CountingSystem : public CSystem {
  public:
    int userMessages = 0;
    void OnUser(WPARAM, LPARAM) override { ++userMessages; }
};

bool UserMessageQueued() {
    MSG message{};
    return PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE) != 0;
}

using Pump = int (CSystem::*)();
class MessagePump : public ::testing::TestWithParam<Pump> {};

// Threaded, a pump leaves the queue alone; single-threaded, it handles what
// comes before a WM_QUIT and leaves what comes after it queued.
TEST_P(MessagePump, QuitEndsThePumpAndLeavesLaterMessagesQueued) {
    const Pump pump = GetParam();
    CountingSystem system;
    RegisterMainClass(nullptr);
    ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 1);
    PostMessageA(g_hWnd, WM_USER, 0, 0);
    EXPECT_EQ((system.*pump)(), 1);
    EXPECT_EQ(system.userMessages, 0);

    system.SetThreaded(0);
    PostMessageA(g_hWnd, WM_QUIT, 0, 0);
    PostMessageA(g_hWnd, WM_USER, 0, 0);
    EXPECT_EQ((system.*pump)(), 0);
    EXPECT_EQ(g_endFlag, 1);
    EXPECT_EQ(system.userMessages, 1);
    EXPECT_TRUE(UserMessageQueued());
}

INSTANTIATE_TEST_SUITE_P(BothPumps, MessagePump,
                         ::testing::Values(&CSystem::PumpMessages, &CSystem::PumpMessagesWait));

}  // namespace
