// The timer resolution requests: periods in range are granted, others
// refused, as on Windows.
#include <gtest/gtest.h>

#include "platform/win32.h"

namespace {

TEST(WinmmTimePeriod, PeriodsInRangeAreGrantedAndOthersRefused) {
    EXPECT_EQ(timeBeginPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeEndPeriod(1), static_cast<MMRESULT>(TIMERR_NOERROR));
    EXPECT_EQ(timeBeginPeriod(0), static_cast<MMRESULT>(TIMERR_NOCANDO));
    EXPECT_EQ(timeEndPeriod(0), static_cast<MMRESULT>(TIMERR_NOCANDO));
}

}  // namespace
