// keybd_event and SetCursorPos: input a program gives itself, as the user
// would give it: the key state and the cursor change, and a key message
// goes to the foreground window.
#include <algorithm>

#include "platform/user32/host_input.h"
#include "platform/win32.h"

namespace {

bool Held(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

void WINAPI keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, ULONG_PTR) {
    const bool down = !(flags & KEYEVENTF_KEYUP);
    const bool wasDown = Held(virtualKey);
    brannock::platform::SetHostKeyState(virtualKey, down);
    // With Alt held (and no Ctrl), for Alt itself and for F10, keys are
    // system keys, as the keyboard driver reports them.
    const bool alt = Held(VK_MENU) || Held(VK_LMENU) || Held(VK_RMENU);
    const bool ctrl = Held(VK_CONTROL) || Held(VK_LCONTROL) || Held(VK_RCONTROL);
    const bool system = (alt && !ctrl) || virtualKey == VK_F10 || virtualKey == VK_MENU;
    const UINT message =
        down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    DWORD bits = 1 | static_cast<DWORD>(scanCode) << 16;
    if (flags & KEYEVENTF_EXTENDEDKEY) bits |= 1u << 24;
    if (alt && !ctrl) bits |= 1u << 29;
    if (wasDown) bits |= 1u << 30;
    if (!down) bits |= 1u << 31;
    if (HWND target = GetForegroundWindow())
        PostMessageA(target, message, virtualKey, static_cast<LPARAM>(bits));
}

// The cursor stays on the screen, as on Windows.
BOOL WINAPI SetCursorPos(int x, int y) {
    x = std::clamp(x, 0, std::max(GetSystemMetrics(SM_CXSCREEN) - 1, 0));
    y = std::clamp(y, 0, std::max(GetSystemMetrics(SM_CYSCREEN) - 1, 0));
    brannock::platform::SetHostCursorPos(x, y);
    return TRUE;
}
