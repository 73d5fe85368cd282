// WaitFrame's schedule, on a clock the test drives.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <atomic>
#include <vector>

#include "framework/globals.h"
#include "framework/main_window.h"
#include "framework/system.h"
#include "platform/testing/clock.h"

namespace {

class PacedSystem : public CSystem {
  public:
    std::atomic<int> userMessages{0};
    void OnUser(WPARAM, LPARAM) override { ++userMessages; }
};

// The clock moves 1 ms forward at each read, so a wait ends exactly at its
// due time and a call that does not wait returns at the time it read.
class FramePacingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        brannock::testing::SetClock([this] { return now.fetch_add(1); });
    }
    void TearDown() override { brannock::testing::SetClock({}); }

    // One frame; the time at which WaitFrame returned.
    DWORD Frame(int fps = 60) {
        system.WaitFrame(fps);
        return now - 1;
    }

    // Runs frames 1..count of the window opened at base; their offsets.
    std::vector<DWORD> Offsets(DWORD base, int count) {
        std::vector<DWORD> offsets;
        for (int i = 0; i < count; ++i)
            offsets.push_back(Frame() - base);
        return offsets;
    }

    std::atomic<DWORD> now{5000};
    PacedSystem system;
};

TEST_F(FramePacingTest, FramesFollowTheScheduleOfTheirWindow) {
    const DWORD base = Frame();  // the first frame opens a window, at once
    EXPECT_EQ(base, 5000u);

    const std::vector<DWORD> offsets = Offsets(base, 60);
    EXPECT_EQ(std::vector<DWORD>(offsets.begin(), offsets.begin() + 7),
              (std::vector<DWORD>{16, 33, 50, 66, 83, 100, 116}));
    EXPECT_EQ(offsets[58], 983u);
    EXPECT_EQ(offsets[59], 1000u);

    // The 61st frame is due 1016 ms in, more than a second: it opens the next
    // window, whose first frame is due 16 ms after it.
    const DWORD next = Frame();
    EXPECT_EQ(next - base, 1016u);
    EXPECT_EQ(Frame() - next, 16u);
}

TEST_F(FramePacingTest, LateFramesCatchUpWithoutMovingTheSchedule) {
    const DWORD base = Frame();
    Frame();
    now += 300;  // the game stalls

    int atOnce = 0;
    DWORD returned = 0;
    for (;;) {
        const DWORD entered = now;
        returned = Frame();
        if (returned != entered) break;
        ++atOnce;
    }
    // About 300 / 16.7 frames were late, so they run back to back; the next
    // frame keeps its place in the schedule (frame 21, due at 350 ms).
    EXPECT_GE(atOnce, 17);
    EXPECT_LE(atOnce, 20);
    EXPECT_EQ(returned - base, static_cast<DWORD>((atOnce + 2) * 1000 / 60));
}

TEST_F(FramePacingTest, NoPacingWhenAskedForNone) {
    const DWORD base = Frame();
    const DWORD before = now;
    system.WaitFrame(0);
    system.WaitFrame(-30);
    system.noWait = 1;
    system.WaitFrame(60);
    system.noWait = 0;
    EXPECT_EQ(now, before);  // the clock was not even read

    EXPECT_EQ(Frame() - base, 16u);  // and nothing was counted
}

TEST_F(FramePacingTest, EndFlagEndsTheWaitButCountsTheFrame) {
    const DWORD base = Frame();
    g_endFlag = 1;
    for (int i = 0; i < 3; ++i) {
        const DWORD entered = now;
        EXPECT_EQ(Frame(), entered);
    }
    g_endFlag = 0;
    EXPECT_EQ(Frame() - base, 66u);  // the three counted: this is frame 4
}

TEST_F(FramePacingTest, ScheduleRunsOnAcrossTheWrapOfTheClock) {
    now = 0xFFFFFFFFu - 500;
    const DWORD base = Frame();
    const std::vector<DWORD> offsets = Offsets(base, 60);
    for (int k = 1; k <= 60; ++k)
        EXPECT_EQ(offsets[k - 1], static_cast<DWORD>(k * 1000 / 60));
    EXPECT_LT(now.load(), base);  // the clock has wrapped

    const DWORD next = Frame();
    EXPECT_EQ(next - base, 1016u);
    EXPECT_EQ(Frame() - next, 16u);
}

TEST_F(FramePacingTest, SingleThreadedWaitKeepsTheWindowAlive) {
    RegisterMainClass(nullptr);
    ASSERT_EQ(CreateMainWindow(nullptr, SW_SHOWNORMAL), 1);
    system.SetThreaded(0);
    Frame();
    PostMessageA(g_hWnd, WM_USER, 0, 0);
    Frame();
    EXPECT_EQ(system.userMessages, 1);

    // A quit taken while waiting ends the wait.
    PostMessageA(g_hWnd, WM_QUIT, 0, 0);
    Frame();
    EXPECT_EQ(g_endFlag, 1);
}

}  // namespace
#endif
