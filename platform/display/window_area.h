// Where a window's pixels are on the screen, read through user32's public
// calls. Never call with the display lock held.
#pragma once

#include "platform/windef.h"

namespace brannock::platform::display {

struct WindowArea {
    RECT client{};       // the client area, in screen coordinates
    int menuHeight = 0;  // menu bar rows the host shows above the client area

    int HostWidth() const { return client.right - client.left; }
    int HostHeight() const { return client.bottom - client.top + menuHeight; }
};

// False when `window` does not exist. A window that owns the full-screen
// mode covers the whole screen, as DirectDraw makes it.
bool LocateWindow(HWND window, WindowArea& area);

}  // namespace brannock::platform::display
