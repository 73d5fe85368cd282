// Test controls of platform/testing/user_input.h (SetJoystick is winmm's).
#include "platform/testing/user_input.h"

#include "platform/user32/host_input.h"
#include "platform/win32.h"

namespace brannock::testing {

void SetKeyDown(int virtualKey, bool down) {
    platform::SetHostKeyState(virtualKey, down);
}

void ReleaseAllKeys() {
    platform::ReleaseAllHostKeys();
}

void SetCursorPosition(int x, int y) {
    platform::SetHostCursorPos(x, y);
}

void SetForeground(HWND window) {
    platform::SetHostForeground(window);
}

// As from the close control: WM_SYSCOMMAND SC_CLOSE, whose default
// processing sends WM_CLOSE.
void ClickClose(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void ChooseMenuItem(HWND window, UINT id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

}  // namespace brannock::testing
