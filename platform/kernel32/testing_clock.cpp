#include "platform/testing/clock.h"

#include "platform/kernel32/clock_source.h"

namespace brannock::testing {

void SetClock(std::function<DWORD()> clock) {
    platform::InstallTestClock(std::move(clock));
}

}  // namespace brannock::testing
