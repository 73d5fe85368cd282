// Closing and stopping from either thread: once StopGameThread has returned,
// or once it was called on the game thread, no more game code runs.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

namespace {

using brannock::test::CloseMainWindowWhen;
using brannock::test::RunWinMain;
using brannock::test::WaitUntil;

// Counts frames until the program ends. On a key, the window thread requests
// the close (Escape) or stops the game thread (S) and notes the game's state.
class Game : public CSystem {
  public:
    std::atomic<int> frames{0};
    std::atomic<int> framesWhenStopped{-1};
    std::atomic<bool> endedWhenStopped{false};
    std::atomic<int> allowClose{1};

    void MainLoop() override {
        while (!g_endFlag) {
            ++frames;
            PumpMessages();
            Sleep(1);
        }
    }
    int OnClose() override { return allowClose; }
    void OnKeyDown(int key) override {
        if (key == VK_ESCAPE)
            RequestClose();
        else
            StopGameThread();
        framesWhenStopped = frames.load();
        endedWhenStopped = WaitForSingleObject(gameThread, 0) == WAIT_OBJECT_0;
    }
};

// Presses key in the main window once ready() holds.
std::jthread PressKeyWhen(std::function<bool()> ready, WPARAM key) {
    return std::jthread([=] {
        if (WaitUntil(ready)) PostMessageA(g_hWnd, WM_KEYDOWN, key, 0);
    });
}

TEST(GameThread, RequestCloseFromTheWindowThreadStopsTheGame) {
    Game game;
    auto user = PressKeyWhen([&] { return game.frames > 5; }, VK_ESCAPE);
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_TRUE(game.endedWhenStopped);
    EXPECT_EQ(game.frames, game.framesWhenStopped);
}

TEST(GameThread, RequestCloseFromTheGameThreadDoesNotReturn) {
    static std::atomic<bool> returned{false};
    CSystem system(nullptr, [](CSystem* self) {
        self->RequestClose();
        returned = true;
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_FALSE(returned);
}

TEST(GameThread, RefusedCloseKeepsTheGameRunning) {
    Game game;
    game.allowClose = 0;
    std::atomic<bool> ranOn{false};
    auto user = CloseMainWindowWhen([&] {
        if (game.frames < 5) return false;
        game.RequestClose();  // refused: nothing stops
        const int frames = game.frames;
        ranOn = WaitUntil([&] { return game.frames > frames + 5; }) && IsWindow(g_hWnd);
        game.allowClose = 1;
        return true;
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(ranOn);
}

#ifndef _WIN32
// Also ends the run, though the window stays open.
TEST(GameThread, StopFromTheWindowThreadUnwindsAGameBlockedInSleep) {
    struct Sleeper : Game {
        std::atomic<int> state{0};  // 1 asleep, 2 woke
        void MainLoop() override {
            state = 1;
            Sleep(100000);
            state = 2;
        }
    } game;
    auto user = PressKeyWhen([&] { return game.state == 1; }, 'S');
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(game.endedWhenStopped);  // within the stop's wait
    EXPECT_EQ(game.state, 1);
    EXPECT_TRUE(IsWindow(g_hWnd));
}
#endif

}  // namespace
