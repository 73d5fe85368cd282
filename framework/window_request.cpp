// The queue of secondary-window requests and the thread that serves it.
#include "framework/window_request.h"

#include <mutex>

#include "framework/globals.h"
#include "framework/shift_jis.h"
#include "framework/stop_point.h"
#include "framework/system.h"
#include "framework/window.h"
#include "framework/window_thread.h"

namespace {

// The only kind of request: create a window.
constexpr int kCreateRequest = 0;
constexpr int kQueueSize = 10;
constexpr DWORD kQueuePollMs = 1;

struct QueuedRequest {
    WindowRequest request;
    CWindow* object = nullptr;
};

// Queued from any thread, served on the pumping thread.
std::mutex g_queueLock;
QueuedRequest g_queue[kQueueSize];
int g_pending = 0;

int PendingCount() {
    std::lock_guard lock(g_queueLock);
    return g_pending;
}

// The newest request, removed from the queue; false when there is none.
bool TakeNewest(QueuedRequest& taken) {
    std::lock_guard lock(g_queueLock);
    if (g_pending == 0) return false;
    taken = g_queue[--g_pending];
    return true;
}

}  // namespace

WindowRequest::WindowRequest(const char* text, int x, int y, int width, int height)
    : x(x), y(y), width(width), height(height) {
    CopyShiftJisTruncated(title, sizeof title, text != nullptr ? text : "");
}

// A full queue drops the request without notice, and so does any kind but
// create, which is the only one there is.
void CSystem::QueueWindow(int kind, const WindowRequest* request, CWindow* object) {
    if (kind != kCreateRequest) return;
    std::lock_guard lock(g_queueLock);
    if (g_pending == kQueueSize) return;
    QueuedRequest& place = g_queue[g_pending++];
    place.request = request != nullptr ? *request : WindowRequest{};
    // Terminated even if the caller filled the whole title buffer.
    place.request.title[sizeof place.request.title - 1] = '\0';
    place.object = object;
}

// Serves the newest request first. A request with an object gets its window
// and a thread of its own for the object's ThreadMain; one without object
// is shown through a temporary object, which takes its window with it.
// Returns the number still pending, or 0 when a thread cannot be started.
int CSystem::ProcessWindowRequest() {
    QueuedRequest taken;
    if (!TakeNewest(taken)) return 0;

    CWindow temporary;
    CWindow& target = taken.object != nullptr ? *taken.object : temporary;
    const WindowRequest& r = taken.request;
    if (target.Create(r.title, r.x, r.y, r.width, r.height, r.style) == 1) {
        target.Show();
        // A thread that cannot start leaves the window without one.
        if (taken.object != nullptr && !StartWindowThread(target)) return 0;
    }
    return PendingCount();
}

void WaitWindowQueue() {
    while (PendingCount() != 0 && !g_endFlag) {
        StopPoint();
        Sleep(kQueuePollMs);
    }
}
