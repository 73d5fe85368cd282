// GetTickCount and Sleep: the host's monotonic clock, a clock a test
// installed, or the virtual clock of a repeatable run.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "platform/kernel32/clock_source.h"
#include "platform/kernel32/interrupt.h"
#include "platform/kernel32/kernel32.h"
#include "platform/kernel32/virtual_clock.h"

namespace brannock::platform {
namespace {

// Set while a test clock is installed, so the usual path takes no lock.
std::atomic<bool> g_testClockInstalled{false};

struct TestClock {
    std::mutex mutex;
    std::shared_ptr<const TickClock> clock;  // guarded by mutex
};

// Never destroyed: static objects may read the clock while the process ends.
TestClock& TheTestClock() {
    static auto* clock = new TestClock;
    return *clock;
}

}  // namespace

std::shared_ptr<const TickClock> InstalledTestClock() {
    if (!g_testClockInstalled.load(std::memory_order_acquire)) return nullptr;
    TestClock& test = TheTestClock();
    std::lock_guard lock(test.mutex);
    return test.clock;
}

void InstallTestClock(TickClock clock) {
    TestClock& test = TheTestClock();
    std::lock_guard lock(test.mutex);
    test.clock = clock ? std::make_shared<const TickClock>(std::move(clock)) : nullptr;
    g_testClockInstalled.store(test.clock != nullptr, std::memory_order_release);
}

}  // namespace brannock::platform

DWORD WINAPI GetTickCount() {
    if (auto clock = brannock::platform::InstalledTestClock()) return (*clock)();
    if (brannock::platform::virtual_clock::Running())
        return brannock::platform::virtual_clock::Read();
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    // The low 32 bits: the counter wraps as Windows' does.
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

VOID WINAPI Sleep(DWORD dwMilliseconds) {
    using Clock = std::chrono::steady_clock;
    using brannock::platform::StopPending;
    if (StopPending()) return;
    // A driven clock stands still while the test does not move it.
    if (dwMilliseconds == 0 || brannock::platform::InstalledTestClock()) {
        std::this_thread::yield();
        return;
    }
    // On a virtual clock the frame thread's sleep is time passing in the
    // program only.
    if (dwMilliseconds != INFINITE && brannock::platform::virtual_clock::Running() &&
        brannock::platform::virtual_clock::SleepOnFrameThread(dwMilliseconds)) {
        std::this_thread::yield();
        return;
    }
    const bool forever = dwMilliseconds == INFINITE;
    const auto deadline = Clock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;) {
        auto slice = std::chrono::duration_cast<Clock::duration>(
            brannock::platform::kInterruptCheckInterval);
        if (!forever) {
            const auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero()) return;
            slice = std::min(slice, left);
        }
        std::this_thread::sleep_for(slice);
        if (StopPending()) return;
    }
}
