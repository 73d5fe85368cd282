// Interruption points of blocking calls. The framework installs a check that
// throws on a thread it wants stopped; Sleep, WaitForSingleObject and the
// message waits call CheckInterrupt on entry and at least every 10 ms while
// waiting, holding no lock, so the throw unwinds them cleanly.
#pragma once

#include <chrono>

namespace brannock::platform {

// The longest a blocking call waits between two checks.
inline constexpr std::chrono::milliseconds kInterruptCheckInterval{10};

using InterruptCheck = void (*)();

// Installs the check (null removes it). Any thread may call it at any time.
void SetInterruptCheck(InterruptCheck check);

// Runs the installed check, then ends the calling thread if TerminateThread
// asked for that (by throwing; see kernel32.h).
void CheckInterrupt();

}  // namespace brannock::platform
