// The keys a script names: Win32 virtual-key codes by their names (Escape,
// F1, Left, A, 7, LShift, LButton, ...) or as numbers, and how their key
// messages look.
#pragma once

#include <string>
#include <string_view>

#include "platform/backend/key_message.h"

namespace brannock::platform::script {

// A key name in any letter case, or a code in decimal or 0x hex from 1 to
// 254. False when `text` names no key.
bool ParseKey(std::string_view text, int& virtualKey);

// The name of a key as a script writes it: its name, or 0xNN.
std::string KeyName(int virtualKey);

// The key's messages: the side-specific Shift, Ctrl and Alt keys report the
// generic code in wParam; scan codes are those of a US PC keyboard.
HostKey KeyOf(int virtualKey);

bool IsMouseButton(int virtualKey);

}  // namespace brannock::platform::script
