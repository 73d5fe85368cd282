#include "platform/display/window_area.h"

#include "platform/display/screen.h"
#include "platform/user32/user32.h"

namespace brannock::platform::display {

bool LocateWindow(HWND window, WindowArea& area) {
    if (!window || !IsWindow(window)) return false;
    if (FullScreenOwner() == window) {
        const ScreenMode mode = CurrentMode();
        area.client = {0, 0, mode.width, mode.height};
        area.menuHeight = 0;
        return true;
    }
    RECT client{};
    if (!GetClientRect(window, &client)) return false;
    POINT origin{0, 0};
    if (!ClientToScreen(window, &origin)) return false;
    area.client = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    area.menuHeight = GetMenu(window) ? GetSystemMetrics(SM_CYMENU) : 0;
    return true;
}

}  // namespace brannock::platform::display
