// Window and client rectangles, coordinate conversion and the desktop window.
#include "platform/user32/geometry.h"

#include <algorithm>

#include "platform/user32/screen.h"
#include "platform/win32.h"

namespace brannock::platform::user32 {

int ClampCoordinate(int value) {
    return std::clamp(value, -kCoordinateLimit, kCoordinateLimit);
}

int ClampSize(int value) {
    return std::clamp(value, 0, kCoordinateLimit);
}

int NonClientTop(const Window& w) {
    int top = 0;
    if ((w.frameStyle & WS_CAPTION) == WS_CAPTION) top += GetSystemMetrics(SM_CYCAPTION);
    if (!w.IsChild() && w.frameMenu) top += GetSystemMetrics(SM_CYMENU);
    return top;
}

RECT ClientArea(const Window& w) {
    const LONG width = std::max<LONG>(0, w.rect.right - w.rect.left);
    const LONG height = std::max<LONG>(0, w.rect.bottom - w.rect.top);
    const LONG top = std::min<LONG>(NonClientTop(w), height);
    return RECT{0, top, width, height};
}

POINT ParentOrigin(State& state, const Window& w) {
    if (!w.IsChild()) return POINT{0, 0};
    Window* parent = state.FindWindow(w.parent);
    return parent ? ClientOrigin(state, *parent) : POINT{0, 0};
}

POINT ClientOrigin(State& state, const Window& w) {
    POINT origin = ParentOrigin(state, w);
    RECT client = ClientArea(w);
    return POINT{origin.x + w.rect.left + client.left, origin.y + w.rect.top + client.top};
}

}  // namespace brannock::platform::user32

using namespace brannock::platform::user32;

namespace {

RECT DesktopRect() {
    brannock::platform::ScreenSize screen = brannock::platform::CurrentScreenSize();
    return RECT{0, 0, screen.width, screen.height};
}

// The caller's point may be anything: wrap as 32-bit Windows does.
LONG WrappingAdd(LONG a, LONG b) {
    return static_cast<LONG>(static_cast<ULONG>(a) + static_cast<ULONG>(b));
}

// The desktop's client area starts at the screen's origin.
bool ScreenOriginOfClient(HWND window, POINT& origin) {
    if (window == DesktopHandle()) {
        origin = POINT{0, 0};
        return true;
    }
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return false;
    origin = ClientOrigin(state, *w);
    return true;
}

}  // namespace

HWND WINAPI GetDesktopWindow() {
    return DesktopHandle();
}

BOOL WINAPI GetWindowRect(HWND window, LPRECT rect) {
    if (!rect) return FALSE;
    if (window == DesktopHandle()) {
        *rect = DesktopRect();
        return TRUE;
    }
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return FALSE;
    POINT origin = ParentOrigin(state, *w);
    *rect = RECT{origin.x + w->rect.left, origin.y + w->rect.top, origin.x + w->rect.right,
                 origin.y + w->rect.bottom};
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND window, LPRECT rect) {
    if (!rect) return FALSE;
    if (window == DesktopHandle()) {
        *rect = DesktopRect();
        return TRUE;
    }
    State& state = GetState();
    Lock lock(state.mutex);
    Window* w = state.FindWindow(window);
    if (!w) return FALSE;
    RECT client = ClientArea(*w);
    *rect = RECT{0, 0, client.right - client.left, client.bottom - client.top};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND window, LPPOINT point) {
    POINT origin{};
    if (!point || !ScreenOriginOfClient(window, origin)) return FALSE;
    point->x = WrappingAdd(point->x, origin.x);
    point->y = WrappingAdd(point->y, origin.y);
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND window, LPPOINT point) {
    POINT origin{};
    if (!point || !ScreenOriginOfClient(window, origin)) return FALSE;
    point->x = WrappingAdd(point->x, -origin.x);
    point->y = WrappingAdd(point->y, -origin.y);
    return TRUE;
}
