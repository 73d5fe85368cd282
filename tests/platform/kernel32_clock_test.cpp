#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/testing/clock.h"
#include "platform/win32.h"

namespace {

using brannock::testing::SetClock;

struct ClockScope {
    ~ClockScope() { SetClock(nullptr); }
};

TEST(Kernel32Clock, TickCountFollowsRealTime) {
    const DWORD before = GetTickCount();
    Sleep(50);
    const DWORD elapsed = GetTickCount() - before;  // unsigned: right across a wrap
    EXPECT_GE(elapsed, 50u);
    EXPECT_LT(elapsed, 5000u);
}

TEST(Kernel32Clock, ADrivenClockReplacesTheTickCountUntilRemoved) {
    ClockScope scope;
    std::atomic<DWORD> now{0xFFFFFFF0u};
    SetClock([&] { return now.load(); });
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    now = 0x10;  // past the wrap
    EXPECT_EQ(GetTickCount(), 0x10u);
    EXPECT_EQ(GetTickCount() - 0xFFFFFFF0u, 0x20u);

    SetClock(nullptr);
    const DWORD real = GetTickCount();
    Sleep(20);
    EXPECT_GE(GetTickCount() - real, 20u);
}

TEST(Kernel32Clock, SleepDoesNotBlockOnADrivenClock) {
    ClockScope scope;
    SetClock([] { return DWORD{1000}; });
    const auto start = std::chrono::steady_clock::now();
    Sleep(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(GetTickCount(), 1000u);
}

}  // namespace
