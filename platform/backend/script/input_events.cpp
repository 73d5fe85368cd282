#include "platform/backend/script/input_events.h"

#include "platform/backend/key_message.h"
#include "platform/backend/script/key_names.h"
#include "platform/display/window_area.h"
#include "platform/kernel32/interrupt.h"
#include "platform/kernel32/thread_start.h"
#include "platform/kernel32/virtual_clock.h"
#include "platform/user32/host_input.h"
#include "platform/win32.h"

namespace brannock::platform::script {
namespace {

bool Down(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// The top-left corner of the target's client area on the screen.
bool ClientOrigin(HWND target, POINT& origin) {
    display::WindowArea area;
    if (!target || !display::LocateWindow(target, area)) return false;
    origin = {area.client.left, area.client.top};
    return true;
}

LPARAM PointParam(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

UINT ButtonMessage(int button, bool down) {
    switch (button) {
        case VK_LBUTTON:
            return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        case VK_RBUTTON:
            return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        default:
            return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    }
}

void ApplyButton(int button, bool down, HWND target) {
    SetHostKeyState(button, down);
    POINT origin{};
    if (!ClientOrigin(target, origin)) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    PostMessageA(target, ButtonMessage(button, down), MouseKeyFlags(),
                 PointParam(cursor.x - origin.x, cursor.y - origin.y));
}

void ApplyKey(int virtualKey, bool down, HWND target) {
    if (IsMouseButton(virtualKey)) {
        ApplyButton(virtualKey, down, target);
        return;
    }
    const bool wasDown = !down || Down(virtualKey);
    SetHostKeyState(virtualKey, down);
    if (!target) return;
    const KeyMessage message =
        MakeKeyMessage(KeyOf(virtualKey), down, wasDown, Down(VK_MENU), Down(VK_CONTROL));
    PostMessageA(target, message.message, message.wParam, message.lParam);
}

void ApplyMove(int x, int y, HWND target) {
    POINT origin{};
    if (!ClientOrigin(target, origin)) return;
    SetHostCursorPos(origin.x + x, origin.y + y);
    PostMessageA(target, WM_MOUSEMOVE, MouseKeyFlags(), PointParam(x, y));
}

}  // namespace

HWND InputTarget(HWND fallback) {
    if (HWND foreground = GetForegroundWindow(); foreground && IsWindow(foreground))
        return foreground;
    return fallback && IsWindow(fallback) ? fallback : nullptr;
}

void ApplyInput(const Event& event, HWND target) {
    switch (event.kind) {
        case EventKind::kPress:
        case EventKind::kRelease:
            ApplyKey(event.key, event.kind == EventKind::kPress, target);
            return;
        case EventKind::kMove:
            ApplyMove(event.x, event.y, target);
            return;
        case EventKind::kClick:
            ApplyMove(event.x, event.y, target);
            ApplyButton(event.key, true, target);
            ApplyButton(event.key, false, target);
            return;
        case EventKind::kClose:
            // As from the close control: WM_SYSCOMMAND SC_CLOSE, whose
            // default processing sends WM_CLOSE.
            if (target) PostMessageA(target, WM_SYSCOMMAND, SC_CLOSE, 0);
            return;
        case EventKind::kSave:
            return;
    }
}

bool HandOver(const std::vector<Event>& events, HWND fallback) {
    // The times of the messages posted here are the platform's reading.
    const virtual_clock::QuietReads quiet;
    const HWND target = InputTarget(fallback);
    for (const Event& event : events)
        ApplyInput(event, target);
    if (!target || WaitForWindowThreadIdle(target, kHandOverTimeout)) return true;
    // A frame thread told to stop (the input ended the program) is not late.
    return StopPending();
}

void GateEarlyThreads(const std::atomic<HWND>& window, const std::atomic<bool>& framesBegan) {
    SetThreadStartHook([&window, &framesBegan] {
        const HWND first = window.load();
        if (first && !framesBegan.load()) WaitForWindowThreadIdle(first, kHandOverTimeout);
    });
}

void EndEarlyThreadGate() {
    SetThreadStartHook({});
}

}  // namespace brannock::platform::script
