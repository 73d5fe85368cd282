// The hooks of blocking calls: the framework's stop check, a pending
// TerminateThread of the calling thread, and the backend's work while a
// call blocks.
#include "platform/kernel32/interrupt.h"

#include <atomic>

#include "platform/kernel32/thread_stop.h"

namespace brannock::platform {
namespace {

std::atomic<StopCheck> g_check{nullptr};
std::atomic<void (*)()> g_blockedWork{nullptr};

}  // namespace

void SetStopCheck(StopCheck check) {
    g_check.store(check, std::memory_order_release);
}

bool StopPending() {
    EndThreadIfTerminated();
    const StopCheck check = g_check.load(std::memory_order_acquire);
    return check != nullptr && check();
}

void SetBlockedCallWork(void (*work)()) {
    g_blockedWork.store(work, std::memory_order_release);
}

void DoBlockedCallWork() {
    if (auto work = g_blockedWork.load(std::memory_order_acquire)) work();
}

}  // namespace brannock::platform
