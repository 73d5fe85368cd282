// DestroyWindow: owned windows first; then WM_DESTROY to the window and its
// children, parents first; then WM_NCDESTROY, children first; all sent
// before DestroyWindow returns.
#include "platform/backend/backend.h"
#include "platform/user32/messaging.h"
#include "platform/user32/window_ops.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

namespace {

std::vector<HWND> Children(HWND parent, bool childStyle) {
    State& state = GetState();
    Lock lock(state.mutex);
    std::vector<HWND> result;
    for (HWND hwnd : ChildrenOf(state, parent)) {
        Window* w = state.FindWindow(hwnd);
        if (w && w->IsChild() == childStyle) result.push_back(hwnd);
    }
    return result;
}

void SendDestroy(HWND hwnd) {
    SendMessageA(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : Children(hwnd, true))
        SendDestroy(child);
}

void SendNcDestroy(HWND hwnd) {
    for (HWND child : Children(hwnd, true))
        SendNcDestroy(child);
    SendMessageA(hwnd, WM_NCDESTROY, 0, 0);
}

}  // namespace

// Windows refuses to destroy another thread's window; here the owning thread
// is asked to do it and the caller waits, so a game thread that gives up on
// its window (an error box, then DestroyWindow) really closes it.
BOOL WINAPI DestroyWindow(HWND window) {
    State& state = GetState();
    {
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w || w->destroying) return FALSE;
        if (w->queue != CurrentQueueLocked()) {
            lock.unlock();
            return static_cast<BOOL>(
                RunOnWindowThread(window, [window] { return DestroyWindow(window); }));
        }
        w->destroying = true;
    }
    for (HWND owned : Children(window, false))
        DestroyWindow(owned);
    if (IsWindowVisible(window))
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendDestroy(window);
    SendNcDestroy(window);
    std::vector<HWND> removed;
    {
        Lock lock(state.mutex);
        RemoveWindowLocked(state, window, removed);
    }
    for (HWND hwnd : removed)
        brannock::platform::CurrentBackend().WindowDestroyed(hwnd);
    return TRUE;
}
