#include "platform/kernel32/virtual_clock.h"

#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/kernel32/kernel32.h"

namespace brannock::platform::virtual_clock {
namespace {

constexpr int kDefaultFramesPerSecond = 60;

struct Clock {
    std::mutex mutex;
    std::int64_t now = kStartTick;
    // The frame schedule: frame n ends at anchor + n * 1000 / fps.
    std::int64_t anchor = kStartTick;
    std::int64_t framesSinceAnchor = 0;
    int framesPerSecond = kDefaultFramesPerSecond;
    DWORD frameThread = 0;
    std::int64_t lastFrameThreadRead = -1;
    int sameReads = 0;  // reads of the frame thread that found lastFrameThreadRead
};

std::atomic<bool> g_running{false};
thread_local int t_quietReads = 0;

// Never destroyed: any thread may read the clock while the process ends.
Clock& TheClock() {
    static auto* clock = new Clock;
    return *clock;
}

}  // namespace

void Start() {
    g_running.store(true, std::memory_order_release);
}

bool Running() {
    return g_running.load(std::memory_order_acquire);
}

DWORD Read() {
    Clock& clock = TheClock();
    std::lock_guard lock(clock.mutex);
    if (t_quietReads == 0 && clock.frameThread != 0 && clock.frameThread == GetCurrentThreadId()) {
        if (clock.now != clock.lastFrameThreadRead)
            clock.sameReads = 0;
        else if (++clock.sameReads >= kPollReads)
            ++clock.now;  // polled: each read from now on moves it
        clock.lastFrameThreadRead = clock.now;
    }
    return static_cast<DWORD>(clock.now);
}

void SetFrameThread(DWORD threadId) {
    Clock& clock = TheClock();
    std::lock_guard lock(clock.mutex);
    clock.frameThread = threadId;
}

void EndFrame(int framesPerSecond) {
    if (framesPerSecond <= 0) framesPerSecond = kDefaultFramesPerSecond;
    Clock& clock = TheClock();
    std::lock_guard lock(clock.mutex);
    if (framesPerSecond != clock.framesPerSecond) {
        // A new pace starts its schedule where the clock stands.
        clock.framesPerSecond = framesPerSecond;
        clock.anchor = clock.now;
        clock.framesSinceAnchor = 0;
    }
    const std::int64_t scheduled =
        clock.anchor + (clock.framesSinceAnchor + 1) * 1000 / clock.framesPerSecond;
    if (clock.now <= scheduled) {
        clock.now = scheduled;
        ++clock.framesSinceAnchor;
    } else {
        // The frame slept past its time: it ends now, on a new schedule.
        clock.anchor = clock.now;
        clock.framesSinceAnchor = 0;
    }
}

bool SleepOnFrameThread(DWORD milliseconds) {
    Clock& clock = TheClock();
    std::lock_guard lock(clock.mutex);
    if (clock.frameThread == 0 || clock.frameThread != GetCurrentThreadId()) return false;
    clock.now += milliseconds;
    return true;
}

QuietReads::QuietReads() {
    ++t_quietReads;
}

QuietReads::~QuietReads() {
    --t_quietReads;
}

}  // namespace brannock::platform::virtual_clock
