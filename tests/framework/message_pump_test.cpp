// The message pumps of a single-threaded main loop, and their standing aside
// in threaded mode.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"

namespace {

class UserMessageSystem : public CSystem {
  public:
    std::vector<int> userValues;
    void OnUser(WPARAM wParam, LPARAM) override { userValues.push_back(static_cast<int>(wParam)); }
};

class MessagePumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterMainClass(nullptr);
        ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 1);
        window = g_hWnd;
        Drain();
    }

    // Empties the queue of what creating the window left there.
    void Drain() {
        MSG message{};
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }

    void Post(UINT message, WPARAM wParam) { PostMessageA(window, message, wParam, 0); }

    bool UserMessageQueued() {
        MSG message{};
        return PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE) != 0;
    }

    UserMessageSystem system;
    HWND window = nullptr;
};

TEST_F(MessagePumpTest, ThreadedModeLeavesTheQueueAlone) {
    Post(WM_USER, 1);
    EXPECT_EQ(system.PumpMessages(), 1);
    EXPECT_EQ(system.PumpMessagesWait(), 1);
    EXPECT_TRUE(system.userValues.empty());
    EXPECT_TRUE(UserMessageQueued());
}

TEST_F(MessagePumpTest, PumpMessagesHandlesEverythingWaiting) {
    system.SetThreaded(0);
    for (int i = 1; i <= 3; ++i)
        Post(WM_USER, i);
    EXPECT_EQ(system.PumpMessages(), 1);
    EXPECT_EQ(system.userValues, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(UserMessageQueued());
    EXPECT_EQ(system.PumpMessages(), 1);  // nothing waiting: returns at once
}

TEST_F(MessagePumpTest, QuitEndsPumpMessagesAndLeavesLaterMessagesQueued) {
    system.SetThreaded(0);
    Post(WM_USER, 1);
    Post(WM_QUIT, 0);
    Post(WM_USER, 2);
    EXPECT_EQ(system.PumpMessages(), 0);
    EXPECT_EQ(g_endFlag, 1);
    EXPECT_EQ(system.userValues, std::vector<int>{1});
    EXPECT_TRUE(UserMessageQueued());
}

TEST_F(MessagePumpTest, QuitEndsPumpMessagesWaitAndLeavesLaterMessagesQueued) {
    system.SetThreaded(0);
    Post(WM_USER, 1);
    Post(WM_QUIT, 0);
    Post(WM_USER, 2);
    EXPECT_EQ(system.PumpMessagesWait(), 0);
    EXPECT_EQ(g_endFlag, 1);
    EXPECT_EQ(system.userValues, std::vector<int>{1});
    EXPECT_TRUE(UserMessageQueued());
}

TEST_F(MessagePumpTest, PumpMessagesWaitServesTheWindowUntilItCloses) {
    system.SetThreaded(0);
    std::jthread other([this] {
        Sleep(50);
        PostMessageA(window, WM_USER, 5, 0);
        PostMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(system.PumpMessagesWait(), 0);
    EXPECT_EQ(system.userValues, std::vector<int>{5});
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
