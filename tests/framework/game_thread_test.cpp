// Closing and stopping from either thread: once StopGameThread has returned,
// or once it was called on the game thread, no more game code runs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

namespace {

using brannock::test::ClickCloseMainWindow;
using brannock::test::RunWinMain;
using brannock::test::WaitForMainWindow;
using brannock::test::WaitUntil;

// A game whose main loop counts frames until the program ends. Escape asks
// for the close from the window thread, S stops the game thread from there.
class FrameCountingGame : public CSystem {
  public:
    std::atomic<int> frames{0};
    std::atomic<int> framesWhenStopped{-1};
    std::atomic<bool> threadEndedWhenStopped{false};

    void MainLoop() override {
        while (!g_endFlag) {
            ++frames;
            PumpMessages();
            Sleep(1);
        }
    }

    void OnKeyDown(int key) override {
        if (key == VK_ESCAPE) RequestClose();
        if (key == 'S') StopGameThread();
        if (key == VK_ESCAPE || key == 'S') NoteStop();
    }

  protected:
    void NoteStop() {
        framesWhenStopped = frames.load();
        threadEndedWhenStopped = WaitForSingleObject(gameThread, 0) == WAIT_OBJECT_0;
    }
};

// Presses a key in the main window once the game has run a few frames.
std::jthread PressKeyAfterFrames(FrameCountingGame& game, WPARAM key) {
    return std::jthread([&game, key] {
        if (!WaitForMainWindow() || !WaitUntil([&] { return game.frames > 5; })) return;
        PostMessageA(g_hWnd, WM_KEYDOWN, key, 0);
    });
}

TEST(GameThread, RequestCloseFromTheWindowThreadStopsTheGame) {
    FrameCountingGame game;
    auto user = PressKeyAfterFrames(game, VK_ESCAPE);
    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_TRUE(game.threadEndedWhenStopped);
    EXPECT_EQ(game.frames, game.framesWhenStopped);
}

TEST(GameThread, StopFromTheWindowThreadLeavesTheWindowOpen) {
    FrameCountingGame game;
    auto user = PressKeyAfterFrames(game, 'S');
    EXPECT_EQ(RunWinMain(), 0);  // the run ends with its game

    EXPECT_TRUE(IsWindow(g_hWnd));
    EXPECT_EQ(game.threaded, 0);
    EXPECT_TRUE(game.threadEndedWhenStopped);
    EXPECT_EQ(game.frames, game.framesWhenStopped);
}

std::atomic<bool> g_ranAfterCall{false};

TEST(GameThread, RequestCloseFromTheGameThreadDoesNotReturn) {
    CSystem system(nullptr, [](CSystem* self) {
        self->RequestClose();
        g_ranAfterCall = true;
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_FALSE(g_ranAfterCall);
}

TEST(GameThread, StopFromTheGameThreadDoesNotReturn) {
    CSystem system(nullptr, [](CSystem* self) {
        self->StopGameThread();
        g_ranAfterCall = true;
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(g_ranAfterCall);
    EXPECT_TRUE(IsWindow(g_hWnd));
}

// Refuses to close until allowed; its main loop asks to close once, then
// keeps running.
class ReluctantGame : public FrameCountingGame {
  public:
    std::atomic<int> allowClose{0};
    std::atomic<bool> continuedAfterRefusal{false};

    int OnClose() override { return allowClose; }
    void MainLoop() override {
        RequestClose();
        continuedAfterRefusal = true;
        FrameCountingGame::MainLoop();
    }
};

TEST(GameThread, RefusedCloseKeepsTheGameRunning) {
    ReluctantGame game;
    std::atomic<bool> openAfterRefusals{false};
    std::jthread user([&] {
        if (!WaitForMainWindow() || !WaitUntil([&] { return game.frames > 5; })) return;
        ClickCloseMainWindow();  // refused as well
        const int frames = game.frames;
        openAfterRefusals =
            WaitUntil([&] { return game.frames > frames + 5; }) && IsWindow(g_hWnd) && !g_endFlag;
        game.allowClose = 1;
        ClickCloseMainWindow();
    });
    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_TRUE(game.continuedAfterRefusal);
    EXPECT_TRUE(openAfterRefusals);
    EXPECT_FALSE(IsWindow(g_hWnd));
}

#ifndef _WIN32
// A game thread blocked in a platform call unwinds too.
class SleepingGame : public CSystem {
  public:
    std::atomic<bool> asleep{false};
    std::atomic<bool> woke{false};
    std::atomic<bool> threadEndedWhenStopped{false};
    std::chrono::milliseconds stopTime{0};

    void MainLoop() override {
        asleep = true;
        Sleep(100000);
        woke = true;
    }
    void OnKeyDown(int) override {
        const auto start = std::chrono::steady_clock::now();
        StopGameThread();
        stopTime = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        threadEndedWhenStopped = WaitForSingleObject(gameThread, 0) == WAIT_OBJECT_0;
    }
};

TEST(GameThread, StopUnwindsAGameThreadBlockedInSleep) {
    SleepingGame game;
    std::jthread user([&] {
        if (!WaitForMainWindow() || !WaitUntil([&] { return game.asleep.load(); })) return;
        PostMessageA(g_hWnd, WM_KEYDOWN, 'S', 0);
    });
    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_TRUE(game.threadEndedWhenStopped);
    EXPECT_LT(game.stopTime.count(), 1000);
    EXPECT_FALSE(game.woke);
}
#endif

}  // namespace
