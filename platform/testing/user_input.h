// Test control: what the user does on the headless backend.
#pragma once

#include "platform/windef.h"

namespace brannock::testing {

// Key state read by GetAsyncKeyState (virtual-key codes 0..255).
void SetKeyDown(int virtualKey, bool down);
void ReleaseAllKeys();

// The cursor position read by GetCursorPos (screen coordinates).
void SetCursorPosition(int x, int y);

// The window GetForegroundWindow answers (null: none).
void SetForeground(HWND window);

// Joystick `id` (0..3) as joyGetPos reads it; `present` false unplugs it.
void SetJoystick(UINT id, bool present, UINT x, UINT y, UINT z, UINT buttons);

// The user clicks the close control of a top-level window: the window
// receives WM_CLOSE on its own thread as from the system.
void ClickClose(HWND window);

// The user chooses a menu item: the window receives WM_COMMAND with the
// item's id in the low half of wParam and 0 in the high half and lParam.
void ChooseMenuItem(HWND window, UINT id);

}  // namespace brannock::testing
