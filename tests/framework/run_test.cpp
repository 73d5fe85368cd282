// A whole run from the process entry: the application object's life, the
// game thread, and closing or stopping from either thread. Once
// StopGameThread has returned, or was called on the game thread, no more
// game code runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

#ifndef _WIN32
#include "platform/kernel32/process_end.h"
#include "platform/testing/message_boxes.h"
#endif

namespace {

using brannock::test::CloseMainWindowWhen;
using brannock::test::RunWinMain;
using brannock::test::WaitUntil;

// Default behaviour, noting what the framework did.
class ObservedSystem : public CSystem {
  public:
    std::atomic<int> startTimerCalls{0};
    std::atomic<DWORD> gameThreadId{0};
    std::atomic<bool> gameThreadLeft{false};

    void OnTimer(UINT_PTR id) override { startTimerCalls += id == 65535; }
    int GameThreadMain() override {
        gameThreadId = GetCurrentThreadId();
        struct Leave {  // notes the main loop's end, by return or unwinding
            std::atomic<bool>& left;
            ~Leave() { left = true; }
        } leave{gameThreadLeft};
        return CSystem::GameThreadMain();
    }
};

// Counts frames until the program ends. On a key, the window thread requests
// the close (Escape) or stops the game thread (any other) and then notes the
// game's state.
class Game : public ObservedSystem {
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

#ifdef _WIN32
constexpr const char* kEndOfProcessWork = "";
#else
constexpr const char* kEndOfProcessWork = "end-of-process work\n";
#endif

void PressKey(WPARAM key) {
    PostMessageA(g_hWnd, WM_KEYDOWN, key, 0);
}

TEST(Run, WithoutAnApplicationObjectTheEntryDoesNothing) {
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(g_hWnd.load(), nullptr);
}

TEST(Run, ThreadedRunIdlesUntilTheWindowIsClosed) {
    ObservedSystem system;
    // Closed well after the start timer fired, to see it fire only once.
    auto user = CloseMainWindowWhen([&] { return system.startTimerCalls > 0; }, 300);
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_NE(system.gameThreadId, GetCurrentThreadId());
    EXPECT_TRUE(system.gameThreadLeft);  // stopped before the entry returned
    EXPECT_EQ(system.startTimerCalls, 1);
}

TEST(Run, SingleThreadRunEndsWithItsMainLoop) {
    ObservedSystem system;
    system.SetThreaded(0);
    const std::string longLine(400, 'x');
    EXPECT_EQ(RunWinMain(longLine.c_str()), 0);
    EXPECT_TRUE(IsWindow(g_hWnd));  // MainLoop returned at once; nobody closed it
    EXPECT_EQ(system.gameThreadId, 0u);
    EXPECT_EQ(system.startTimerCalls, 0);
    EXPECT_EQ(std::string(system.commandLine), longLine.substr(0, 255));
}

TEST(Run, IntExceptionFromTheMainLoopClosesTheWindow) {
    CSystem system(nullptr, [](CSystem*) { throw 0; });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
}

TEST(Run, RequestCloseFromTheWindowThreadStopsTheGameOnceOnCloseAllows) {
    Game game;
    game.allowClose = 0;
    std::atomic<bool> ranOn{false};
    std::jthread user([&] {
        if (!WaitUntil([&] { return game.frames > 5; })) return;
        PressKey(VK_ESCAPE);  // refused: nothing stops
        if (!WaitUntil([&] { return game.framesWhenStopped >= 0; })) return;
        const int frames = game.frames;
        ranOn = WaitUntil([&] { return game.frames > frames + 5; }) && IsWindow(g_hWnd);
        game.allowClose = 1;
        PressKey(VK_ESCAPE);
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(ranOn);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_TRUE(game.endedWhenStopped);
    EXPECT_EQ(game.frames, game.framesWhenStopped);
}

TEST(Run, RequestCloseFromTheGameThreadDoesNotReturn) {
    static std::atomic<bool> returned{false};
    CSystem system(nullptr, [](CSystem* self) {
        self->RequestClose();
        returned = true;
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_FALSE(returned);
}

#ifndef _WIN32
// Also ends the run, though the window stays open. The sleep returns early
// and the game's next framework call unwinds it.
TEST(Run, StopFromTheWindowThreadEndsAGameBlockedInSleep) {
    struct Sleeper : Game {
        std::atomic<int> state{0};  // 1 asleep, 2 woke, 3 past a framework call
        void MainLoop() override {
            state = 1;
            Sleep(100000);
            state = 2;
            WaitFrame(60);
            state = 3;
        }
    } game;
    std::jthread user([&] {
        if (WaitUntil([&] { return game.state == 1; })) PressKey('S');
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(game.endedWhenStopped);  // within the stop's wait
    EXPECT_EQ(game.state, 2);
    EXPECT_TRUE(IsWindow(g_hWnd));
}

// A destructor that runs at the end of a scope while the stop is pending
// may block in platform calls: they return early instead of throwing out
// of it (which would end the process).
TEST(Run, StopWhileTheGameRunsADestructorThatBlocks) {
    struct Cleanup : Game {
        std::atomic<int> state{0};  // 1 in scope, 2 past the destructor, 3 past WaitFrame
        std::atomic<bool> destructorDone{false};
        std::atomic<LRESULT> sent{-1};
        void MainLoop() override {
            {
                struct Guard {
                    Cleanup& game;
                    ~Guard() {
                        Sleep(100000);
                        WaitForSingleObject(game.gameThread, INFINITE);  // its own thread
                        game.sent = SendMessageA(g_hWnd, WM_USER, 0, 0);
                        SetWindowTextA(g_hWnd, "cleanup");
                        SetWindowPos(g_hWnd, nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
                        game.destructorDone = true;
                    }
                } guard{*this};
                state = 1;
                while (threaded)  // until the stop is requested
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            state = 2;
            WaitFrame(60);
            state = 3;
        }
    } game;
    std::jthread user([&] {
        if (WaitUntil([&] { return game.state == 1; })) PressKey('S');
    });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_TRUE(game.endedWhenStopped);
    EXPECT_TRUE(game.destructorDone);
    EXPECT_EQ(game.state, 2);
    // The window thread was waiting for the game: the send was withdrawn.
    EXPECT_EQ(game.sent, 0);
}

// Exit handler of a death test's child: the message boxes shown, in hex.
void ReportMessageBoxes() {
    for (const auto& box : brannock::testing::MessageBoxes()) {
        for (unsigned char c : box.text + "|" + box.caption)
            std::fprintf(stderr, "%02x", c);
        std::fprintf(stderr, " type=%u window=%d\n", box.type, g_hWnd.load() != nullptr);
    }
}

TEST(RunDeathTest, SecondApplicationObjectIsRefusedWithAWarning) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CSystem first;
            std::atexit(&ReportMessageBoxes);
            CSystem second;
        },
        ::testing::ExitedWithCode(0),
        // "2つ以上CSystemクラスを使うことはできません。" | "警告"
        "3282c288c88fe34353797374656d834e8389835882f08e6782a482b182c682cd82c582ab82dc82b9"
        "82f181427c8c788d90 type=0 window=0\n");
}
#endif

// Without static destructors (the game thread still uses the objects they
// would destroy) but with the end-of-process work that ExitProcess runs.
TEST(RunDeathTest, GameThreadThatIgnoresTheStopEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static std::atomic<bool> spinning{false};
    EXPECT_EXIT(
        {
            std::atexit([] { std::_Exit(3); });  // any normal exit path gives 3
#ifndef _WIN32
            brannock::platform::AtProcessEnd([] { std::fprintf(stderr, "end-of-process work\n"); });
#endif
            CSystem system(nullptr, [](CSystem*) {
                for (spinning = true; spinning;) {
                }
            });
            auto user = CloseMainWindowWhen([] { return spinning.load(); });
            RunWinMain();
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), kEndOfProcessWork);
}

}  // namespace
