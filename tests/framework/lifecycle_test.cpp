// The application object's run from the process entry to its end.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/globals.h"
#include "framework/system.h"
#include "tests/support/framework_run.h"

#ifndef _WIN32
#include "platform/testing/message_boxes.h"
#endif

namespace {

using brannock::test::CloseMainWindowWhen;
using brannock::test::RunWinMain;

// A CSystem with default behaviour that notes what the framework did.
class ObservedSystem : public CSystem {
  public:
    std::atomic<int> startTimerCalls{0};
    std::atomic<DWORD> gameThreadId{0};
    std::atomic<bool> gameThreadLeft{false};

    void OnTimer(UINT_PTR id) override { startTimerCalls += id == 65535; }
    int GameThreadMain() override {
        gameThreadId = GetCurrentThreadId();
        struct Leave {  // notes the default main loop's end, by return or unwinding
            std::atomic<bool>& left;
            ~Leave() { left = true; }
        } leave{gameThreadLeft};
        return CSystem::GameThreadMain();
    }
};

TEST(Lifecycle, WithoutAnApplicationObjectTheEntryDoesNothing) {
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_EQ(g_hWnd.load(), nullptr);
}

TEST(Lifecycle, ThreadedRunIdlesUntilTheWindowIsClosed) {
    ObservedSystem system;
    // Closed well after the start timer fired, to see it fire only once.
    auto user = CloseMainWindowWhen([&] { return system.startTimerCalls > 0; }, 300);
    EXPECT_EQ(RunWinMain(), 0);

    EXPECT_FALSE(IsWindow(g_hWnd));
    EXPECT_NE(system.gameThreadId, GetCurrentThreadId());
    EXPECT_TRUE(system.gameThreadLeft);  // stopped before the entry returned
    EXPECT_EQ(system.startTimerCalls, 1);
}

TEST(Lifecycle, SingleThreadRunEndsWithItsMainLoop) {
    ObservedSystem system;
    system.SetThreaded(0);
    const std::string longLine(400, 'x');
    EXPECT_EQ(RunWinMain(longLine.c_str()), 0);

    EXPECT_TRUE(IsWindow(g_hWnd));  // MainLoop returned at once; nobody closed it
    EXPECT_EQ(system.gameThreadId, 0u);
    EXPECT_EQ(system.startTimerCalls, 0);
    EXPECT_EQ(std::string(system.commandLine), longLine.substr(0, 255));
}

TEST(Lifecycle, IntExceptionFromTheMainLoopClosesTheWindow) {
    CSystem system(nullptr, [](CSystem*) { throw 0; });
    EXPECT_EQ(RunWinMain(), 0);
    EXPECT_FALSE(IsWindow(g_hWnd));
}

#ifndef _WIN32
// Exit handler of a death test's child: the message boxes shown, in hex.
void ReportMessageBoxes() {
    for (const auto& box : brannock::testing::MessageBoxes()) {
        for (unsigned char c : box.text + "|" + box.caption)
            std::fprintf(stderr, "%02x", c);
        std::fprintf(stderr, " type=%u window=%d\n", box.type, g_hWnd.load() != nullptr);
    }
}

TEST(LifecycleDeathTest, SecondApplicationObjectIsRefusedWithAWarning) {
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

TEST(LifecycleDeathTest, GameThreadThatIgnoresTheStopEndsTheProcessAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    static std::atomic<bool> spinning{false};
    EXPECT_EXIT(
        {
            std::atexit([] { std::_Exit(3); });  // any normal exit path gives 3
            CSystem system(nullptr, [](CSystem*) {
                for (spinning = true; spinning;) {
                }
            });
            auto user = CloseMainWindowWhen([] { return spinning.load(); });
            RunWinMain();
            std::_Exit(1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
