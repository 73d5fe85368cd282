// WaitFrame's schedule: on the real clock, and exactly on a clock the test
// drives (the headless backend's).
#include <gtest/gtest.h>

#include <atomic>

#include "framework/globals.h"
#include "framework/system.h"

#ifndef _WIN32
#include "platform/kernel32/virtual_clock.h"
#include "platform/testing/clock.h"
#endif

namespace {

// Frame k of a window is never back before k * 1000 / 60 ms after the
// window opened, which was no earlier than `start`.
TEST(FramePacingOnTheRealClock, NoFrameComesBeforeItsTime) {
    CSystem system;
    const DWORD start = GetTickCount();
    system.WaitFrame(60);  // opens the window
    for (int k = 1; k <= 30; ++k) {
        system.WaitFrame(60);
        EXPECT_GE(GetTickCount() - start, static_cast<DWORD>(k * 1000 / 60)) << "frame " << k;
    }
}

// Single-threaded, a wait keeps handling messages: a quit posted while the
// loop waits for its next frame ends the program at once, not at the frame.
TEST(FramePacingOnTheRealClock, ASingleThreadedWaitHandlesMessagesAsTheyCome) {
    CSystem system;
    system.threaded = 0;
    system.WaitFrame(1);  // opens the window; the next frame is a second away
    const DWORD start = GetTickCount();
    const DWORD self = GetCurrentThreadId();
    HANDLE poster = CreateThread(
        nullptr, 0,
        [](LPVOID thread) -> DWORD {
            Sleep(20);
            PostThreadMessageA(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(thread)), WM_QUIT, 0,
                               0);
            return 0;
        },
        reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(self)), 0, nullptr);
    ASSERT_NE(poster, nullptr);
    system.WaitFrame(1);
    EXPECT_EQ(g_endFlag.load(), 1);
    EXPECT_LT(GetTickCount() - start, 1000u);
    WaitForSingleObject(poster, INFINITE);
    CloseHandle(poster);
    g_endFlag = 0;
}

#ifndef _WIN32

// The clock moves 1 ms forward at each read, so a wait ends exactly at its
// due time and a call that does not wait returns at the time it read.
// Started at an ordinary time, and half a second before the clock wraps in
// the middle of frame 31's wait.
class FramePacing : public ::testing::TestWithParam<DWORD> {
  protected:
    void SetUp() override {
        brannock::testing::SetClock([this] { return now.fetch_add(1); });
    }
    void TearDown() override { brannock::testing::SetClock({}); }

    // One frame at 60 per second; the time at which it returned.
    DWORD Frame() {
        system.WaitFrame(60);
        return now - 1;
    }

    std::atomic<DWORD> now{GetParam()};
    CSystem system;
};

TEST_P(FramePacing, FramesFollowTheScheduleOfTheirWindow) {
    const DWORD base = Frame();  // the first frame opens a window, at once
    EXPECT_EQ(base, GetParam());
    // Frame k is due k * 1000 / 60 ms in: 16, 33, 50, ..., 1000.
    for (int k = 1; k <= 60; ++k)
        EXPECT_EQ(Frame() - base, static_cast<DWORD>(k * 1000 / 60)) << "frame " << k;
    // Frame 61, more than a second in, opens the next window.
    EXPECT_EQ(Frame() - base, 1016u);
    EXPECT_EQ(Frame() - base, 1016u + 16u);
}

TEST_P(FramePacing, LateFramesCatchUpWithoutMovingTheSchedule) {
    const DWORD base = Frame();
    now += 300;  // the game stalls
    int atOnce = 0;
    DWORD returned = 0;
    for (DWORD entered = now; (returned = Frame()) == entered; entered = now)
        ++atOnce;
    // The 18 or so late frames ran back to back; the next one kept its time.
    EXPECT_GE(atOnce, 17);
    EXPECT_LE(atOnce, 20);
    EXPECT_EQ(returned - base, static_cast<DWORD>((atOnce + 1) * 1000 / 60));
}

TEST_P(FramePacing, NoWaitAndTheEndFlag) {
    const DWORD base = Frame();
    const DWORD before = now;
    system.WaitFrame(0);
    system.WaitFrame(-30);
    system.noWait = 1;
    system.WaitFrame(60);
    system.noWait = 0;
    EXPECT_EQ(now, before);  // returned without even reading the clock

    g_endFlag = 1;  // returns at once but counts the frame
    EXPECT_EQ(Frame(), before);
    g_endFlag = 0;
    EXPECT_EQ(Frame() - base, 33u);
}

INSTANTIATE_TEST_SUITE_P(Clock, FramePacing, ::testing::Values(5000u, 0xFFFFFFFFu - 505));

// In a scripted run only the program's frames move the clock; a pacing wait
// that finds no frame moving it still ends, on the schedule.
TEST(FramePacingOnAVirtualClock, AWaitEndsWithNothingElseMovingTheClock) {
    namespace clock = brannock::platform::virtual_clock;
    clock::Start();
    clock::SetFrameThread(GetCurrentThreadId());
    // The test's own look at the clock must not move it.
    const auto now = [] {
        const clock::QuietReads quiet;
        return GetTickCount();
    };
    CSystem system;
    system.WaitFrame(60);  // opens a window at once
    const DWORD base = now();
    for (int k = 1; k <= 30; ++k) {
        system.WaitFrame(60);
        EXPECT_EQ(now() - base, static_cast<DWORD>(k * 1000 / 60)) << "frame " << k;
    }
}

#endif

}  // namespace
