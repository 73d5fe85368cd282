#include "framework/stop_point.h"

#include <atomic>
#include <exception>

#ifndef _WIN32
#include "platform/kernel32/interrupt.h"
#endif

namespace {

// Thrown only by GameThreadStopPoint, caught only by RunAsGameThread.
struct GameThreadStop {};

std::atomic<bool> g_stopRequested{false};
thread_local bool t_onGameThread = false;

}  // namespace

void GameThreadStopPoint() {
    // Never throw while already unwinding (a destructor that blocks in a
    // platform call), which would terminate the process.
    if (t_onGameThread && g_stopRequested.load(std::memory_order_acquire) &&
        std::uncaught_exceptions() == 0)
        throw GameThreadStop{};
}

void RunAsGameThread(void (*body)()) {
#ifndef _WIN32
    // Blocking platform calls (Sleep, waits, SendMessageA) poll this, so a
    // game thread blocked in one of them unwinds too.
    brannock::platform::SetInterruptCheck(&GameThreadStopPoint);
#endif
    t_onGameThread = true;
    try {
        body();
    } catch (const GameThreadStop&) {
        // Stopped: nothing more of the game runs.
    }
}

bool OnGameThread() {
    return t_onGameThread;
}

void RequestGameThreadStop() {
    g_stopRequested.store(true, std::memory_order_release);
}
