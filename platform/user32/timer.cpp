// SetTimer / KillTimer. A timer lives in the queue of its window's thread (or
// of the calling thread for a timer without window); WM_TIMER is generated
// by the message retrieval when the timer is due and nothing else waits.
#include <algorithm>

#include "platform/user32/state.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

namespace {

std::shared_ptr<ThreadQueue> QueueFor(State& state, HWND window) {
    if (!window) return CurrentQueueLocked();
    Window* w = state.FindWindow(window);
    return w ? w->queue : nullptr;
}

}  // namespace

// A window timer is named by (window, id) and replaced when set again; a
// timer without window gets a fresh id unless `id` names one of the
// thread's own. Periods are clamped to USER_TIMER_MINIMUM..MAXIMUM.
UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
    State& state = GetState();
    Lock lock(state.mutex);
    std::shared_ptr<ThreadQueue> queue = QueueFor(state, window);
    if (!queue || !queue->alive) return 0;
    elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    auto existing = std::find_if(queue->timers.begin(), queue->timers.end(),
                                 [&](const Timer& t) { return t.hwnd == window && t.id == id; });
    if (!window && (id == 0 || existing == queue->timers.end())) {
        id = ++state.nextThreadTimerId;
        existing = queue->timers.end();
    }
    const Timer timer{window, id, elapse, GetTickCount() + elapse, proc};
    if (existing != queue->timers.end())
        *existing = timer;
    else
        queue->timers.push_back(timer);
    WakeLocked(*queue);
    return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    State& state = GetState();
    Lock lock(state.mutex);
    std::shared_ptr<ThreadQueue> queue = QueueFor(state, window);
    if (!queue) return FALSE;
    const auto removed = std::erase_if(
        queue->timers, [&](const Timer& t) { return t.hwnd == window && t.id == id; });
    return removed ? TRUE : FALSE;
}
