#include "platform/backend/key_message.h"

#include "platform/user32/user32.h"

namespace brannock::platform {

KeyMessage MakeKeyMessage(const HostKey& key, bool down, bool wasDown, bool altDown,
                          bool ctrlDown) {
    const bool system = (altDown && !ctrlDown) || key.virtualKey == VK_F10 ||
                        (key.virtualKey == VK_MENU && !ctrlDown);
    KeyMessage out;
    if (down)
        out.message = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    else
        out.message = system ? WM_SYSKEYUP : WM_KEYUP;
    out.wParam = static_cast<WPARAM>(key.virtualKey);
    DWORD bits = 1;  // repeat count
    bits |= (key.scanCode & 0xFFu) << 16;
    if (key.extended) bits |= 1u << 24;
    if (altDown && !ctrlDown) bits |= 1u << 29;
    if (wasDown) bits |= 1u << 30;
    if (!down) bits |= 1u << 31;
    out.lParam = static_cast<LPARAM>(bits);
    return out;
}

WPARAM MouseKeyFlags() {
    const auto down = [](int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; };
    WPARAM keys = 0;
    if (down(VK_LBUTTON)) keys |= MK_LBUTTON;
    if (down(VK_RBUTTON)) keys |= MK_RBUTTON;
    if (down(VK_MBUTTON)) keys |= MK_MBUTTON;
    if (down(VK_SHIFT)) keys |= MK_SHIFT;
    if (down(VK_CONTROL)) keys |= MK_CONTROL;
    return keys;
}

}  // namespace brannock::platform
