// WaitFrame: holds a loop to a number of frames per second.
//
// Frames are scheduled in one-second windows: frame k of a window is due
// k * 1000 / fps ms (truncated) after the window's start. A late frame
// returns at once, so a loop that fell behind catches up within the window;
// the first frame more than 1000 ms after the window's start opens the next
// window at the current time.
//
// The wait sleeps until shortly before the frame is due and polls the clock
// only for the last moment, so a paced loop costs next to nothing while it
// waits yet still ends each wait on the millisecond it is due. A
// single-threaded loop sleeps in a wait for messages instead, handling each
// one as it comes.
#include <chrono>
#include <cstdint>
#include <thread>

#include "framework/globals.h"
#include "framework/stop_point.h"
#include "framework/system.h"

#ifndef _WIN32
#include "platform/display/frames.h"
#endif

namespace {

constexpr DWORD kWindowMs = 1000;
// The last millisecond of a wait is polled, with short naps between reads:
// the millisecond clock cannot tell how far into it the wait is, and a
// sleep may end a little late.
constexpr DWORD kPollMs = 1;
constexpr auto kPollNap = std::chrono::microseconds(100);

// Sleeps of a few milliseconds end close to their time only with the timer
// resolution raised (Windows' default is about 15.6 ms). Raised on the
// first wait and lowered again when the program ends.
class TimerResolution {
  public:
    TimerResolution() : raised_(timeBeginPeriod(1) == TIMERR_NOERROR) {}
    ~TimerResolution() {
        if (raised_) timeEndPeriod(1);
    }
    TimerResolution(const TimerResolution&) = delete;
    TimerResolution& operator=(const TimerResolution&) = delete;

  private:
    bool raised_;
};

}  // namespace

void CSystem::WaitFrame(int framesPerSecond) {
    StopPoint();
    // No pacing asked for (a negative rate has no meaningful schedule).
    if (noWait || framesPerSecond <= 0) return;
#ifndef _WIN32
    // The platform learns the program's pace, and counts the frames of a
    // program that does not present through DirectDraw.
    brannock::platform::display::NotifyFramePaced(framesPerSecond);
#endif

    const double period = 1000.0 / framesPerSecond;
    // Offsets from the window's start in unsigned 32-bit arithmetic stay
    // right across the wrap of the millisecond counter (every 49.7 days).
    const DWORD dueOffset = static_cast<DWORD>(static_cast<std::int64_t>(g_frameCount * period));
    static const TimerResolution resolution;
    DWORD now = GetTickCount();
    while (now - g_frameBase < dueOffset && !g_endFlag) {
        // Single-threaded, the wait keeps the window alive.
        PumpMessages();
        const DWORD left = dueOffset - (now - g_frameBase);
        if (g_endFlag) {
            // A message just ended the program: no more waiting.
        } else if (left > kPollMs) {
            if (threaded)
                Sleep(left - kPollMs);
            else
                MsgWaitForMultipleObjects(0, nullptr, FALSE, left - kPollMs, QS_ALLINPUT);
        } else if (threaded) {
            // The last moment: short naps keep the poll from taking a core.
            std::this_thread::sleep_for(kPollNap);
        }
        now = GetTickCount();
    }

    if (now - g_frameBase > kWindowMs) {
        g_frameBase = now;
        g_frameCount = 0;
    }
    ++g_frameCount;
}
