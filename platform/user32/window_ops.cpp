// Track sizes, activation and invalidation shared by the window operations.
#include "platform/user32/window_ops.h"

#include <algorithm>

#include "platform/user32/geometry.h"
#include "platform/user32/messaging.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {

MINMAXINFO DefaultMinMaxInfo() {
    MINMAXINFO info{};
    info.ptMaxSize = POINT{GetSystemMetrics(SM_CXMAXIMIZED), GetSystemMetrics(SM_CYMAXIMIZED)};
    info.ptMaxPosition = POINT{-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)};
    info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    info.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    return info;
}

void LimitToTrackSize(HWND hwnd, int& width, int& height) {
    MINMAXINFO info = DefaultMinMaxInfo();
    SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    // The maximum wins where a window's limits contradict each other.
    width = std::min<int>(std::max<int>(width, info.ptMinTrackSize.x), info.ptMaxTrackSize.x);
    height = std::min<int>(std::max<int>(height, info.ptMinTrackSize.y), info.ptMaxTrackSize.y);
    width = ClampSize(width);
    height = ClampSize(height);
}

void ActivateWindow(HWND hwnd) {
    HWND previous = nullptr;
    bool previousHere = false;
    {
        State& state = GetState();
        Lock lock(state.mutex);
        Window* w = state.FindWindow(hwnd);
        if (!w || state.foreground == hwnd) return;
        previous = state.foreground;
        state.foreground = hwnd;
        if (Window* p = state.FindWindow(previous)) {
            previousHere = p->queue == w->queue;
            if (!previousHere) {
                PostLocked(*p->queue, previous, WM_ACTIVATE, WA_INACTIVE,
                           reinterpret_cast<LPARAM>(hwnd));
                PostLocked(*p->queue, previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
            }
        } else {
            previous = nullptr;
        }
    }
    if (previousHere) {
        SendMessageA(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
        SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    }
    if (!previous) SendMessageA(hwnd, WM_ACTIVATEAPP, TRUE, 0);
    SendMessageA(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    SendMessageA(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
}

void DeactivateWindow(HWND hwnd) {
    {
        State& state = GetState();
        Lock lock(state.mutex);
        if (!hwnd || state.foreground != hwnd) return;
        state.foreground = nullptr;
    }
    SendMessageA(hwnd, WM_ACTIVATE, WA_INACTIVE, 0);
    SendMessageA(hwnd, WM_ACTIVATEAPP, FALSE, 0);
    SendMessageA(hwnd, WM_KILLFOCUS, 0, 0);
}

void SendSizeAndMove(HWND hwnd, const RECT& client, POINT origin) {
    SendMessageA(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(client.right - client.left, client.bottom - client.top));
    SendMessageA(hwnd, WM_MOVE, 0, MAKELPARAM(origin.x, origin.y));
}

void InvalidateAllLocked(Window& w) {
    RECT client = ClientArea(w);
    w.updateRect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
    w.updatePending = true;
    w.erasePending = true;
    WakeLocked(*w.queue);
}

}  // namespace brannock::platform::user32
