// timeBeginPeriod and timeEndPeriod: the host's timers need no raising.
#include "platform/win32.h"

namespace {

// The range timeGetDevCaps reports on Windows.
constexpr UINT kPeriodMin = 1;
constexpr UINT kPeriodMax = 1000000;

MMRESULT CheckPeriod(UINT period) {
    return period >= kPeriodMin && period <= kPeriodMax ? TIMERR_NOERROR : TIMERR_NOCANDO;
}

}  // namespace

MMRESULT WINAPI timeBeginPeriod(UINT uPeriod) {
    return CheckPeriod(uPeriod);
}

MMRESULT WINAPI timeEndPeriod(UINT uPeriod) {
    return CheckPeriod(uPeriod);
}
