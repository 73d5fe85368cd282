// Test control: drive the millisecond clock behind GetTickCount and Sleep.
#pragma once

#include <functional>

#include "platform/windef.h"

namespace brannock::testing {

// Replaces the clock GetTickCount reads. Each GetTickCount call returns
// clock(); an empty function restores the real monotonic clock. While a
// clock is installed, Sleep(ms) advances nothing by itself and returns after
// yielding the processor.
void SetClock(std::function<DWORD()> clock);

}  // namespace brannock::testing
