// The clock behind GetTickCount: the monotonic host clock, or a clock a test
// installed (platform/testing/clock.h).
#pragma once

#include <functional>
#include <memory>

#include "platform/windef.h"

namespace brannock::platform {

using TickClock = std::function<DWORD()>;

// Null while the host clock is in use.
std::shared_ptr<const TickClock> InstalledTestClock();
void InstallTestClock(TickClock clock);

}  // namespace brannock::platform
