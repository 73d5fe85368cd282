// WaitFrame: holds a loop to a number of frames per second.
//
// Frames are scheduled in one-second windows: frame k of a window is due
// k * 1000 / fps ms (truncated) after the window's start. A late frame
// returns at once, so a loop that fell behind catches up within the window;
// the first frame more than 1000 ms after the window's start opens the next
// window at the current time.
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
    DWORD now = GetTickCount();
    while (now - g_frameBase < dueOffset && !g_endFlag) {
        // Single-threaded, the wait keeps the window alive; threaded, it
        // spins, giving the processor away between polls.
        PumpMessages();
        if (threaded) std::this_thread::yield();
        now = GetTickCount();
    }

    if (now - g_frameBase > kWindowMs) {
        g_frameBase = now;
        g_frameCount = 0;
    }
    ++g_frameCount;
}
