// A script's input reaching the program as the user's would: the key state
// and cursor change at once, key and mouse messages are posted to the
// window that has the input, a close clicks its close control. Scripted runs
// and recordings apply input the same way, so a recording replays to the
// same run.
#pragma once

#include <atomic>
#include <chrono>
#include <vector>

#include "platform/backend/script/script.h"
#include "platform/windef.h"

namespace brannock::platform::script {

// How long a frame waits at most for the window thread to handle its input:
// long enough for any handler; a window thread that takes longer lets the
// run go on rather than hang it.
inline constexpr std::chrono::milliseconds kHandOverTimeout{2000};

// The window input goes to: the foreground window, else `fallback` while it
// exists; null when there is none.
HWND InputTarget(HWND fallback);

// Applies one input event (saves are not input) to `target`; with no target
// only the key state and cursor change.
void ApplyInput(const Event& event, HWND target);

// A frame's input, handed over at a frame boundary: applied in order, then
// handled by the target's thread before this returns (as a send would be),
// so the next frame sees its effects. False when that thread did not get to
// it in time.
bool HandOver(const std::vector<Event>& events, HWND fallback);

// Makes the threads the program starts before its first frame (the game
// thread) begin once the thread of `window` has handled what it was given
// at start-up (its first paint, frame 0's input), as it has in every run.
// Both flags must outlive the gate; EndEarlyThreadGate removes it.
void GateEarlyThreads(const std::atomic<HWND>& window, const std::atomic<bool>& framesBegan);
void EndEarlyThreadGate();

}  // namespace brannock::platform::script
