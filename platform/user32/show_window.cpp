// ShowWindow.
#include "platform/user32/geometry.h"
#include "platform/user32/messaging.h"
#include "platform/user32/window_ops.h"
#include "platform/win32.h"

using namespace brannock::platform::user32;

namespace {

bool Activates(int command) {
    switch (command) {
        case SW_HIDE:
        case SW_SHOWNOACTIVATE:
        case SW_SHOWNA:
        case SW_SHOWMINNOACTIVE:
        case SW_MINIMIZE:
            return false;
        default:
            return true;
    }
}

}  // namespace

// Minimized and maximized states are not emulated: every command but
// SW_HIDE shows the window as it is. Returns whether it was visible before.
BOOL WINAPI ShowWindow(HWND window, int command) {
    State& state = GetState();
    bool wasVisible = false;
    bool child = false;
    {
        Lock lock(state.mutex);
        Window* w = state.FindWindow(window);
        if (!w) return FALSE;
        if (w->queue != CurrentQueueLocked()) {
            lock.unlock();
            return static_cast<BOOL>(
                RunOnWindowThread(window, [=] { return ShowWindow(window, command); }));
        }
        wasVisible = w->visible;
        child = w->IsChild();
    }
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
        SendMessageA(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    if (show && !child && Activates(command)) ActivateWindow(window);
    // An overlapped window hears of its size and place at its first show.
    if (show) {
        bool needSize = false;
        RECT client{};
        POINT origin{};
        {
            Lock lock(state.mutex);
            Window* w = state.FindWindow(window);
            if (w && w->needSize) {
                w->needSize = false;
                needSize = true;
                client = ClientArea(*w);
                origin = POINT{w->rect.left + client.left, w->rect.top + client.top};
            }
        }
        if (needSize) SendSizeAndMove(window, client, origin);
    }
    return wasVisible ? TRUE : FALSE;
}
