// What the user does, as a backend (or a test) reports it to user32: the
// key state GetAsyncKeyState reads, the cursor GetCursorPos reads and the
// foreground window. Key and mouse messages themselves are posted with
// PostMessageA.
#pragma once

#include "platform/windef.h"

namespace brannock::platform {

// `virtualKey` 0..255 (mouse buttons are VK_LBUTTON, VK_RBUTTON, VK_MBUTTON);
// other values are ignored. A press flips the key's toggle state (Caps Lock).
void SetHostKeyState(int virtualKey, bool down);
void ReleaseAllHostKeys();

// Screen coordinates.
void SetHostCursorPos(int x, int y);

// The window that has the user's input (null: none). No messages are sent.
void SetHostForeground(HWND window);

}  // namespace brannock::platform
