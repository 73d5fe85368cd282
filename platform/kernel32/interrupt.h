// How blocking calls (Sleep, WaitForSingleObject, GetMessageA, SendMessageA
// and the window calls built on it, MessageBoxA from another thread) meet a
// thread's stop and the host.
//
// The framework stops its threads cooperatively and tells the platform which
// threads have a stop pending through a check it installs. Such a thread is
// not kept blocked: Sleep returns, waits time out, a send still queued is
// withdrawn and returns 0, GetMessageA returns as for WM_QUIT. Nothing is
// thrown, so a destructor may block safely while its thread stops; the
// framework unwinds the thread at its own stop points.
//
// A blocked call wakes at least every kInterruptCheckInterval to check, and
// lets the backend serve its host meanwhile when the calling thread is the
// one that drives it. Call both hooks holding no lock.
#pragma once

#include <chrono>

namespace brannock::platform {

// The longest a blocking call waits between two checks.
inline constexpr std::chrono::milliseconds kInterruptCheckInterval{10};

// True on a thread whose blocking calls should return early.
using StopCheck = bool (*)();

// Installs the check (null removes it). Any thread may call it at any time.
void SetStopCheck(StopCheck check);

// Whether the calling thread has a stop pending. It first ends the calling
// thread if TerminateThread asked for that (by throwing; see kernel32.h).
bool StopPending();

// Installs what a blocked call does each time it wakes (null: nothing): the
// backend pumps its host there.
void SetBlockedCallWork(void (*work)());
void DoBlockedCallWork();

}  // namespace brannock::platform
