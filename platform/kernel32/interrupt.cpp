// The interrupt check of blocking calls: the framework's hook, then a
// pending TerminateThread of the calling thread.
#include "platform/kernel32/interrupt.h"

#include <atomic>

#include "platform/kernel32/thread_stop.h"

namespace brannock::platform {
namespace {

std::atomic<InterruptCheck> g_check{nullptr};

}  // namespace

void SetInterruptCheck(InterruptCheck check) {
    g_check.store(check, std::memory_order_release);
}

void CheckInterrupt() {
    if (InterruptCheck check = g_check.load(std::memory_order_acquire)) check();
    EndThreadIfTerminated();
}

}  // namespace brannock::platform
