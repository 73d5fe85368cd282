// What the user does, as a backend (or a test) reports it to user32: the
// key state GetAsyncKeyState reads, the cursor GetCursorPos reads and the
// foreground window. Key and mouse messages themselves are posted with
// PostMessageA.
#pragma once

#include <chrono>

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

// The host took the user's input away from `window` (another program has
// it): if `window` was in the foreground, nothing is any more, and it gets
// WM_ACTIVATE (WA_INACTIVE), WM_ACTIVATEAPP (FALSE) and WM_KILLFOCUS. Call
// on the window's thread.
// (Input given to a window goes through SetForegroundWindow.)
void HostFocusLost(HWND window);

// Waits until the thread that owns `window` has handled everything it was
// given so far (sent and posted messages, paints, due timers) and waits in
// GetMessageA for more: how a backend makes input it posted take effect
// before the caller goes on, as a send would. Messages sent to the calling
// thread are served meanwhile. True at once on the window's own thread, for
// a window that is gone or a thread leaving its loop; false when `timeout`
// passed first or the calling thread has a stop pending.
bool WaitForWindowThreadIdle(HWND window, std::chrono::milliseconds timeout);

// Wakes the thread's GetMessageA if it waits, so that it pumps the backend
// at once rather than at its next interrupt check.
void WakeHostPump(DWORD threadId);

}  // namespace brannock::platform
