// The frame-rate readout's counter: periods of a little over a second,
// closed by the first call more than 1000 ms after they began, wherever the
// tick count stands (it passes 0x80000000 after 24.8 days of uptime and
// wraps after 49.7).
#include <gtest/gtest.h>

#include "graphics/xsprite.h"

#ifndef _WIN32
#include <atomic>

#include "platform/testing/clock.h"

namespace {

class FrameRate : public ::testing::Test {
  protected:
    void SetUp() override {
        brannock::testing::SetClock([this] { return now.load(); });
    }
    void TearDown() override { brannock::testing::SetClock(nullptr); }

    // A period that begins at `start`: the call then closes the one before
    // (showing what that counted), the next, 500 ms later, shows the same,
    // and the one 1001 ms after `start` closes this period with the 2 calls
    // after its start.
    void PeriodFrom(DWORD start, int shownAtStart) {
        now = start;
        EXPECT_EQ(display.GetFrameRate(), shownAtStart) << std::hex << now;
        now = start + 500;
        EXPECT_EQ(display.GetFrameRate(), shownAtStart) << std::hex << now;
        now = start + 1001;
        EXPECT_EQ(display.GetFrameRate(), 2) << std::hex << now;
    }

    std::atomic<DWORD> now{0};
    XSprite display;
};

TEST_F(FrameRate, PeriodsCloseAcrossTheSignBoundaryAndTheWrapOfTheTickCount) {
    PeriodFrom(0x7FFFFE00, 1);  // the first call closes the period that began at 0
    PeriodFrom(0xFFFFFE00, 1);  // the last period ended past 0x80000000
    PeriodFrom(0x00100000, 1);  // and this one past the wrap to 0
}

}  // namespace
#endif
