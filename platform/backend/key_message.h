// The Win32 messages of key presses and releases: virtual-key code, PC scan
// code and the lParam of WM_KEYDOWN / WM_KEYUP / WM_SYSKEYDOWN / WM_SYSKEYUP,
// as backends post them for the host's keys or a script's; and the key
// flags of mouse messages.
#pragma once

#include "platform/windef.h"

namespace brannock::platform {

struct HostKey {
    int virtualKey = 0;  // wParam of the key messages; 0: Win32 has no code
    int stateKey = 0;    // the key-state entry: VK_LSHIFT, VK_RCONTROL, ...
                         // for the modifiers, else virtualKey
    UINT scanCode = 0;   // PC set-1 scan code, 0 when the key has none
    bool extended = false;
};

struct KeyMessage {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// The message of one press (`down`) or release: WM_SYSKEY* while Alt is held
// without Ctrl, for Alt itself and for F10, else WM_KEY*. `wasDown` is the
// key's state before the event (true for auto-repeats and releases).
KeyMessage MakeKeyMessage(const HostKey& key, bool down, bool wasDown, bool altDown, bool ctrlDown);

// The MK_* flags of mouse messages, from the key state now.
WPARAM MouseKeyFlags();

}  // namespace brannock::platform
