// The virtual tick count of repeatable runs (scripted or recorded): once
// started, GetTickCount reads it instead of the host clock. It moves only
// when the program's own frames, sleeps and clock polling on its frame
// thread move it, so the same run sees the same times however fast the
// machine is:
//   - each frame ends on the schedule of the program's pace (frame n of a
//     schedule at `fps` ends n * 1000 / fps ms, truncated, after the
//     schedule's start), or where the frame's own sleeps took it, whichever
//     is later (a later end starts a new schedule there);
//   - Sleep on the frame thread moves it by the time asked for and returns;
//   - once the frame thread has read it kPollReads times without it
//     moving, each further read moves it 1 ms: a loop polling it (a pacing
//     wait) ends, while the few reads of an ordinary frame see one time.
// Reads on other threads see it as it stands; their Sleep takes real time.
#pragma once

#include "platform/windef.h"

namespace brannock::platform::virtual_clock {

// The tick count a started clock shows first.
inline constexpr DWORD kStartTick = 1'000'000;
inline constexpr int kPollReads = 100;

// Starts the clock at kStartTick; later calls do nothing. Never stopped.
void Start();
bool Running();

// GetTickCount of a running clock.
DWORD Read();

// The thread whose frames, sleeps and polling move the clock.
void SetFrameThread(DWORD threadId);

// Ends the frame thread's current frame at a pace of `framesPerSecond`
// (60 when not positive).
void EndFrame(int framesPerSecond);

// Sleep of a running clock on the frame thread: moves the clock by
// `milliseconds` and returns true. False (nothing done) on other threads.
bool SleepOnFrameThread(DWORD milliseconds);

// While one exists, reads on its thread leave the clock where it is: for
// the platform's own reads on the frame thread (the times of the messages
// a script posts, the timers a wait looks at), which may happen a varying
// number of times.
class QuietReads {
  public:
    QuietReads();
    ~QuietReads();
    QuietReads(const QuietReads&) = delete;
    QuietReads& operator=(const QuietReads&) = delete;
};

}  // namespace brannock::platform::virtual_clock
