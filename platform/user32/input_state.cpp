// Key state, cursor position and the foreground window: written by the
// backend or tests (host_input.h), read by any thread without blocking on
// the window thread.
#include <array>
#include <atomic>
#include <cstdint>

#include "platform/user32/host_input.h"
#include "platform/user32/state.h"
#include "platform/user32/window_ops.h"
#include "platform/win32.h"

namespace brannock::platform {
namespace {

constexpr std::uint8_t kDown = 0x80;
constexpr std::uint8_t kToggled = 0x01;

std::array<std::atomic<std::uint8_t>, 256> g_keys{};
// x in the high half, y in the low half.
std::atomic<std::uint64_t> g_cursor{0};

bool InRange(int key) {
    return key >= 0 && key < 256;
}

bool RawDown(int key) {
    return (g_keys[static_cast<std::size_t>(key)].load() & kDown) != 0;
}

// The generic Shift, Ctrl and Alt keys are down while either side is.
bool IsDown(int key) {
    switch (key) {
        case VK_SHIFT:
            return RawDown(VK_SHIFT) || RawDown(VK_LSHIFT) || RawDown(VK_RSHIFT);
        case VK_CONTROL:
            return RawDown(VK_CONTROL) || RawDown(VK_LCONTROL) || RawDown(VK_RCONTROL);
        case VK_MENU:
            return RawDown(VK_MENU) || RawDown(VK_LMENU) || RawDown(VK_RMENU);
        default:
            return RawDown(key);
    }
}

}  // namespace

void SetHostKeyState(int virtualKey, bool down) {
    if (!InRange(virtualKey)) return;
    auto& key = g_keys[static_cast<std::size_t>(virtualKey)];
    std::uint8_t old = key.load();
    std::uint8_t next;
    do {
        std::uint8_t toggle = old & kToggled;
        if (down && !(old & kDown)) toggle ^= kToggled;
        next = static_cast<std::uint8_t>((down ? kDown : 0) | toggle);
    } while (!key.compare_exchange_weak(old, next));
}

void ReleaseAllHostKeys() {
    for (auto& key : g_keys)
        key.fetch_and(static_cast<std::uint8_t>(~kDown));
}

void SetHostCursorPos(int x, int y) {
    g_cursor.store(static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32 |
                   static_cast<std::uint32_t>(y));
}

void SetHostForeground(HWND window) {
    user32::State& state = user32::GetState();
    user32::Lock lock(state.mutex);
    state.foreground = window;
}

void HostFocusLost(HWND window) {
    user32::DeactivateWindow(window);
}

}  // namespace brannock::platform

using namespace brannock::platform;

// Bit 15 while the key is down. Codes outside 0..255 give 0.
SHORT WINAPI GetAsyncKeyState(int virtualKey) {
    if (!InRange(virtualKey)) return 0;
    return IsDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

// Bit 15 while down, bit 0 while toggled.
SHORT WINAPI GetKeyState(int virtualKey) {
    if (!InRange(virtualKey)) return 0;
    const bool toggled = (g_keys[static_cast<std::size_t>(virtualKey)].load() & kToggled) != 0;
    return static_cast<SHORT>((IsDown(virtualKey) ? 0x8000 : 0) | (toggled ? 1 : 0));
}

BOOL WINAPI GetCursorPos(LPPOINT point) {
    if (!point) return FALSE;
    const std::uint64_t packed = g_cursor.load();
    point->x = static_cast<LONG>(static_cast<std::uint32_t>(packed >> 32));
    point->y = static_cast<LONG>(static_cast<std::uint32_t>(packed));
    return TRUE;
}

HWND WINAPI GetForegroundWindow() {
    user32::State& state = user32::GetState();
    user32::Lock lock(state.mutex);
    return state.foreground;
}

BOOL WINAPI SetForegroundWindow(HWND window) {
    if (!IsWindow(window) || window == GetDesktopWindow()) return FALSE;
    user32::ActivateWindow(window);
    return TRUE;
}
