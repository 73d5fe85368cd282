#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "platform/testing/clock.h"
#include "platform/win32.h"

namespace {

using brannock::testing::SetClock;

TEST(Kernel32Clock, ADrivenClockReplacesTheRealOneUntilRemoved) {
    std::atomic<DWORD> now{0xFFFFFFF0u};
    SetClock([&] { return now.load(); });
    EXPECT_EQ(GetTickCount(), 0xFFFFFFF0u);
    now = 0x10;  // past the wrap
    EXPECT_EQ(GetTickCount() - 0xFFFFFFF0u, 0x20u);

    // Sleep does not block on a clock that only the test moves.
    const auto start = std::chrono::steady_clock::now();
    Sleep(60000);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    SetClock(nullptr);
    const DWORD before = GetTickCount();
    Sleep(50);
    const DWORD elapsed = GetTickCount() - before;
    EXPECT_GE(elapsed, 50u);
    EXPECT_LT(elapsed, 5000u);
}

}  // namespace
