#include "platform/backend/sdl2/window_input.h"

#include "platform/backend/sdl2/keyboard.h"
#include "platform/backend/sdl2/menu_bar.h"
#include "platform/display/window_area.h"
#include "platform/user32/host_input.h"
#include "platform/user32/user32.h"

namespace brannock::platform::sdl2 {
namespace {

constexpr int kWheelDelta = 120;  // one notch of the wheel

bool Down(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

// Where a host position lies: client coordinates (negative y in the menu
// bar). The cursor GetCursorPos reads follows.
struct Pointer {
    POINT client{};
    bool inMenuBar = false;
};

bool Locate(HostWindow& host, int x, int y, Pointer& pointer) {
    display::WindowArea area;
    if (!display::LocateWindow(host.Handle(), area)) return false;
    pointer.client = POINT{x, y - area.menuHeight};
    pointer.inMenuBar = y >= 0 && y < area.menuHeight;
    SetHostCursorPos(area.client.left + pointer.client.x, area.client.top + pointer.client.y);
    return true;
}

LPARAM PointParam(POINT p) {
    return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
}

void PostCommand(HWND window, UINT_PTR id) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
}

// A press on the menu bar: a plain item is chosen at once, a pop-up item
// opens its drop-down (or closes it when it was open).
void PressMenuBar(HostWindow& host, int x) {
    MenuBarLayout layout;
    if (!LayOutMenuBar(host.Handle(), layout)) return;
    const int index = MenuBarItemAt(layout, x);
    if (index < 0 || index == host.OpenMenuItem() || !layout.items[index].enabled) {
        host.CloseMenu();
        return;
    }
    const MenuBarItem& item = layout.items[index];
    if (item.popup) {
        host.OpenMenu(index, item.popup, item.left);
    } else {
        host.CloseMenu();
        PostCommand(host.Handle(), item.id);
    }
}

// Moving over another pop-up item of the bar while one is open opens it.
void FollowMenuBar(HostWindow& host, int x) {
    MenuBarLayout layout;
    if (!LayOutMenuBar(host.Handle(), layout)) return;
    const int index = MenuBarItemAt(layout, x);
    if (index < 0 || index == host.OpenMenuItem()) return;
    const MenuBarItem& item = layout.items[index];
    if (item.popup && item.enabled) host.OpenMenu(index, item.popup, item.left);
}

UINT ButtonMessage(Uint8 button, bool down) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        case SDL_BUTTON_RIGHT:
            return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        default:
            return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    }
}

}  // namespace

void HandleKeyEvent(HostWindow* host, const SDL_KeyboardEvent& event) {
    const HostKey key = TranslateKey(event.keysym);
    if (key.virtualKey == 0) return;
    const bool down = event.state == SDL_PRESSED;
    SetHostKeyState(key.stateKey, down);
    if (!host) return;
    if (host->OpenMenuItem() >= 0 && down && key.virtualKey == VK_ESCAPE) {
        host->CloseMenu();  // Escape closes the menu and goes no further
        return;
    }
    const KeyMessage message =
        MakeKeyMessage(key, down, !down || event.repeat != 0, Down(VK_MENU), Down(VK_CONTROL));
    PostMessageA(host->Handle(), message.message, message.wParam, message.lParam);
}

void HandleMouseMotion(HostWindow& host, const SDL_MouseMotionEvent& event) {
    const SDL_Point at = host.FramePoint(event.x, event.y);
    Pointer pointer;
    if (!Locate(host, at.x, at.y, pointer)) return;
    if (host.OpenMenuItem() >= 0) {
        if (pointer.inMenuBar) FollowMenuBar(host, at.x);
        if (host.Menu().Point(at.x, at.y)) host.MenuChanged();
        return;
    }
    if (pointer.inMenuBar) return;  // the non-client area
    PostMessageA(host.Handle(), WM_MOUSEMOVE, MouseKeyFlags(), PointParam(pointer.client));
}

void HandleMouseButton(HostWindow& host, const SDL_MouseButtonEvent& event) {
    const int key = ButtonKey(event.button);
    if (key == 0) return;
    const bool down = event.state == SDL_PRESSED;
    SetHostKeyState(key, down);
    const SDL_Point at = host.FramePoint(event.x, event.y);
    Pointer pointer;
    if (!Locate(host, at.x, at.y, pointer)) return;
    if (host.OpenMenuItem() >= 0 && !pointer.inMenuBar) {
        // A press chooses the command under it, opens the list of a pop-up
        // item under it, or, off the lists, closes them.
        if (!down) return;
        UINT_PTR id = 0;
        switch (host.Menu().PressAt(at.x, at.y, id)) {
            case MenuCascade::Press::kCommand:
                host.CloseMenu();
                PostCommand(host.Handle(), id);
                break;
            case MenuCascade::Press::kInside:
                host.MenuChanged();
                break;
            case MenuCascade::Press::kOutside:
                host.CloseMenu();
                break;
        }
        return;
    }
    if (pointer.inMenuBar) {
        if (down && event.button == SDL_BUTTON_LEFT) PressMenuBar(host, at.x);
        return;
    }
    PostMessageA(host.Handle(), ButtonMessage(event.button, down), MouseKeyFlags(),
                 PointParam(pointer.client));
}

void HandleMouseWheel(HostWindow& host, const SDL_MouseWheelEvent& event) {
    int delta = event.y;
    if (event.direction == SDL_MOUSEWHEEL_FLIPPED) delta = -delta;
    if (delta == 0) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    PostMessageA(
        host.Handle(), WM_MOUSEWHEEL,
        MAKEWPARAM(static_cast<WORD>(MouseKeyFlags()), static_cast<WORD>(delta * kWheelDelta)),
        PointParam(cursor));
}

void HandleWindowEvent(HostWindow& host, const SDL_WindowEvent& event) {
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            // The close control, as on Windows: WM_SYSCOMMAND SC_CLOSE, whose
            // default processing sends WM_CLOSE.
            PostMessageA(host.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            SetForegroundWindow(host.Handle());
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Keys released elsewhere are never reported: let go of them all.
            ReleaseAllHostKeys();
            host.CloseMenu();
            HostFocusLost(host.Handle());
            break;
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            host.Expose();
            break;
        default:
            break;
    }
}

}  // namespace brannock::platform::sdl2
