#include "input/window_input.h"

#include "framework/stop_point.h"
#include "input/input_state.h"

namespace {

int KeyBit(int virtualKey) {
    return GetAsyncKeyState(virtualKey) & 0x8000;
}

}  // namespace

CWindowInput::CWindowInput(HWND window) : ownerWindow(window) {}

void CWindowInput::GetPointer(int& x, int& y, int& left, int& right) const {
    StopPoint();
    POINT cursor{};
    GetCursorPos(&cursor);
    x = cursor.x;
    y = cursor.y;

    if (ownerWindow != nullptr) {
        RECT frame{};  // stays empty when the window is gone
        GetWindowRect(ownerWindow, &frame);
        x -= frame.left + GetSystemMetrics(SM_CXBORDER) + GetSystemMetrics(SM_CXFRAME);
        y -= frame.top + GetSystemMetrics(SM_CYBORDER) + GetSystemMetrics(SM_CYFRAME);
        if (static_cast<DWORD>(GetWindowLongA(ownerWindow, GWL_STYLE)) & WS_BORDER)
            y -= GetSystemMetrics(SM_CYCAPTION);
        if (GetMenu(ownerWindow) != nullptr) y -= GetSystemMetrics(SM_CYMENU);
    } else {
        y -= GetSystemMetrics(SM_CYCAPTION);
    }

    if (GetForegroundWindow() != ownerWindow || x < 0 || y < 0) {
        left = 0;
        right = 0;
    } else {
        left = KeyBit(VK_LBUTTON);
        right = KeyBit(VK_RBUTTON);
    }
}

int CWindowInput::IsKeyDown(char key) const {
    StopPoint();
    if (inputEnabled.load() == 0) return 0;
    if (ownerWindow != nullptr && GetForegroundWindow() != ownerWindow) return 0;
    // signed char, so the sign extension holds where plain char is unsigned.
    return KeyBit(static_cast<signed char>(key));
}
