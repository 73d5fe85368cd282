// The application object's run from the process entry to its end: threaded
// and single-threaded, the single-instance rule, the start timer, and the
// ways a run ends.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

#ifndef _WIN32
#include "platform/testing/message_boxes.h"
#endif

namespace {

using brannock::test::ClickCloseMainWindow;
using brannock::test::RunWinMain;
using brannock::test::WaitForMainWindow;
using brannock::test::WaitUntil;

constexpr UINT_PTR kStartTimerId = 65535;

// A CSystem with default behaviour that notes what the framework did.
class ObservedSystem : public CSystem {
  public:
    using CSystem::CSystem;

    std::atomic<int> startTimerCalls{0};
    std::atomic<DWORD> gameThreadId{0};
    std::atomic<bool> gameThreadUnwound{false};

    void OnTimer(UINT_PTR id) override {
        if (id == kStartTimerId) ++startTimerCalls;
    }
    int GameThreadMain() override {
        gameThreadId = GetCurrentThreadId();
        // Notes that the default main loop was left, by return or unwinding.
        struct Exit {
            std::atomic<bool>& flag;
            ~Exit() { flag = true; }
        } exit{gameThreadUnwound};
        return CSystem::GameThreadMain();
    }
};

// The user closes the main window delayMs after ready() holds.
std::jthread CloseMainWindowWhen(std::function<bool()> ready, int delayMs = 0) {
    return std::jthread([ready, delayMs] {
        if (!WaitForMainWindow() || !WaitUntil(ready)) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ClickCloseMainWindow();
    });
}

TEST(Lifecycle, WithoutAnApplicationObjectTheEntryDoesNothing) {
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(g_hWnd.load(), nullptr);
}

TEST(Lifecycle, ThreadedRunIdlesUntilTheWindowIsClosed) {
    ObservedSystem system;
    // Closed well after the start timer fired, to see it fire only once.
    auto user = CloseMainWindowWhen([&] { return system.startTimerCalls > 0; }, 300);
    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_EQ(g_endFlag, 1);
    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_NE(system.gameThreadId, 0u);
    EXPECT_NE(system.gameThreadId, GetCurrentThreadId());
    // The idle game thread was stopped before the entry returned.
    EXPECT_TRUE(system.gameThreadUnwound);
    EXPECT_EQ(system.startTimerCalls, 1);
}

TEST(Lifecycle, SingleThreadRunEndsWhenTheMainLoopReturns) {
    ObservedSystem system;
    system.SetThreaded(0);
    EXPECT_EQ(RunWinMain(), 0);

    // MainLoop returned at once; the window is still open at the end.
    EXPECT_TRUE(IsWindow(g_hWnd));
    EXPECT_EQ(system.gameThreadId, 0u);
    EXPECT_EQ(system.startTimerCalls, 0);
}

std::atomic<CSystem*> g_initArgument{nullptr};
std::atomic<DWORD> g_initThread{0};
std::atomic<DWORD> g_mainThread{0};

TEST(Lifecycle, ProceduresRunOnTheirThreadsAndAReturningMainLoopCloses) {
    CSystem system(
        [](CSystem* self) {
            g_initArgument = self;
            g_initThread = GetCurrentThreadId();
        },
        [](CSystem*) { g_mainThread = GetCurrentThreadId(); });
    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_EQ(g_initArgument, &system);
    EXPECT_EQ(g_initThread, GetCurrentThreadId());
    EXPECT_NE(g_mainThread, 0u);
    EXPECT_NE(g_mainThread, GetCurrentThreadId());
    EXPECT_FALSE(IsWindow(g_hWnd));
}

TEST(Lifecycle, SingleThreadMainLoopPumpsUntilTheWindowIsClosed) {
    static std::atomic<int> lastPump{-1};
    CSystem system(nullptr, [](CSystem* self) {
        while ((lastPump = self->PumpMessages()) != 0)
            Sleep(1);
    });
    system.SetThreaded(0);
    auto user = CloseMainWindowWhen([] { return lastPump != -1; });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(lastPump, 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
}

TEST(Lifecycle, IntExceptionFromTheMainLoopEndsTheRun) {
    CSystem threadedSystem(nullptr, [](CSystem*) { throw 0; });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));  // the game thread asked the window to close
}

TEST(Lifecycle, IntExceptionIsDroppedInSingleThreadMode) {
    CSystem system(nullptr, [](CSystem*) { throw 0; });
    system.SetThreaded(0);
    EXPECT_EQ(system.SingleThreadMain(), 1);
}

TEST(Lifecycle, InitThatEndsTheProgramSkipsTheMainLoop) {
    static std::atomic<bool> mainLoopRan{false};
    CSystem system([](CSystem* self) { DestroyWindow(self->GetWindowHandle()); },
                   [](CSystem*) { mainLoopRan = true; });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(mainLoopRan);
}

TEST(Lifecycle, LongCommandLineIsCutToTheBuffer) {
    CSystem system;
    system.SetThreaded(0);
    const std::string line(400, 'x');
    EXPECT_EQ(RunWinMain(line.c_str()), 0);
    EXPECT_EQ(std::string(system.commandLine), line.substr(0, 255));
}

#ifndef _WIN32
// Written by exit handlers in the child of a death test: the message boxes
// shown, as hex bytes, and whether a main window exists.
void ReportMessageBoxes() {
    for (const auto& box : brannock::testing::MessageBoxes()) {
        std::fprintf(stderr, "box text=");
        for (unsigned char c : box.text)
            std::fprintf(stderr, "%02x", c);
        std::fprintf(stderr, " caption=");
        for (unsigned char c : box.caption)
            std::fprintf(stderr, "%02x", c);
        std::fprintf(stderr, " type=%u owner=%d\n", box.type, box.owner != nullptr);
    }
    std::fprintf(stderr, "window=%d\n", g_hWnd.load() != nullptr);
}

TEST(LifecycleDeathTest, SecondApplicationObjectIsRefusedWithAWarning) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            CSystem first;
            std::atexit(&ReportMessageBoxes);
            CSystem second;
            std::fprintf(stderr, "second object constructed\n");
        },
        ::testing::ExitedWithCode(0),
        "box "
        "text="
        "3282c288c88fe34353797374656d834e8389835882f08e6782a482b182c682cd82c582ab82dc82b982f18142"
        " caption=8c788d90 type=0 owner=0\n"
        "window=0\n");
}
#endif

TEST(LifecycleDeathTest, GameThreadThatIgnoresTheStopEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static std::atomic<bool> spinning{false};
    EXPECT_EXIT(
        {
            // Any normal exit path (exit handlers) would give exit code 3.
            std::atexit([] { std::_Exit(3); });
            CSystem system(nullptr, [](CSystem*) {
                for (spinning = true; spinning.load();) {
                }
            });
            std::jthread user([] {
                if (WaitUntil([] { return spinning.load(); })) ClickCloseMainWindow();
            });
            RunWinMain();
            std::fprintf(stderr, "the entry returned\n");
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
